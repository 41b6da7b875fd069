#include "ui/PaletteTable.h"

#include <initializer_list>

namespace {

using Row = std::initializer_list<int32_t>;

// Fills the rows from the top, each from the left.
PaletteGrid makeGrid(std::initializer_list<Row> rows)
{
    PaletteGrid grid{};
    int r = 0;
    for (const Row &row : rows) {
        int c = 0;
        for (int32_t tile : row)
            grid[r][c++] = tile;
        ++r;
    }
    return grid;
}

// `count` rows; row i (from 0) holds `width` tiles from first + i * step.
PaletteGrid makeSteppedGrid(int count, int32_t first, int32_t step, int width)
{
    PaletteGrid grid{};
    for (int r = 0; r < count; ++r)
        for (int c = 0; c < width; ++c)
            grid[r][c] = first + r * step + c;
    return grid;
}

PaletteGrid makePublicBuildings()
{
    PaletteGrid grid = makeGrid({
        {2110, 2111, 2112, 2113, 2114},
        {2120, 2121, 2122, 2123, 2124},
        {2130, 2131, 2132, 2133, 2134},
        {2190, 2191, 2192, 2193, 2194},
        {2310, 2311, 2312, 2313, 2314},
    });
    for (int i = 0; i < 16; ++i)
        for (int c = 0; c < 5; ++c)
            grid[5 + i][c] = 3010 + 10 * i + c;
    grid[21][0] = 3170;
    grid[21][1] = 3171;
    return grid;
}

std::array<PaletteGrid, PaletteCategoryCount> buildTable()
{
    return {
        makeGrid({{1, 2, 3}, {131, 132, 133}, {141, 142, 143, 144}, {145, 146, 147}}),
        makeGrid({{1}, {100, 105, 106, 107}, {101, 102, 108}, {103, 104}}),
        makeGrid({{110, 111, 112, 113, 114}, {115, 116, 117, 118, 119}, {120, 121, 122}}),
        makeSteppedGrid(9, 2511, 10, 4),
        makeSteppedGrid(7, 3611, 10, 4),
        makePublicBuildings(),
        makeSteppedGrid(9, 3210, 10, 2),
        makeSteppedGrid(13, 4010, 10, 5),
        makeSteppedGrid(7, 4210, 10, 5),
        makeGrid({{5010, 5011, 5012, 5013, 5014}, {5080, 5081, 5082, 5083, 5084}, {5090}}),
        makeGrid({{3511, 3512, 3513, 3514}, {3521, 3530, 3541, 3551}, {3561, 3571}}),
        makeGrid({{253, 254, 255, 256, 257}}),
    };
}

// Division rounding toward minus infinity, so a press just above or left of
// the grid never lands on row or column 0.
int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

} // namespace

const std::array<PaletteGrid, PaletteCategoryCount> &paletteCategoryTable()
{
    static const std::array<PaletteGrid, PaletteCategoryCount> table = buildTable();
    return table;
}

QString paletteCategoryName(int category)
{
    static const char *const names[PaletteCategoryCount] = {
        "Province - Divers",
        "Province - Terrains",
        "Routes",
        "Villes - Institutions nationales",
        "Villes - Institutions internationales",
        "Villes - Bâtiments publiques",
        "Villes - Drapeaux",
        "Villes - Bâtiments privés",
        "Villes - Temples",
        "Villes - Maisons",
        "Villes - Divers",
        "Zones",
    };
    if (category < 0 || category >= PaletteCategoryCount)
        return {};
    return QString::fromUtf8(names[category]);
}

int paletteCategoryRows(int category)
{
    if (category < 0 || category >= PaletteCategoryCount)
        return 0;
    const PaletteGrid &grid = paletteCategoryTable()[category];
    int rows = 0;
    while (rows < PaletteRowCount && grid[rows][0] != 0)
        ++rows;
    return rows;
}

int32_t paletteTileAt(int category, int column, int row)
{
    if (category < 0 || category >= PaletteCategoryCount || column < 0 || column >= PaletteColumnCount
        || row < 0 || row >= PaletteRowCount)
        return 0;
    return paletteCategoryTable()[category][row][column];
}

int32_t paletteSelectedTile(const PaletteSelection &selection)
{
    if (selection.category == -1)
        return -1;
    return paletteTileAt(selection.category, selection.column, selection.row);
}

QRect palettePlaceRect(int column, int row, int scroll)
{
    const int left = column * PalettePitch + 1;
    const int top = (row - scroll) * PalettePitch + PaletteTopPanelHeight + 1;
    return QRect(left, top, 32, 32);
}

QString palettePlaceToolTip(int category, int column, int row)
{
    const int32_t tile = paletteTileAt(category, column, row);
    if (tile == 0)
        return {};
    return QStringLiteral("Tuile %1 \u2014 %2").arg(QString::number(tile), paletteCategoryName(category));
}

PaletteSelection paletteSelectionAt(int category, int scroll, int mx, int my)
{
    const int column = floorDiv(mx, PalettePitch);
    const int row = floorDiv(my - PaletteTopPanelHeight, PalettePitch) + scroll;
    if (category != -1 && column >= 0 && column < PaletteColumnCount && row >= 0 && row < PaletteRowCount
        && paletteTileAt(category, column, row) != 0)
        return PaletteSelection{column, row, category};
    return PaletteSelection{};
}

int paletteScrollMaximum(int category, int gridHeight)
{
    const int rows = paletteCategoryRows(category);
    const int maximum = rows - gridHeight / PalettePitch;
    return maximum > 0 ? maximum : 0;
}
