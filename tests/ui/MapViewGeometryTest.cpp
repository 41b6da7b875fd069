// The view arithmetic of a map window, checked without a window.
#include <gtest/gtest.h>

#include <vector>

#include "render/MapView.h"
#include "ui/MapViewGeometry.h"

using namespace MapViewGeometry;

namespace {

std::vector<int> zoomSequence(int start, int steps, int count)
{
    std::vector<int> zooms{start};
    for (int i = 1; i < count; ++i)
        zooms.push_back(clampZoom(zoomAfterSteps(zooms.back(), steps)));
    return zooms;
}

} // namespace

TEST(MapViewGeometry, ZoomingOutFromFullSizeStepsDownToFivePercent)
{
    const std::vector<int> zooms = zoomSequence(100, -400, 14);
    EXPECT_EQ(zooms, (std::vector<int>{100, 81, 66, 54, 44, 36, 29, 23, 18, 14, 11, 9, 7, 5}));
    std::vector<int> cells;
    for (int zoom : zooms)
        cells.push_back(MapView::cellSizeForZoom(zoom));
    EXPECT_EQ(cells, (std::vector<int>{32, 25, 21, 17, 14, 11, 9, 7, 5, 4, 3, 2, 2, 1}));
    EXPECT_EQ(clampZoom(zoomAfterSteps(5, -400)), 5);
}

TEST(MapViewGeometry, ZoomingInFromFivePercentIsNotTheWayBack)
{
    EXPECT_EQ(zoomSequence(5, 400, 19),
              (std::vector<int>{5, 6, 7, 8, 9, 10, 12, 14, 17, 20, 24, 29, 35, 42, 51, 62, 75, 91, 100}));
}

TEST(MapViewGeometry, OneWheelNotchDoesNotMoveSmallZooms)
{
    // 16 x 1.0618 = 16.99, truncated.
    EXPECT_EQ(zoomAfterSteps(16, 120), 16);
    EXPECT_EQ(zoomAfterSteps(17, 120), 18);
    EXPECT_EQ(clampZoom(150), 100);
    EXPECT_EQ(clampZoom(3), 5);
    EXPECT_EQ(MapView::cellSizeForZoom(3), 1);
}

TEST(MapViewGeometry, ScrollRangesLeaveRoomForTheScrollBars)
{
    // World map at 100 % with the grid: 300 x 33 = 9900 pixels across.
    EXPECT_EQ(scrollMaximum(300, 33, 616), 9900 - 600);
    // A map narrower than the window cannot scroll.
    EXPECT_EQ(scrollMaximum(10, 33, 800), 0);
    EXPECT_EQ(scrollMaximum(0, 33, 800), 0);
}

TEST(MapViewGeometry, ZoomKeepsTheCellAtTheCentre)
{
    // Client 600 wide, position 1000: the centre shows map pixel 1300, cell
    // 39 at pitch 33; at pitch 26 that cell's pixel is 1024ish.
    const int position = positionKeepingCentre(1000, 600, 33, 26);
    EXPECT_EQ(position, 1300 * 26 / 33 - 300);
    EXPECT_EQ((position + 300) / 26, 1300 / 33);
}

TEST(MapViewGeometry, DraggingFollowsTheMouseAtScrollSpeed)
{
    // 100 pixels to the right at 1.8 moves the view 180 pixels left.
    EXPECT_EQ(dragPosition(500, 200, 300, 1.8f), 320);
    EXPECT_EQ(dragPosition(500, 200, 200, 1.8f), 500);
    // Beyond the left edge: the scroll bar clamps the negative value.
    EXPECT_EQ(dragPosition(100, 200, 300, 1.8f), -79);
    EXPECT_EQ(dragPosition(0, 10, 20, 1.0f), -10);
}

TEST(MapViewGeometry, CentringBringsTheCellCornerToTheMiddle)
{
    EXPECT_EQ(centringPosition(169, 33, 800), 169 * 33 - 400);
    EXPECT_EQ(centringPosition(0, 33, 800), -400);
    EXPECT_EQ(viewCentreCell(169 * 33 - 400, 58 * 33 - 300, 800, 600, 33), QPoint(169, 58));
    // Client x 65 at position 0 lies in column 1 at pitch 33.
    EXPECT_EQ(viewCentreCell(0, 0, 130, 130, 33), QPoint(1, 1));
}
