#pragma once
// What a scrolling step of the map window keeps: the retained picture holds
// every pixel at a place fixed by its map position, so after a move the
// part of the window still in view is already drawn and only the strips that
// came into view are rendered.
#include <QRect>
#include <QSize>

// The part of a client area of `clientSize` whose picture stays valid when
// the view moves by (dx, dy) map pixels, in window pixels after the move;
// empty (zero width or height) when the move exceeds the client area.
QRect retainedArea(QSize clientSize, int dx, int dy);

// The two strips of the client area that a move uncovered around the
// still-valid rectangle `valid`: strip A spans the whole client height, right
// of `valid` when valid.left() is 0, otherwise left of it; strip B spans the
// columns of `valid`, below it when valid.top() is 0, otherwise above it.
// Either may be empty.
struct ExposedStrips {
    QRect stripA;
    QRect stripB;
};
ExposedStrips exposedStrips(QSize clientSize, const QRect &valid);
