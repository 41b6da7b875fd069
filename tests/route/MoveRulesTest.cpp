#include <gtest/gtest.h>

#include "RouteTestMaps.h"
#include "route/MoveRules.h"

using routetest::drawnMap;

namespace {

int32_t cost(const CarteVarenthe &map, int32_t x, int32_t y, bool onFoot, int32_t move)
{
    SearchState to;
    return moveCost(map, SearchState{x, y, static_cast<uint8_t>(onFoot)}, move, to);
}

} // namespace

TEST(MoveRules, NoStepLeavesTheMap)
{
    CarteVarenthe map = drawnMap({"pp", "pp"});
    map.allowEmbark = true;
    for (bool onFoot : {true, false}) {
        // Corner (0, 0): west and north lead off the map, with or without a switch.
        for (int32_t move : {MoveWest, MoveNorth, MoveSwitchWest, MoveSwitchNorth})
            EXPECT_EQ(cost(map, 0, 0, onFoot, move), -1) << move;
        for (int32_t move : {MoveEast, MoveSouth, MoveSwitchEast, MoveSwitchSouth})
            EXPECT_EQ(cost(map, 1, 1, onFoot, move), -1) << move;
        EXPECT_GT(cost(map, 0, 0, onFoot, MoveSwitchEast), 0);
    }
    SearchState to;
    EXPECT_EQ(moveCost(map, SearchState{0, 0, 1}, MoveEast, to), 40);
    EXPECT_EQ(to.x, 1);
    EXPECT_EQ(to.y, 0);
    // The reached state is filled in even for an impossible step.
    EXPECT_EQ(moveCost(map, SearchState{0, 0, 1}, MoveSwitchNorth, to), -1);
    EXPECT_EQ(to.x, 0);
    EXPECT_EQ(to.y, -1);
    EXPECT_EQ(to.onFoot, 0);
}

TEST(MoveRules, PortSwitchesCostByDirectionBothWays)
{
    // A port in the middle of water: boarding from the quay.
    CarteVarenthe water = drawnMap({"~~~", "~p~", "~~~"});
    water.allowEmbark = true;
    // A port in the middle of grass: landing from the boat.
    CarteVarenthe land = drawnMap({"...", ".p.", "..."});
    land.allowEmbark = true;
    const int32_t expected[4] = {21, 17, 20, 17};
    for (int32_t direction = 0; direction < 4; ++direction) {
        EXPECT_EQ(cost(water, 1, 1, true, MoveSwitchEast + direction), expected[direction]);
        EXPECT_EQ(cost(land, 1, 1, false, MoveSwitchEast + direction), expected[direction]);
        // The new layer must accept the neighbour: no boat on grass, no walking on water.
        EXPECT_EQ(cost(land, 1, 1, true, MoveSwitchEast + direction), -1);
        EXPECT_EQ(cost(water, 1, 1, false, MoveSwitchEast + direction), -1);
    }
    water.allowEmbark = false;
    for (int32_t move = MoveSwitchEast; move <= MoveSwitchNorth; ++move)
        EXPECT_EQ(cost(water, 1, 1, true, move), -1);
}

TEST(MoveRules, BoatAbandonedOnSandToWalkOn)
{
    CarteVarenthe map = drawnMap({"~s.", "~s."});
    map.allowEmbark = true;
    map.allowAbandon = true;
    EXPECT_EQ(cost(map, 1, 0, false, MoveSwitchEast), 45);
    // Walking off the sand onto the sand below costs the sand's own 40.
    EXPECT_EQ(cost(map, 1, 0, false, MoveSwitchSouth), 45);
    // Nobody boards from sand, and the boat cannot go onto grass.
    EXPECT_EQ(cost(map, 1, 0, true, MoveSwitchWest), -1);
    EXPECT_EQ(cost(map, 1, 0, false, MoveEast), -1);
    // The boat sails on along the beach.
    EXPECT_EQ(cost(map, 1, 0, false, MoveSouth), 80);
    map.allowAbandon = false;
    EXPECT_EQ(cost(map, 1, 0, false, MoveSwitchEast), -1);
    map.allowAbandon = true;
    map.allowEmbark = false;
    EXPECT_EQ(cost(map, 1, 0, false, MoveSwitchEast), -1);
}

TEST(MoveRules, ProvinceEdgesAreCrossedForFree)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 100);
    EXPECT_EQ(cost(world, 19, 0, true, MoveEast), 0);
    EXPECT_EQ(cost(world, 20, 0, true, MoveWest), 0);
    EXPECT_EQ(cost(world, 18, 0, true, MoveEast), 40);
    // Odd province rows are shifted east by 10 cells.
    EXPECT_EQ(cost(world, 19, 13, true, MoveEast), 40);
    EXPECT_EQ(cost(world, 9, 13, true, MoveEast), 0);
    EXPECT_EQ(cost(world, 10, 13, true, MoveWest), 0);
    EXPECT_EQ(cost(world, 5, 12, true, MoveSouth), 0);
    EXPECT_EQ(cost(world, 5, 13, true, MoveNorth), 0);
    EXPECT_EQ(cost(world, 5, 11, true, MoveSouth), 40);
    // Province row 2 is even again.
    EXPECT_EQ(cost(world, 19, 26, true, MoveEast), 0);
    // The shift stays 10 cells whatever the province width.
    CarteVarenthe narrow;
    narrow.create(40, 20, 7, 5, 1, 100);
    EXPECT_EQ(cost(narrow, 6, 0, true, MoveEast), 0);
    EXPECT_EQ(cost(narrow, 3, 5, true, MoveEast), 0); // (3 + 10) mod 7 = 6
    EXPECT_EQ(cost(narrow, 6, 5, true, MoveEast), 40);
    // A closed cell stays closed across the edge.
    world.terrain.at(20, 0) = 105;
    world.terrain.at(20, 1) = 103;
    EXPECT_EQ(cost(world, 19, 0, true, MoveEast), 0);
    EXPECT_EQ(cost(world, 19, 1, true, MoveEast), -1);
}

TEST(MoveRules, WingsFlyOverWaterAndMountains)
{
    CarteVarenthe map = drawnMap({"~.^"});
    EXPECT_EQ(cost(map, 1, 0, true, MoveWest), -1);
    EXPECT_EQ(cost(map, 1, 0, true, MoveEast), 80);
    map.useWingsGift = true;
    EXPECT_EQ(cost(map, 1, 0, true, MoveWest), 40);
    EXPECT_EQ(cost(map, 1, 0, true, MoveEast), 40);
    EXPECT_TRUE(startsOnFoot(map, 0, 0));
    map.useWingsGift = false;
    EXPECT_FALSE(startsOnFoot(map, 0, 0));
    EXPECT_TRUE(startsOnFoot(map, 1, 0));
}

TEST(MoveRules, BuildingCodesAreWalkedLikeAPortAndClosedToBoats)
{
    CarteVarenthe map = drawnMap({"pH~", "~~~"}, 1, 0, 0);
    map.allowEmbark = true;
    EXPECT_EQ(cost(map, 1, 1, false, MoveNorth), -1);
    EXPECT_EQ(cost(map, 0, 0, true, MoveEast), 40);
    EXPECT_EQ(cost(map, 2, 0, false, MoveWest), -1);
    // A port's switch reaches it in either layer.
    EXPECT_EQ(cost(map, 0, 0, true, MoveSwitchEast), 21);
    EXPECT_EQ(cost(map, 0, 0, false, MoveSwitchEast), 21);
    // Codes without a table entry count as such codes everywhere.
    for (int32_t code : {-7, 256, 5000}) {
        map.terrain.at(1, 0) = code;
        EXPECT_EQ(cost(map, 0, 0, true, MoveEast), 40) << code;
        EXPECT_EQ(cost(map, 2, 0, false, MoveWest), -1) << code;
        EXPECT_TRUE(startsOnFoot(map, 1, 0)) << code;
    }
    map.costTables.footCost[1] = 0;
    EXPECT_FALSE(startsOnFoot(map, 1, 0));
    // Across a province edge a boat slips into such a cell for free.
    CarteVarenthe world;
    world.create(40, 20, 20, 13, 1, 103);
    world.terrain.at(20, 0) = 200;
    EXPECT_EQ(cost(world, 19, 0, false, MoveEast), 0);
    EXPECT_EQ(cost(world, 21, 0, false, MoveWest), -1);
}

TEST(MoveRules, UnsoundTablesNeverGiveNegativeOrOverflowingSteps)
{
    CarteVarenthe map = drawnMap({"..^"});
    map.costTables.footCost[100] = -40;
    EXPECT_EQ(cost(map, 1, 0, true, MoveWest), -1);
    map.costTables.footCost[105] = 1000;
    EXPECT_EQ(cost(map, 1, 0, true, MoveEast), 1000);
    map.costTables.footCost[105] = 2147483647;
    EXPECT_EQ(cost(map, 1, 0, true, MoveEast), 2147483647);
    EXPECT_EQ(largestStepCost(map), 2147483647LL + 5);
    map.terrain.at(0, 0) = 200;
    map.costTables.footCost[1] = -3;
    EXPECT_EQ(cost(map, 1, 0, true, MoveWest), -1);
    // Abandoning a boat for a step that long overflows no minute count.
    CarteVarenthe beach = drawnMap({"s^"});
    beach.allowEmbark = beach.allowAbandon = true;
    beach.costTables.footCost[105] = 2147483647;
    EXPECT_EQ(cost(beach, 0, 0, false, MoveSwitchEast), -1);
    EXPECT_EQ(largestStepCost(drawnMap({"."})), 85);
    EXPECT_EQ(largestStepCost(drawnMap({"."}, 0)), 21);
}
