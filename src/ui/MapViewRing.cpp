#include "ui/MapViewRing.h"

#include <algorithm>

QRect retainedArea(QSize clientSize, int dx, int dy)
{
    const int width = clientSize.width();
    const int height = clientSize.height();
    const int left = std::clamp(-dx, 0, width);
    const int right = std::clamp(width - dx, 0, width);
    const int top = std::clamp(-dy, 0, height);
    const int bottom = std::clamp(height - dy, 0, height);
    return QRect(left, top, right - left, bottom - top);
}
