// The grid between cells and the province border lines drawn in it.
#include "RendererTestScene.h"

using namespace rendertest;

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);

// A world-like map: provinces of 20 by 13 cells, odd province rows shifted
// east by 10 cells, all grass, border lines in red, no highlighted cells.
class ProvinceGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene.map.create(60, 30, 20, 13, 1, Grass);
        scene.settings.highlightBorders = false;
        scene.settings.borderColour = 0x000000FF; // red in the low byte
    }

    Scene scene;
};

} // namespace

TEST_F(ProvinceGrid, OnePixelGridIsBlackExceptBorderLines)
{
    const MapView view = viewAt(4, 1); // pitch 5
    const QImage image = scene.renderWhole(view);
    ASSERT_EQ(image.size(), QSize(300, 150));

    // Inside cells: grass everywhere.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(pixel(image, x * 5 + 2, y * 5 + 1), tileColour(Grass)) << x << "," << y;

    // Province row 0 (cell rows 0 to 12): vertical lines left of columns 20
    // and 40, none left of columns 10, 30, 50.
    for (int y : {0, 5, 12}) {
        const int mid = y * 5 + 2;
        EXPECT_EQ(pixel(image, 20 * 5 - 1, mid), Red) << "row " << y;
        EXPECT_EQ(pixel(image, 40 * 5 - 1, mid), Red) << "row " << y;
        EXPECT_EQ(pixel(image, 10 * 5 - 1, mid), Black) << "row " << y;
        EXPECT_EQ(pixel(image, 30 * 5 - 1, mid), Black) << "row " << y;
        EXPECT_EQ(pixel(image, 7 * 5 - 1, mid), Black) << "an ordinary grid gap";
    }
    // Province row 1 (cell rows 13 to 25), shifted: lines left of columns
    // 10, 30, 50 and none left of 20 and 40.
    for (int y : {13, 20, 25}) {
        const int mid = y * 5 + 2;
        EXPECT_EQ(pixel(image, 10 * 5 - 1, mid), Red) << "row " << y;
        EXPECT_EQ(pixel(image, 30 * 5 - 1, mid), Red) << "row " << y;
        EXPECT_EQ(pixel(image, 50 * 5 - 1, mid), Red) << "row " << y;
        EXPECT_EQ(pixel(image, 20 * 5 - 1, mid), Black) << "row " << y;
        EXPECT_EQ(pixel(image, 40 * 5 - 1, mid), Black) << "row " << y;
    }
    // Province row 2 (from cell row 26) is unshifted again.
    EXPECT_EQ(pixel(image, 20 * 5 - 1, 27 * 5 + 2), Red);
    EXPECT_EQ(pixel(image, 10 * 5 - 1, 27 * 5 + 2), Black);

    // Horizontal lines above rows 13 and 26 across the whole map, including
    // the grid crossings; the gap above row 12 stays black.
    for (int px = 0; px < 300; ++px) {
        ASSERT_EQ(pixel(image, px, 13 * 5 - 1), Red) << px;
        ASSERT_EQ(pixel(image, px, 26 * 5 - 1), Red) << px;
    }
    EXPECT_EQ(pixel(image, 3 * 5 + 2, 12 * 5 - 1), Black);
    // A vertical line covers the crossing below its cell as well.
    EXPECT_EQ(pixel(image, 20 * 5 - 1, 12 * 5 + 4), Red);
    // The gap after the last column and the last row stays black: no line
    // follows the map's last province.
    for (int py = 0; py < 150; py += 7)
        EXPECT_EQ(pixel(image, 299, py), Black) << py;
    EXPECT_EQ(pixel(image, 12, 149), Black);

    // Without border lines the whole gap is the black grid.
    scene.settings.showBorderLines = false;
    const QImage plain = scene.renderWhole(view);
    EXPECT_EQ(pixel(plain, 20 * 5 - 1, 2), Black);
    EXPECT_EQ(pixel(plain, 10 * 5 - 1, 13 * 5 + 2), Black);
    EXPECT_EQ(pixel(plain, 17, 13 * 5 - 1), Black);
}

TEST_F(ProvinceGrid, WideGridDrawsOnePixelLinesInTheGapsFirstColumnAndRow)
{
    const MapView view = viewAt(6, 3); // pitch 9
    const QImage image = scene.renderWhole(view);
    const int mid = 2 * 9 + 3;
    EXPECT_EQ(pixel(image, 20 * 9 - 3, mid), Red);
    EXPECT_EQ(pixel(image, 20 * 9 - 2, mid), Black);
    EXPECT_EQ(pixel(image, 20 * 9 - 1, mid), Black);
    EXPECT_EQ(pixel(image, 20 * 9, mid), tileColour(Grass));
    const int column = 4 * 9 + 3;
    EXPECT_EQ(pixel(image, column, 13 * 9 - 3), Red);
    EXPECT_EQ(pixel(image, column, 13 * 9 - 2), Black);
    EXPECT_EQ(pixel(image, column, 13 * 9 - 1), Black);
    // The line runs through the gaps above and below the cell.
    EXPECT_EQ(pixel(image, 20 * 9 - 3, 2 * 9 - 3), Red);
    EXPECT_EQ(pixel(image, 20 * 9 - 3, 2 * 9 + 6 + 2), Red);
}

TEST_F(ProvinceGrid, NoGridMeansNoGapsAndNoLines)
{
    const MapView view = viewAt(5, 0);
    const QImage image = scene.renderWhole(view);
    ASSERT_EQ(image.size(), QSize(300, 150));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(pixel(image, x, y), tileColour(Grass)) << x << "," << y;
}

TEST(MapWithoutProvinces, NoHighlightAndLinesOnlyAlongTheTopAndLeftEdges)
{
    Scene scene;
    scene.map.create(8, 5, 0, 0, 0, Water);
    scene.settings.highlightBorders = true;
    scene.settings.borderColour = 0x000000FF;
    // Scrolled one pitch before the map's corner, so that the gap left of
    // column 0 and above row 0 is on the canvas.
    const MapView view = viewAt(4, 1, -5, -5);
    const QImage image = scene.render(view, 60, 40);
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(pixel(image, 4, 5 + y * 5 + 2), Red) << "left edge, row " << y;
        for (int x = 1; x < 8; ++x)
            EXPECT_EQ(pixel(image, 5 + x * 5 - 1, 5 + y * 5 + 2), Black) << x << "," << y;
    }
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(pixel(image, 5 + x * 5 + 2, 4), Red) << "top edge, column " << x;
        EXPECT_EQ(pixel(image, 5 + x * 5 + 2, 5 + 3 * 5 - 1), Black) << x;
    }
    // No cell is highlighted: every cell shows its plain water.
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pixel(image, 5 + x * 5 + 1, 5 + y * 5 + 1), tileColour(Water)) << x << "," << y;
    // Beyond the map the canvas is black.
    EXPECT_EQ(pixel(image, 2, 2), Black);
    EXPECT_EQ(pixel(image, 55, 35), Black);
}
