#pragma once
// What a key pressed in a map window does, decided without a window: the
// arrows move the view by a line, the page keys by a page (down and up, or
// right and left with Shift), Home and End go to the map's west and east
// ends, "-" zooms out, and Menu or Shift+F10 open the cell menu. Other keys
// go on to the main window.
#include <QPoint>
#include <Qt>

// The scroll bars' steps, which the keys share with clicks on the bars.
inline constexpr int MapLineStep = 32;
inline constexpr int MapPageStep = 160;

enum class MapKeyEffect { PassOn, Scroll, ZoomOut, CellMenu };

struct MapKeyAction {
    MapKeyEffect effect = MapKeyEffect::PassOn;
    QPoint scroll; // the new scroll position, within 0 .. maximum, for Scroll
    bool operator==(const MapKeyAction &) const = default;
};

MapKeyAction mapKeyAction(int key, Qt::KeyboardModifiers modifiers, QPoint scroll, QPoint maximum);
