// The minimap's picture drawn from the map: the tiles' colours where their
// cells are, zones tinted, the province grid darker, at the map's own scale,
// and an edit redrawn as a fresh picture would show it.
#include "RendererTestScene.h"

#include "render/MapOverview.h"

using namespace rendertest;

namespace {

QRgb darker(QRgb colour)
{
    return qRgb(qRed(colour) * 3 / 4, qGreen(colour) * 3 / 4, qBlue(colour) * 3 / 4);
}

QRgb at(const MapOverview &overview, int x, int y)
{
    return overview.picture().pixel(x, y) | 0xFF000000u;
}

} // namespace

TEST(MapOverview, AWorldMapFillsTheMinimapWithItsTilesAndProvinceGrid)
{
    Scene scene;
    CarteVarenthe &map = scene.map;
    map.create(300, 169, 20, 13, 1, Grass);
    for (int y = 0; y < map.height; ++y)
        for (int x = 150; x < map.width; ++x)
            map.terrain.at(x, y) = Water;
    Element zone;
    zone.kind = ElementZone;
    zone.number = 256;
    for (int y = 40; y < 60; ++y)
        for (int x = 40; x < 60; ++x)
            map.SetCellElement(x, y, zone);

    MapOverview overview;
    overview.rebuild(map, scene.library);
    ASSERT_EQ(overview.picture().size(), QSize(188, 102));
    // The world's 310 columns in 188 pixels, rows at the same scale.
    EXPECT_EQ(overview.scale().cells, 310);
    EXPECT_EQ(overview.scale().pixels, 188);
    // Inside a province of each half, the tile's own colour.
    EXPECT_EQ(at(overview, 22, 12), tileColour(Grass));
    EXPECT_EQ(at(overview, 140, 12), tileColour(Water));
    // The zone, tinted as the map window tints it (red at 110 of 255).
    const QRgb tinted = at(overview, 27, 27);
    EXPECT_GT(qRed(tinted), qRed(tileColour(Grass)) + 60);
    EXPECT_LT(qGreen(tinted), qGreen(tileColour(Grass)));
    // Province row 1 starts at cell row 13, pixel row 7; its provinces are
    // shifted by 10 cells: columns 10, 30, ... at pixels 6, 18, ...
    EXPECT_EQ(at(overview, 20, 7), darker(tileColour(Grass)));
    EXPECT_EQ(at(overview, 6, 10), darker(tileColour(Grass)));
    EXPECT_EQ(at(overview, 12, 10), tileColour(Grass)) << "row 0's column 20 is not a border in row 1";
    EXPECT_EQ(at(overview, 12, 3), darker(tileColour(Grass))) << "column 20 of row 0, pixel 12";
}

TEST(MapOverview, ASmallMapIsScaledUpAndAnEditRedrawsItsPixels)
{
    Scene scene;
    CarteVarenthe &map = scene.map;
    map.create(40, 20, 0, 0, 0, Grass);
    MapOverview overview;
    overview.rebuild(map, scene.library);
    // 40 cells across 188 pixels: 4.7 pixels a cell; 20 rows take 94.
    EXPECT_EQ(overview.scale().cells, 40);
    EXPECT_EQ(at(overview, 187, 93), tileColour(Grass));
    EXPECT_EQ(at(overview, 10, 95), qRgb(0, 0, 0)) << "below the map";

    // Painting cells then updating only them gives the picture drawn afresh.
    for (const QPoint cell : {QPoint(0, 0), QPoint(17, 9), QPoint(39, 19)}) {
        map.terrain.at(cell.x(), cell.y()) = Sand;
        overview.update(map, scene.library, QRect(cell, QSize(1, 1)));
    }
    MapOverview fresh;
    fresh.rebuild(map, scene.library);
    EXPECT_TRUE(overview.picture() == fresh.picture());
    EXPECT_EQ(at(overview, 17 * 188 / 40 + 2, 9 * 188 / 40 + 2), tileColour(Sand));
}
