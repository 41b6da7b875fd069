#include "BuildingArt.h"

#include "BuildingKit.h"
#include "EmblemArt.h"

#include <QPolygonF>

namespace {

const QColor Gold(232, 196, 72);
const QColor White(248, 248, 244);

void drawPlaque(QPainter &painter, const QRectF &box, const QColor &ground, int emblem, const QColor &ink)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ground);
    painter.drawRect(box.adjusted(-1, -1, 1, 1));
    drawEmblem(painter, emblem, box, ink);
    painter.restore();
}

} // namespace

QImage drawBuildingTile(const TileEntry &entry, Season season)
{
    switch (entry.category) {
    case TileCategory::NationalInstitution: return drawNationalInstitution(entry.row, entry.column, season);
    case TileCategory::InternationalInstitution: return drawInternationalInstitution(entry.row, entry.column, season);
    case TileCategory::PublicBuilding: return drawPublicBuilding(entry.row, entry.column, season);
    case TileCategory::PrivateBuilding: return drawPrivateBuilding(entry.row, entry.column, season);
    case TileCategory::Temple: return drawTemple(entry.row, entry.column, season);
    case TileCategory::Flag: return drawFlag(entry.row, entry.column, season);
    case TileCategory::House: return drawHouse(entry.row, entry.column, season);
    default: return drawCityFeature(entry.column, season);
    }
}

QImage drawNationalInstitution(int row, int column, Season season)
{
    // A stone colonnade under a coloured roof, with the institution's emblem
    // in gold: the row gives the roof colour and the number of columns, the
    // column the roof's shape and the emblem.
    QImage tile = newTile();
    paintCityGround(tile, season, 2500 + row * 10 + column);
    QPainter painter;
    beginSmooth(painter, tile);
    const QColor stone(226, 220, 204);
    const QColor roof = hue(row);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shiftColour(stone, -30));
    painter.drawRect(QRectF(2, 27, 28, 3));
    painter.setBrush(stone);
    painter.drawRect(QRectF(3, 26, 26, 2));
    drawWalls(painter, QRectF(4, 14, 24, 12), shiftColour(stone, -14));
    drawColumns(painter, QRectF(5, 15, 22, 11), 4 + row % 3, stone);
    drawDoor(painter, QPointF(16, 26), 4, 6);
    painter.setBrush(stone);
    painter.drawRect(QRectF(3, 12, 26, 2.5));
    const int emblems[] = {5, 13, 14, 6};
    switch (column) {
    case 0: // classical pediment
        drawPitchedRoof(painter, 3, 29, 12, 9, roof, season);
        drawEmblem(painter, emblems[column], QRectF(13, 5, 6, 6), Gold);
        break;
    case 1: // pediment under a small dome
        drawDome(painter, QPointF(16, 8), 5, roof, season);
        drawPitchedRoof(painter, 3, 29, 12, 5, shiftColour(roof, -20), season);
        drawEmblem(painter, emblems[column], QRectF(13.5, 3, 5, 4.5), Gold);
        break;
    case 2: // flat attic with a central plaque
        painter.setBrush(roof);
        painter.drawRect(QRectF(3, 6, 26, 6));
        drawBattlements(painter, 3, 29, 3, roof, season);
        drawPlaque(painter, QRectF(13, 6.5, 6, 5), shiftColour(roof, -40), emblems[column], Gold);
        break;
    default: { // mansard roof
        painter.setBrush(roof);
        painter.drawPolygon(QPolygonF({QPointF(3, 12), QPointF(8, 4), QPointF(24, 4), QPointF(29, 12)}));
        if (season == Season::Winter) {
            painter.setBrush(QColor(244, 246, 251));
            painter.drawRect(QRectF(7.5, 3.5, 17, 2.5));
        }
        drawEmblem(painter, emblems[column], QRectF(13, 6, 6, 5.5), Gold);
        break;
    }
    }
    return tile;
}

QImage drawInternationalInstitution(int row, int column, Season season)
{
    // A domed hall: the row gives the dome's colour, the column the wings
    // and the emblem on the front.
    QImage tile = newTile();
    paintCityGround(tile, season, 3600 + row * 10 + column);
    QPainter painter;
    beginSmooth(painter, tile);
    const QColor domeColour = hue(row + 5);
    const QColor wall(236, 234, 226);
    const int emblems[] = {9, 0, 11, 12};
    switch (column) {
    case 1: // two towers
        for (double x : {3.0, 24.0}) {
            drawWalls(painter, QRectF(x, 11, 5, 17), wallColour(2));
            drawSpire(painter, QPointF(x + 2.5, 11), 6, 8, domeColour, season);
        }
        break;
    case 2: // flags on both sides
        for (double x : {3.0, 27.0}) {
            painter.setPen(QPen(QColor(90, 90, 96), 1));
            painter.drawLine(QPointF(x, 29), QPointF(x, 4));
            painter.setPen(Qt::NoPen);
            painter.setBrush(domeColour);
            painter.drawRect(QRectF(x + 0.5, 4, 4, 3));
        }
        break;
    case 3: // low wings
        drawWalls(painter, QRectF(1, 19, 30, 9), wallColour(4));
        drawPitchedRoof(painter, 1, 30, 19, 3, shiftColour(domeColour, -40), season);
        break;
    default:
        break;
    }
    drawWalls(painter, QRectF(7, 16, 18, 12), wall);
    drawColumns(painter, QRectF(8, 18, 16, 10), 5, wall);
    drawDoor(painter, QPointF(16, 28), 4, 6);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shiftColour(wall, -20));
    painter.drawRect(QRectF(9, 13, 14, 3));
    drawDome(painter, QPointF(16, 13), 7, domeColour, season);
    drawEmblem(painter, emblems[column], QRectF(13.5, 15.5, 5, 3.5), season == Season::Summer ? domeColour : White);
    drawEmblem(painter, emblems[column], QRectF(14, 6.5, 4, 4), White);
    return tile;
}

QImage drawPublicBuilding(int row, int column, Season season)
{
    // Seven kinds of public building in turn down the rows; the row also
    // gives the roof colour, the column the wall colour and the emblem on
    // the building's sign.
    QImage tile = newTile();
    paintCityGround(tile, season, 2100 + row * 10 + column);
    QPainter painter;
    beginSmooth(painter, tile);
    const QColor roof = hue(row * 5);
    const QColor wall = wallColour(column + row / 7);
    const int emblem = (column * 3 + row) % EmblemCount;
    const QColor plaque = shiftColour(roof, -40);
    painter.setPen(Qt::NoPen);
    switch (row % 7) {
    case 0: // market hall with arches
        drawWalls(painter, QRectF(3, 15, 26, 13), wall);
        painter.setBrush(QColor(60, 44, 34));
        for (double x : {5.0, 13.0, 21.0})
            painter.drawChord(QRectF(x, 19, 6, 14), 0, 180 * 16);
        drawPitchedRoof(painter, 3, 29, 15, 7, roof, season);
        drawPlaque(painter, QRectF(14, 9, 4, 4), plaque, emblem, White);
        break;
    case 1: // clock tower
        drawWalls(painter, QRectF(10, 9, 12, 20), wall);
        drawSpire(painter, QPointF(16, 9), 14, 8, roof, season);
        painter.setBrush(White);
        painter.drawEllipse(QPointF(16, 14), 3.5, 3.5);
        painter.setPen(QPen(QColor(30, 30, 30), 0.8));
        painter.drawLine(QPointF(16, 14), QPointF(16, 11.5));
        painter.drawLine(QPointF(16, 14), QPointF(18, 14));
        painter.setPen(Qt::NoPen);
        drawPlaque(painter, QRectF(14, 19, 4, 4), plaque, emblem, White);
        drawDoor(painter, QPointF(16, 29), 4, 4);
        break;
    case 2: // long hall
        drawWalls(painter, QRectF(2, 16, 28, 12), wall);
        drawWindows(painter, QRectF(3, 18, 26, 5), 6, 1, season);
        drawDoor(painter, QPointF(16, 28), 4, 5);
        drawPitchedRoof(painter, 2, 30, 16, 9, roof, season);
        drawPlaque(painter, QRectF(14, 10, 4, 4), plaque, emblem, White);
        break;
    case 3: // arena
        painter.setBrush(shiftColour(wall, -50));
        painter.drawEllipse(QRectF(2, 6, 29, 23));
        painter.setBrush(wall);
        painter.drawEllipse(QRectF(2, 5, 28, 22));
        painter.setBrush(roof);
        painter.drawEllipse(QRectF(6, 9, 20, 14));
        painter.setBrush(season == Season::Summer ? QColor(218, 196, 140) : QColor(240, 242, 248));
        painter.drawEllipse(QRectF(9, 11, 14, 10));
        drawEmblem(painter, emblem, QRectF(13.5, 13.5, 5, 5), plaque);
        break;
    case 4: // baths with a pool
        drawWalls(painter, QRectF(4, 6, 24, 11), wall);
        drawPitchedRoof(painter, 4, 28, 6, 4, roof, season);
        drawColumns(painter, QRectF(5, 8, 22, 8), 6, wall);
        painter.setBrush(shiftColour(wall, -30));
        painter.drawRect(QRectF(4, 19, 24, 11));
        painter.setBrush(season == Season::Summer ? QColor(80, 170, 220) : QColor(196, 224, 240));
        painter.drawRect(QRectF(6, 21, 20, 7));
        drawPlaque(painter, QRectF(14, 22.5, 4, 4), plaque, emblem, White);
        break;
    case 5: // L-shaped building round a courtyard
        drawWalls(painter, QRectF(3, 5, 10, 24), wall);
        drawWalls(painter, QRectF(13, 19, 16, 10), wall);
        painter.setBrush(roof);
        painter.drawRect(QRectF(3, 5, 10, 3));
        painter.drawRect(QRectF(13, 19, 16, 3));
        if (season == Season::Winter) {
            painter.setBrush(QColor(244, 246, 251));
            painter.drawRect(QRectF(3, 5, 10, 1.5));
            painter.drawRect(QRectF(13, 19, 16, 1.5));
        }
        drawWindows(painter, QRectF(4, 10, 8, 16), 2, 3, season);
        drawPlaque(painter, QRectF(19, 23, 4, 4), plaque, emblem, White);
        drawTree(painter, 21, 15, 9, season, false, row * 10 + column);
        break;
    default: // two gables side by side
        drawWalls(painter, QRectF(3, 15, 13, 13), wall);
        drawWalls(painter, QRectF(16, 15, 13, 13), shiftColour(wall, -12));
        drawPitchedRoof(painter, 3, 16, 15, 9, roof, season);
        drawPitchedRoof(painter, 16, 29, 15, 9, shiftColour(roof, 24), season);
        drawDoor(painter, QPointF(9.5, 28), 3, 5);
        drawDoor(painter, QPointF(22.5, 28), 3, 5);
        drawPlaque(painter, QRectF(20.5, 17.5, 4, 4), plaque, emblem, White);
        drawWindows(painter, QRectF(4, 17, 11, 4), 2, 1, season);
        break;
    }
    return tile;
}
