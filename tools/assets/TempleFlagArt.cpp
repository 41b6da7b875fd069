#include "BuildingArt.h"

#include "BuildingKit.h"
#include "EmblemArt.h"

#include <QPolygonF>
#include <cmath>

namespace {

const QColor White(248, 248, 244);
const QColor SnowWhite(244, 246, 251);

// Each faith has its symbol and its colour.
constexpr int FaithSymbols[] = {2, 3, 0, 12, 8, 4, 11};
constexpr int FaithHues[] = {3, 11, 4, 2, 0, 5, 1};

QImage flagCloth(int row, int column)
{
    QImage cloth(21, 14, QImage::Format_RGB32);
    const QColor first = hue(row * 2 + column * 5);
    const QColor second = hue(row * 2 + column * 5 + 3);
    cloth.fill(first);
    QPainter painter(&cloth);
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, true);
    switch (row) {
    case 0: // three vertical bands
        painter.setBrush(White);
        painter.drawRect(7, 0, 7, 14);
        painter.setBrush(second);
        painter.drawRect(14, 0, 7, 14);
        break;
    case 1: // three horizontal bands
        painter.setBrush(White);
        painter.drawRect(0, 5, 21, 4);
        painter.setBrush(second);
        painter.drawRect(0, 9, 21, 5);
        break;
    case 2: // northern cross
        painter.setBrush(White);
        painter.drawRect(5, 0, 4, 14);
        painter.drawRect(0, 5, 21, 4);
        painter.setBrush(second);
        painter.drawRect(6, 0, 2, 14);
        painter.drawRect(0, 6, 21, 2);
        break;
    case 3: // parted by a diagonal
        painter.setBrush(second);
        painter.drawPolygon(QPolygonF({QPointF(21, 0), QPointF(21, 14), QPointF(0, 14)}));
        break;
    case 4: // saltire
        painter.setPen(QPen(White, 3));
        painter.drawLine(QPointF(0, 0), QPointF(21, 14));
        painter.drawLine(QPointF(0, 14), QPointF(21, 0));
        break;
    case 5: // quartered
        painter.setBrush(second);
        painter.drawRect(0, 0, 10, 7);
        painter.drawRect(10, 7, 11, 7);
        break;
    case 6: // triangle at the hoist
        painter.setBrush(second);
        painter.drawRect(0, 7, 21, 7);
        painter.setBrush(White);
        painter.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(10, 7), QPointF(0, 14)}));
        break;
    case 7: // star on the field
        drawEmblem(painter, 0, QRectF(6, 2, 10, 10), White);
        break;
    default: // disc on the field
        painter.setBrush(second);
        painter.drawEllipse(QPointF(10.5, 7), 4.5, 4.5);
        break;
    }
    return cloth;
}

} // namespace

QImage drawTemple(int row, int column, Season season)
{
    // The row is the faith (symbol and colour), the column the size of the
    // place of worship, from a wayside shrine to a cathedral.
    QImage tile = newTile();
    paintCityGround(tile, season, 4200 + row * 10 + column);
    QPainter painter;
    beginSmooth(painter, tile);
    const int symbol = FaithSymbols[row % 7];
    const QColor faith = hue(FaithHues[row % 7]);
    const QColor stone(222, 214, 196);
    const QColor gold(236, 200, 70);
    painter.setPen(Qt::NoPen);
    switch (column) {
    case 0: // shrine
        drawWalls(painter, QRectF(10, 17, 12, 11), stone);
        drawPitchedRoof(painter, 8, 24, 17, 7, faith, season);
        painter.setBrush(QColor(60, 44, 34));
        painter.drawRect(QRectF(14, 21, 4, 7));
        drawEmblem(painter, symbol, QRectF(13, 3, 6, 6), faith);
        break;
    case 1: // chapel with a steeple
        drawWalls(painter, QRectF(4, 16, 17, 12), stone);
        drawPitchedRoof(painter, 4, 21, 16, 7, shiftColour(faith, -30), season);
        drawWalls(painter, QRectF(21, 12, 7, 16), stone);
        drawSpire(painter, QPointF(24.5, 12), 8, 7, faith, season);
        drawEmblem(painter, symbol, QRectF(22, 0, 5, 5), gold);
        drawDoor(painter, QPointF(24.5, 28), 3, 5);
        drawWindows(painter, QRectF(5, 19, 15, 5), 3, 1, season);
        break;
    case 2: // domed temple behind a portico
        drawWalls(painter, QRectF(5, 15, 22, 13), stone);
        drawColumns(painter, QRectF(6, 17, 20, 11), 5, stone);
        painter.setBrush(shiftColour(stone, -20));
        painter.drawRect(QRectF(4, 13, 24, 3));
        drawDome(painter, QPointF(16, 13), 8, faith, season);
        drawEmblem(painter, symbol, QRectF(13, 6, 6, 6), gold);
        break;
    case 3: { // three-tiered pagoda
        drawWalls(painter, QRectF(9, 8, 14, 20), stone);
        for (int tier = 0; tier < 3; ++tier) {
            const double y = 27 - tier * 8.5;
            const double half = 12 - tier * 2.5;
            painter.setBrush(faith);
            painter.drawPolygon(QPolygonF({QPointF(16 - half, y - 2), QPointF(16 - half + 3, y - 5),
                                           QPointF(16 + half - 3, y - 5), QPointF(16 + half, y - 2)}));
            if (season == Season::Winter) {
                painter.setBrush(SnowWhite);
                painter.drawRect(QRectF(16 - half + 3, y - 5.5, 2 * half - 6, 1.5));
            }
        }
        drawEmblem(painter, symbol, QRectF(13, 1, 6, 5), gold);
        drawDoor(painter, QPointF(16, 28), 4, 4);
        break;
    }
    default: // cathedral with two towers and a rose window
        drawWalls(painter, QRectF(3, 10, 7, 19), stone);
        drawWalls(painter, QRectF(22, 10, 7, 19), stone);
        drawSpire(painter, QPointF(6.5, 10), 8, 9, faith, season);
        drawSpire(painter, QPointF(25.5, 10), 8, 9, faith, season);
        drawWalls(painter, QRectF(10, 13, 12, 16), shiftColour(stone, -10));
        drawPitchedRoof(painter, 10, 22, 13, 6, shiftColour(faith, -40), season);
        painter.setBrush(faith);
        painter.drawEllipse(QPointF(16, 18), 4, 4);
        drawEmblem(painter, symbol, QRectF(13.5, 15.5, 5, 5), gold);
        painter.setBrush(QColor(60, 44, 34));
        painter.drawChord(QRectF(13.5, 23, 5, 10), 0, 180 * 16);
        break;
    }
    return tile;
}

QImage drawFlag(int row, int column, Season season)
{
    // A flag on its pole: the row gives the pattern, the column the colours.
    QImage tile = newTile();
    paintCityGround(tile, season, 3200 + row * 10 + column);
    const QImage cloth = flagCloth(row, column);
    // The cloth waves: each of its columns drops a little, in a slow sine.
    for (int x = 0; x < cloth.width(); ++x) {
        const int drop = static_cast<int>(std::lround(1.6 * std::sin(x * 0.45)));
        for (int y = 0; y < cloth.height(); ++y) {
            QColor colour = cloth.pixelColor(x, y);
            if ((x / 3) % 2 == 1)
                colour = shiftColour(colour, -18);
            tile.setPixelColor(8 + x, 4 + y + drop, colour);
        }
    }
    QPainter painter(&tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 66, 64));
    painter.drawRect(6, 2, 2, 26);
    painter.setBrush(QColor(220, 190, 80));
    painter.drawRect(5, 1, 4, 2);
    painter.setBrush(QColor(130, 126, 120));
    painter.drawRect(3, 27, 8, 3);
    if (season == Season::Winter) {
        painter.setBrush(SnowWhite);
        painter.drawRect(3, 26, 8, 2);
        painter.drawRect(5, 0, 4, 1);
    }
    return tile;
}
