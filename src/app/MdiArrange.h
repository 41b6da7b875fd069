#pragma once
// The window arrangements a multiple-document frame offers that QMdiArea
// lacks or does not keep inside the area: cascading, tiling one above the other or side by side, minimising every
// window, and lining up the minimised ones along the bottom edge.
#include <QList>
#include <QRect>

class QMdiArea;

// Tiles of `count` windows over `area`, leaving `reservedBottom` pixels for
// the row of minimised windows. Horizontal tiling stacks full-width rows,
// vertical tiling puts full-height columns side by side; the last tile takes
// the pixels the division leaves over.
QList<QRect> horizontalTiles(const QRect &area, int count, int reservedBottom = 0);
QList<QRect> verticalTiles(const QRect &area, int count, int reservedBottom = 0);

// Cascaded windows of the `wanted` size (at least half of the area), each
// `step` pixels right of and below the one before, the last still inside.
QList<QRect> cascadeTiles(const QRect &area, QSize wanted, int count, int step, int reservedBottom = 0);

// Top-left corners of minimised windows of the given sizes, in rows along
// the bottom of `area`, left to right; a row that is full starts another
// above it.
QList<QPoint> iconPlaces(const QRect &area, const QList<QSize> &sizes);

void cascade(QMdiArea *area);
void tileHorizontally(QMdiArea *area);
void tileVertically(QMdiArea *area);
void minimiseAll(QMdiArea *area);
// Minimised windows in rows along the bottom edge, left to right.
void arrangeIcons(QMdiArea *area);
