#include "BuildingArt.h"

#include "BuildingKit.h"
#include "EmblemArt.h"

#include <QPolygonF>

namespace {

const QColor White(248, 248, 244);
const QColor Stone(168, 162, 152);
const QColor SnowWhite(244, 246, 251);

void drawChimney(QPainter &painter, double x, double top, Season season)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(120, 60, 46));
    painter.drawRect(QRectF(x, top, 2.5, 5));
    if (season == Season::Winter) {
        painter.setBrush(QColor(190, 190, 196));
        painter.drawEllipse(QPointF(x + 2, top - 2), 1.8, 1.4);
    }
}

void drawWallSegment(QPainter &painter, const QRectF &wall, Season season)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(shiftColour(Stone, -40));
    painter.drawRect(wall.translated(1, 1));
    painter.setBrush(Stone);
    painter.drawRect(wall);
    painter.setPen(QPen(shiftColour(Stone, -30), 0.8));
    for (double y = wall.top() + 3; y < wall.bottom(); y += 3)
        painter.drawLine(QPointF(wall.left(), y), QPointF(wall.right(), y));
    painter.setPen(Qt::NoPen);
    if (season == Season::Winter) {
        painter.setBrush(SnowWhite);
        painter.drawRect(QRectF(wall.left(), wall.top(), wall.width(), 1.5));
    }
}

} // namespace

QImage drawPrivateBuilding(int row, int column, Season season)
{
    // Shops and workshops: a shop window under a striped awning and a hanging
    // sign. The row gives the walls, the roof and the trade; the column the
    // awning's colour and the sign's emblem.
    QImage tile = newTile();
    paintCityGround(tile, season, 4000 + row * 10 + column);
    QPainter painter;
    beginSmooth(painter, tile);
    const QColor wall = wallColour(row);
    const QColor roof = hue(row * 7 + 3);
    const QColor awning = hue(column * 2 + row);
    drawWalls(painter, QRectF(4, 12, 22, 16), wall);
    switch (row % 4) {
    case 0:
        drawPitchedRoof(painter, 4, 26, 12, 8, roof, season);
        break;
    case 1:
        painter.setPen(Qt::NoPen);
        painter.setBrush(roof);
        painter.drawRect(QRectF(3, 8, 24, 4));
        if (season == Season::Winter) {
            painter.setBrush(SnowWhite);
            painter.drawRect(QRectF(3, 7, 24, 2));
        }
        break;
    case 2:
        painter.setPen(Qt::NoPen);
        painter.setBrush(roof);
        painter.drawPolygon(QPolygonF({QPointF(3, 12), QPointF(8, 5), QPointF(22, 5), QPointF(27, 12)}));
        if (season == Season::Winter) {
            painter.setBrush(SnowWhite);
            painter.drawPolygon(QPolygonF({QPointF(6, 8), QPointF(8, 5), QPointF(22, 5), QPointF(24, 8)}));
        }
        break;
    default: // stepped gable
        painter.setPen(Qt::NoPen);
        painter.setBrush(roof);
        painter.drawRect(QRectF(4, 9, 22, 3));
        painter.drawRect(QRectF(8, 6, 14, 3));
        painter.drawRect(QRectF(12, 3, 6, 3));
        if (season == Season::Winter) {
            painter.setBrush(SnowWhite);
            painter.drawRect(QRectF(4, 9, 4, 1));
            painter.drawRect(QRectF(22, 9, 4, 1));
            painter.drawRect(QRectF(8, 6, 4, 1));
            painter.drawRect(QRectF(18, 6, 4, 1));
            painter.drawRect(QRectF(12, 3, 6, 1));
        }
        break;
    }
    drawWindows(painter, QRectF(5, 13, 20, 4), 4, 1, season);
    // Shop window and door.
    painter.setPen(Qt::NoPen);
    painter.setBrush(season == Season::Summer ? QColor(70, 96, 120) : QColor(238, 200, 110));
    painter.drawRect(QRectF(6, 21, 10, 6));
    drawDoor(painter, QPointF(21, 28), 4, 7);
    // Striped awning.
    for (int i = 0; i < 6; ++i) {
        painter.setBrush(i % 2 == 0 ? awning : White);
        painter.drawRect(QRectF(5 + i * 3.5, 18, 3.5, 3));
    }
    if (season == Season::Winter) {
        painter.setBrush(SnowWhite);
        painter.drawRect(QRectF(5, 17.5, 21, 1));
    }
    // Hanging sign on a bracket.
    painter.setPen(QPen(QColor(50, 40, 34), 1));
    painter.drawLine(QPointF(26, 14.5), QPointF(31, 14.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 240, 210));
    painter.drawRect(QRectF(26.5, 15.5, 5, 6));
    drawEmblem(painter, (row + column * 5) % EmblemCount, QRectF(27.2, 16.5, 3.6, 4), awning);
    return tile;
}

QImage drawHouse(int row, int column, Season season)
{
    QImage tile = newTile();
    paintCityGround(tile, season, 5000 + row * 10 + column);
    QPainter painter;
    beginSmooth(painter, tile);
    if (row == 0) {
        // Cottages: the column gives the roof colour and the door's place.
        const QColor roof = hue(column * 2 + 1);
        const QColor wall = wallColour(column);
        drawChimney(painter, 18 + column % 3, 6, season);
        drawWalls(painter, QRectF(7, 16, 18, 12), wall);
        drawPitchedRoof(painter, 6, 26, 16, 9, roof, season);
        drawDoor(painter, QPointF(column % 2 == 0 ? 12 : 20, 28), 4, 6);
        drawWindows(painter, QRectF(column % 2 == 0 ? 15 : 8, 18, 9, 5), 2, 1, season);
        painter.setPen(Qt::NoPen);
        painter.setBrush(season == Season::Summer ? QColor(60, 120, 50) : QColor(210, 220, 230));
        painter.drawRect(QRectF(1, 29, 30, 2));
    } else if (row == 1) {
        // Town houses of two floors.
        const QColor roof = hue(column * 2 + 6);
        const QColor wall = wallColour(column + 3);
        drawWalls(painter, QRectF(8, 11, 16, 17), wall);
        drawPitchedRoof(painter, 7, 25, 11, 8, roof, season);
        drawChimney(painter, 9 + column, 2, season);
        drawWindows(painter, QRectF(9, 12, 14, 10), 3, 2, season);
        drawDoor(painter, QPointF(16, 28), 4, 6);
        painter.setPen(Qt::NoPen);
        painter.setBrush(shiftColour(wall, -40));
        painter.drawRect(QRectF(8, 21.5, 16, 1));
    } else {
        // The manor: a main house between two wings, trees in the garden.
        const QColor roof(60, 70, 96);
        drawWalls(painter, QRectF(2, 15, 8, 13), wallColour(2));
        drawWalls(painter, QRectF(22, 15, 8, 13), wallColour(2));
        drawPitchedRoof(painter, 2, 10, 15, 5, roof, season);
        drawPitchedRoof(painter, 22, 30, 15, 5, roof, season);
        drawWalls(painter, QRectF(9, 11, 14, 17), wallColour(0));
        drawPitchedRoof(painter, 8, 24, 11, 8, shiftColour(roof, 20), season);
        drawWindows(painter, QRectF(10, 12, 12, 10), 3, 2, season);
        drawWindows(painter, QRectF(3, 17, 6, 6), 1, 1, season);
        drawWindows(painter, QRectF(23, 17, 6, 6), 1, 1, season);
        drawDoor(painter, QPointF(16, 28), 4, 5);
    }
    return tile;
}

QImage drawCityFeature(int place, Season season)
{
    QImage tile = newTile();
    paintCityGround(tile, season, 3500 + place);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    const QColor water = season == Season::Summer ? QColor(70, 150, 220) : QColor(200, 226, 242);
    switch (place) {
    case 0: // city wall running west to east
        drawWallSegment(painter, QRectF(0, 11, 32, 10), season);
        drawBattlements(painter, 0, 32, 8, Stone, season);
        break;
    case 1: // city wall running north to south
        drawWallSegment(painter, QRectF(11, 0, 10, 32), season);
        painter.setBrush(shiftColour(Stone, 20));
        for (int y = 1; y < 32; y += 4)
            painter.drawRect(QRectF(11, y, 2, 2));
        break;
    case 2: // gate between two towers
        drawWallSegment(painter, QRectF(0, 11, 32, 10), season);
        drawWalls(painter, QRectF(3, 7, 8, 18), Stone);
        drawWalls(painter, QRectF(21, 7, 8, 18), Stone);
        drawBattlements(painter, 3, 11, 4, Stone, season);
        drawBattlements(painter, 21, 29, 4, Stone, season);
        painter.setBrush(QColor(50, 36, 26));
        painter.drawChord(QRectF(12, 13, 8, 16), 0, 180 * 16);
        painter.drawRect(QRectF(12, 21, 8, 4));
        break;
    case 3: // round tower
        painter.setBrush(shiftColour(Stone, -40));
        painter.drawEllipse(QRectF(6, 6, 22, 22));
        painter.setBrush(Stone);
        painter.drawEllipse(QRectF(5, 5, 21, 21));
        painter.setBrush(season == Season::Summer ? shiftColour(Stone, -20) : SnowWhite);
        painter.drawEllipse(QRectF(9, 9, 13, 13));
        for (int i = 0; i < 8; ++i) {
            painter.setBrush(shiftColour(Stone, 20));
            painter.save();
            painter.translate(15.5, 15.5);
            painter.rotate(i * 45);
            painter.drawRect(QRectF(-1.5, -10.5, 3, 3));
            painter.restore();
        }
        break;
    case 4: // fountain
        painter.setBrush(Stone);
        painter.drawEllipse(QRectF(4, 4, 24, 24));
        painter.setBrush(water);
        painter.drawEllipse(QRectF(7, 7, 18, 18));
        painter.setBrush(Stone);
        painter.drawEllipse(QRectF(13, 13, 6, 6));
        painter.setBrush(season == Season::Summer ? QColor(200, 230, 255) : SnowWhite);
        painter.drawEllipse(QRectF(14.5, 14.5, 3, 3));
        break;
    case 5: // statue on a pedestal
        painter.setBrush(shiftColour(Stone, -30));
        painter.drawRect(QRectF(9, 21, 14, 8));
        painter.setBrush(Stone);
        painter.drawRect(QRectF(10, 20, 12, 7));
        painter.setBrush(QColor(70, 120, 100));
        painter.drawEllipse(QPointF(16, 6), 2.5, 2.5);
        painter.drawRect(QRectF(13.5, 8.5, 5, 8));
        painter.drawRect(QRectF(14, 16, 1.8, 4));
        painter.drawRect(QRectF(16.4, 16, 1.8, 4));
        painter.drawPolygon(QPolygonF({QPointF(18.5, 9), QPointF(23, 4), QPointF(24, 5), QPointF(18.5, 11)}));
        if (season == Season::Winter) {
            painter.setBrush(SnowWhite);
            painter.drawEllipse(QPointF(16, 4.2), 2.2, 1);
            painter.drawRect(QRectF(10, 20, 12, 1.2));
        }
        break;
    case 6: // park with trees and a path
        fillTexture(tile, tile.rect(), groundColours(season).grass, 5, 3541);
        painter.setBrush(groundColours(season).soil);
        painter.drawRect(QRectF(0, 14, 32, 4));
        drawTree(painter, 7, 12, 10, season, false, 1);
        drawTree(painter, 23, 11, 10, season, false, 2);
        drawTree(painter, 9, 30, 10, season, true, 3);
        drawTree(painter, 24, 30, 10, season, false, 4);
        break;
    case 7: // well
        painter.setBrush(shiftColour(Stone, -30));
        painter.drawEllipse(QRectF(8, 12, 16, 14));
        painter.setBrush(QColor(30, 40, 56));
        painter.drawEllipse(QRectF(11, 14, 10, 8));
        painter.setBrush(QColor(110, 76, 44));
        painter.drawRect(QRectF(8, 4, 2, 16));
        painter.drawRect(QRectF(22, 4, 2, 16));
        drawPitchedRoof(painter, 6, 26, 6, 4, QColor(150, 70, 44), season);
        break;
    case 8: // market stalls
        for (int i = 0; i < 4; ++i) {
            const double x = 2 + (i % 2) * 15;
            const double y = 3 + (i / 2) * 15;
            const QColor cloth = hue(i * 3);
            painter.setBrush(QColor(140, 100, 60));
            painter.drawRect(QRectF(x + 1, y + 5, 11, 6));
            for (int s = 0; s < 4; ++s) {
                painter.setBrush(s % 2 == 0 ? cloth : White);
                painter.drawRect(QRectF(x + s * 3.25, y, 3.25, 5));
            }
            if (season == Season::Winter) {
                painter.setBrush(SnowWhite);
                painter.drawRect(QRectF(x, y, 13, 1.5));
            }
        }
        break;
    default: // cemetery
        fillTexture(tile, tile.rect(), groundColours(season).grass, 4, 3571);
        for (int i = 0; i < 6; ++i) {
            const double x = 4 + (i % 3) * 9;
            const double y = 6 + (i / 3) * 13;
            painter.setBrush(shiftColour(Stone, -30));
            painter.drawRect(QRectF(x + 1, y + 1, 5, 8));
            painter.setBrush(Stone);
            painter.drawRoundedRect(QRectF(x, y, 5, 8), 2, 2);
            painter.setBrush(QColor(90, 90, 96));
            painter.drawRect(QRectF(x + 2, y + 2, 1, 4));
            painter.drawRect(QRectF(x + 1, y + 3, 3, 1));
        }
        drawTree(painter, 28, 31, 9, season, true, 5);
        break;
    }
    return tile;
}
