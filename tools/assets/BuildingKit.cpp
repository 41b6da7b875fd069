#include "BuildingKit.h"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

namespace {
const QColor SnowWhite(244, 246, 251);
const QColor SnowShade(206, 216, 232);
} // namespace

QColor wallColour(int index)
{
    static const QColor walls[] = {QColor(230, 220, 196), QColor(214, 196, 164), QColor(236, 232, 222),
                                   QColor(200, 184, 170), QColor(222, 206, 178), QColor(190, 192, 196)};
    return walls[((index % 6) + 6) % 6];
}

void drawWalls(QPainter &painter, const QRectF &body, const QColor &wall)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRect(body.translated(1.5, 1.5));
    painter.setBrush(wall);
    painter.drawRect(body);
    painter.setBrush(shiftColour(wall, -36));
    painter.drawRect(QRectF(body.right() - 2, body.top(), 2, body.height()));
    painter.setBrush(shiftColour(wall, -60));
    painter.drawRect(QRectF(body.left(), body.bottom() - 1, body.width(), 1));
    painter.restore();
}

void drawPitchedRoof(QPainter &painter, double left, double right, double eaves, double height,
                     const QColor &roof, Season season)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const double middle = (left + right) / 2;
    const QPolygonF gable({QPointF(left - 1, eaves), QPointF(middle, eaves - height), QPointF(right + 1, eaves)});
    painter.setBrush(roof);
    painter.drawPolygon(gable);
    painter.setBrush(shiftColour(roof, -30));
    painter.drawPolygon(QPolygonF({QPointF(middle, eaves - height), QPointF(right + 1, eaves), QPointF(middle + 1, eaves)}));
    if (season == Season::Winter) {
        const double snowLine = eaves - height * 0.25;
        const double spread = (right - left + 2) / 2 * 0.75;
        painter.setBrush(SnowWhite);
        painter.drawPolygon(QPolygonF({QPointF(middle - spread, snowLine), QPointF(middle, eaves - height - 0.6),
                                       QPointF(middle + spread, snowLine)}));
        painter.setBrush(SnowShade);
        painter.drawPolygon(QPolygonF({QPointF(middle, eaves - height - 0.6), QPointF(middle + spread, snowLine),
                                       QPointF(middle + 1, snowLine)}));
    }
    painter.restore();
}

void drawBattlements(QPainter &painter, double left, double right, double top, const QColor &stone, Season season)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    for (double x = left; x + 2 <= right + 0.01; x += 4) {
        painter.setBrush(stone);
        painter.drawRect(QRectF(x, top, 2, 2));
        if (season == Season::Winter) {
            painter.setBrush(SnowWhite);
            painter.drawRect(QRectF(x, top, 2, 1));
        }
    }
    painter.setBrush(season == Season::Winter ? SnowWhite : shiftColour(stone, -20));
    painter.drawRect(QRectF(left, top + 2, right - left, 1));
    painter.restore();
}

void drawDome(QPainter &painter, const QPointF &base, double radius, const QColor &colour, Season season)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    const QRectF circle(base.x() - radius, base.y() - radius, radius * 2, radius * 2);
    painter.setBrush(colour);
    painter.drawPie(circle, 0, 180 * 16);
    painter.setBrush(shiftColour(colour, 40));
    painter.drawPie(circle.adjusted(radius * 0.3, radius * 0.3, -radius * 0.9, -radius * 0.3), 90 * 16, 80 * 16);
    if (season == Season::Winter) {
        painter.setBrush(SnowWhite);
        painter.drawPie(circle.adjusted(radius * 0.2, 0, -radius * 0.2, -radius * 0.9), 0, 180 * 16);
        painter.drawChord(circle.adjusted(radius * 0.15, 0, -radius * 0.15, -radius * 0.6), 20 * 16, 140 * 16);
    }
    painter.setBrush(QColor(212, 176, 60));
    painter.drawRect(QRectF(base.x() - 0.5, base.y() - radius - 2.5, 1, 2.5));
    painter.restore();
}

void drawSpire(QPainter &painter, const QPointF &foot, double width, double height, const QColor &colour,
               Season season)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    const QPointF tip = foot - QPointF(0, height);
    painter.setBrush(colour);
    painter.drawPolygon(QPolygonF({tip, foot + QPointF(width / 2, 0), foot - QPointF(width / 2, 0)}));
    painter.setBrush(shiftColour(colour, -30));
    painter.drawPolygon(QPolygonF({tip, foot + QPointF(width / 2, 0), foot + QPointF(0.5, 0)}));
    if (season == Season::Winter) {
        painter.setBrush(SnowWhite);
        painter.drawPolygon(QPolygonF({tip, tip + QPointF(width * 0.18, height * 0.35), tip + QPointF(-width * 0.18, height * 0.35)}));
    }
    painter.restore();
}

void drawColumns(QPainter &painter, const QRectF &area, int count, const QColor &stone)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const double step = area.width() / std::max(1, count);
    for (int i = 0; i < count; ++i) {
        const double x = area.left() + step * i + step / 2 - 1;
        painter.setBrush(shiftColour(stone, -50));
        painter.drawRect(QRectF(x + 1.5, area.top(), 1, area.height()));
        painter.setBrush(shiftColour(stone, 16));
        painter.drawRect(QRectF(x, area.top(), 1.5, area.height()));
    }
    painter.restore();
}

void drawWindows(QPainter &painter, const QRectF &area, int columns, int rows, Season season)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    const QColor glass = season == Season::Summer ? QColor(58, 78, 104) : QColor(236, 196, 96);
    const double cellW = area.width() / std::max(1, columns);
    const double cellH = area.height() / std::max(1, rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            painter.setBrush(glass);
            painter.drawRect(QRectF(area.left() + c * cellW + cellW / 2 - 1, area.top() + r * cellH + cellH / 2 - 1.5, 2, 3));
        }
    }
    painter.restore();
}

void drawDoor(QPainter &painter, const QPointF &bottomCentre, double width, double height)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(74, 48, 30));
    painter.drawRect(QRectF(bottomCentre.x() - width / 2, bottomCentre.y() - height, width, height));
    painter.restore();
}
