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
    EXPECT_EQ(map.routeMarkAt(4, 0), 0) << "no route before a start";
    EXPECT_EQ(map.routeTotalTime, -1);
    setRouteStart(map, 1, 0);
    EXPECT_EQ(map.routeTotalTime, 120);
    for (int32_t x = 0; x <= 4; ++x)
        EXPECT_EQ(map.routeMarkAt(x, 0), x == 0 ? 0 : MarkOnRoute) << x;

    map.clearRouteMarks();
    EXPECT_FALSE(setRouteEnd(map, 4, 0));
    EXPECT_EQ(map.routeMarkAt(4, 0), 0);
    EXPECT_TRUE(setRouteEnd(map, 3, 0));
    EXPECT_EQ(map.routeMarkAt(3, 0), MarkOnRoute);
    EXPECT_EQ(map.routeTotalTime, 80);
}

TEST(RouteEndpoints, UnreachableEndRemovesTheRouteButKeepsTheDuration)
{
    CarteVarenthe map = drawnMap("...~.");
    setRouteStart(map, 0, 0);
    setRouteEnd(map, 2, 0);
    ASSERT_EQ(map.routeTotalTime, 80);
    setRouteEnd(map, 4, 0);
    EXPECT_EQ(map.routeMarkAt(0, 0), 0);
    EXPECT_EQ(map.routeMarkAt(2, 0), 0);
    EXPECT_EQ(map.routeTotalTime, 80);
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
    EXPECT_EQ(map.routeTimeAt(3, 0, Afloat), 81);
    EXPECT_EQ(map.routeMarkAt(3, 0), 0);
    EXPECT_EQ(map.routeTotalTime, -1);
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
    EXPECT_EQ(map.routeTimeAt(0, 0, OnFoot), -1);
    EXPECT_EQ(map.routeMarkAt(2, 1), 0);
    EXPECT_EQ(std::pair(map.routeStartX, map.routeEndX), std::pair(0, 2));
    EXPECT_EQ(map.routeTotalTime, 120);
    searchRoutes(map);
    EXPECT_EQ(map.routeTimeAt(2, 1, OnFoot), 120);
    // An end outside: marks go, the layers stay.
    setRouteEnd(map, 2, 1);
    EXPECT_TRUE(setRouteEnd(map, 3, 1));
    EXPECT_EQ(std::pair(map.routeEndX, map.routeEndY), std::pair(-1, -1));
    EXPECT_EQ(map.routeMarkAt(0, 0), 0);
    EXPECT_EQ(map.routeTimeAt(2, 1, OnFoot), 120);
    // A start outside: everything goes.
    setRouteEnd(map, 2, 1);
    setRouteStart(map, -1, 0);
    EXPECT_EQ(std::pair(map.routeStartX, map.routeStartY), std::pair(-1, -1));
    EXPECT_EQ(map.routeTimeAt(2, 1, OnFoot), -1);
    EXPECT_EQ(map.routeMarkAt(2, 1), 0);
}
