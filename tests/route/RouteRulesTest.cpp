// Step costs, the traced route, the route commands, the itinerary and travel times, on small drawn maps.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "map/CarteVarenthe.h"
#include "route/Itinerary.h"
#include "route/MoveRules.h"
#include "route/RouteEndpoints.h"
#include "route/RouteSearch.h"
#include "route/TravelTime.h"

namespace {

// p port . grass ~ sea r river ^ mountains s sand = road H building, X Z no table entry, N negative, 0 empty.
int32_t codeOf(char c)
{
    static const std::string keys = "p.~r^s=HXZN0";
    static const int32_t codes[] = {1, 100, 103, 104, 105, 106, 110, 200, 5000, 256, -7, 0};
    const size_t at = keys.find(c);
    return at == std::string::npos ? 100 : codes[at];
}

// A world-type map drawn row by row, "/" between rows, and its route options as letters:
// 'w' wings, 'e' embark, 'a' abandon.
CarteVarenthe drawnMap(const std::string &drawing, const std::string &options = "")
{
    std::vector<std::string> rows(1);
    for (const char c : drawing)
        if (c == '/')
            rows.emplace_back();
        else
            rows.back().push_back(c);
    CarteVarenthe map;
    map.create(int32_t(rows.front().size()), int32_t(rows.size()), 0, 0, 1, 100);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            map.terrain.at(int32_t(x), int32_t(y)) = codeOf(rows[y][x]);
    setRouteOptions(map, options.find('w') != std::string::npos, options.find('e') != std::string::npos,
                    options.find('a') != std::string::npos);
    return map;
}

int32_t cost(const CarteVarenthe &map, int32_t x, int32_t y, bool onFoot, int32_t move)
{
    SearchState to;
    return moveCost(map, SearchState{x, y, static_cast<uint8_t>(onFoot)}, move, to);
}

int32_t count(const CarteVarenthe &map, bool marks, int32_t layer = OnFoot)
{
    int32_t n = 0;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            n += marks ? map.routeMarkAt(x, y) != 0 : map.routeTimeAt(x, y, layer) != -1;
    return n;
}

} // namespace

TEST(MoveRules, EachStepCostsWhatTheRulesSay)
{
    const std::string path = std::string(PELMORIN_SOURCE_DIR) + "/tests/route/data/move-steps.txt";
    std::ifstream file(path);
    std::string expected, computed, line;
    for (; std::getline(file, line); expected += line + "\n") {
        const size_t colon = line.rfind(": ");
        if (line.starts_with("#") || colon == std::string::npos) {
            computed += line + "\n";
            continue;
        }
        std::string drawing, options, layer, move;
        int32_t x = 0, y = 0;
        std::istringstream(line) >> drawing >> options >> x >> y >> layer >> move;
        const std::vector<std::string> moves = {"E", "S", "W", "N", "SE", "SS", "SW", "SN"};
        const auto code = int32_t(std::find(moves.begin(), moves.end(), move) - moves.begin());
        const int32_t minutes = cost(drawnMap(drawing, options), x, y, layer == "foot", code);
        computed += line.substr(0, colon + 2) + std::to_string(minutes) + "\n";
    }
    if (const char *update = std::getenv("PELMORIN_UPDATE_GOLDEN"); update && std::string(update) == "1")
        std::ofstream(path) << computed;
    ASSERT_GT(expected.size(), 1000u);
    EXPECT_EQ(computed, expected);
}

// Water and wings decide the start's layer in the command line's route test.
TEST(MoveRules, ACodeWithoutATableEntryStartsAsAPortDoes)
{
    CarteVarenthe map = drawnMap("~.X");
    EXPECT_TRUE(startsOnFoot(map, 2, 0));
    map.costTables.footCost[1] = 0;
    EXPECT_FALSE(startsOnFoot(map, 2, 0));
}

TEST(MoveRules, ProvinceEdgesAreCrossedForFreeWithOddRowsShiftedTenCells)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 100);
    const std::array<int32_t, 4> steps[] = { // x, y, move, cost
        {19, 0, MoveEast, 0},  {20, 0, MoveWest, 0},  {18, 0, MoveEast, 40}, {19, 13, MoveEast, 40},
        {9, 13, MoveEast, 0},  {10, 13, MoveWest, 0}, {5, 12, MoveSouth, 0}, {5, 13, MoveNorth, 0},
        {5, 11, MoveSouth, 40}, {19, 26, MoveEast, 0},
    };
    for (const auto &[x, y, move, minutes] : steps)
        EXPECT_EQ(cost(world, x, y, true, move), minutes) << x << "," << y << " move " << move;
    // The shift stays 10 cells whatever the province width.
    CarteVarenthe narrow;
    narrow.create(40, 20, 7, 5, 1, 100);
    EXPECT_EQ(cost(narrow, 6, 0, true, MoveEast), 0);
    EXPECT_EQ(cost(narrow, 3, 5, true, MoveEast), 0); // (3 + 10) mod 7 = 6
    EXPECT_EQ(cost(narrow, 6, 5, true, MoveEast), 40);
    // A closed cell stays closed across the edge; a boat slips into a building across it for free.
    world.terrain.at(20, 0) = 105;
    world.terrain.at(20, 1) = 103;
    EXPECT_EQ(cost(world, 19, 0, true, MoveEast), 0);
    EXPECT_EQ(cost(world, 19, 1, true, MoveEast), -1);
    world.terrain.at(19, 2) = 103;
    world.terrain.at(20, 2) = 200;
    EXPECT_EQ(cost(world, 19, 2, false, MoveEast), 0);
}

TEST(MoveRules, UnsoundTablesNeverGiveNegativeOrOverflowingSteps)
{
    CarteVarenthe map = drawnMap("..^");
    map.costTables.footCost[100] = -40;
    EXPECT_EQ(cost(map, 1, 0, true, MoveWest), -1);
    map.costTables.footCost[105] = 2147483647;
    EXPECT_EQ(cost(map, 1, 0, true, MoveEast), 2147483647);
    EXPECT_EQ(largestStepCost(map), 2147483647LL + 5);
    map.terrain.at(0, 0) = 200;
    map.costTables.footCost[1] = -3;
    EXPECT_EQ(cost(map, 1, 0, true, MoveWest), -1);
    CarteVarenthe beach = drawnMap("s^", "ea");
    beach.costTables.footCost[105] = 2147483647;
    EXPECT_EQ(cost(beach, 0, 0, false, MoveSwitchEast), -1);
}

TEST(RouteSearch, TheRouteToTheEndIsMarkedWhereTheTravellerGoesAndChangesLayer)
{
    const struct {
        const char *situation, *drawing, *options;
        int32_t sandOnFoot; // the table's cost of walking onto sand, -1 as it is
        int32_t endX, endY;
        int64_t total;
        std::string marks; // 'o' on the route, 'L' where the traveller changes layer
    } cases[] = {
        {"a boat arriving on sand marks the landing", "~~s", "", -1, 2, 0, 100, "ooL"},
        {"an end reached at the same minute both ways is traced on foot", "ps", "e", 21, 1, 0, 21, "oo"},
        {"equal routes keep the move appended first", "../..", "", -1, 1, 1, 80, "oo/.o"},
        {"an unreachable end leaves no mark at all", "..~..", "", -1, 4, 0, -1, "....."},
    };
    for (const auto &c : cases) {
        CarteVarenthe map = drawnMap(c.drawing, c.options);
        if (c.sandOnFoot >= 0)
            map.costTables.footCost[106] = c.sandOnFoot;
        setRouteEnd(map, c.endX, c.endY);
        setRouteStart(map, 0, 0);
        std::string marks;
        for (int32_t y = 0; y < map.height; ++y)
            for (int32_t x = 0; x < map.width; ++x)
                marks += std::string(y > 0 && x == 0 ? "/" : "") + ".o.L"[map.routeMarkAt(x, y)];
        EXPECT_EQ(std::pair(int64_t{map.routeTotalTime}, marks), std::pair(c.total, c.marks)) << c.situation;
    }
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
    setRouteOptions(world, false, true, true);
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

// What the route commands keep of the route before; the map window's tests hold the rest.
TEST(RouteEndpoints, AStartAloneMarksNothingClearingKeepsTheEndsAndAnEndOutsideKeepsTheLayers)
{
    CarteVarenthe map = drawnMap(".../...");
    map.routeTotalTime = 77; // from an earlier route
    setRouteStart(map, 0, 0);
    EXPECT_EQ(std::tuple(count(map, true), map.routeTotalTime, count(map, false)), std::tuple(0, 77, 6));
    map.routeStartX = -1; // without a start the layers keep what they hold
    searchRoutes(map);
    EXPECT_EQ(count(map, false), 6);
    map.routeStartX = 7; // a start outside clears them
    searchRoutes(map);
    EXPECT_EQ(count(map, false), 0);

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
    EXPECT_EQ(std::tuple(map.routeMarkAt(1, 0), map.routeMarkAt(3, 0), map.routeTotalTime), std::tuple(0, 0, 80));
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

TEST(Itinerary, TheTravellerMeetsCitiesProvincesAndBoatsInOrder)
{
    // Three provinces, the middle one unnamed and crossed by a sea from a port to a port or a beach.
    auto travel = [](int32_t eastShore, bool embark, bool abandon) {
        CarteVarenthe map;
        map.create(60, 13, 20, 13, 1, 100);
        map.provinceNames = {"Aval", "", "Amont"};
        for (int32_t y = 0; y < 13; ++y)
            for (int32_t x = 25; x < 35; ++x)
                map.terrain.at(x, y) = 103;
        map.terrain.at(24, 6) = PortCode;
        map.terrain.at(35, 6) = eastShore;
        map.SetCellElement(10, 6, Element{ElementCity, "Mi-Chemin", 0, 0, 3});
        setRouteOptions(map, false, embark, abandon);
        setRouteEnd(map, 50, 6);
        setRouteStart(map, 2, 6);
        std::vector<std::string> told;
        const std::vector<ItineraryStep> steps = buildItinerary(map);
        for (size_t i = 0; i < steps.size(); ++i) {
            told.push_back(std::string(itineraryEventText(steps[i].event)) + (steps[i].name.empty() ? "" : " ")
                           + steps[i].name);
            EXPECT_LE(i == 0 ? 0 : steps[i - 1].time, steps[i].time) << "step " << i;
        }
        EXPECT_TRUE(steps.size() < 3 || std::tuple(steps.front().time, steps.back().time, steps.back().x, steps[2].x)
                                         == std::tuple(0, map.routeTotalTime, 50, 20)); // a province from its edge
        return told;
    };
    EXPECT_EQ(travel(PortCode, true, false), (std::vector<std::string>{"Départ", "Ville Mi-Chemin",
                                                                         "Province Province A2", "Embarquer",
                                                                         "Débarquer", "Province Amont", "Arrivée"}));
    const std::vector<std::string> beach = travel(SandCode, true, true); // landing on a beach leaves the boat
    ASSERT_GE(beach.size(), 5u);
    EXPECT_EQ(beach[4], "Abandon du bateau");
    EXPECT_TRUE(travel(PortCode, false, false).empty()) << "without boats the far shore is out of reach";
}

TEST(TravelTime, ReadsAsHoursAndTwoDigitsOfMinutesNegativesIncluded)
{
    const std::pair<int32_t, const char *> cases[] = {
        {0, "0:00"}, {61, "1:01"}, {6000, "100:00"}, {-75, "-1:15"},
        {2147483647, "35791394:07"}, {-2147483647 - 1, "-35791394:08"},
    };
    for (const auto &[minutes, text] : cases)
        EXPECT_EQ(FormatTravelTime(minutes), text) << minutes;
}
