#pragma once
// The arithmetic of a map window's view, as plain functions so that it can be
// checked without a window: zoom steps, scroll ranges, keeping the centre on
// a zoom, dragging and centring. Integer division truncates toward zero
// throughout, as the window's own arithmetic does.
#include <QPoint>

namespace MapViewGeometry {

// Thickness of the window's scroll bars: the scroll ranges leave this much of
// the client area to them.
inline constexpr int ScrollBarThickness = 16;
inline constexpr int MinZoom = 5;
inline constexpr int MaxZoom = 100;

// A zoom request brought into 5..100.
int clampZoom(int percent);
// The zoom after `steps` (1.0005^steps × zoom, truncated, not yet clamped):
// 400 is one step of "Zomm avant", -400 of "Zomm arrière", 120 a wheel notch.
int zoomAfterSteps(int percent, int steps);

// Largest scroll position along one axis: the map's extent in pixels beyond
// the client area less the scroll bar, never negative.
int scrollMaximum(int cells, int pitch, int clientExtent);

// The scroll position that keeps the map pixel under the client's centre at
// the centre when the pitch changes from oldPitch to newPitch.
int positionKeepingCentre(int position, int clientExtent, int oldPitch, int newPitch);

// Scroll position while dragging: the map follows the mouse at `speed` map
// pixels per mouse pixel (not clamped here; the scroll bar clamps).
int dragPosition(int pressScroll, int pressMouse, int mouse, float speed);

// Scroll position that brings the top-left corner of cell `index` to the
// client's centre (not clamped).
int centringPosition(int index, int pitch, int clientExtent);
// The largest zoom (5 to 100) whose cells, `gap` pixels apart, show a span of
// `columns` x `rows` cells within a client area of `width` x `height`.
int zoomToFit(int columns, int rows, int width, int height, int gap);

// The view that shows a route's two ends with `RouteMargin` cells around
// them: the largest zoom that fits the span, and the scroll position that
// centres the span in the part of the client the scroll bars leave (not
// clamped here; the scroll bars clamp).
inline constexpr int RouteMargin = 2;
struct SpanView {
    int zoom = MaxZoom;
    int scrollX = 0;
    int scrollY = 0;
    bool operator==(const SpanView &) const = default;
};
SpanView routeSpanView(QPoint start, QPoint end, int clientWidth, int clientHeight, int gap);

// The column (or row) under client pixel `pixel` with the view scrolled to
// `scroll`: rounded down, so that a mouse dragged past the left edge is
// outside the map, not on its first column.
int cellIndexAt(int scroll, int pixel, int pitch);

// The cell under the client's centre.
QPoint viewCentreCell(int scrollX, int scrollY, int clientWidth, int clientHeight, int pitch);

} // namespace MapViewGeometry
