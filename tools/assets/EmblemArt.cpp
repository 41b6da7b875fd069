#include "EmblemArt.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979323846;

QPolygonF star(const QRectF &box, int points, double inner)
{
    QPolygonF polygon;
    const QPointF centre = box.center();
    const double outer = std::min(box.width(), box.height()) / 2;
    for (int i = 0; i < points * 2; ++i) {
        const double angle = -Pi / 2 + i * Pi / points;
        const double radius = i % 2 == 0 ? outer : outer * inner;
        polygon << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return polygon;
}

} // namespace

QColor hue(int index)
{
    static const QColor hues[HueCount] = {
        QColor(186, 44, 40),  QColor(40, 76, 172),  QColor(36, 128, 62),  QColor(214, 168, 36),
        QColor(118, 56, 150), QColor(24, 132, 142), QColor(222, 110, 28), QColor(122, 72, 40),
        QColor(72, 84, 108),  QColor(160, 20, 70),  QColor(124, 140, 36), QColor(84, 154, 218),
    };
    return hues[((index % HueCount) + HueCount) % HueCount];
}

void drawEmblem(QPainter &painter, int emblem, const QRectF &box, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double w = box.width();
    const double h = box.height();
    const double x = box.left();
    const double y = box.top();
    const QPointF c = box.center();
    switch (((emblem % EmblemCount) + EmblemCount) % EmblemCount) {
    case 0: // five-pointed star
        painter.drawPolygon(star(box, 5, 0.45));
        break;
    case 1: // cross
        painter.drawRect(QRectF(c.x() - w * 0.14, y, w * 0.28, h));
        painter.drawRect(QRectF(x, y + h * 0.28, w, h * 0.28));
        break;
    case 2: // sun
        painter.drawPolygon(star(box, 8, 0.6));
        break;
    case 3: { // crescent
        QPainterPath moon;
        moon.addEllipse(box);
        QPainterPath bite;
        bite.addEllipse(box.translated(w * 0.3, -h * 0.1));
        painter.drawPath(moon.subtracted(bite));
        break;
    }
    case 4: // diamond
        painter.drawPolygon(QPolygonF({QPointF(c.x(), y), QPointF(x + w, c.y()), QPointF(c.x(), y + h), QPointF(x, c.y())}));
        break;
    case 5: // crown
        painter.drawPolygon(QPolygonF({QPointF(x, y + h), QPointF(x, y + h * 0.2), QPointF(x + w * 0.25, y + h * 0.55),
                                       QPointF(c.x(), y), QPointF(x + w * 0.75, y + h * 0.55), QPointF(x + w, y + h * 0.2),
                                       QPointF(x + w, y + h)}));
        break;
    case 6: { // shield
        QPainterPath shield;
        shield.moveTo(x, y);
        shield.lineTo(x + w, y);
        shield.lineTo(x + w, y + h * 0.5);
        shield.quadTo(x + w, y + h * 0.85, c.x(), y + h);
        shield.quadTo(x, y + h * 0.85, x, y + h * 0.5);
        shield.closeSubpath();
        painter.drawPath(shield);
        break;
    }
    case 7: // tower
        painter.drawRect(QRectF(x + w * 0.2, y + h * 0.25, w * 0.6, h * 0.75));
        for (int i = 0; i < 3; ++i)
            painter.drawRect(QRectF(x + w * (0.2 + i * 0.23), y, w * 0.14, h * 0.3));
        break;
    case 8: // triangle
        painter.drawPolygon(QPolygonF({QPointF(c.x(), y), QPointF(x + w, y + h), QPointF(x, y + h)}));
        break;
    case 9: // disc with a ring
        painter.drawEllipse(box);
        painter.setBrush(colour.lightness() > 128 ? QColor(40, 40, 40) : QColor(240, 240, 240));
        painter.drawEllipse(c, w * 0.2, h * 0.2);
        break;
    case 10: { // heart
        QPainterPath heart;
        heart.moveTo(c.x(), y + h);
        heart.cubicTo(x - w * 0.2, y + h * 0.45, x + w * 0.15, y - h * 0.1, c.x(), y + h * 0.28);
        heart.cubicTo(x + w * 0.85, y - h * 0.1, x + w * 1.2, y + h * 0.45, c.x(), y + h);
        painter.drawPath(heart);
        break;
    }
    case 11: // waves
        painter.setPen(QPen(colour, std::max(1.0, h * 0.18)));
        painter.setBrush(Qt::NoBrush);
        for (int i = 0; i < 2; ++i) {
            QPainterPath wave;
            const double yy = y + h * (0.3 + i * 0.4);
            wave.moveTo(x, yy);
            wave.quadTo(x + w * 0.25, yy - h * 0.25, c.x(), yy);
            wave.quadTo(x + w * 0.75, yy + h * 0.25, x + w, yy);
            painter.drawPath(wave);
        }
        break;
    case 12: // tree
        painter.drawRect(QRectF(c.x() - w * 0.1, y + h * 0.6, w * 0.2, h * 0.4));
        painter.drawEllipse(QRectF(x + w * 0.1, y, w * 0.8, h * 0.7));
        break;
    case 13: // scales
        painter.setPen(QPen(colour, std::max(1.0, w * 0.1)));
        painter.drawLine(QPointF(c.x(), y), QPointF(c.x(), y + h));
        painter.drawLine(QPointF(x, y + h * 0.2), QPointF(x + w, y + h * 0.2));
        painter.setPen(Qt::NoPen);
        painter.drawPie(QRectF(x - w * 0.05, y + h * 0.1, w * 0.45, h * 0.6), 180 * 16, 180 * 16);
        painter.drawPie(QRectF(x + w * 0.6, y + h * 0.1, w * 0.45, h * 0.6), 180 * 16, 180 * 16);
        break;
    case 14: // open book
        painter.drawPolygon(QPolygonF({QPointF(x, y + h * 0.15), QPointF(c.x(), y + h * 0.3), QPointF(c.x(), y + h),
                                       QPointF(x, y + h * 0.85)}));
        painter.drawPolygon(QPolygonF({QPointF(x + w, y + h * 0.15), QPointF(c.x() + 0.6, y + h * 0.3),
                                       QPointF(c.x() + 0.6, y + h), QPointF(x + w, y + h * 0.85)}));
        break;
    default: // hammer
        painter.drawRect(QRectF(c.x() - w * 0.08, y + h * 0.25, w * 0.16, h * 0.75));
        painter.drawRect(QRectF(x + w * 0.1, y, w * 0.8, h * 0.3));
        break;
    }
    painter.restore();
}
