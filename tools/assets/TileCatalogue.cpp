#include "TileCatalogue.h"

#include <QString>
#include <algorithm>

namespace {

void addRow(std::vector<TileEntry> &tiles, TileCategory category, int row, int first, int last)
{
    for (int number = first; number <= last; ++number)
        tiles.push_back({number, category, row, number - first});
}

std::vector<TileEntry> buildCatalogue()
{
    std::vector<TileEntry> tiles;
    addRow(tiles, TileCategory::Terrain, 0, 0, 0);
    addRow(tiles, TileCategory::Feature, 0, 1, 3);
    addRow(tiles, TileCategory::Terrain, 1, 100, 108);
    addRow(tiles, TileCategory::Road, 0, 110, 122);
    addRow(tiles, TileCategory::Feature, 1, 131, 133);
    addRow(tiles, TileCategory::Feature, 2, 141, 147);
    addRow(tiles, TileCategory::ZoneEraser, 0, 257, 257);

    for (int i = 1; i <= 9; ++i)
        addRow(tiles, TileCategory::NationalInstitution, i - 1, 2501 + 10 * i, 2504 + 10 * i);
    for (int i = 1; i <= 7; ++i)
        addRow(tiles, TileCategory::InternationalInstitution, i - 1, 3601 + 10 * i, 3604 + 10 * i);

    int publicRow = 0;
    for (int first : {2110, 2120, 2130, 2190, 2310})
        addRow(tiles, TileCategory::PublicBuilding, publicRow++, first, first + 4);
    for (int first = 3010; first <= 3160; first += 10)
        addRow(tiles, TileCategory::PublicBuilding, publicRow++, first, first + 4);
    addRow(tiles, TileCategory::PublicBuilding, publicRow, 3170, 3171);

    for (int i = 1; i <= 9; ++i)
        addRow(tiles, TileCategory::Flag, i - 1, 3200 + 10 * i, 3201 + 10 * i);
    for (int i = 1; i <= 13; ++i)
        addRow(tiles, TileCategory::PrivateBuilding, i - 1, 4000 + 10 * i, 4004 + 10 * i);
    for (int i = 1; i <= 7; ++i)
        addRow(tiles, TileCategory::Temple, i - 1, 4200 + 10 * i, 4204 + 10 * i);

    addRow(tiles, TileCategory::House, 0, 5010, 5014);
    addRow(tiles, TileCategory::House, 1, 5080, 5084);
    addRow(tiles, TileCategory::House, 2, 5090, 5090);

    int place = 0;
    for (int number : {3511, 3512, 3513, 3514, 3521, 3530, 3541, 3551, 3561, 3571})
        tiles.push_back({number, TileCategory::CityMisc, 0, place++});

    std::sort(tiles.begin(), tiles.end(),
              [](const TileEntry &a, const TileEntry &b) { return a.number < b.number; });
    return tiles;
}

} // namespace

const std::vector<TileEntry> &aspectTiles()
{
    static const std::vector<TileEntry> tiles = buildCatalogue();
    return tiles;
}

QString tileFileName(int number)
{
    if (number >= 0 && number < 100)
        return QStringLiteral("%1.bmp").arg(number, 3, 10, QLatin1Char('0'));
    return QStringLiteral("%1.bmp").arg(number);
}
