#include "ui/CellHover.h"

#include "map/CarteVarenthe.h"
#include "map/CityEdits.h"

CellHint cellHint(const CarteVarenthe &map, int column, int row)
{
    CellHint hint;
    const Element *element = map.elementAt(column, row);
    // An erased element keeps its record (kind 0) but names nothing.
    if (element && element->kind != ElementNone && !element->name.empty()) {
        hint.toolTip = QString::fromStdString(element->name);
        hint.handPointer = element->kind == ElementCity;
    }
    return hint;
}

int cityNumberAt(const CarteVarenthe &map, int column, int row)
{
    const Element *element = map.elementAt(column, row);
    return element && element->kind == ElementCity ? element->number : -1;
}

CityEntries cityEntriesOn(const CarteVarenthe &map, int column, int row)
{
    const bool city = cityAt(map, column, row) != nullptr;
    return {!city, map.contains(column, row), city};
}

MouseMoveAction mouseMoveAction(bool paletteVisible, bool leftHeld, bool rightHeld, int leftTile,
                                int rightTile)
{
    MouseMoveAction action;
    if (paletteVisible) {
        if (leftHeld && leftTile != -1) {
            action.paintTile = leftTile;
            action.paintButton = 0;
        } else if (rightHeld && rightTile != -1) {
            action.paintTile = rightTile;
            action.paintButton = 1;
        }
    }
    action.drag = action.paintTile == -1 && leftHeld;
    return action;
}
