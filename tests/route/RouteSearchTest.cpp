// The traced route and the search's own storage, which the reference searches do not see.
#include <gtest/gtest.h>

#include <thread>

#include "RouteTestMaps.h"
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"

using namespace routetest;

namespace {

int32_t count(const CarteVarenthe &map, bool marks, int32_t layer = OnFoot)
{
    int32_t n = 0;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            n += marks ? map.routeMarkAt(x, y) != 0 : map.routeTimeAt(x, y, layer) != -1;
    return n;
}

// Marks as drawn: 'o' on the route, 'L' where the traveller changes layer.
std::string drawnMarks(const CarteVarenthe &map)
{
    std::string marks;
    for (int32_t y = 0; y < map.height; ++y) {
        if (y > 0)
            marks += '/';
        for (int32_t x = 0; x < map.width; ++x)
            marks += ".o.L"[map.routeMarkAt(x, y)];
    }
    return marks;
}

struct TraceCase {
    const char *situation;
    const char *drawing;
    const char *options;
    int32_t sandOnFoot; // the table's cost of walking onto sand, -1 as it is
    int32_t endX, endY;
    int64_t total;
    const char *marks;
};

const TraceCase TraceCases[] = {
    {"a boat arriving on sand marks the landing", "~~s", "", -1, 2, 0, 100, "ooL"},
    {"an end reached at the same minute both ways is traced on foot", "ps", "e", 21, 1, 0, 21, "oo"},
    {"equal routes keep the move appended first", "../..", "", -1, 1, 1, 80, "oo/.o"},
    {"an unreachable end leaves no mark at all", "..~..", "", -1, 4, 0, -1, "....."},
};

} // namespace

TEST(RouteSearch, TheRouteToTheEndIsMarkedWhereTheTravellerGoesAndChangesLayer)
{
    for (const TraceCase &c : TraceCases) {
        CarteVarenthe map = drawnMap(c.drawing);
        setOptions(map, c.options);
        if (c.sandOnFoot >= 0)
            map.costTables.footCost[106] = c.sandOnFoot;
        setRouteEnd(map, c.endX, c.endY);
        setRouteStart(map, 0, 0);
        EXPECT_EQ(map.routeTotalTime, c.total) << c.situation;
        EXPECT_EQ(drawnMarks(map), c.marks) << c.situation;
    }
}

TEST(RouteSearch, StartAloneMarksNothingAndAStartOutsideClearsTheLayers)
{
    CarteVarenthe map = drawnMap(".../...");
    map.routeTotalTime = 77; // from an earlier route
    setRouteStart(map, 0, 0);
    EXPECT_EQ(std::tuple(count(map, true), map.routeTotalTime, count(map, false)), std::tuple(0, 77, 6));
    map.routeStartX = -1; // without a start the layers keep what they hold
    searchRoutes(map);
    EXPECT_EQ(count(map, false), 6);
    map.routeStartX = 7;
    searchRoutes(map);
    EXPECT_EQ(count(map, false), 0);
}

TEST(RouteSearch, TraceAfterTheStartWasRepaintedEndsAndKeepsItsMarks)
{
    // Painted as water after the search, the start is afloat and the arrival moves circle.
    CarteVarenthe map = drawnMap("..../..../....");
    setRouteEnd(map, 3, 2);
    setRouteStart(map, 1, 1);
    ASSERT_EQ(map.routeTotalTime, 120);
    map.terrain.at(1, 1) = 103;
    map.routeTotalTime = 55;
    EXPECT_FALSE(traceRoute(map));
    EXPECT_EQ(std::pair(map.routeTotalTime, map.routeMarkAt(3, 2)), std::pair(55, int32_t{MarkOnRoute}));
    // A cell whose arrival move was lost stops the walk there as well.
    map.terrain.at(1, 1) = 100;
    const std::vector<RouteCell> route = tracedRoute(map);
    ASSERT_EQ(route.size(), 4u);
    map.routeStep[OnFoot].at(route[2].x, route[2].y) = -1;
    EXPECT_FALSE(traceRoute(map));
    EXPECT_EQ(map.routeTotalTime, 55);
    EXPECT_GT(count(map, true), 0);
}

TEST(RouteSearch, SearchesOnTwoMapsRunSideBySide)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 100);
    for (int32_t y = 0; y < 169; ++y)
        for (int32_t x = 0; x < 300; ++x)
            world.terrain.at(x, y) = codeOf("..~~p.s^r"[(x * 7 + y * 13 + x * y) % 9]);
    setOptions(world, "ea");
    CarteVarenthe other = world;
    other.costTables.footCost[105] = 300; // a different queue size too
    setRouteStart(world, 150, 80);
    setRouteStart(other, 3, 4);
    const CarteVarenthe alone[2] = {world, other};
    auto same = [](const Grid &a, const Grid &b) { return std::equal(a.data(), a.data() + a.size(), b.data()); };
    for (int round = 0; round < 5; ++round) {
        std::thread first([&world] { searchRoutes(world); });
        std::thread second([&other] { searchRoutes(other); });
        first.join();
        second.join();
        for (int layer = 0; layer < 2; ++layer)
            EXPECT_TRUE(same(world.routeTime[layer], alone[0].routeTime[layer])
                        && same(world.routeStep[layer], alone[0].routeStep[layer])
                        && same(other.routeTime[layer], alone[1].routeTime[layer])
                        && same(other.routeStep[layer], alone[1].routeStep[layer]));
    }
    EXPECT_GT(count(world, false, Afloat), 1000);
}

TEST(RouteSearch, LargeMapBetweenSmallOnesKeepsEveryResultExact)
{
    CarteVarenthe small = drawnMap("..../.~~./....");
    setRouteStart(small, 0, 0);
    const CarteVarenthe smallBefore = small;
    CarteVarenthe large;
    large.create(1500, 1400, 0, 0, 1, 100);
    for (int round = 0; round < 2; ++round) {
        setRouteStart(large, 700, 650);
        EXPECT_EQ(std::tuple(large.routeTimeAt(0, 0, OnFoot), large.routeTimeAt(1499, 1399, OnFoot),
                             large.routeStepAt(1499, 650, OnFoot), large.routeStepAt(700, 0, OnFoot)),
                  std::tuple(40 * (700 + 650), 40 * (799 + 749), int32_t{MoveEast}, int32_t{MoveNorth}));
        searchRoutes(small);
        for (int layer = 0; layer < 2; ++layer)
            for (int32_t y = 0; y < small.height; ++y)
                for (int32_t x = 0; x < small.width; ++x)
                    ASSERT_EQ(std::pair(small.routeTimeAt(x, y, layer), small.routeStepAt(x, y, layer)),
                              std::pair(smallBefore.routeTimeAt(x, y, layer), smallBefore.routeStepAt(x, y, layer)));
    }
}
