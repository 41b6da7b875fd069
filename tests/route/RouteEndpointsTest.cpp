// The player's route commands: a start, an end, the options and clearing,
// and what each keeps of the route before.
#include <gtest/gtest.h>

#include "RouteTestMaps.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"

using routetest::drawnMap;

TEST(RouteEndpoints, StartSetAfterTheEndDrawsTheRouteAndTheSameEndAgainDoesNothing)
{
    CarteVarenthe map = drawnMap(".....");
    EXPECT_TRUE(setRouteEnd(map, 4, 0));
    EXPECT_EQ(std::pair(map.routeMarkAt(4, 0), map.routeTotalTime), std::pair(0, -1)) << "no start yet";
    setRouteStart(map, 1, 0);
    EXPECT_EQ(map.routeTotalTime, 120);
    for (int32_t x = 0; x <= 4; ++x)
        EXPECT_EQ(map.routeMarkAt(x, 0), x == 0 ? 0 : MarkOnRoute) << x;
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

TEST(RouteEndpoints, CellsOutsideTheMapAndClearingTakeAwayWhatTheyShould)
{
    CarteVarenthe map = drawnMap(".../...");
    setRouteEnd(map, 2, 1);
    setRouteStart(map, 0, 0);
    ASSERT_EQ(map.routeTotalTime, 120);
    // Clearing keeps the ends and the duration.
    clearRoutes(map);
    EXPECT_EQ(std::pair(map.routeTimeAt(0, 0, OnFoot), map.routeMarkAt(2, 1)), std::pair(-1, 0));
    EXPECT_EQ(std::tuple(map.routeStartX, map.routeEndX, map.routeTotalTime), std::tuple(0, 2, 120));
    searchRoutes(map);
    // An end outside: marks go, the layers stay.
    setRouteEnd(map, 2, 1);
    EXPECT_TRUE(setRouteEnd(map, 3, 1));
    EXPECT_EQ(std::pair(map.routeEndX, map.routeEndY), std::pair(-1, -1));
    EXPECT_EQ(std::pair(map.routeMarkAt(0, 0), map.routeTimeAt(2, 1, OnFoot)), std::pair(0, 120));
}
