#pragma once
// The route search and the route trace over a map document's route state.
// `searchRoutes` computes, from the document's start cell, the earliest
// arrival minute and the arrival move of every cell in both travel layers;
// `traceRoute` follows the arrival moves back from the end cell, marks the
// route and stores its duration. Searches may run side by side on different
// documents in different threads; one document is used by one thread.
#include <cstdint>
#include <vector>

#include "map/CarteVarenthe.h"

// Recomputes both travel layers from the document's start cell. Without a
// start cell the layers keep their contents; with a start outside the map
// they are left cleared.
void searchRoutes(CarteVarenthe &map);

// Recomputes the route marks and, when the route from the start to the end
// cell can be walked back, `routeTotalTime`. Returns whether it could.
bool traceRoute(CarteVarenthe &map);

// The duration `traceRoute` would store for the document's end cell: its
// arrival time when the route from the start can be walked back, -1
// otherwise. Reads the document only, so many ends can be asked after one
// search.
int32_t tracedTotalTime(const CarteVarenthe &map);

// One cell of the traced route with its mark (MarkOnRoute or
// MarkLayerChange) and the layer in which the route passes it.
struct RouteCell {
    int32_t x = 0;
    int32_t y = 0;
    int32_t mark = MarkOnRoute;
    int32_t layer = OnFoot;
};

// The cells of the route that `traceRoute` would mark, from the start cell to
// the end cell; empty when there is no such route.
std::vector<RouteCell> tracedRoute(const CarteVarenthe &map);

// The layer in which the route to the end cell arrives: on foot when it is
// reached on foot no later than afloat (unreached counting as the latest).
int32_t endLayerOf(const CarteVarenthe &map, int32_t x, int32_t y);
