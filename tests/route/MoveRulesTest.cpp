// What one step costs under the game's movement rules, case by case.
#include <gtest/gtest.h>

#include "RouteTestMaps.h"
#include "route/MoveRules.h"

using namespace routetest;

namespace {

constexpr bool Foot = true;
constexpr bool Boat = false;
constexpr int32_t E = MoveEast, S = MoveSouth, W = MoveWest, N = MoveNorth;
constexpr int32_t SE = MoveSwitchEast, SS = MoveSwitchSouth, SW = MoveSwitchWest, SN = MoveSwitchNorth;

int32_t cost(const CarteVarenthe &map, int32_t x, int32_t y, bool onFoot, int32_t move)
{
    SearchState to;
    return moveCost(map, SearchState{x, y, static_cast<uint8_t>(onFoot)}, move, to);
}

struct StepCase {
    const char *situation;
    const char *drawing;
    const char *options;
    int32_t x, y;
    bool onFoot;
    int32_t move;
    int32_t cost; // -1: the step is impossible
};

const StepCase StepCases[] = {
    {"off the map eastward with a switch", "pp/pp", "e", 1, 1, Foot, SE, -1},
    {"walking from port to port", "pp/pp", "e", 0, 0, Foot, E, 40},
    {"boarding eastward from a quay", "~~~/~p~/~~~", "e", 1, 1, Foot, SE, 21},
    {"boarding southward", "~~~/~p~/~~~", "e", 1, 1, Foot, SS, 17},
    {"boarding westward", "~~~/~p~/~~~", "e", 1, 1, Foot, SW, 20},
    {"boarding northward", "~~~/~p~/~~~", "e", 1, 1, Foot, SN, 17},
    {"boarding without leave to embark", "~~~/~p~/~~~", "", 1, 1, Foot, SE, -1},
    {"no walking onto water", "~~~/~p~/~~~", "e", 1, 1, Boat, SE, -1},
    {"landing eastward at a port", ".../.p./...", "e", 1, 1, Boat, SE, 21},
    {"a boat abandoned on sand to walk on", "~s./~s.", "ea", 1, 0, Boat, SE, 45},
    {"nobody boards from sand", "~s./~s.", "ea", 1, 0, Foot, SW, -1},
    {"the boat cannot go onto grass", "~s./~s.", "ea", 1, 0, Boat, E, -1},
    {"the boat sails on along the beach", "~s./~s.", "ea", 1, 0, Boat, S, 80},
    {"abandoning needs its option", "~s./~s.", "e", 1, 0, Boat, SE, -1},
    {"abandoning needs leave to embark", "~s./~s.", "a", 1, 0, Boat, SE, -1},
    {"no walking on water", "~.^", "", 1, 0, Foot, W, -1},
    {"mountains cost double", "~.^", "", 1, 0, Foot, E, 80},
    {"wings fly over water", "~.^", "w", 1, 0, Foot, W, 40},
    {"wings fly over mountains", "~.^", "w", 1, 0, Foot, E, 40},
    {"no boat into a building", "pH~/~~~", "e", 1, 1, Boat, N, -1},
    {"a building is walked like a port", "pH~/~~~", "e", 0, 0, Foot, E, 40},
    {"no boat next to a building", "pH~/~~~", "e", 2, 0, Boat, W, -1},
    {"a port's switch reaches a building on foot", "pH~/~~~", "e", 0, 0, Foot, SE, 21},
    {"the first code past the tables is walked like a port", "pZ~", "", 0, 0, Foot, E, 40},
    {"a negative code is closed to boats", "pN~", "", 2, 0, Boat, W, -1},
};

} // namespace

TEST(MoveRules, EachStepCostsWhatTheRulesSay)
{
    for (const StepCase &c : StepCases) {
        CarteVarenthe map = drawnMap(c.drawing);
        setOptions(map, c.options);
        EXPECT_EQ(cost(map, c.x, c.y, c.onFoot, c.move), c.cost) << c.situation;
    }
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
    struct Step {
        int32_t x, y, move, cost;
    } steps[] = {
        {19, 0, E, 0},  {20, 0, W, 0},  {18, 0, E, 40}, {19, 13, E, 40}, {9, 13, E, 0},
        {10, 13, W, 0}, {5, 12, S, 0},  {5, 13, N, 0},  {5, 11, S, 40},  {19, 26, E, 0},
    };
    for (const Step &s : steps)
        EXPECT_EQ(cost(world, s.x, s.y, Foot, s.move), s.cost) << s.x << "," << s.y << " move " << s.move;
    // The shift stays 10 cells whatever the province width.
    CarteVarenthe narrow;
    narrow.create(40, 20, 7, 5, 1, 100);
    EXPECT_EQ(cost(narrow, 6, 0, Foot, E), 0);
    EXPECT_EQ(cost(narrow, 3, 5, Foot, E), 0); // (3 + 10) mod 7 = 6
    EXPECT_EQ(cost(narrow, 6, 5, Foot, E), 40);
    // A closed cell stays closed across the edge; a boat slips into a building across it for free.
    world.terrain.at(20, 0) = 105;
    world.terrain.at(20, 1) = 103;
    EXPECT_EQ(cost(world, 19, 0, Foot, E), 0);
    EXPECT_EQ(cost(world, 19, 1, Foot, E), -1);
    world.terrain.at(19, 2) = 103;
    world.terrain.at(20, 2) = 200;
    EXPECT_EQ(cost(world, 19, 2, Boat, E), 0);
}

TEST(MoveRules, UnsoundTablesNeverGiveNegativeOrOverflowingSteps)
{
    CarteVarenthe map = drawnMap("..^");
    map.costTables.footCost[100] = -40;
    EXPECT_EQ(cost(map, 1, 0, Foot, W), -1);
    map.costTables.footCost[105] = 2147483647;
    EXPECT_EQ(cost(map, 1, 0, Foot, E), 2147483647);
    EXPECT_EQ(largestStepCost(map), 2147483647LL + 5);
    map.terrain.at(0, 0) = 200;
    map.costTables.footCost[1] = -3;
    EXPECT_EQ(cost(map, 1, 0, Foot, W), -1);
    CarteVarenthe beach = drawnMap("s^");
    setOptions(beach, "ea");
    beach.costTables.footCost[105] = 2147483647;
    EXPECT_EQ(cost(beach, 0, 0, Boat, SE), -1);
}
