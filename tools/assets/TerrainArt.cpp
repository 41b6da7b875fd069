#include "TerrainArt.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

QImage emptyCell(Season season)
{
    // The empty cell: a dark, quiet ground, not the pure black of a missing
    // tile, so the two can be told apart.
    QImage tile = newTile();
    fillTexture(tile, tile.rect(), season == Season::Summer ? QColor(30, 30, 34) : QColor(30, 32, 40), 3, 0);
    return tile;
}

QImage forest(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    QPainter painter;
    beginSmooth(painter, tile);
    const double spots[][2] = {{8, 13}, {23, 11}, {15, 22}, {6, 30}, {26, 28}};
    int index = 0;
    for (const auto &spot : spots)
        drawTree(painter, spot[0], spot[1], 11.0, season, false, 101 + index++);
    return tile;
}

QImage hills(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    const GroundColours colours = groundColours(season);
    const QColor light = season == Season::Summer ? QColor(130, 170, 80) : colours.snow;
    const QColor shade = season == Season::Summer ? QColor(70, 116, 48) : colours.snowShade;
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    for (const auto &hill : {QRectF(1, 9, 20, 16), QRectF(13, 16, 18, 14)}) {
        QPainterPath dome;
        dome.moveTo(hill.left(), hill.bottom());
        dome.cubicTo(hill.left() + hill.width() * 0.2, hill.top(), hill.right() - hill.width() * 0.2, hill.top(),
                     hill.right(), hill.bottom());
        dome.closeSubpath();
        painter.setBrush(shade);
        painter.drawPath(dome);
        painter.setBrush(light);
        painter.drawPath(dome.intersected(QPainterPath([&] {
            QPainterPath left;
            left.addRect(hill.left(), hill.top(), hill.width() * 0.55, hill.height());
            return left;
        }())));
    }
    return tile;
}

QImage deepWater(Season season)
{
    QImage tile = newTile();
    paintSea(tile, season, 103);
    return tile;
}

QImage river(Season season)
{
    // A river cell is water from edge to edge, lighter than the sea, so that
    // river cells in a row make one stream whichever way it runs.
    QImage tile = newTile();
    const GroundColours colours = groundColours(season);
    fillTexture(tile, tile.rect(), colours.riverWater, 4, 104);
    QPainter painter(&tile);
    if (season == Season::Summer) {
        painter.setPen(shiftColour(colours.riverWater, 34));
        for (int i = 0; i < 5; ++i) {
            const int x = static_cast<int>(artHash(104, i) % 26);
            const int y = 2 + i * 6;
            painter.drawLine(x, y, x + 5, y);
        }
    } else {
        // Ice: cracks across a pale sheet.
        painter.setPen(QColor(130, 170, 200));
        painter.drawLine(3, 6, 12, 12);
        painter.drawLine(12, 12, 10, 22);
        painter.drawLine(12, 12, 26, 15);
        painter.drawLine(26, 15, 30, 27);
        painter.setPen(QColor(236, 246, 252));
        painter.drawLine(18, 3, 24, 6);
        painter.drawLine(5, 26, 9, 28);
    }
    return tile;
}

QImage mountains(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    const QColor rock = season == Season::Summer ? QColor(128, 112, 96) : QColor(116, 112, 118);
    const QColor rockShade = shiftColour(rock, -34);
    const QColor snow(246, 248, 252);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    struct Peak { double x, top, half, base; };
    for (const Peak &peak : {Peak{21, 6, 11, 27}, Peak{10, 2, 11, 31}}) {
        const QPointF summit(peak.x, peak.top);
        painter.setBrush(rock);
        painter.drawPolygon(QPolygonF({summit, QPointF(peak.x + peak.half, peak.base),
                                       QPointF(peak.x - peak.half, peak.base)}));
        painter.setBrush(rockShade);
        painter.drawPolygon(QPolygonF({summit, QPointF(peak.x + peak.half, peak.base),
                                       QPointF(peak.x + 1, peak.base)}));
        // Snow cap: the top quarter in summer, most of the slope in winter.
        const double depth = season == Season::Summer ? 0.28 : 0.62;
        const double capY = peak.top + (peak.base - peak.top) * depth;
        const double capHalf = peak.half * depth;
        painter.setBrush(snow);
        painter.drawPolygon(QPolygonF({summit, QPointF(peak.x + capHalf, capY), QPointF(peak.x + capHalf * 0.3, capY - 2),
                                       QPointF(peak.x - capHalf * 0.3, capY + 1), QPointF(peak.x - capHalf, capY)}));
    }
    return tile;
}

QImage sand(Season season)
{
    QImage tile = newTile();
    const QColor base = season == Season::Summer ? QColor(226, 204, 144) : QColor(214, 208, 194);
    fillTexture(tile, tile.rect(), base, 6, 106);
    QPainter painter(&tile);
    painter.setPen(shiftColour(base, -26));
    // Wind ripples.
    for (int i = 0; i < 4; ++i) {
        const int y = 4 + i * 8;
        const int x = static_cast<int>(artHash(106, i) % 10);
        painter.drawLine(x, y, x + 6, y - 1);
        painter.drawLine(x + 7, y - 1, x + 14, y);
    }
    if (season == Season::Winter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(244, 246, 250));
        painter.drawRect(19, 9, 8, 3);
        painter.drawRect(5, 22, 6, 2);
        painter.drawRect(22, 24, 5, 3);
    } else {
        for (int i = 0; i < 5; ++i)
            tile.setPixel(static_cast<int>(artHash(107, i) % 32), static_cast<int>(artHash(108, i) % 32),
                          QColor(160, 140, 110).rgb());
    }
    return tile;
}

QImage snowfield(Season season)
{
    // Lasting snow and ice: white with blue shadows in summer; in winter the
    // same ground under fresh snow, brighter, with glittering crystals.
    QImage tile = newTile();
    const GroundColours colours = groundColours(season);
    fillTexture(tile, tile.rect(), season == Season::Summer ? QColor(232, 238, 246) : QColor(248, 250, 255), 3, 107);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(QPen(colours.snowShade, 1.2));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double y = 6 + i * 10;
        QPainterPath drift;
        drift.moveTo(2 + i * 3, y + 4);
        drift.quadTo(10 + i * 3, y - 2, 20 + i * 3, y + 3);
        painter.drawPath(drift);
    }
    painter.end();
    if (season == Season::Winter) {
        for (int i = 0; i < 9; ++i)
            tile.setPixel(static_cast<int>(artHash(109, i) % 32), static_cast<int>(artHash(110, i) % 32),
                          QColor(150, 200, 255).rgb());
    }
    return tile;
}

QImage marsh(Season season)
{
    QImage tile = newTile();
    const QColor mud = season == Season::Summer ? QColor(96, 110, 58) : QColor(220, 224, 228);
    fillTexture(tile, tile.rect(), mud, 6, 1080);
    const QColor pool = season == Season::Summer ? QColor(60, 100, 110) : QColor(170, 204, 226);
    const QColor reed = season == Season::Summer ? QColor(60, 80, 30) : QColor(140, 116, 80);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pool);
    painter.drawEllipse(QRectF(3, 4, 12, 6));
    painter.drawEllipse(QRectF(17, 14, 13, 6));
    painter.drawEllipse(QRectF(5, 23, 11, 5));
    painter.setPen(QPen(reed, 1.0));
    for (int i = 0; i < 8; ++i) {
        const double x = 2 + (artHash(1081, i) % 28);
        const double y = 8 + (artHash(1082, i) % 22);
        painter.drawLine(QPointF(x, y), QPointF(x - 1, y - 5));
        painter.drawLine(QPointF(x + 1, y), QPointF(x + 2, y - 4));
    }
    return tile;
}

QImage grass(Season season)
{
    QImage tile = newTile();
    paintMeadow(tile, season);
    if (season == Season::Summer) {
        // A few flowers.
        const QColor flowers[] = {QColor(240, 230, 90), QColor(250, 250, 250), QColor(220, 90, 110)};
        for (int i = 0; i < 3; ++i)
            tile.setPixel(4 + static_cast<int>(artHash(1001, i) % 24), 4 + static_cast<int>(artHash(1002, i) % 24),
                          flowers[i].rgb());
    }
    return tile;
}

} // namespace

QImage drawTerrainTile(int tile, Season season)
{
    switch (tile) {
    case 100: return grass(season);
    case 101: return forest(season);
    case 102: return hills(season);
    case 103: return deepWater(season);
    case 104: return river(season);
    case 105: return mountains(season);
    case 106: return sand(season);
    case 107: return snowfield(season);
    case 108: return marsh(season);
    default: return emptyCell(season);
    }
}

QImage drawZoneEraserTile()
{
    // The palette's zone eraser: a light square with a red cross.
    QImage tile = newTile();
    fillTexture(tile, tile.rect(), QColor(236, 236, 236), 0, 257);
    QPainter painter;
    beginSmooth(painter, tile);
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(2.5, 2.5, 27, 27));
    painter.setPen(QPen(QColor(210, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9, 9), QPointF(23, 23));
    painter.drawLine(QPointF(23, 9), QPointF(9, 23));
    return tile;
}

QImage drawLayerChangeMarker()
{
    QImage tile = newTile();
    fillTexture(tile, tile.rect(), QColor(246, 242, 226), 0, 250);
    QPainter painter;
    beginSmooth(painter, tile);
    const QColor ink(24, 44, 96);
    painter.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(16, 6.5), 2.6, 2.6);
    painter.drawLine(QPointF(16, 9), QPointF(16, 27));
    painter.drawLine(QPointF(10, 13), QPointF(22, 13));
    QPainterPath hook;
    hook.moveTo(6, 19);
    hook.quadTo(8, 27, 16, 27);
    hook.quadTo(24, 27, 26, 19);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPolygon(QPolygonF({QPointF(4, 21), QPointF(6, 16), QPointF(9, 21)}));
    painter.drawPolygon(QPolygonF({QPointF(28, 21), QPointF(26, 16), QPointF(23, 21)}));
    return tile;
}
