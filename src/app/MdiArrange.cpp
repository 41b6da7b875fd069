#include "app/MdiArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>

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

void arrangeIcons(QMdiArea *area)
{
    const QRect viewport = area->viewport()->rect();
    int x = viewport.left();
    int bottom = viewport.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow *window : windowsIn(area, true)) {
        const QSize size = window->size();
        if (x > viewport.left() && x + size.width() > viewport.right() + 1) {
            x = viewport.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        window->move(x, bottom - size.height());
        x += size.width();
    }
}
