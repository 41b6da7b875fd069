#include <gtest/gtest.h>

#include <thread>

#include "RouteReference.h"
#include "RouteTestMaps.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"

using routetest::drawnMap;

namespace {

int32_t markCount(const CarteVarenthe &map)
{
    int32_t count = 0;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            count += map.routeMarkAt(x, y) != 0;
    return count;
}

int32_t reachedCount(const CarteVarenthe &map, int32_t layer)
{
    int32_t count = 0;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            count += map.routeTimeAt(x, y, layer) != -1;
    return count;
}

} // namespace

TEST(RouteSearch, StartAloneFillsTheLayersAndMarksNothing)
{
    CarteVarenthe map = drawnMap({"....", ".^^.", "...."});
    map.routeTotalTime = 77; // from an earlier route
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeTimeAt(0, 0, OnFoot), 0);
    EXPECT_EQ(map.routeStepAt(0, 0, OnFoot), 0);
    EXPECT_EQ(map.routeTimeAt(3, 2, OnFoot), 5 * 40);
    EXPECT_EQ(map.routeTimeAt(2, 1, OnFoot), 40 + 40 + 80);
    EXPECT_EQ(reachedCount(map, Afloat), 0);
    EXPECT_EQ(markCount(map), 0);
    EXPECT_EQ(map.routeTotalTime, 77);
}

TEST(RouteSearch, StartOnWaterSailsUnlessFlying)
{
    CarteVarenthe map = drawnMap({"~~~", "~~."});
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeTimeAt(0, 0, Afloat), 0);
    EXPECT_EQ(map.routeStepAt(0, 0, Afloat), 4);
    EXPECT_EQ(map.routeTimeAt(1, 1, Afloat), 40);
    // No port and no embarking: the grass is never reached, nothing on foot.
    EXPECT_EQ(reachedCount(map, OnFoot), 0);
    EXPECT_EQ(map.routeTimeAt(2, 1, Afloat), -1);

    setRouteOptions(map, true, false, false);
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeTimeAt(0, 0, OnFoot), 0);
    EXPECT_EQ(map.routeStepAt(0, 0, OnFoot), 0);
    EXPECT_EQ(map.routeTimeAt(2, 1, OnFoot), 120);
    EXPECT_EQ(reachedCount(map, Afloat), 0);
}

TEST(RouteSearch, StartCellInTheOtherLayerIsReachedTheCheapestWayBack)
{
    // Board at the port eastward (21), sail back into it (80).
    CarteVarenthe map = drawnMap({".p~"});
    setRouteOptions(map, false, true, false);
    setRouteStart(map, 1, 0);
    EXPECT_EQ(map.routeTimeAt(1, 0, OnFoot), 0);
    EXPECT_EQ(map.routeTimeAt(2, 0, Afloat), 21);
    EXPECT_EQ(map.routeTimeAt(1, 0, Afloat), 101);
    EXPECT_EQ(map.routeStepAt(1, 0, Afloat), MoveWest);
    // Embarking off: the boat layer stays empty for a start on land.
    setRouteOptions(map, false, false, false);
    setRouteStart(map, 1, 0);
    EXPECT_EQ(reachedCount(map, Afloat), 0);
}

TEST(RouteSearch, CellBeyondAProvinceEdgeIsReachedWithItsNeighbour)
{
    CarteVarenthe world;
    world.create(60, 30, 20, 13, 1, 100);
    setRouteStart(world, 0, 0);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x : {19, 39}) {
            const bool freeInRow = ((y / 13) % 2 == 0);
            if (freeInRow) {
                EXPECT_EQ(world.routeTimeAt(x + 1, y, OnFoot), world.routeTimeAt(x, y, OnFoot)) << x << "," << y;
            }
        }
    // Shifted province row: the free step is from column 9 to 10.
    EXPECT_EQ(world.routeTimeAt(10, 13, OnFoot), world.routeTimeAt(9, 13, OnFoot));
    EXPECT_EQ(world.routeTimeAt(12, 13, OnFoot), world.routeTimeAt(12, 12, OnFoot));
}

TEST(RouteSearch, EndReachedOnlyAfloatIsTracedAfloat)
{
    // Walk to the port, board eastward, sail to the end on the water.
    CarteVarenthe map = drawnMap({".p~~"});
    setRouteOptions(map, false, true, false);
    setRouteEnd(map, 3, 0);
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeTotalTime, 40 + 21 + 20);
    EXPECT_EQ(map.routeMarkAt(0, 0), MarkOnRoute);
    EXPECT_EQ(map.routeMarkAt(1, 0), MarkLayerChange) << "the port where the route boards";
    EXPECT_EQ(map.routeMarkAt(2, 0), MarkOnRoute);
    EXPECT_EQ(map.routeMarkAt(3, 0), MarkOnRoute) << "a boat on water marks no landing";
}

TEST(RouteSearch, BoatArrivingOnSandMarksTheLanding)
{
    CarteVarenthe map = drawnMap({"~~s"});
    setRouteEnd(map, 2, 0);
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeTotalTime, 20 + 80);
    EXPECT_EQ(map.routeMarkAt(2, 0), MarkLayerChange);
    EXPECT_EQ(map.routeMarkAt(1, 0), MarkOnRoute);
    EXPECT_EQ(map.routeMarkAt(0, 0), MarkOnRoute);
}

TEST(RouteSearch, EndReachedAtTheSameMinuteInBothLayersIsTracedOnFoot)
{
    // The port at (1, 0) is reached on foot at 0 (start) and the sand at
    // (2, 0) both on foot (40) and afloat by a switch... costing 21, then
    // on foot one minute later than afloat: make them equal instead with a
    // table where walking onto sand costs 21.
    CarteVarenthe map = drawnMap({"ps"});
    map.costTables.footCost[106] = 21;
    setRouteOptions(map, false, true, false);
    setRouteEnd(map, 1, 0);
    setRouteStart(map, 0, 0);
    ASSERT_EQ(map.routeTimeAt(1, 0, OnFoot), 21);
    ASSERT_EQ(map.routeTimeAt(1, 0, Afloat), 21);
    EXPECT_EQ(map.routeMarkAt(1, 0), MarkOnRoute);
    EXPECT_EQ(map.routeMarkAt(0, 0), MarkOnRoute);
    EXPECT_EQ(map.routeTotalTime, 21);
}

TEST(RouteSearch, EqualRoutesKeepTheMoveAppendedFirst)
{
    // From the corner, the far corner of a 2x2 grass square is 80 minutes
    // away both ways; the route through the east neighbour was appended
    // first, so the arrival is from the north (a south move).
    CarteVarenthe map = drawnMap({"..", ".."});
    setRouteEnd(map, 1, 1);
    setRouteStart(map, 0, 0);
    EXPECT_EQ(map.routeStepAt(1, 1, OnFoot), MoveSouth);
    EXPECT_EQ(map.routeMarkAt(1, 0), MarkOnRoute);
    EXPECT_EQ(map.routeMarkAt(0, 1), 0);
}

TEST(RouteSearch, UnreachableEndLeavesNoMarkAtAll)
{
    CarteVarenthe map = drawnMap({"..~.."});
    setRouteEnd(map, 4, 0);
    setRouteStart(map, 0, 0);
    EXPECT_EQ(markCount(map), 0);
    EXPECT_EQ(map.routeTotalTime, -1);
    EXPECT_FALSE(traceRoute(map));
}

TEST(RouteSearch, TraceAfterTheStartWasRepaintedEndsAndKeepsItsMarks)
{
    // The start was grass when searched; painted as water it would now start
    // afloat, and the arrival moves lead round in a circle.
    CarteVarenthe map = drawnMap({"....", "....", "...."});
    setRouteEnd(map, 3, 2);
    setRouteStart(map, 1, 1);
    ASSERT_EQ(map.routeTotalTime, 120);
    map.terrain.at(1, 1) = 103;
    map.routeTotalTime = 55;
    EXPECT_FALSE(traceRoute(map));
    EXPECT_EQ(map.routeTotalTime, 55);
    EXPECT_EQ(map.routeMarkAt(3, 2), MarkOnRoute);
    // A cell whose arrival move was lost stops the walk there as well.
    map.terrain.at(1, 1) = 100;
    const std::vector<RouteCell> route = tracedRoute(map);
    ASSERT_EQ(route.size(), 4u);
    map.routeStep[OnFoot].at(route[2].x, route[2].y) = -1;
    EXPECT_FALSE(traceRoute(map));
    EXPECT_EQ(map.routeTotalTime, 55);
    EXPECT_GT(markCount(map), 0);
}

TEST(RouteSearch, StartOutsideTheMapLeavesTheLayersCleared)
{
    CarteVarenthe map = drawnMap({"...", "..."});
    setRouteStart(map, 0, 0);
    map.routeStartX = 7;
    searchRoutes(map);
    EXPECT_EQ(reachedCount(map, OnFoot), 0);
    // Without a start the layers keep what they hold.
    setRouteStart(map, 0, 0);
    map.routeStartX = -1;
    searchRoutes(map);
    EXPECT_EQ(reachedCount(map, OnFoot), 6);
}

TEST(RouteSearch, SearchesOnTwoMapsRunSideBySide)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 100);
    for (int32_t y = 0; y < 169; ++y)
        for (int32_t x = 0; x < 300; ++x)
            world.terrain.at(x, y) = routetest::codeOf("..~~p.s^r"[(x * 7 + y * 13 + x * y) % 9]);
    setRouteOptions(world, false, true, true);
    CarteVarenthe other = world;
    other.costTables.footCost[105] = 300; // a different queue size too

    setRouteStart(world, 150, 80);
    setRouteStart(other, 3, 4);
    const CarteVarenthe worldAlone = world;
    const CarteVarenthe otherAlone = other;
    for (int round = 0; round < 5; ++round) {
        std::thread first([&world] { searchRoutes(world); });
        std::thread second([&other] { searchRoutes(other); });
        first.join();
        second.join();
        for (int layer = 0; layer < 2; ++layer) {
            ASSERT_EQ(world.routeTime[layer].size(), worldAlone.routeTime[layer].size());
            EXPECT_TRUE(std::equal(world.routeTime[layer].data(), world.routeTime[layer].data() + world.routeTime[layer].size(),
                                   worldAlone.routeTime[layer].data()));
            EXPECT_TRUE(std::equal(world.routeStep[layer].data(), world.routeStep[layer].data() + world.routeStep[layer].size(),
                                   worldAlone.routeStep[layer].data()));
            EXPECT_TRUE(std::equal(other.routeTime[layer].data(), other.routeTime[layer].data() + other.routeTime[layer].size(),
                                   otherAlone.routeTime[layer].data()));
        }
    }
    EXPECT_GT(reachedCount(world, Afloat), 1000);
}

TEST(RouteSearch, LargeMapBetweenSmallOnesKeepsEveryResultExact)
{
    // The search's working storage grows for a large map and is given back
    // afterwards; searches before and after must not notice.
    CarteVarenthe small = drawnMap({"....", ".~~.", "...."});
    setRouteStart(small, 0, 0);
    const CarteVarenthe smallBefore = small;

    CarteVarenthe large;
    large.create(1500, 1400, 0, 0, 1, 100);
    for (int round = 0; round < 2; ++round) {
        setRouteStart(large, 700, 650);
        EXPECT_EQ(large.routeTimeAt(700, 650, OnFoot), 0);
        EXPECT_EQ(large.routeTimeAt(0, 0, OnFoot), 40 * (700 + 650));
        EXPECT_EQ(large.routeTimeAt(1499, 1399, OnFoot), 40 * (799 + 749));
        EXPECT_EQ(large.routeStepAt(1499, 650, OnFoot), MoveEast);
        EXPECT_EQ(large.routeStepAt(700, 0, OnFoot), MoveNorth);
        EXPECT_EQ(large.routeTimeAt(3, 3, Afloat), -1);
        searchRoutes(small);
        for (int layer = 0; layer < 2; ++layer)
            for (int32_t y = 0; y < small.height; ++y)
                for (int32_t x = 0; x < small.width; ++x) {
                    ASSERT_EQ(small.routeTimeAt(x, y, layer), smallBefore.routeTimeAt(x, y, layer));
                    ASSERT_EQ(small.routeStepAt(x, y, layer), smallBefore.routeStepAt(x, y, layer));
                }
    }
}
