#include "TerrainArt.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

const QColor Stone(150, 146, 140);
const QColor StoneDark(100, 96, 92);
const QColor Wood(132, 92, 54);
const QColor WoodDark(86, 58, 34);
const QColor Snow(244, 246, 250);

QImage port(Season season)
{
    // A stone quay in the water with a wooden pier, a bollard and a moored
    // boat: the cell where travellers embark and land.
    QImage tile = newTile();
    paintSea(tile, season, 1);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(StoneDark);
    painter.drawRect(QRectF(0, 0, 32, 11));
    painter.setBrush(season == Season::Summer ? Stone : QColor(226, 228, 234));
    painter.drawRect(QRectF(0, 0, 32, 9));
    painter.setPen(QPen(StoneDark, 1));
    for (int x = 4; x < 32; x += 7)
        painter.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, 8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(WoodDark);
    painter.drawRect(QRectF(13, 9, 7, 21));
    painter.setBrush(season == Season::Summer ? Wood : QColor(214, 206, 196));
    painter.drawRect(QRectF(13, 9, 6, 20));
    painter.setPen(QPen(WoodDark, 1));
    for (int y = 12; y < 29; y += 3)
        painter.drawLine(QPointF(13, y + 0.5), QPointF(19, y + 0.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 44));
    painter.drawEllipse(QPointF(6, 5), 2, 2);
    // The boat alongside the pier.
    QPainterPath hull;
    hull.moveTo(22, 16);
    hull.lineTo(30, 16);
    hull.quadTo(30, 27, 26, 29);
    hull.quadTo(22, 27, 22, 16);
    painter.setBrush(QColor(150, 60, 40));
    painter.drawPath(hull);
    painter.setBrush(season == Season::Summer ? QColor(230, 220, 190) : Snow);
    painter.drawRect(QRectF(24, 19, 4, 6));
    return tile;
}

QImage fortress(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter(&tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(StoneDark);
    painter.drawRect(4, 10, 24, 19);
    painter.setBrush(Stone);
    painter.drawRect(4, 10, 22, 18);
    // Crenellations and corner towers.
    for (int x = 4; x < 27; x += 4) {
        painter.setBrush(Stone);
        painter.drawRect(x, 7, 2, 3);
        if (season == Season::Winter) {
            painter.setBrush(Snow);
            painter.drawRect(x, 7, 2, 1);
        }
    }
    painter.setBrush(shiftColour(Stone, 14));
    painter.drawRect(12, 3, 8, 25);
    if (season == Season::Winter) {
        painter.setBrush(Snow);
        painter.drawRect(12, 3, 8, 2);
        painter.drawRect(4, 10, 22, 1);
    }
    painter.setBrush(QColor(50, 36, 26));
    painter.drawRect(14, 21, 4, 7);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawRect(16, 0, 5, 3);
    return tile;
}

QImage reef(Season season)
{
    QImage tile = newTile();
    paintSea(tile, season, 3);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    const QPointF rocks[] = {{9, 10}, {21, 8}, {15, 20}, {25, 24}, {6, 25}};
    int i = 0;
    for (const QPointF &centre : rocks) {
        const double r = 2.5 + (artHash(3, i++) % 3);
        painter.setBrush(QColor(230, 240, 250));
        painter.drawEllipse(centre + QPointF(0, 1), r + 1.5, r);
        painter.setBrush(StoneDark);
        painter.drawEllipse(centre, r, r * 0.8);
        painter.setBrush(season == Season::Summer ? Stone : Snow);
        painter.drawEllipse(centre - QPointF(0.8, 1), r * 0.5, r * 0.4);
    }
    return tile;
}

QImage ruins(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter(&tile);
    painter.setPen(Qt::NoPen);
    const QColor marble = season == Season::Summer ? QColor(212, 204, 186) : QColor(196, 190, 178);
    const int heights[] = {16, 9, 13, 5};
    for (int i = 0; i < 4; ++i) {
        const int x = 4 + i * 7;
        painter.setBrush(shiftColour(marble, -40));
        painter.drawRect(x + 3, 26 - heights[i], 1, heights[i]);
        painter.setBrush(marble);
        painter.drawRect(x, 26 - heights[i], 3, heights[i]);
        painter.drawRect(x - 1, 26, 5, 2);
    }
    painter.setBrush(marble);
    painter.drawRect(3, 9, 9, 2);
    painter.drawRect(20, 28, 8, 2);
    return tile;
}

QImage volcano(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(84, 70, 64));
    painter.drawPolygon(QPolygonF({QPointF(12, 9), QPointF(20, 9), QPointF(31, 30), QPointF(1, 30)}));
    painter.setBrush(QColor(60, 50, 46));
    painter.drawPolygon(QPolygonF({QPointF(17, 9), QPointF(20, 9), QPointF(31, 30), QPointF(20, 30)}));
    if (season == Season::Winter) {
        painter.setBrush(Snow);
        painter.drawPolygon(QPolygonF({QPointF(12, 9), QPointF(9, 15), QPointF(14, 14), QPointF(17, 16),
                                       QPointF(22, 14), QPointF(23, 15), QPointF(20, 9)}));
    }
    painter.setBrush(QColor(236, 84, 24));
    painter.drawRect(QRectF(12, 8, 8, 2));
    painter.drawPolygon(QPolygonF({QPointF(15, 9), QPointF(17, 9), QPointF(14, 19), QPointF(13, 18)}));
    painter.setBrush(QColor(170, 170, 176));
    painter.drawEllipse(QPointF(17, 5), 3, 2.5);
    painter.drawEllipse(QPointF(21, 2.5), 3.5, 2.5);
    return tile;
}

QImage mine(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(season == Season::Summer ? QColor(140, 118, 92) : QColor(224, 228, 236));
    painter.drawEllipse(QRectF(-4, 4, 40, 30));
    painter.setBrush(QColor(26, 22, 20));
    painter.drawRoundedRect(QRectF(11, 12, 10, 12), 5, 5);
    painter.setBrush(Wood);
    painter.drawRect(QRectF(10, 11, 12, 2));
    painter.drawRect(QRectF(10, 11, 2, 13));
    painter.drawRect(QRectF(20, 11, 2, 13));
    painter.setPen(QPen(QColor(80, 80, 86), 1));
    painter.drawLine(QPointF(14, 24), QPointF(12, 31));
    painter.drawLine(QPointF(18, 24), QPointF(20, 31));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(110, 100, 96));
    painter.drawRect(QRectF(22, 25, 6, 4));
    return tile;
}

QImage standingStones(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const double angle = i * 60.0 * 3.14159265 / 180.0;
        const double x = 16 + 10 * std::cos(angle);
        const double y = 17 + 7 * std::sin(angle);
        painter.setBrush(StoneDark);
        painter.drawRoundedRect(QRectF(x - 2, y - 7, 4, 8), 1.5, 1.5);
        painter.setBrush(season == Season::Summer ? Stone : Snow);
        painter.drawRect(QRectF(x - 2, y - 7, 3, 2));
    }
    return tile;
}

QImage watchtower(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter(&tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(StoneDark);
    painter.drawRect(12, 9, 9, 21);
    painter.setBrush(Stone);
    painter.drawRect(12, 9, 7, 21);
    painter.drawRect(10, 6, 12, 4);
    for (int x = 10; x < 22; x += 3)
        painter.drawRect(x, 3, 2, 3);
    painter.setBrush(QColor(40, 30, 24));
    painter.drawRect(14, 13, 3, 4);
    painter.drawRect(14, 24, 4, 6);
    if (season == Season::Winter) {
        painter.setBrush(Snow);
        painter.drawRect(10, 6, 12, 1);
        for (int x = 10; x < 22; x += 3)
            painter.drawRect(x, 3, 2, 1);
    }
    return tile;
}

QImage camp(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    const QColor canvas[] = {QColor(220, 200, 150), QColor(190, 80, 60), QColor(200, 190, 170)};
    const QPointF tents[] = {{9, 14}, {23, 12}, {16, 27}};
    for (int i = 0; i < 3; ++i) {
        const QPointF p = tents[i];
        painter.setBrush(canvas[i]);
        painter.drawPolygon(QPolygonF({p + QPointF(0, -8), p + QPointF(7, 2), p + QPointF(-7, 2)}));
        painter.setBrush(shiftColour(canvas[i], -50));
        painter.drawPolygon(QPolygonF({p + QPointF(0, -8), p + QPointF(2, 2), p + QPointF(-2, 2)}));
    }
    painter.setBrush(QColor(240, 120, 30));
    painter.drawEllipse(QPointF(17, 18), 2, 2);
    return tile;
}

QImage oasis(Season season)
{
    QImage tile = newTile();
    const QColor base = season == Season::Summer ? QColor(226, 204, 144) : QColor(214, 208, 194);
    fillTexture(tile, tile.rect(), base, 6, 144);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(season == Season::Summer ? QColor(60, 130, 200) : QColor(180, 212, 232));
    painter.drawEllipse(QRectF(6, 16, 20, 10));
    // Palms: trunk and fronds; bare of green in winter.
    const QColor frond = season == Season::Summer ? QColor(40, 130, 50) : QColor(120, 110, 80);
    for (const QPointF &foot : {QPointF(8, 17), QPointF(24, 15)}) {
        painter.setPen(QPen(Wood, 1.6));
        painter.drawLine(foot, foot + QPointF(2, -11));
        painter.setPen(QPen(frond, 2));
        const QPointF top = foot + QPointF(2, -11);
        painter.drawLine(top, top + QPointF(-5, 3));
        painter.drawLine(top, top + QPointF(5, 3));
        painter.drawLine(top, top + QPointF(-3, -3));
        painter.drawLine(top, top + QPointF(4, -3));
        painter.setPen(Qt::NoPen);
    }
    return tile;
}

QImage denseForest(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter;
    beginSmooth(painter, tile);
    const double spots[][2] = {{6, 11}, {16, 9}, {26, 12}, {11, 21}, {22, 22}, {5, 31}, {16, 31}, {27, 31}};
    int index = 0;
    for (const auto &spot : spots)
        drawTree(painter, spot[0], spot[1], 11.0, season, true, 145 + index++);
    return tile;
}

QImage boulders(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    const QRectF stones[] = {QRectF(3, 5, 11, 9), QRectF(17, 3, 12, 10), QRectF(9, 17, 14, 11), QRectF(24, 19, 7, 7)};
    for (const QRectF &stone : stones) {
        painter.setBrush(StoneDark);
        painter.drawEllipse(stone);
        painter.setBrush(Stone);
        painter.drawEllipse(stone.adjusted(0, 0, -2, -2));
        painter.setBrush(season == Season::Summer ? shiftColour(Stone, 30) : Snow);
        painter.drawEllipse(stone.adjusted(2, 1, -stone.width() / 2, -stone.height() / 2));
    }
    return tile;
}

QImage glacier(Season season)
{
    QImage tile = newTile();
    fillTexture(tile, tile.rect(), season == Season::Summer ? QColor(200, 226, 240) : QColor(222, 238, 248), 4, 147);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 80, 120));
    painter.drawPolygon(QPolygonF({QPointF(4, 8), QPointF(14, 11), QPointF(24, 7), QPointF(14, 12.5)}));
    painter.drawPolygon(QPolygonF({QPointF(8, 22), QPointF(18, 19), QPointF(29, 24), QPointF(18, 20.5)}));
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    painter.drawLine(QPointF(2, 15), QPointF(9, 16));
    painter.drawLine(QPointF(20, 28), QPointF(28, 29));
    return tile;
}

} // namespace

QImage drawFeatureTile(int tile, Season season)
{
    switch (tile) {
    case 1: return port(season);
    case 2: return fortress(season);
    case 3: return reef(season);
    case 131: return ruins(season);
    case 132: return volcano(season);
    case 133: return mine(season);
    case 141: return standingStones(season);
    case 142: return watchtower(season);
    case 143: return camp(season);
    case 144: return oasis(season);
    case 145: return denseForest(season);
    case 146: return boulders(season);
    default: return glacier(season);
    }
}
