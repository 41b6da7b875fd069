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

ExposedStrips exposedStrips(QSize clientSize, const QRect &valid)
{
    const int width = clientSize.width();
    const int height = clientSize.height();
    const int left = valid.left();
    const int right = valid.left() + valid.width();
    const int top = valid.top();
    const int bottom = valid.top() + valid.height();
    ExposedStrips strips;
    strips.stripA = left == 0 ? QRect(right, 0, width - right, height) : QRect(0, 0, left, height);
    strips.stripB = top == 0 ? QRect(left, bottom, right - left, height - bottom) : QRect(left, 0, right - left, top);
    return strips;
}
