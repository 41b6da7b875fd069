// Painting palette tiles on a map, and the new-map presets.
#include <gtest/gtest.h>

#include "map/CarteVarenthe.h"
#include "map/MapPresets.h"
#include "map/PaletteEdit.h"

TEST(PaletteEdit, aRoadPaintedBelowALineJoinsItAsAThreeWayJunction)
{
    CarteVarenthe map;
    map.create(10, 10, 0, 0, 0, 100);
    for (int x = 3; x <= 5; ++x)
        ApplyPaletteTile(map, x, 4, 110);
    EXPECT_EQ(map.terrainAt(3, 4), 110);
    EXPECT_EQ(map.terrainAt(4, 4), 110);
    ApplyPaletteTile(map, 4, 5, 110);
    EXPECT_EQ(map.terrainAt(4, 4), 117); // west, east and south
    EXPECT_EQ(map.terrainAt(4, 5), 111); // joined up
}

TEST(PaletteEdit, zoneTilesPutAMarkerOnTheCellAndTheEraserEmptiesIt)
{
    CarteVarenthe map;
    map.create(5, 5, 0, 0, 0, 100);
    map.SetCellElement(1, 1, Element{ElementCity, "Alba", 0, 0, 7});

    ApplyPaletteTile(map, 1, 1, 255); // over the city: replaces it
    ApplyPaletteTile(map, 2, 2, 253);
    ApplyPaletteTile(map, 3, 3, 251);
    ASSERT_EQ(map.elements.size(), 3u);
    EXPECT_EQ(map.elementAt(1, 1)->kind, ElementZone);
    EXPECT_EQ(map.elementAt(1, 1)->name, "Zone commerciale");
    EXPECT_EQ(map.elementAt(1, 1)->number, 255);
    EXPECT_EQ(map.elementAt(2, 2)->name, "Zone habitable");
    EXPECT_EQ(map.elementAt(3, 3)->name, "");
    EXPECT_EQ(map.elementAt(3, 3)->number, 251);
    EXPECT_EQ(map.terrainAt(1, 1), 100); // the terrain under a zone stays
    EXPECT_EQ(zoneName(254), "Zone religieuse");
    EXPECT_EQ(zoneName(256), "");

    ApplyPaletteTile(map, 1, 1, 257);
    EXPECT_EQ(map.elementAt(1, 1)->kind, ElementNone);
    EXPECT_EQ(map.elementAt(1, 1)->number, 0);
    ApplyPaletteTile(map, 4, 4, 257); // erasing an empty cell appends an empty record
    EXPECT_EQ(map.elements.size(), 4u);
}

TEST(PaletteEdit, paintingTheSameTileAgainStillCountsAsAChangeButOutsideNothingHappens)
{
    CarteVarenthe map;
    map.create(5, 5, 0, 0, 0, 100);
    map.modified = false;
    ApplyPaletteTile(map, 5, 0, 105);
    ApplyPaletteTile(map, -1, 0, 253);
    EXPECT_FALSE(map.modified);
    EXPECT_TRUE(map.elements.empty());
    ApplyPaletteTile(map, 0, 0, 100);
    EXPECT_TRUE(map.modified);
    EXPECT_EQ(map.terrainAt(0, 0), 100);
}

TEST(MapPresets, theWorldAndCityPresetsCreateTheMapsOfTheGame)
{
    ASSERT_EQ(mapPresets().size(), 3u);
    EXPECT_STREQ(mapPresets()[0].caption, "Carte du Pelmorin");
    EXPECT_STREQ(mapPresets()[1].caption, "Carte de ville / de province");
    EXPECT_STREQ(mapPresets()[2].caption, "Personnaliser");
    EXPECT_FALSE(mapPresets()[CustomMapPreset].fixed);

    CarteVarenthe world;
    createMap(world, presetRequest(WorldMapPreset, 100));
    EXPECT_EQ(world.width, 300);
    EXPECT_EQ(world.height, 169);
    EXPECT_EQ(world.provinceWidth, 20);
    EXPECT_EQ(world.provinceHeight, 13);
    EXPECT_EQ(world.mapType, 1);
    EXPECT_EQ(world.terrainAt(150, 80), 100);

    CarteVarenthe city;
    createMap(city, presetRequest(DefaultMapPreset, baseTerrains()[DefaultBaseTerrain].tile));
    EXPECT_EQ(city.width, 20);
    EXPECT_EQ(city.height, 13);
    EXPECT_EQ(city.provinceWidth, 0);
    EXPECT_EQ(city.mapType, 0);
    EXPECT_EQ(city.terrainAt(0, 0), 0);
}

TEST(MapPresets, theSevenTerrainsAndTheFieldsTypedInTheDialog)
{
    const int32_t tiles[] = {0, 100, 103, 104, 105, 106, 107};
    for (size_t i = 0; i < baseTerrains().size(); ++i)
        EXPECT_EQ(baseTerrains()[i].tile, tiles[i]);
    EXPECT_STREQ(baseTerrains()[3].caption, "Rivières");
    EXPECT_STREQ(baseTerrains()[5].caption, "Plage / Désert");

    EXPECT_EQ(fieldInteger(" 300 "), 300);
    EXPECT_EQ(fieldInteger("-4"), -4);
    EXPECT_EQ(fieldInteger("abc"), std::nullopt);
    EXPECT_EQ(fieldInteger(""), std::nullopt);
    EXPECT_EQ(fieldInteger("12a"), std::nullopt);
    EXPECT_EQ(fieldInteger("99999999999"), std::nullopt);
    EXPECT_EQ(NewMapRequest{}.width, 20); // the value of a width typed as letters
    EXPECT_EQ(NewMapRequest{}.provinceHeight, 0);
}
