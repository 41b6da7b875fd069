// The map document as the editor and the route finder use it: new maps,
// total accessors, roads that join up, elements overwritten and appended.
#include <gtest/gtest.h>

#include <map>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"

namespace {

constexpr int32_t Grass = 100;

CarteVarenthe grassMap(int32_t width = 10, int32_t height = 10)
{
    CarteVarenthe map;
    map.create(width, height, 0, 0, 0, Grass);
    return map;
}

// Sides each road piece is open to: 1 west, 2 north, 4 east, 8 south.
const std::map<int32_t, int> OpenSides = {
    {110, 1 | 4},     {111, 2 | 8},     {112, 2 | 4},     {113, 4 | 8},
    {114, 8 | 1},     {115, 1 | 2},     {116, 2 | 4 | 8}, {117, 1 | 4 | 8},
    {118, 1 | 2 | 8}, {119, 1 | 2 | 4}, {120, 15},
};

} // namespace

TEST(MapDocument, aNewMapIsUnsavedUndatedAndFilledWithItsTerrain)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 103);
    EXPECT_TRUE(world.modified);
    EXPECT_TRUE(world.untitled);
    EXPECT_EQ(world.generatedAt, 0);
    EXPECT_EQ(world.costTables, worldCostTables());
    EXPECT_EQ(world.terrainAt(0, 0), 103);
    EXPECT_EQ(world.terrainAt(299, 168), 103);
    EXPECT_EQ(world.provinceLayoutCount(), 15 * 13);
    EXPECT_EQ(world.routeTimeAt(5, 5, OnFoot), -1);
    EXPECT_EQ(world.routeStartX, -1);
    EXPECT_EQ(world.routeTotalTime, -1);

    const CarteVarenthe city = grassMap(20, 13);
    EXPECT_EQ(city.costTables, cityCostTables());
    EXPECT_EQ(city.provinceLayoutCount(), 0);
}

TEST(MapDocument, dimensionsAMapCannotHaveAreRefused)
{
    for (const auto &[width, height] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {10, -1}, {4097, 1}, {1, 4097}}) {
        CarteVarenthe map;
        EXPECT_THROW(map.create(width, height, 0, 0, 0, 0), MapCreateError) << width << "x" << height;
    }
    CarteVarenthe map;
    EXPECT_THROW(map.create(10, 10, -20, 13, 0, 0), MapCreateError);
    EXPECT_NO_THROW(map.create(1, 1, 0, 0, 0, 0));
}

TEST(MapDocument, everythingOutsideTheMapReadsEmptyAndIgnoresWrites)
{
    CarteVarenthe map = grassMap(4, 3);
    map.modified = false;
    for (const auto &[x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 7}}) {
        EXPECT_EQ(map.terrainAt(x, y), 0);
        EXPECT_EQ(map.routeMarkAt(x, y), 0);
        EXPECT_EQ(map.routeTimeAt(x, y, OnFoot), -1);
        EXPECT_EQ(map.elementAt(x, y), nullptr);
        map.SetCellTile(x, y, 105);
        map.SetCellElement(x, y, Element{ElementCity, "Nulle part", 0, 0, 1});
    }
    EXPECT_FALSE(map.modified);
    EXPECT_TRUE(map.elements.empty());
    EXPECT_EQ(map.routeTimeAt(0, 0, 2), -1);
    EXPECT_EQ(map.routeTimeAt(0, 0, -1), -1);
    EXPECT_EQ(map.routeStepAt(0, 0, 2), -1);
}

TEST(MapDocument, everyRoadPieceOpensTowardsTheRoadsAroundIt)
{
    // A road at the centre of a 3 x 3 grass map, with roads on the sides of
    // each mask: the piece chosen opens exactly to those sides (a single
    // neighbour gives the straight piece through it).
    const std::pair<int, int> sideCells[] = {{0, 1}, {1, 0}, {2, 1}, {1, 2}};
    for (int mask = 1; mask < 16; ++mask) {
        CarteVarenthe map = grassMap(3, 3);
        for (int side = 0; side < 4; ++side) {
            if (mask & (1 << side))
                map.terrain.at(sideCells[side].first, sideCells[side].second) = 121;
        }
        map.SetCellTile(1, 1, 110);
        const int32_t piece = map.terrainAt(1, 1);
        ASSERT_TRUE(OpenSides.count(piece)) << "mask " << mask;
        const int open = OpenSides.at(piece);
        if (mask == 1 || mask == 4)
            EXPECT_EQ(piece, 110) << "mask " << mask;
        else if (mask == 2 || mask == 8)
            EXPECT_EQ(piece, 111) << "mask " << mask;
        else
            EXPECT_EQ(open, mask) << "mask " << mask << " gave " << piece;
        // 121 and 122 are joined to but never re-shaped.
        for (int side = 0; side < 4; ++side) {
            if (mask & (1 << side)) {
                EXPECT_EQ(map.terrainAt(sideCells[side].first, sideCells[side].second), 121);
            }
        }
    }
}

TEST(MapDocument, roadsJoinTheirNeighboursTheMapEdgeAndEmptyCells)
{
    // Alone on grass, a road keeps the piece that was placed.
    CarteVarenthe lonely = grassMap();
    lonely.SetCellTile(5, 5, 111);
    EXPECT_EQ(lonely.terrainAt(5, 5), 111);

    // At the left edge the outside joins from the west.
    CarteVarenthe edge = grassMap();
    edge.SetCellTile(0, 5, 111);
    EXPECT_EQ(edge.terrainAt(0, 5), 110);

    // On an empty map every neighbour joins: a crossing.
    CarteVarenthe empty;
    empty.create(10, 10, 0, 0, 0, 0);
    empty.SetCellTile(4, 4, 112);
    EXPECT_EQ(empty.terrainAt(4, 4), 120);

    // A road placed beside another re-joins it.
    CarteVarenthe map = grassMap();
    map.SetCellTile(3, 5, 110);
    map.SetCellTile(4, 5, 110);
    map.SetCellTile(5, 5, 110);
    EXPECT_EQ(map.terrainAt(5, 5), 110);
    map.SetCellTile(5, 6, 110);
    EXPECT_EQ(map.terrainAt(5, 6), 111);
    EXPECT_EQ(map.terrainAt(5, 5), 114);

    // Grass over a road: its neighbours lose that side, and one left with no
    // joining side keeps the piece it had.
    CarteVarenthe bend = grassMap();
    for (const auto &[x, y] : {std::pair{3, 4}, {3, 5}, {4, 5}, {4, 6}})
        bend.SetCellTile(x, y, 110);
    EXPECT_EQ(bend.terrainAt(3, 5), 112); // north and east
    EXPECT_EQ(bend.terrainAt(4, 5), 114); // west and south
    bend.SetCellTile(4, 5, Grass);
    EXPECT_EQ(bend.terrainAt(3, 5), 111); // north only
    EXPECT_EQ(bend.terrainAt(4, 6), 111); // nothing left: unchanged
}

TEST(MapDocument, anElementOnAnOccupiedCellReplacesItAndAnEmptyCellAppends)
{
    CarteVarenthe map = grassMap();
    map.modified = false;
    map.SetCellElement(2, 3, Element{ElementCity, "Alba", 99, 99, 7});
    EXPECT_TRUE(map.modified);
    map.SetCellElement(6, 1, Element{ElementCity, "Selmar", 0, 0, 8});
    ASSERT_EQ(map.elements.size(), 2u);
    EXPECT_EQ(map.elementIndex.at(6, 1), 2);
    EXPECT_EQ(map.elements[0].x, 2); // placed where it is put, whatever it said
    EXPECT_EQ(map.elements[0].y, 3);

    map.SetCellElement(2, 3, Element{ElementZone, "Zone commerciale", 0, 0, 255});
    ASSERT_EQ(map.elements.size(), 2u);
    EXPECT_EQ(map.elementIndex.at(2, 3), 1);
    EXPECT_EQ(map.elements[0].kind, ElementZone);
    EXPECT_EQ(map.elements[0].name, "Zone commerciale");
    EXPECT_EQ(map.elements[0].number, 255);

    // Erasing a cell that holds nothing still leaves an empty record.
    map.SetCellElement(0, 0, Element{});
    ASSERT_EQ(map.elements.size(), 3u);
    EXPECT_EQ(map.elementAt(0, 0)->kind, ElementNone);
    EXPECT_EQ(map.elementIndex.at(0, 0), 3);
}

TEST(MapDocument, resetEmptiesTheMapButKeepsItsCostsAndType)
{
    CarteVarenthe map;
    map.create(30, 20, 20, 13, 1, Grass);
    map.SetCellElement(1, 1, Element{ElementCity, "Alba", 0, 0, 7});
    map.provinceNames = {"Nord"};
    map.costTables.footCost[100] = 55;
    map.routeStartX = 3;
    map.routeEndY = 4;
    map.routeTotalTime = 120;
    map.routeTime[OnFoot].at(2, 2) = 40;
    map.routeMark.at(2, 2) = MarkOnRoute;

    map.reset(8, 6, 2, 105);
    EXPECT_EQ(map.width, 8);
    EXPECT_EQ(map.height, 6);
    EXPECT_TRUE(map.elements.empty());
    EXPECT_TRUE(map.provinceNames.empty());
    EXPECT_EQ(map.elementAt(1, 1), nullptr);
    EXPECT_EQ(map.terrainAt(7, 5), 105);
    EXPECT_EQ(map.routeTimeAt(2, 2, OnFoot), -1);
    EXPECT_EQ(map.routeMarkAt(2, 2), 0);
    EXPECT_EQ(map.routeStartX, -1);
    EXPECT_EQ(map.routeEndY, -1);
    EXPECT_EQ(map.routeTotalTime, -1);
    EXPECT_EQ(map.costTables.footCost[100], 55);
    EXPECT_EQ(map.mapType, 1);
    EXPECT_EQ(map.provinceWidth, 20);
}

TEST(MapDocument, provincesOfOddRowsAreShiftedTenCellsEast)
{
    CarteVarenthe world;
    world.create(310, 169, 20, 13, 1, Grass);
    world.provinceNames = {"Première", "Deuxième"};
    EXPECT_EQ(world.provincesPerRow(), 15);
    EXPECT_EQ(world.provinceRows(), 13);
    EXPECT_EQ(world.provinceIndexAt(0, 0), 0);
    EXPECT_EQ(world.provinceIndexAt(20, 12), 1);
    EXPECT_EQ(world.provinceNameAt(25, 0), "Deuxième");
    EXPECT_EQ(world.provinceIndexAt(9, 13), -1); // west of the shifted row
    EXPECT_EQ(world.provinceIndexAt(10, 13), 15);
    EXPECT_EQ(world.provinceNameAt(10, 13), ""); // a province without a name

    CarteVarenthe narrower;
    narrower.create(300, 169, 20, 13, 1, Grass);
    EXPECT_EQ(narrower.provinceLayoutCount(), 195); // (300 - 10) / 20 rounded up
}
