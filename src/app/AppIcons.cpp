#include "app/AppIcons.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int IconSide = 16;

QImage blankIcon()
{
    QImage image(IconSide, IconSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A small window frame: blue title bar over a white client area.
void drawWindowFrame(QPainter &painter, const QRect &frame)
{
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(Qt::white);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.fillRect(QRect(frame.left() + 1, frame.top() + 1, frame.width() - 2, 2), QColor(30, 70, 170));
}

void drawNewMap(QPainter &painter)
{
    // A sheet with its corner folded, holding a patch of grass and water.
    const QPolygon sheet({QPoint(2, 0), QPoint(10, 0), QPoint(14, 4), QPoint(14, 15), QPoint(2, 15)});
    painter.setPen(QColor(60, 60, 60));
    painter.setBrush(Qt::white);
    painter.drawPolygon(sheet);
    painter.drawPolyline(QPolygon({QPoint(10, 0), QPoint(10, 4), QPoint(14, 4)}));
    painter.fillRect(QRect(4, 7, 4, 6), QColor(70, 160, 60));
    painter.fillRect(QRect(8, 7, 4, 6), QColor(60, 110, 210));
}

void drawOpenMap(QPainter &painter)
{
    // An open folder.
    painter.setPen(QColor(120, 90, 10));
    painter.setBrush(QColor(240, 200, 70));
    painter.drawPolygon(QPolygon({QPoint(0, 3), QPoint(5, 3), QPoint(7, 5), QPoint(13, 5), QPoint(13, 14), QPoint(0, 14)}));
    painter.setBrush(QColor(250, 225, 120));
    painter.drawPolygon(QPolygon({QPoint(3, 8), QPoint(15, 8), QPoint(12, 14), QPoint(0, 14)}));
}

void drawSaveMap(QPainter &painter)
{
    // A diskette.
    painter.setPen(QColor(20, 30, 80));
    painter.setBrush(QColor(50, 80, 170));
    painter.drawRect(1, 1, 13, 13);
    painter.fillRect(QRect(4, 2, 8, 5), Qt::white);
    painter.fillRect(QRect(4, 10, 8, 4), QColor(200, 200, 200));
    painter.fillRect(QRect(9, 11, 2, 2), QColor(50, 80, 170));
}

void drawCascade(QPainter &painter)
{
    drawWindowFrame(painter, QRect(0, 0, 10, 8));
    drawWindowFrame(painter, QRect(3, 4, 10, 8));
    drawWindowFrame(painter, QRect(6, 8, 10, 8));
}

void drawTileHorizontally(QPainter &painter)
{
    drawWindowFrame(painter, QRect(0, 0, 16, 8));
    drawWindowFrame(painter, QRect(0, 8, 16, 8));
}

void drawTileVertically(QPainter &painter)
{
    drawWindowFrame(painter, QRect(0, 0, 8, 16));
    drawWindowFrame(painter, QRect(8, 0, 8, 16));
}

void drawApplication(QPainter &painter)
{
    // Grass, a river, mountains and a route between two points.
    painter.fillRect(QRect(0, 0, 16, 16), QColor(80, 160, 60));
    painter.fillRect(QRect(0, 10, 16, 3), QColor(60, 110, 210));
    painter.fillRect(QRect(10, 1, 5, 5), QColor(140, 120, 100));
    painter.setPen(QPen(QColor(220, 30, 30), 2));
    painter.drawPolyline(QPolygon({QPoint(2, 3), QPoint(6, 7), QPoint(6, 13), QPoint(13, 14)}));
    painter.setPen(QColor(30, 30, 30));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, 15, 15);
}

QIcon drawIcon(void (*draw)(QPainter &))
{
    QImage image = blankIcon();
    {
        QPainter painter(&image);
        draw(painter);
    }
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

QIcon appIcon(AppIcon icon)
{
    static QHash<int, QIcon> drawn;
    if (icon == AppIcon::None)
        return QIcon();
    const int key = static_cast<int>(icon);
    if (auto found = drawn.constFind(key); found != drawn.constEnd())
        return *found;
    QIcon result;
    switch (icon) {
    case AppIcon::NewMap: result = drawIcon(drawNewMap); break;
    case AppIcon::OpenMap: result = drawIcon(drawOpenMap); break;
    case AppIcon::SaveMap: result = drawIcon(drawSaveMap); break;
    case AppIcon::Cascade: result = drawIcon(drawCascade); break;
    case AppIcon::TileHorizontally: result = drawIcon(drawTileHorizontally); break;
    case AppIcon::TileVertically: result = drawIcon(drawTileVertically); break;
    case AppIcon::None: break;
    }
    drawn.insert(key, result);
    return result;
}

QIcon applicationIcon()
{
    static const QIcon icon = drawIcon(drawApplication);
    return icon;
}
