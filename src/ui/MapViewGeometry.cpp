#include "ui/MapViewGeometry.h"

#include "render/MapView.h"

#include <algorithm>
#include <cmath>

namespace MapViewGeometry {

int clampZoom(int percent)
{
    if (percent >= MaxZoom)
        return MaxZoom;
    if (percent < MinZoom)
        return MinZoom;
    return percent;
}

int zoomAfterSteps(int percent, int steps)
{
    // Computed in floating point and truncated: repeated steps drift, and
    // zooming in and out are not inverse to each other.
    const double zoom = std::pow(1.0005, steps) * percent;
    if (zoom >= 1e9)
        return 1000000000;
    return static_cast<int>(std::trunc(zoom));
}

int scrollMaximum(int cells, int pitch, int clientExtent)
{
    const long long extent = static_cast<long long>(cells) * pitch - (clientExtent - ScrollBarThickness);
    return static_cast<int>(std::clamp<long long>(extent, 0, 0x7fffffff));
}

int positionKeepingCentre(int position, int clientExtent, int oldPitch, int newPitch)
{
    if (oldPitch <= 0)
        return position;
    const long long centre = clientExtent / 2 + static_cast<long long>(position);
    return static_cast<int>(centre * newPitch / oldPitch - clientExtent / 2);
}

int dragPosition(int pressScroll, int pressMouse, int mouse, float speed)
{
    const double position = pressScroll - (mouse - pressMouse) * static_cast<double>(speed);
    return static_cast<int>(std::clamp(std::trunc(position), -2147483648.0, 2147483647.0));
}

int centringPosition(int index, int pitch, int clientExtent)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(pitch) * index - clientExtent / 2,
                                                  -2147483647LL, 2147483647LL));
}

int cellIndexAt(int scroll, int pixel, int pitch)
{
    return static_cast<int>(std::floor(static_cast<double>(scroll + pixel) / pitch));
}

QPoint viewCentreCell(int scrollX, int scrollY, int clientWidth, int clientHeight, int pitch)
{
    if (pitch <= 0)
        return {0, 0};
    return {(clientWidth / 2 + scrollX) / pitch, (clientHeight / 2 + scrollY) / pitch};
}

int zoomToFit(int columns, int rows, int width, int height, int gap)
{
    const int usable = ScrollBarThickness;
    for (int zoom = MaxZoom; zoom > MinZoom; --zoom) {
        const long long pitch = MapView::cellSizeForZoom(zoom) + std::max(gap, 0);
        if (pitch * std::max(columns, 1) <= width - usable && pitch * std::max(rows, 1) <= height - usable)
            return zoom;
    }
    return MinZoom;
}

SpanView routeSpanView(QPoint start, QPoint end, int clientWidth, int clientHeight, int gap)
{
    const int left = std::min(start.x(), end.x()) - RouteMargin;
    const int right = std::max(start.x(), end.x()) + RouteMargin;
    const int top = std::min(start.y(), end.y()) - RouteMargin;
    const int bottom = std::max(start.y(), end.y()) + RouteMargin;
    SpanView view;
    view.zoom = zoomToFit(right - left + 1, bottom - top + 1, clientWidth, clientHeight, gap);
    const int pitch = MapView::cellSizeForZoom(view.zoom) + std::max(gap, 0);
    view.scrollX = (left + right + 1) * pitch / 2 - (clientWidth - ScrollBarThickness) / 2;
    view.scrollY = (top + bottom + 1) * pitch / 2 - (clientHeight - ScrollBarThickness) / 2;
    return view;
}

} // namespace MapViewGeometry
