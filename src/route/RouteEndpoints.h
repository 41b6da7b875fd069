#pragma once
// The user's side of route finding on one document: the three route options,
// the start and end cells, and clearing the results. Setting the start runs
// the search and the trace; setting a new end runs the trace only.
#include <cstdint>

#include "map/CarteVarenthe.h"

void setRouteOptions(CarteVarenthe &map, bool useWingsGift, bool allowEmbark, bool allowAbandon);

// Inside the map: stores the start, searches and traces to the current end.
// Outside: forgets the start and clears the layers and the marks.
void setRouteStart(CarteVarenthe &map, int32_t x, int32_t y);

// Returns false, doing nothing, when the cell already is the end cell (the
// window then need not repaint). Inside the map: stores the end and traces.
// Outside: forgets the end and clears the marks; the layers stay.
bool setRouteEnd(CarteVarenthe &map, int32_t x, int32_t y);

// Clears the layers and the marks; the start, the end and the last duration
// stay, so that a new search can start from the same cell.
void clearRoutes(CarteVarenthe &map);
