// The map document as the editor and the route finder use it: new maps,
// total accessors, roads that join up, elements overwritten and appended,
// palette painting and the new-map presets.
#include <gtest/gtest.h>

#include <map>

#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapPresets.h"
#include "map/PaletteEdit.h"

namespace {

constexpr int32_t Grass = 100;

CarteVarenthe grassMap(int32_t width = 10, int32_t height = 10, int32_t fill = Grass)
{
    CarteVarenthe map;
    map.create(width, height, 0, 0, 0, fill);
    return map;
}

// Sides each road piece is open to: 1 west, 2 north, 4 east, 8 south.
const std::map<int32_t, int> OpenSides = {
    {110, 1 | 4},     {111, 2 | 8},     {112, 2 | 4},     {113, 4 | 8},
    {114, 8 | 1},     {115, 1 | 2},     {116, 2 | 4 | 8}, {117, 1 | 4 | 8},
    {118, 1 | 2 | 8}, {119, 1 | 2 | 4}, {120, 15},
};

} // namespace

TEST(MapDocument, ANewMapIsUnsavedUndatedFilledAndRefusesImpossibleSides)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 103);
    EXPECT_TRUE(world.modified && world.untitled);
    EXPECT_EQ(world.generatedAt, 0);
    EXPECT_EQ(world.costTables, worldCostTables());
    EXPECT_EQ(world.terrainAt(299, 168), 103);
    EXPECT_EQ(world.routeTimeAt(5, 5, OnFoot), -1);
    EXPECT_EQ(world.routeStartX, -1);
    EXPECT_EQ(world.routeTotalTime, -1);
    EXPECT_EQ(grassMap(20, 13).costTables, cityCostTables());

    for (const auto &[width, height] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {10, -1}, {4097, 1}, {1, 4097}}) {
        CarteVarenthe map;
        EXPECT_THROW(map.create(width, height, 0, 0, 0, 0), MapCreateError) << width << "x" << height;
    }
    CarteVarenthe map;
    EXPECT_THROW(map.create(10, 10, -20, 13, 0, 0), MapCreateError);
    EXPECT_NO_THROW(map.create(1, 1, 0, 0, 0, 0));
}

TEST(MapDocument, EverythingOutsideTheMapReadsEmptyAndIgnoresWrites)
{
    CarteVarenthe map = grassMap(4, 3);
    map.modified = false;
    for (const auto &[x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 7}}) {
        EXPECT_EQ(map.terrainAt(x, y), 0);
        EXPECT_EQ(map.routeMarkAt(x, y), 0);
        EXPECT_EQ(map.routeTimeAt(x, y, OnFoot), -1);
        EXPECT_EQ(map.elementAt(x, y), nullptr);
        map.SetCellTile(x, y, 105);
        ApplyPaletteTile(map, x, y, 253);
    }
    EXPECT_FALSE(map.modified);
    EXPECT_TRUE(map.elements.empty());
    EXPECT_EQ(map.routeTimeAt(0, 0, 2), -1);
    EXPECT_EQ(map.routeStepAt(0, 0, -1), -1);
    ApplyPaletteTile(map, 0, 0, Grass); // the same tile again still counts as a change
    EXPECT_TRUE(map.modified);
}

TEST(MapDocument, EveryRoadPieceOpensTowardsTheRoadsAroundIt)
{
    // A road at the centre of a 3 x 3 grass map, with roads on the sides of
    // each mask: the piece chosen opens exactly to those sides (a single
    // neighbour gives the straight piece through it). 121 and 122 are joined
    // to but never re-shaped.
    const std::pair<int, int> sideCells[] = {{0, 1}, {1, 0}, {2, 1}, {1, 2}};
    for (int mask = 1; mask < 16; ++mask) {
        CarteVarenthe map = grassMap(3, 3);
        for (int side = 0; side < 4; ++side)
            if (mask & (1 << side))
                map.terrain.at(sideCells[side].first, sideCells[side].second) = side % 2 ? 121 : 122;
        ApplyPaletteTile(map, 1, 1, 110);
        const int32_t piece = map.terrainAt(1, 1);
        ASSERT_TRUE(OpenSides.count(piece)) << "mask " << mask;
        const int expected = mask == 1 || mask == 4 ? 1 | 4 : mask == 2 || mask == 8 ? 2 | 8 : mask;
        EXPECT_EQ(OpenSides.at(piece), expected) << "mask " << mask << " gave " << piece;
        for (int side = 0; side < 4; ++side) {
            if (mask & (1 << side)) {
                EXPECT_EQ(map.terrainAt(sideCells[side].first, sideCells[side].second), side % 2 ? 121 : 122);
            }
        }
    }
}

TEST(MapDocument, RoadsJoinTheirNeighboursTheMapEdgeAndEmptyCells)
{
    CarteVarenthe lonely = grassMap();
    lonely.SetCellTile(5, 5, 111);
    EXPECT_EQ(lonely.terrainAt(5, 5), 111) << "alone on grass a road keeps its piece";
    CarteVarenthe edge = grassMap();
    edge.SetCellTile(0, 5, 111);
    EXPECT_EQ(edge.terrainAt(0, 5), 110) << "the outside joins from the west";
    CarteVarenthe empty = grassMap(10, 10, 0);
    empty.SetCellTile(4, 4, 112);
    EXPECT_EQ(empty.terrainAt(4, 4), 120) << "on an empty map every neighbour joins";

    // A road painted below a line re-shapes the line into a junction.
    CarteVarenthe map = grassMap();
    for (int x = 3; x <= 5; ++x)
        map.SetCellTile(x, 4, 110);
    map.SetCellTile(4, 5, 110);
    EXPECT_EQ(map.terrainAt(4, 4), 117);
    EXPECT_EQ(map.terrainAt(4, 5), 111);
    map.SetCellTile(5, 5, 110);
    EXPECT_EQ(map.terrainAt(5, 4), 114);

    // Grass over a road: its neighbours lose that side, and one left with no
    // joining side keeps the piece it had.
    CarteVarenthe bend = grassMap();
    for (const auto &[x, y] : {std::pair{3, 4}, {3, 5}, {4, 5}, {4, 6}})
        bend.SetCellTile(x, y, 110);
    EXPECT_EQ(bend.terrainAt(3, 5), 112);
    bend.SetCellTile(4, 5, Grass);
    EXPECT_EQ(bend.terrainAt(3, 5), 111);
    EXPECT_EQ(bend.terrainAt(4, 6), 111);
}

TEST(MapDocument, AnElementOnAnOccupiedCellReplacesItAndAnEmptyCellAppends)
{
    CarteVarenthe map = grassMap();
    map.modified = false;
    map.SetCellElement(2, 3, Element{ElementCity, "Alba", 99, 99, 7});
    EXPECT_TRUE(map.modified);
    map.SetCellElement(6, 1, Element{ElementCity, "Selmar", 0, 0, 8});
    EXPECT_EQ(map.elementIndex.at(6, 1), 2);
    EXPECT_EQ(map.elements[0].x, 2); // placed where it is put, whatever it said
    EXPECT_EQ(map.elements[0].y, 3);

    // Zones of the palette replace the city, keep the terrain, carry their name.
    ApplyPaletteTile(map, 2, 3, 255);
    ApplyPaletteTile(map, 3, 3, 251);
    ASSERT_EQ(map.elements.size(), 3u);
    EXPECT_EQ(map.elementIndex.at(2, 3), 1);
    EXPECT_EQ(map.elements[0].kind, ElementZone);
    EXPECT_EQ(map.elements[0].name, "Zone commerciale");
    EXPECT_EQ(map.elements[0].number, 255);
    EXPECT_EQ(map.elementAt(3, 3)->name, "");
    EXPECT_EQ(map.terrainAt(2, 3), Grass);
    EXPECT_EQ(zoneName(253), "Zone habitable");
    EXPECT_EQ(zoneName(254), "Zone religieuse");

    // The eraser leaves an empty record, even on a cell that held nothing.
    ApplyPaletteTile(map, 2, 3, 257);
    EXPECT_EQ(map.elementAt(2, 3)->kind, ElementNone);
    EXPECT_EQ(map.elementAt(2, 3)->number, 0);
    ApplyPaletteTile(map, 0, 0, 257);
    ASSERT_EQ(map.elements.size(), 4u);
    EXPECT_EQ(map.elementIndex.at(0, 0), 4);
}

TEST(MapDocument, ProvincesOfOddRowsAreShiftedTenCellsEast)
{
    CarteVarenthe world;
    world.create(310, 169, 20, 13, 1, Grass);
    world.provinceNames = {"Première", "Deuxième"};
    EXPECT_EQ(world.provincesPerRow(), 15);
    EXPECT_EQ(world.provinceRows(), 13);
    EXPECT_EQ(world.provinceIndexAt(20, 12), 1);
    EXPECT_EQ(world.provinceNameAt(25, 0), "Deuxième");
    EXPECT_EQ(world.provinceIndexAt(9, 13), -1); // west of the shifted row
    EXPECT_EQ(world.provinceIndexAt(10, 13), 15);
    EXPECT_EQ(world.provinceNameAt(10, 13), ""); // a province without a name

    CarteVarenthe narrower;
    narrower.create(300, 169, 20, 13, 1, Grass);
    EXPECT_EQ(narrower.provinceLayoutCount(), 195); // (300 - 10) / 20 rounded up
    EXPECT_EQ(grassMap(20, 13).provinceLayoutCount(), 0);
}

TEST(MapPresets, TheWorldAndCityPresetsAndTheFieldsTypedInTheDialog)
{
    ASSERT_EQ(mapPresets().size(), 3u);
    const char *captions[] = {"Carte du Pelmorin", "Carte de ville / de province", "Personnaliser"};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_STREQ(mapPresets()[i].caption, captions[i]);
    EXPECT_FALSE(mapPresets()[CustomMapPreset].fixed);
    CarteVarenthe world;
    createMap(world, presetRequest(WorldMapPreset, 100));
    EXPECT_EQ(std::vector({world.width, world.height, world.provinceWidth, world.provinceHeight, world.mapType}),
              std::vector({300, 169, 20, 13, 1}));
    EXPECT_EQ(world.terrainAt(150, 80), 100);
    CarteVarenthe city;
    createMap(city, presetRequest(DefaultMapPreset, baseTerrains()[DefaultBaseTerrain].tile));
    EXPECT_EQ(std::vector({city.width, city.height, city.provinceWidth, city.mapType, city.terrainAt(0, 0)}),
              std::vector({20, 13, 0, 0, 0}));

    const int32_t tiles[] = {0, 100, 103, 104, 105, 106, 107};
    for (size_t i = 0; i < baseTerrains().size(); ++i)
        EXPECT_EQ(baseTerrains()[i].tile, tiles[i]);
    EXPECT_STREQ(baseTerrains()[5].caption, "Plage / Désert");

    EXPECT_EQ(fieldInteger(" 300 "), 300);
    EXPECT_EQ(fieldInteger("-4"), -4);
    for (const char *notANumber : {"abc", "", "12a", "99999999999"})
        EXPECT_EQ(fieldInteger(notANumber), std::nullopt) << notANumber;
    EXPECT_EQ(NewMapRequest{}.width, 20); // the value of a width typed as letters
}
