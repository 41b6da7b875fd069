// The map document: new maps, outside the map, roads that join, elements and provinces.
#include <gtest/gtest.h>

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

} // namespace

TEST(MapDocument, ANewMapIsUnsavedUndatedFilledAndRefusesImpossibleSides)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 103);
    EXPECT_TRUE(world.modified && world.untitled);
    EXPECT_EQ(std::tuple(world.generatedAt, world.terrainAt(299, 168), world.routeTimeAt(5, 5, OnFoot),
                         world.routeStartX, world.routeTotalTime),
              std::tuple(0, 103, -1, -1, int64_t{-1}));
    for (const auto &[width, height] : {std::pair{0, 10}, {10, 0}, {4097, 1}, {1, 4097}})
        EXPECT_THROW(CarteVarenthe().create(width, height, 0, 0, 0, 0), MapCreateError) << width << "x" << height;
    EXPECT_THROW(CarteVarenthe().create(10, 10, -20, 13, 0, 0), MapCreateError);
    EXPECT_NO_THROW(CarteVarenthe().create(1, 1, 0, 0, 0, 0));
    EXPECT_EQ(fieldInteger(" -300 "), std::optional(-300)); // sizes typed in the new-map dialog
    for (const char *notANumber : {"abc", "", "12a", "99999999999"})
        EXPECT_EQ(fieldInteger(notANumber), std::nullopt) << notANumber;
}

TEST(MapDocument, EverythingOutsideTheMapReadsEmptyAndIgnoresWrites)
{
    CarteVarenthe map = grassMap(4, 3);
    map.modified = false;
    for (const auto &[x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 7}}) {
        EXPECT_EQ(std::tuple(map.terrainAt(x, y), map.routeMarkAt(x, y), map.routeTimeAt(x, y, OnFoot),
                             map.elementAt(x, y)),
                  std::tuple(0, 0, -1, nullptr));
        map.SetCellTile(x, y, 105);
        ApplyPaletteTile(map, x, y, 253);
    }
    EXPECT_FALSE(map.modified);
    EXPECT_TRUE(map.elements.empty());
    EXPECT_EQ(std::pair(map.routeTimeAt(0, 0, 2), map.routeStepAt(0, 0, -1)), std::pair(-1, -1));
    ApplyPaletteTile(map, 0, 0, Grass); // the same tile again still counts as a change
    EXPECT_TRUE(map.modified);
}

TEST(MapDocument, EveryRoadPieceOpensTowardsTheRoadsAroundIt)
{
    // Sides of each mask: 1 west, 2 north, 4 east, 8 south; 121 and 122 are joined to, never re-shaped.
    constexpr int32_t Piece[16] = {0, 110, 111, 115, 110, 110, 112, 119, 111, 114, 111, 118, 113, 117, 116, 120};
    const std::pair<int, int> sideCells[] = {{0, 1}, {1, 0}, {2, 1}, {1, 2}};
    for (int mask = 1; mask < 16; ++mask) {
        CarteVarenthe map = grassMap(3, 3);
        for (int side = 0; side < 4; ++side)
            if (mask & (1 << side))
                map.terrain.at(sideCells[side].first, sideCells[side].second) = side % 2 ? 121 : 122;
        const std::vector<int32_t> around = {map.terrainAt(0, 1), map.terrainAt(1, 0), map.terrainAt(2, 1),
                                             map.terrainAt(1, 2)};
        ApplyPaletteTile(map, 1, 1, 110);
        EXPECT_EQ(map.terrainAt(1, 1), Piece[mask]) << "mask " << mask;
        EXPECT_EQ(around, std::vector({map.terrainAt(0, 1), map.terrainAt(1, 0), map.terrainAt(2, 1),
                                       map.terrainAt(1, 2)}));
    }
}

TEST(MapDocument, AnElementLandsOnItsCellAndAZoneKeepsTheTerrain)
{
    CarteVarenthe map = grassMap();
    map.modified = false;
    map.SetCellElement(2, 3, Element{ElementCity, "Alba", 99, 99, 7});
    EXPECT_TRUE(map.modified);
    EXPECT_EQ(std::pair(map.elements[0].x, map.elements[0].y), std::pair(2, 3)); // placed where it is put
    ApplyPaletteTile(map, 2, 3, 255);
    ApplyPaletteTile(map, 3, 3, 251);
    ASSERT_EQ(map.elements.size(), 2u);
    EXPECT_EQ(std::tuple(map.elements[0].kind, map.elements[0].name, map.elements[0].number, map.terrainAt(2, 3)),
              std::tuple(int32_t{ElementZone}, "Zone commerciale", 255, Grass));
    EXPECT_EQ(map.elementAt(3, 3)->name, "");
    ApplyPaletteTile(map, 5, 5, ZoneEraserTile); // an empty record, as painting leaves one
    EXPECT_EQ(std::pair(map.elements.size(), map.elements.back().kind), std::pair(size_t{3}, int32_t{ElementNone}));
}

TEST(MapDocument, ProvincesOfOddRowsAreShiftedTenCellsEast)
{
    CarteVarenthe world;
    world.create(310, 169, 20, 13, 1, Grass);
    world.provinceNames = {"Première", "Deuxième"};
    EXPECT_EQ(world.provinceIndexAt(20, 12), 1);
    EXPECT_EQ(world.provinceNameAt(25, 0), "Deuxième");
    EXPECT_EQ(world.provinceIndexAt(9, 13), -1); // west of the shifted row
    EXPECT_EQ(world.provinceIndexAt(10, 13), 15);
    EXPECT_EQ(world.provinceNameAt(10, 13), ""); // a province without a name
}
