// The map picture without text, held against small golden pictures reviewed once by eye.
#include "RendererTestScene.h"

#include <QPainter>

using namespace rendertest;

namespace {

// Provinces of 20 x 13 cells, red border lines, and one of each thing a cell can hold.
class WorldPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        CarteVarenthe &map = scene.map;
        map.create(60, 30, 20, 13, 1, Grass);
        scene.settings.borderColour = 0x000000FF; // red in the low byte
        map.terrain.at(1, 1) = Water;
        map.terrain.at(2, 1) = Mountain;
        map.terrain.at(2, 3) = 6000; // impossible numbers and a missing file are black
        map.terrain.at(3, 3) = -1;
        map.terrain.at(4, 3) = 2511;
        map.terrain.at(5, 3) = 6000; // ...under a route that still shows
        map.routeMark.at(5, 3) = MarkOnRoute;
        placeZone(3, 0, 254); // a border cell: the highlight hides the zone
        placeZone(4, 0, 254); // the route hides both
        map.routeMark.at(4, 0) = MarkOnRoute;
        placeZone(7, 0, 254);
        map.routeMark.at(7, 0) = MarkLayerChange;
        map.routeMark.at(5, 5) = MarkOnRoute;
        map.routeMark.at(6, 5) = MarkLayerChange;
        placeZone(1, 5, 255);        // made by the program
        placeZone(2, 5, CustomZone); // read from the aspect folder
        placeZone(3, 5, 0);          // no zone tile, and damaged numbers: no overlay
        placeZone(4, 5, 6000);
        placeZone(1, 6, -7);
        map.terrain.at(6, 6) = Sand;
        map.routeMark.at(6, 6) = MarkOnRoute;
        // The same in a shifted province row.
        map.routeMark.at(12, 15) = MarkOnRoute;
        placeZone(13, 15, 253);
    }

    void placeZone(int x, int y, int number)
    {
        scene.map.SetCellElement(x, y, Element{ElementZone, "Zone", 0, 0, number});
    }

    Scene scene;
};

} // namespace

TEST_F(WorldPicture, EveryGridWidthShowsTheSameCellsLinesAndOverlays)
{
    expectGolden(scene.renderWhole(viewAt(4, 1)), "world-grid-1");
    expectGolden(scene.renderWhole(viewAt(6, 3)), "world-grid-3");
    expectGolden(scene.renderWhole(viewAt(5, 0)), "world-no-grid");
    scene.settings.showBorderLines = false;
    scene.settings.highlightBorders = false;
    const QImage plain = scene.renderWhole(viewAt(4, 1));
    EXPECT_EQ(std::pair(pixel(plain, 20 * 5 - 1, 2 * 5 - 1), pixel(plain, 5 * 5 + 2, 2)),
              std::pair(qRgb(0, 0, 0), tileColour(Grass))) << "a black gap at a border, no highlight";
}

TEST_F(WorldPicture, WideCellsBlendAndFillExactlyLikeSmallOnes)
{
    // Wide cells go through the scanline runs, small ones pixel by pixel.
    const QImage small = scene.renderWhole(viewAt(4, 1));
    for (int cell : {32, 17, 9}) {
        const MapView view = viewAt(cell, 1);
        const int p = view.pitch();
        const QImage image = scene.render(view, 8 * p, 8 * p);
        // The small picture's pixel at the same place in the cell or its gap.
        auto inSmall = [cell](int d) { return std::min(d * 4 / cell, 4); };
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                for (int d = 0; d < p; ++d) {
                    ASSERT_EQ(pixel(image, x * p + d, y * p + cell / 2), pixel(small, x * 5 + inSmall(d), y * 5 + 2))
                        << "cell size " << cell << ", cell " << x << "," << y << ", column " << d;
                    ASSERT_EQ(pixel(image, x * p + cell / 2, y * p + d), pixel(small, x * 5 + 2, y * 5 + inSmall(d)))
                        << "cell size " << cell << ", cell " << x << "," << y << ", row " << d;
                }
    }
}

TEST(MapWithoutProvinces, NoHighlightAndLinesOnlyAlongTheTopAndLeftEdges)
{
    Scene scene;
    scene.map.create(8, 5, 0, 0, 0, Water);
    scene.settings.borderColour = 0x000000FF;
    // Scrolled before the map's corner, so the gaps left of and above it show.
    expectGolden(scene.render(viewAt(4, 1, -5, -5), 60, 40), "no-provinces");
}

TEST(MapPicture, TilesFollowTheAspectAndAMapNeverSearchedTakesNoRouteMemory)
{
    Scene scene;
    scene.map.create(4, 4, 20, 13, 1, Water);
    const QImage summer = scene.renderWhole(viewAt(16, 1));
    for (int layer = 0; layer < 2; ++layer) {
        EXPECT_FALSE(scene.map.routeTime[layer].materialized());
        EXPECT_FALSE(scene.map.routeStep[layer].materialized());
    }
    EXPECT_FALSE(scene.map.routeMark.materialized());
    scene.map.routeTime[OnFoot].fill(-1);
    scene.map.routeTime[OnFoot].data();
    scene.map.routeMark.data();
    EXPECT_EQ(scene.renderWhole(viewAt(16, 1)), summer) << "filled but empty layers draw the same";

    // A new aspect whose water is light on the left, dark on the right: tiles follow it and the cell size.
    scene.writeTile(QStringLiteral("img/4/103.bmp"), qRgb(90, 90, 255));
    QImage halves(QStringLiteral("%1/img/4/103.bmp").arg(scene.folder.path()));
    QPainter(&halves).fillRect(16, 0, 16, 32, QColor(0, 0, 90));
    ASSERT_TRUE(halves.save(scene.folder.filePath(QStringLiteral("img/4/103.bmp")), "BMP"));
    scene.library.SelectAspectFolder(QStringLiteral(".\\img\\4\\"));
    for (const int cell : {16, 3}) {
        const QImage image = scene.renderWhole(viewAt(cell, 1));
        EXPECT_EQ(std::pair(pixel(image, cell + 1, cell + 1), pixel(image, 2 * cell, cell + 1)),
                  std::pair(qRgb(90, 90, 255), qRgb(0, 0, 90))) << cell;
    }
}
