#pragma once
// The map window's retained picture lives in one back buffer that wraps
// around: map pixel (mx, my) is kept at buffer pixel (mx mod width, my mod
// height). Moving the view then moves nothing in memory; a scrolling step
// only renders the strips that came into view, and the copy to the screen
// reads the buffer in up to four pieces. These functions split a rectangle
// of the window into those pieces.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

struct RingPiece {
    QRect window; // where the piece lies in the window
    QRect buffer; // where its pixels lie in the back buffer
};

struct RingPieces {
    std::array<RingPiece, 4> pieces;
    int count = 0;
    const RingPiece *begin() const { return pieces.data(); }
    const RingPiece *end() const { return pieces.data() + count; }
};

// The pieces of `windowRect` (which must not be larger than `bufferSize`)
// for a view whose top-left window pixel shows map pixel `origin`.
RingPieces ringPieces(const QRect &windowRect, QPoint origin, QSize bufferSize);

// The part of a client area of `clientSize` whose picture stays valid when
// the view moves by (dx, dy) map pixels, in window pixels after the move;
// empty (zero width or height) when the move exceeds the client area.
QRect retainedArea(QSize clientSize, int dx, int dy);
