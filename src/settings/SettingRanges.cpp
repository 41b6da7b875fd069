#include "settings/SettingRanges.h"

QRect fitWindowOnScreens(const QRect &wanted, bool placed, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return wanted;
    QRect screen = screens.first();
    if (placed) {
        int64_t shown = 0;
        for (const QRect &candidate : screens) {
            const QRect common = candidate.intersected(wanted);
            const int64_t area = common.isEmpty() ? 0 : int64_t(common.width()) * common.height();
            if (area > shown) {
                shown = area;
                screen = candidate;
            }
        }
    }
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(screen.size()));
    if (placed) {
        fitted.moveLeft(std::clamp(fitted.left(), screen.left(), screen.right() - fitted.width() + 1));
        fitted.moveTop(std::clamp(fitted.top(), screen.top(), screen.bottom() - fitted.height() + 1));
    }
    return fitted;
}
