#include "OverviewPicture.h"

#include "WorldTiles.h"
#include "map/CarteVarenthe.h"

#include <array>
#include <stdexcept>

namespace {

using namespace WorldTile;

// The overview's colours; the palette holds each of them twice, plain and
// darkened for the province grid.
enum OverviewColour {
    SeaColour,
    RiverColour,
    GrassColour,
    ForestColour,
    HillsColour,
    MountainColour,
    SandColour,
    SnowColour,
    MarshColour,
    TownColour,
    RoadColour,
    ColourCount
};

constexpr std::array<QRgb, ColourCount> Colours = {
    qRgb(34, 78, 150),   qRgb(80, 150, 225),  qRgb(98, 158, 68),   qRgb(46, 112, 50),
    qRgb(142, 158, 84),  qRgb(136, 120, 104), qRgb(224, 204, 146), qRgb(240, 244, 250),
    qRgb(100, 116, 78),  qRgb(200, 40, 32),   qRgb(176, 142, 96),
};

OverviewColour colourOf(int32_t code)
{
    switch (code) {
    case 0:
    case Sea:
    case Reef: return SeaColour;
    case River:
    case Port: return RiverColour;
    case Forest:
    case Taiga: return ForestColour;
    case Hills:
    case Mine:
    case Boulders: return HillsColour;
    case Mountains:
    case Volcano: return MountainColour;
    case Sand:
    case Oasis: return SandColour;
    case Snow:
    case Glacier: return SnowColour;
    case Marsh: return MarshColour;
    case Town: return TownColour;
    default: return (code >= 110 && code <= 122) ? RoadColour : GrassColour;
    }
}

// How much a cell counts in the vote of its pixel: thin rivers and single
// towns would vanish among the land around them.
int weightOf(OverviewColour colour)
{
    switch (colour) {
    case RiverColour: return 3;
    case TownColour: return 12;
    case RoadColour: return 0;
    default: return 2;
    }
}

// First cell covered by overview pixel p, along either axis.
int firstCell(int p) { return p * OverviewCellsAcross / OverviewWidth; }

} // namespace

QImage renderOverviewPicture(const CarteVarenthe &map)
{
    QImage picture(OverviewWidth, OverviewHeight, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (QRgb colour : Colours)
        table.append(colour);
    for (QRgb colour : Colours)
        table.append(qRgb(qRed(colour) * 3 / 4, qGreen(colour) * 3 / 4, qBlue(colour) * 3 / 4));
    picture.setColorTable(table);

    for (int py = 0; py < OverviewHeight; ++py) {
        uchar *line = picture.scanLine(py);
        for (int px = 0; px < OverviewWidth; ++px) {
            std::array<int, ColourCount> votes{};
            const int x0 = firstCell(px);
            const int x1 = std::max(x0 + 1, firstCell(px + 1));
            const int y0 = firstCell(py);
            const int y1 = std::max(y0 + 1, firstCell(py + 1));
            // Beyond the map lies open sea.
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const OverviewColour colour = colourOf(map.terrainAt(x, y));
                    votes[colour] += colour == RoadColour ? 0 : weightOf(colour);
                }
            int best = SeaColour;
            for (int c = 0; c < ColourCount; ++c)
                if (votes[c] > votes[best])
                    best = c;
            line[px] = static_cast<uchar>(best);
        }
    }

    if (map.hasProvinces()) {
        // The grid: the first pixel row of each province row, and in each
        // province row the first pixel column of each province.
        auto pixelOf = [](int cell) { return cell * OverviewWidth / OverviewCellsAcross; };
        for (int row = 0; row * map.provinceHeight < map.height; ++row) {
            const int top = pixelOf(row * map.provinceHeight);
            const int bottom = pixelOf((row + 1) * map.provinceHeight);
            if (top >= OverviewHeight)
                break;
            uchar *line = picture.scanLine(top);
            for (int px = 0; px < OverviewWidth; ++px)
                line[px] = static_cast<uchar>(line[px] % ColourCount + ColourCount);
            const int shift = row % 2 == 1 ? ProvinceShift : 0;
            for (int column = 0; column * map.provinceWidth + shift < OverviewCellsAcross; ++column) {
                const int px = pixelOf(column * map.provinceWidth + shift);
                for (int py = top; py < std::min(bottom, OverviewHeight); ++py) {
                    uchar *pixel = picture.scanLine(py) + px;
                    *pixel = static_cast<uchar>(*pixel % ColourCount + ColourCount);
                }
            }
        }
    }
    return picture;
}

void writeOverviewPicture(const CarteVarenthe &map, const QString &path)
{
    if (!renderOverviewPicture(map).save(path, "BMP"))
        throw std::runtime_error("Impossible d'écrire " + path.toStdString());
}
