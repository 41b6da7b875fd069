#include "ui/MapKeys.h"

#include <algorithm>

namespace {

MapKeyAction scrolledBy(QPoint scroll, QPoint maximum, int dx, int dy)
{
    return {MapKeyEffect::Scroll,
            {std::clamp(scroll.x() + dx, 0, std::max(maximum.x(), 0)),
             std::clamp(scroll.y() + dy, 0, std::max(maximum.y(), 0))}};
}

} // namespace

MapKeyAction mapKeyAction(int key, Qt::KeyboardModifiers modifiers, QPoint scroll, QPoint maximum)
{
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    switch (key) {
    case Qt::Key_Left:
        return scrolledBy(scroll, maximum, -MapLineStep, 0);
    case Qt::Key_Right:
        return scrolledBy(scroll, maximum, MapLineStep, 0);
    case Qt::Key_Up:
        return scrolledBy(scroll, maximum, 0, -MapLineStep);
    case Qt::Key_Down:
        return scrolledBy(scroll, maximum, 0, MapLineStep);
    case Qt::Key_PageUp:
        return shift ? scrolledBy(scroll, maximum, -MapPageStep, 0) : scrolledBy(scroll, maximum, 0, -MapPageStep);
    case Qt::Key_PageDown:
        return shift ? scrolledBy(scroll, maximum, MapPageStep, 0) : scrolledBy(scroll, maximum, 0, MapPageStep);
    case Qt::Key_Home:
        return scrolledBy({0, scroll.y()}, maximum, 0, 0);
    case Qt::Key_End:
        return scrolledBy({maximum.x(), scroll.y()}, maximum, 0, 0);
    case Qt::Key_Minus:
        return {MapKeyEffect::ZoomOut, {}};
    case Qt::Key_Menu:
        return {MapKeyEffect::CellMenu, {}};
    case Qt::Key_F10:
        return {shift ? MapKeyEffect::CellMenu : MapKeyEffect::PassOn, {}};
    default:
        return {};
    }
}
