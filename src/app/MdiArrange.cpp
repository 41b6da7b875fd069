#include "app/MdiArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace {

QList<QMdiSubWindow *> windowsIn(QMdiArea *area, bool minimised)
{
    QList<QMdiSubWindow *> chosen;
    for (QMdiSubWindow *window : area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isVisible() && !window->isMinimized())
            continue;
        if (window->isMinimized() == minimised)
            chosen.append(window);
    }
    return chosen;
}

// Height of one minimised window, which is the row the arrangement keeps free.
int iconRowHeight(const QList<QMdiSubWindow *> &minimised)
{
    int height = 0;
    for (QMdiSubWindow *window : minimised)
        height = std::max(height, window->height());
    return height;
}

QList<QRect> splitTiles(const QRect &area, int count, int reservedBottom, bool rows)
{
    QList<QRect> tiles;
    if (count <= 0)
        return tiles;
    const QRect usable(area.left(), area.top(), area.width(), std::max(1, area.height() - reservedBottom));
    const int span = rows ? usable.height() : usable.width();
    const int step = std::max(1, span / count);
    for (int i = 0; i < count; ++i) {
        const int start = i * step;
        const int length = i == count - 1 ? span - start : step;
        if (rows)
            tiles.append(QRect(usable.left(), usable.top() + start, usable.width(), std::max(1, length)));
        else
            tiles.append(QRect(usable.left() + start, usable.top(), std::max(1, length), usable.height()));
    }
    return tiles;
}

void tile(QMdiArea *area, bool rows)
{
    const QList<QMdiSubWindow *> minimised = windowsIn(area, true);
    const QList<QMdiSubWindow *> open = windowsIn(area, false);
    const int reserved = minimised.isEmpty() ? 0 : iconRowHeight(minimised);
    const QRect viewport = area->viewport()->rect();
    const QList<QRect> tiles = rows ? horizontalTiles(viewport, int(open.size()), reserved)
                                    : verticalTiles(viewport, int(open.size()), reserved);
    for (int i = 0; i < open.size(); ++i) {
        QMdiSubWindow *window = open.at(i);
        if (window->isMaximized())
            window->showNormal();
        window->setGeometry(tiles.at(i));
    }
    arrangeIcons(area);
}

} // namespace

QList<QRect> cascadeTiles(const QRect &area, QSize wanted, int count, int step, int reservedBottom)
{
    QList<QRect> tiles;
    if (count <= 0)
        return tiles;
    const QRect usable(area.left(), area.top(), area.width(), std::max(1, area.height() - reservedBottom));
    // Every window keeps at least half of the area, and the last one still
    // ends inside it: the steps shrink when there are many windows.
    const QSize size = wanted.boundedTo(usable.size()).expandedTo(usable.size() / 2);
    const int room = std::min(usable.width() - size.width(), usable.height() - size.height());
    if (count > 1)
        step = std::min(step, room / (count - 1));
    for (int i = 0; i < count; ++i)
        tiles.append(QRect(usable.topLeft() + QPoint(i * step, i * step), size));
    return tiles;
}

void cascade(QMdiArea *area)
{
    // Oldest first, so the active window ends in front, last in the row.
    QList<QMdiSubWindow *> open;
    for (QMdiSubWindow *window : area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        if (window->isVisible() && !window->isMinimized())
            open.append(window);
    }
    if (open.isEmpty())
        return;
    const QList<QMdiSubWindow *> minimised = windowsIn(area, true);
    const int reserved = minimised.isEmpty() ? 0 : iconRowHeight(minimised);
    QMdiSubWindow *first = open.constFirst();
    const int step = first->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, first);
    if (first->isMaximized())
        first->showNormal();
    const QList<QRect> tiles =
        cascadeTiles(area->viewport()->rect(), first->sizeHint(), int(open.size()), step, reserved);
    for (int i = 0; i < open.size(); ++i) {
        QMdiSubWindow *window = open.at(i);
        if (window->isMaximized())
            window->showNormal();
        window->setGeometry(tiles.at(i));
        window->raise();
    }
    arrangeIcons(area);
}

QList<QRect> horizontalTiles(const QRect &area, int count, int reservedBottom)
{
    return splitTiles(area, count, reservedBottom, true);
}

QList<QRect> verticalTiles(const QRect &area, int count, int reservedBottom)
{
    return splitTiles(area, count, reservedBottom, false);
}

void tileHorizontally(QMdiArea *area)
{
    tile(area, true);
}

void tileVertically(QMdiArea *area)
{
    tile(area, false);
}

void minimiseAll(QMdiArea *area)
{
    for (QMdiSubWindow *window : area->subWindowList(QMdiArea::CreationOrder))
        window->showMinimized();
    arrangeIcons(area);
}

QList<QPoint> iconPlaces(const QRect &area, const QList<QSize> &sizes)
{
    QList<QPoint> places;
    int x = area.left();
    int bottom = area.bottom() + 1;
    int rowHeight = 0;
    for (const QSize &size : sizes) {
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        places.append(QPoint(x, bottom - size.height()));
        x += size.width();
    }
    return places;
}

void arrangeIcons(QMdiArea *area)
{
    const QList<QMdiSubWindow *> minimised = windowsIn(area, true);
    QList<QSize> sizes;
    for (QMdiSubWindow *window : minimised)
        sizes.append(window->size());
    const QList<QPoint> places = iconPlaces(area->viewport()->rect(), sizes);
    for (int i = 0; i < minimised.size(); ++i)
        minimised.at(i)->move(places.at(i));
}
