// What the route commands keep of the route before; the map window's tests hold the rest.
#include <gtest/gtest.h>

#include "RouteTestMaps.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"

using routetest::drawnMap;

TEST(RouteEndpoints, TheSameEndAgainDoesNothingAndAnUnreachableEndKeepsTheDuration)
{
    CarteVarenthe map = drawnMap(".....");
    setRouteEnd(map, 4, 0);
    setRouteStart(map, 1, 0);
    map.clearRouteMarks();
    EXPECT_FALSE(setRouteEnd(map, 4, 0));
    EXPECT_EQ(map.routeMarkAt(4, 0), 0);
    EXPECT_TRUE(setRouteEnd(map, 3, 0));
    EXPECT_EQ(std::pair(map.routeMarkAt(3, 0), map.routeTotalTime), std::pair(int32_t{MarkOnRoute}, 80));
    // An unreachable end removes the route but keeps the duration.
    map.terrain.at(4, 0) = 103;
    searchRoutes(map);
    setRouteEnd(map, 4, 0);
    EXPECT_EQ(std::tuple(map.routeMarkAt(1, 0), map.routeMarkAt(3, 0), map.routeTotalTime),
              std::tuple(0, 0, 80));
}

TEST(RouteEndpoints, OptionsActOnlyAtTheNextSearch)
{
    CarteVarenthe map = drawnMap(".p~~");
    setRouteStart(map, 0, 0);
    setRouteEnd(map, 3, 0);
    setRouteOptions(map, false, true, false);
    EXPECT_EQ(map.routeTimeAt(3, 0, Afloat), -1);
    // Refreshing searches again but neither retraces nor changes the duration.
    searchRoutes(map);
    EXPECT_EQ(std::tuple(map.routeTimeAt(3, 0, Afloat), map.routeMarkAt(3, 0), map.routeTotalTime),
              std::tuple(81, 0, -1));
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeTotalTime, 81);
}

TEST(RouteEndpoints, ClearingKeepsTheEndsAndAnEndOutsideTakesTheMarksAndKeepsTheLayers)
{
    CarteVarenthe map = drawnMap(".../...");
    setRouteEnd(map, 2, 1);
    setRouteStart(map, 0, 0);
    clearRoutes(map);
    EXPECT_EQ(std::pair(map.routeTimeAt(0, 0, OnFoot), map.routeMarkAt(2, 1)), std::pair(-1, 0));
    EXPECT_EQ(std::tuple(map.routeStartX, map.routeEndX, map.routeTotalTime), std::tuple(0, 2, 120));
    searchRoutes(map);
    EXPECT_TRUE(setRouteEnd(map, 3, 1));
    EXPECT_EQ(std::pair(map.routeEndX, map.routeEndY), std::pair(-1, -1));
    EXPECT_EQ(std::pair(map.routeMarkAt(0, 0), map.routeTimeAt(2, 1, OnFoot)), std::pair(0, 120));
}
