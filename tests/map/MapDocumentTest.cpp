// The map document as the editor and the route finder use it: new maps,
// total accessors, roads that join up, elements overwritten and appended,
// palette painting and the new-map presets.
#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

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
    using Cell = std::tuple<int32_t, int32_t, int32_t>; // x, y, tile
    const struct {
        const char *what;
        int32_t fill;
        std::vector<Cell> painted; // in this order
        std::vector<Cell> expected;
    } cases[] = {
        {"alone on grass a road keeps its piece", Grass, {{5, 5, 111}}, {{5, 5, 111}}},
        {"the outside joins from the west", Grass, {{0, 5, 111}}, {{0, 5, 110}}},
        {"on an empty map every neighbour joins", 0, {{4, 4, 112}}, {{4, 4, 120}}},
        {"a road below a line makes a junction", Grass, {{3, 4, 110}, {4, 4, 110}, {5, 4, 110}, {4, 5, 110}},
         {{4, 4, 117}, {4, 5, 111}}},
        {"and a bend beside it", Grass, {{3, 4, 110}, {4, 4, 110}, {5, 4, 110}, {4, 5, 110}, {5, 5, 110}},
         {{5, 4, 114}, {4, 5, 112}}},
        {"a bend", Grass, {{3, 4, 110}, {3, 5, 110}, {4, 5, 110}, {4, 6, 110}}, {{3, 5, 112}}},
        // Neighbours lose the side; one left with no joining side keeps its piece.
        {"grass over a bend", Grass, {{3, 4, 110}, {3, 5, 110}, {4, 5, 110}, {4, 6, 110}, {4, 5, Grass}},
         {{3, 5, 111}, {4, 6, 111}}},
    };
    for (const auto &c : cases) {
        CarteVarenthe map = grassMap(10, 10, c.fill);
        for (const auto &[x, y, tile] : c.painted)
            map.SetCellTile(x, y, tile);
        for (const auto &[x, y, tile] : c.expected)
            EXPECT_EQ(map.terrainAt(x, y), tile) << c.what << " at " << x << "," << y;
    }
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
