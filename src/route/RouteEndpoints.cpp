#include "route/RouteEndpoints.h"

#include "route/RouteSearch.h"

void setRouteOptions(CarteVarenthe &map, bool useWingsGift, bool allowEmbark, bool allowAbandon)
{
    map.useWingsGift = useWingsGift;
    map.allowEmbark = allowEmbark;
    map.allowAbandon = allowAbandon;
}

void setRouteStart(CarteVarenthe &map, int32_t x, int32_t y)
{
    if (map.contains(x, y)) {
        map.routeStartX = x;
        map.routeStartY = y;
        searchRoutes(map);
        traceRoute(map);
        return;
    }
    map.routeStartX = -1;
    map.routeStartY = -1;
    map.clearRouteLayers();
    map.clearRouteMarks();
}

bool setRouteEnd(CarteVarenthe &map, int32_t x, int32_t y)
{
    if (x == map.routeEndX && y == map.routeEndY)
        return false;
    if (map.contains(x, y)) {
        map.routeEndX = x;
        map.routeEndY = y;
        traceRoute(map);
        return true;
    }
    map.routeEndX = -1;
    map.routeEndY = -1;
    map.clearRouteMarks();
    return true;
}

void clearRoutes(CarteVarenthe &map)
{
    map.clearRouteLayers();
    map.clearRouteMarks();
}
