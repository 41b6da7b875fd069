#pragma once
// Arithmetic of the minimap: the overview picture of the world map covers 310
// cells across (its 300 columns plus the shift of odd province rows) in 188
// pixels, so one map pixel of a window is 188 / (310 x pitch) overview
// pixels; the overview of another map has the scale that fits it. The frame
// and the click use the same factor, so clicking the frame's centre leaves
// the view where it is.
#include <QPoint>
#include <QRect>

class QImage;

inline constexpr int MinimapWidth = 188;
inline constexpr int MinimapHeight = 102;
inline constexpr int MinimapCellsAcross = 310;

// What the minimap needs to know of the active map window, in pixels.
struct MinimapView {
    int scrollX = 0;       // horizontal scroll position
    int scrollY = 0;       // vertical scroll position
    int clientWidth = 0;
    int clientHeight = 0;
    int cellPitch = 33;    // cell size plus grid gap
    int maxScrollX = 0;    // largest positions the scroll bars accept
    int maxScrollY = 0;
    // The overview's scale: this many cells in that many pixels.
    long long scaleCells = MinimapCellsAcross;
    long long scalePixels = MinimapWidth;
    // The map's own overview picture; the shipped one of the world when null.
    const QImage *picture = nullptr;
};

// Overview pixels per map pixel; 0 for a pitch that is not positive.
double minimapScale(int cellPitch, long long scaleCells = MinimapCellsAcross, long long scalePixels = MinimapWidth);
// Frame of the view: left = trunc(H s), top = trunc(V s),
// right = trunc((W + H) s), bottom = trunc((Hc + V) s). The outline covers
// the pixels from left to right - 1 and from top to bottom - 1.
struct MinimapFrame {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const MinimapFrame &) const = default;
};
MinimapFrame minimapFrame(const MinimapView &view);
// Scroll positions that bring the overview point `click` to the centre of
// the view, clamped to the scroll bars' ranges.
QPoint minimapScrollFor(const MinimapView &view, QPoint click);
