// What lies over a cell's tile: the route, the province border highlight,
// zones and the layer-change tile, and how they blend.
#include "RendererTestScene.h"

using namespace rendertest;

namespace {

const QRgb LightBlue = qRgb(161, 204, 245);
const QRgb Grey = qRgb(176, 176, 176);
const QRgb ZoneBlue = qRgb(0, 0, 255);

class Overlays : public ::testing::Test {
protected:
    void SetUp() override { scene.map.create(40, 26, 20, 13, 1, Grass); }

    void placeZone(int x, int y, int number)
    {
        Element zone;
        zone.kind = ElementZone;
        zone.name = "Zone";
        zone.number = number;
        scene.map.SetCellElement(x, y, zone);
    }

    // Middle pixel of a cell at cell size 4, grid 1.
    QRgb cellColour(const QImage &image, int x, int y) { return pixel(image, x * 5 + 2, y * 5 + 2); }

    Scene scene;
    const MapView view = viewAt(4, 1);
};

} // namespace

TEST_F(Overlays, BorderCellsOfProvincesAreGreyedAtNinetyOfTwoHundredFiftyFive)
{
    const QImage image = scene.renderWhole(view);
    // Grey over grass, channel by channel with quotients cut toward zero.
    const QRgb expected = qRgb(87, 165, 100);
    EXPECT_EQ(blended(Grey, tileColour(Grass), 90), expected);
    EXPECT_EQ(cellColour(image, 5, 0), expected) << "first row of a province";
    EXPECT_EQ(cellColour(image, 5, 12), expected) << "last row of a province";
    EXPECT_EQ(cellColour(image, 19, 5), expected) << "last column of a province";
    EXPECT_EQ(cellColour(image, 20, 5), expected) << "first column of the next one";
    EXPECT_EQ(cellColour(image, 10, 15), expected) << "first column of a shifted province";
    EXPECT_EQ(cellColour(image, 5, 5), tileColour(Grass)) << "inside a province";
    EXPECT_EQ(cellColour(image, 20, 15), tileColour(Grass)) << "inside a shifted province";

    scene.settings.highlightBorders = false;
    EXPECT_EQ(cellColour(scene.renderWhole(view), 5, 0), tileColour(Grass));
}

TEST_F(Overlays, ZonesAreTintedWithTheirOwnTile)
{
    placeZone(5, 5, 254);           // made by the program
    placeZone(6, 5, CustomZone);    // read from the aspect folder
    placeZone(7, 5, 0);             // no zone tile
    placeZone(8, 5, 6000);          // a damaged number: no overlay, no crash
    placeZone(9, 5, -7);
    const QImage image = scene.renderWhole(view);
    EXPECT_EQ(cellColour(image, 5, 5), blended(ZoneBlue, tileColour(Grass), 110));
    EXPECT_EQ(cellColour(image, 6, 5), blended(tileColour(CustomZone), tileColour(Grass), 110));
    for (int x : {7, 8, 9})
        EXPECT_EQ(cellColour(image, x, 5), tileColour(Grass)) << x;
}

TEST_F(Overlays, RouteHidesBorderAndZoneAndLayerChangeShowsItsTile)
{
    // A border cell holding a zone: the border highlight hides the zone...
    placeZone(3, 0, 254);
    // ...and the route hides both.
    placeZone(4, 0, 254);
    scene.map.routeMark.at(4, 0) = MarkOnRoute;
    // A route cell inside a province, and one where the traveller boards.
    scene.map.routeMark.at(5, 5) = MarkOnRoute;
    scene.map.routeMark.at(6, 5) = MarkLayerChange;
    placeZone(7, 0, 254);
    scene.map.routeMark.at(7, 0) = MarkLayerChange;

    const QImage image = scene.renderWhole(view);
    EXPECT_EQ(cellColour(image, 3, 0), blended(Grey, tileColour(Grass), 90));
    EXPECT_EQ(cellColour(image, 4, 0), blended(LightBlue, tileColour(Grass), 140));
    EXPECT_EQ(cellColour(image, 5, 5), blended(LightBlue, tileColour(Grass), 140));
    EXPECT_EQ(cellColour(image, 6, 5), blended(layerChangeColour(), tileColour(Grass), 140));
    EXPECT_EQ(cellColour(image, 7, 0), blended(layerChangeColour(), tileColour(Grass), 140));
    // Overlays cover the cell only, never the grid around it.
    EXPECT_EQ(pixel(image, 5 * 5 + 4, 5 * 5 + 2), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(image, 5 * 5 + 2, 5 * 5 - 1), qRgb(0, 0, 0));
}

TEST_F(Overlays, ImpossibleOrMissingTilesAreBlackCells)
{
    scene.settings.highlightBorders = false;
    scene.map.terrain.at(5, 5) = 6000;
    scene.map.terrain.at(6, 5) = -1;
    scene.map.terrain.at(7, 5) = 2511; // no such file in the aspect
    scene.map.terrain.at(8, 5) = 6000;
    scene.map.routeMark.at(8, 5) = MarkOnRoute;
    const QImage image = scene.renderWhole(view);
    for (int x : {5, 6, 7})
        for (int dy = 0; dy < 4; ++dy)
            for (int dx = 0; dx < 4; ++dx)
                EXPECT_EQ(pixel(image, x * 5 + dx, 5 * 5 + dy), qRgb(0, 0, 0)) << x;
    // The route still shows over a cell whose tile cannot be drawn.
    EXPECT_EQ(cellColour(image, 8, 5), blended(LightBlue, qRgb(0, 0, 0), 140));
    EXPECT_FALSE(scene.tiles->isValid(6000));
    EXPECT_FALSE(scene.tiles->isValid(-1));
}

TEST_F(Overlays, TilesFollowTheCellSizeAndTheAspect)
{
    scene.settings.highlightBorders = false;
    scene.map.terrain.at(1, 1) = Water;
    // Full size: 32 pixels of water from the cell's corner, then the gap.
    const QImage full = scene.render(viewAt(32, 1), 100, 100);
    EXPECT_EQ(pixel(full, 33, 33), tileColour(Water));
    EXPECT_EQ(pixel(full, 33 + 31, 33 + 31), tileColour(Water));
    EXPECT_EQ(pixel(full, 33 + 32, 33 + 10), qRgb(0, 0, 0));

    // A new aspect where water is another colour: the cache notices.
    QDir(scene.folder.path()).mkpath(QStringLiteral("img/4"));
    writeSolidBitmap(scene.folder.filePath(QStringLiteral("img/4/103.bmp")), qRgb(90, 90, 255));
    scene.library.SelectAspectFolder(QStringLiteral(".\\img\\4\\"));
    const QImage winter = scene.render(viewAt(16, 1), 60, 60);
    EXPECT_EQ(pixel(winter, 17 + 8, 17 + 8), qRgb(90, 90, 255));
    EXPECT_EQ(pixel(winter, 17 + 16, 17 + 8), qRgb(0, 0, 0)) << "16-pixel cells at zoom 50";
}

TEST_F(Overlays, FullSizeCellsBlendExactlyLikeSmallOnes)
{
    // Wide cells go through the scanline runs, small ones pixel by pixel:
    // both must give the same colours, on every pixel of the cell.
    placeZone(5, 5, 255);
    scene.map.routeMark.at(6, 5) = MarkOnRoute;
    scene.map.terrain.at(6, 5) = Sand;
    for (int cell : {32, 17, 9}) {
        const MapView big = viewAt(cell, 1);
        const int p = big.pitch();
        const QImage image = scene.render(big, 8 * p, 8 * p);
        const QRgb border = blended(Grey, tileColour(Grass), 90);
        const QRgb zone = blended(qRgb(255, 255, 0), tileColour(Grass), 110);
        const QRgb route = blended(LightBlue, tileColour(Sand), 140);
        for (int dy = 0; dy < cell; ++dy) {
            for (int dx = 0; dx < cell; ++dx) {
                ASSERT_EQ(pixel(image, 3 * p + dx, dy), border) << cell << ": " << dx << "," << dy;
                ASSERT_EQ(pixel(image, 5 * p + dx, 5 * p + dy), zone) << cell << ": " << dx << "," << dy;
                ASSERT_EQ(pixel(image, 6 * p + dx, 5 * p + dy), route) << cell << ": " << dx << "," << dy;
            }
        }
    }
}

TEST_F(Overlays, LookingAtAMapNeverSearchedLeavesItsRouteLayersWithoutMemory)
{
    // A large map opened only to be looked at must not pay for its route
    // layers; the picture is the same as with layers filled by hand.
    const QImage untouched = scene.renderWhole(view);
    for (int layer = 0; layer < 2; ++layer) {
        EXPECT_FALSE(scene.map.routeTime[layer].materialized());
        EXPECT_FALSE(scene.map.routeStep[layer].materialized());
    }
    EXPECT_FALSE(scene.map.routeMark.materialized());

    scene.map.routeTime[OnFoot].fill(-1);
    scene.map.routeTime[OnFoot].data();
    scene.map.routeMark.data();
    EXPECT_EQ(scene.renderWhole(view), untouched);
}
