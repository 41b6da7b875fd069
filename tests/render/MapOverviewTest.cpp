// The minimap drawn from the map at its own scale, and an edit redrawn as a fresh picture shows it.
#include "RendererTestScene.h"

#include "render/MapOverview.h"

using namespace rendertest;

TEST(MapOverview, AWorldMapFillsTheMinimapWithItsTilesAndProvinceGrid)
{
    // Grass, water and a zone square; the world's 310 columns in 188 pixels.
    Scene scene;
    CarteVarenthe &map = scene.map;
    map.create(300, 169, 20, 13, 1, Grass);
    for (int y = 0; y < map.height; ++y)
        for (int x = 150; x < map.width; ++x)
            map.terrain.at(x, y) = Water;
    for (int y = 40; y < 60; ++y)
        for (int x = 40; x < 60; ++x)
            map.SetCellElement(x, y, Element{ElementZone, "", 0, 0, 256});
    MapOverview overview;
    overview.rebuild(map, scene.library);
    EXPECT_EQ(overview.scale().cells, 310);
    EXPECT_EQ(overview.scale().pixels, 188);
    expectGolden(overview.picture().convertToFormat(QImage::Format_RGB32), QStringLiteral("overview-world"));
}

TEST(MapOverview, ASmallMapIsScaledUpAndAnEditRedrawsItsPixels)
{
    Scene scene;
    CarteVarenthe &map = scene.map;
    map.create(40, 20, 0, 0, 0, Grass);
    MapOverview overview;
    overview.rebuild(map, scene.library);
    // 40 cells across 188 pixels: 4.7 pixels a cell; 20 rows take 94.
    const QImage &picture = overview.picture();
    EXPECT_EQ(overview.scale().cells, 40);
    EXPECT_EQ(pixel(picture, 187, 93), tileColour(Grass));
    EXPECT_EQ(pixel(picture, 10, 95), qRgb(0, 0, 0)) << "below the map";

    // Painting cells then updating only them gives the picture drawn afresh.
    for (const QPoint cell : {QPoint(0, 0), QPoint(17, 9), QPoint(39, 19)}) {
        map.terrain.at(cell.x(), cell.y()) = Sand;
        overview.update(map, scene.library, QRect(cell, QSize(1, 1)));
    }
    MapOverview fresh;
    fresh.rebuild(map, scene.library);
    EXPECT_TRUE(overview.picture() == fresh.picture());
    EXPECT_EQ(pixel(overview.picture(), 17 * 188 / 40 + 2, 9 * 188 / 40 + 2), tileColour(Sand));
}
