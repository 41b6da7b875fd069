#include "ui/MinimapGeometry.h"

#include <algorithm>
#include <cmath>

double minimapScale(int cellPitch, long long scaleCells, long long scalePixels)
{
    if (cellPitch <= 0 || scaleCells <= 0)
        return 0.0;
    return static_cast<double>(scalePixels) / (static_cast<double>(scaleCells) * cellPitch);
}

namespace {

int truncated(double value)
{
    return static_cast<int>(std::trunc(value));
}

} // namespace

MinimapFrame minimapFrame(const MinimapView &view)
{
    const double s = minimapScale(view.cellPitch, view.scaleCells, view.scalePixels);
    MinimapFrame frame;
    frame.left = truncated(view.scrollX * s);
    frame.top = truncated(view.scrollY * s);
    frame.right = truncated((view.clientWidth + view.scrollX) * s);
    frame.bottom = truncated((view.clientHeight + view.scrollY) * s);
    return frame;
}

QPoint minimapScrollFor(const MinimapView &view, QPoint click)
{
    const double s = minimapScale(view.cellPitch, view.scaleCells, view.scalePixels);
    if (s <= 0.0)
        return {view.scrollX, view.scrollY};
    // The halves are whole pixels first (division toward zero), as the
    // view's centre is.
    const int horizontal = truncated(click.x() / s - view.clientWidth / 2);
    const int vertical = truncated(click.y() / s - view.clientHeight / 2);
    return {std::clamp(horizontal, 0, std::max(view.maxScrollX, 0)),
            std::clamp(vertical, 0, std::max(view.maxScrollY, 0))};
}
