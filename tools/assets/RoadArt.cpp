#include "RoadArt.h"

#include <QPolygon>
#include <algorithm>

namespace {

constexpr int West = 1;
constexpr int North = 2;
constexpr int East = 4;
constexpr int South = 8;

bool inCentre(int v) { return v >= RoadBandFirst && v <= RoadBandLast; }

// Whether pixel (x, y) lies on the road of a piece opening to `sides`.
bool onRoad(int x, int y, int sides)
{
    if (x < 0 || y < 0 || x >= TilePixels || y >= TilePixels)
        return false;
    if (inCentre(x) && inCentre(y)) {
        // A bend cuts the outer corner of the centre square, so that the
        // road turns instead of making a box.
        const int fromLeft = x - RoadBandFirst;
        const int fromRight = RoadBandLast - x;
        const int fromTop = y - RoadBandFirst;
        const int fromBottom = RoadBandLast - y;
        auto closed = [sides](int a, int b) { return (sides & a) == 0 && (sides & b) == 0; };
        if (closed(West, North) && fromLeft + fromTop < 3)
            return false;
        if (closed(North, East) && fromRight + fromTop < 3)
            return false;
        if (closed(East, South) && fromRight + fromBottom < 3)
            return false;
        if (closed(South, West) && fromLeft + fromBottom < 3)
            return false;
        return true;
    }
    if ((sides & West) && x < RoadBandFirst && inCentre(y))
        return true;
    if ((sides & East) && x > RoadBandLast && inCentre(y))
        return true;
    if ((sides & North) && y < RoadBandFirst && inCentre(x))
        return true;
    if ((sides & South) && y > RoadBandLast && inCentre(x))
        return true;
    return false;
}

// Beyond the tile's edge on an open side the road goes on into the
// neighbour, so an edge pixel there is not a verge.
bool continues(int x, int y, int sides)
{
    if (x < 0)
        return (sides & West) && inCentre(y);
    if (x >= TilePixels)
        return (sides & East) && inCentre(y);
    if (y < 0)
        return (sides & North) && inCentre(x);
    if (y >= TilePixels)
        return (sides & South) && inCentre(x);
    return onRoad(x, y, sides);
}

// The road texture is the same when mirrored left-right or top-bottom, so the
// west edge of a piece shows exactly what the east edge of its neighbour
// shows.
uint32_t mirroredSeed(int x, int y)
{
    return artHash(110, std::min(x, TilePixels - 1 - x), std::min(y, TilePixels - 1 - y));
}

struct RoadColours {
    QColor surface;
    QColor verge;
    QColor stone;
};

RoadColours roadColours(Season season)
{
    if (season == Season::Summer)
        return {QColor(182, 150, 102), QColor(128, 98, 62), QColor(150, 124, 90)};
    return {QColor(190, 180, 168), QColor(122, 106, 92), QColor(164, 150, 136)};
}

RoadColours deckColours(Season season)
{
    if (season == Season::Summer)
        return {QColor(156, 112, 68), QColor(84, 56, 34), QColor(128, 90, 54)};
    return {QColor(226, 226, 230), QColor(96, 70, 50), QColor(150, 120, 96)};
}

// Paints the band; `planks` draws the deck of a bridge instead of earth.
void paintBand(QImage &tile, int sides, const RoadColours &colours, bool planks)
{
    for (int y = 0; y < TilePixels; ++y) {
        auto *line = reinterpret_cast<QRgb *>(tile.scanLine(y));
        for (int x = 0; x < TilePixels; ++x) {
            if (!onRoad(x, y, sides))
                continue;
            const bool verge = !continues(x - 1, y, sides) || !continues(x + 1, y, sides)
                               || !continues(x, y - 1, sides) || !continues(x, y + 1, sides);
            const uint32_t seed = mirroredSeed(x, y);
            QColor colour = colours.surface;
            if (verge)
                colour = colours.verge;
            else if (planks) {
                // Plank joints across each arm, symmetric about the centre.
                const bool horizontalArm = !inCentre(x);
                const int along = horizontalArm ? std::min(x, TilePixels - 1 - x) : std::min(y, TilePixels - 1 - y);
                if (!(inCentre(x) && inCentre(y)) && along % 3 == 2)
                    colour = colours.stone;
            } else if (seed % 13 == 0)
                colour = colours.stone;
            line[x] = shiftColour(colour, static_cast<int>(seed % 7) - 3).rgb();
        }
    }
}

void drawCottage(QPainter &painter, int left, int top, Season season, int variant)
{
    const QColor walls[] = {QColor(222, 206, 170), QColor(204, 184, 150), QColor(232, 220, 196)};
    const QColor roofs[] = {QColor(170, 62, 44), QColor(122, 74, 50), QColor(150, 80, 60)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(shiftColour(walls[variant % 3], -40));
    painter.drawRect(left, top + 4, 8, 5);
    painter.setBrush(walls[variant % 3]);
    painter.drawRect(left, top + 4, 7, 4);
    const QColor roof = season == Season::Summer ? roofs[variant % 3] : QColor(240, 242, 248);
    painter.setBrush(roof);
    painter.drawPolygon(QPolygon({QPoint(left - 1, top + 4), QPoint(left + 3, top), QPoint(left + 4, top),
                                  QPoint(left + 8, top + 4)}));
    if (season == Season::Winter) {
        painter.setBrush(roofs[variant % 3]);
        painter.drawRect(left - 1, top + 4, 9, 1);
    }
    painter.setBrush(QColor(70, 50, 36));
    painter.drawRect(left + 3, top + 6, 2, 2);
}

} // namespace

int roadSides(int tile)
{
    switch (tile) {
    case 110: return West | East;
    case 111: return North | South;
    case 112: return North | East;
    case 113: return East | South;
    case 114: return South | West;
    case 115: return West | North;
    case 116: return North | East | South;
    case 117: return West | East | South;
    case 118: return West | North | South;
    case 119: return West | North | East;
    case 120:
    case 121:
    case 122: return West | North | East | South;
    default: return 0;
    }
}

QImage drawRoadTile(int tile, Season season)
{
    QImage image = newTile();
    const int sides = roadSides(tile);
    if (tile == 122) {
        // A wooden bridge over running water, open on all four sides: roads
        // meet it from any side, and boats pass underneath.
        const GroundColours ground = groundColours(season);
        fillTexture(image, image.rect(), ground.riverWater, 5, 122);
        paintBand(image, sides, deckColours(season), true);
        return image;
    }
    paintMeadow(image, season);
    if (tile == 121) {
        // A town: a paved square at the crossing of its streets, with a
        // cottage in each corner.
        paintBand(image, sides, roadColours(season), false);
        QPainter painter(&image);
        drawCottage(painter, 1, 1, season, 0);
        drawCottage(painter, 23, 1, season, 1);
        drawCottage(painter, 1, 22, season, 2);
        drawCottage(painter, 23, 22, season, 0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(110, 110, 118));
        painter.drawRect(14, 14, 4, 4);
        painter.setBrush(season == Season::Summer ? QColor(90, 160, 220) : QColor(220, 236, 246));
        painter.drawRect(15, 15, 2, 2);
        return image;
    }
    paintBand(image, sides, roadColours(season), false);
    return image;
}
