#pragma once
// What one mouse move over a map window does, decided without a window: which
// palette tile a held button paints (or whether the move drags the view), and
// what the cell under the mouse shows as tooltip and pointer.
#include <QString>

class CarteVarenthe;

// The tooltip of a cell: an element's name (a city or a named zone), with the
// hand pointer over a city. Outside the map, or on a cell without a named
// element, no tooltip and the arrow.
struct CellHint {
    QString toolTip;
    bool handPointer = false;
};
CellHint cellHint(const CarteVarenthe &map, int column, int row);

// Whether a left press at the cell opens a city's web page, and which.
// -1 when the cell holds no city.
int cityNumberAt(const CarteVarenthe &map, int column, int row);

// The city entries the cell menu offers on a cell: "Placer une ville ici…"
// where there is no city (greyed outside the map), "Modifier la ville…" and
// "Supprimer la ville" on a city.
struct CityEntries {
    bool place = false;
    bool placeEnabled = false;
    bool changeOrRemove = false;
    bool operator==(const CityEntries &) const = default;
};
CityEntries cityEntriesOn(const CarteVarenthe &map, int column, int row);

// One mouse move with the buttons held: with the palette shown, the left
// button's tile wins over the right button's; a move that paints nothing lets
// the left button drag the view.
struct MouseMoveAction {
    int paintTile = -1;   // tile to paint on the cell, -1 for none
    int paintButton = -1; // whose tile it is: 0 left, 1 right
    bool drag = false;  // the view follows the mouse
};
MouseMoveAction mouseMoveAction(bool paletteVisible, bool leftHeld, bool rightHeld, int leftTile,
                                int rightTile);
