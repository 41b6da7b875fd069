// The zoom steps of a map window, checked without a window: the menu's steps
// from either end, the cell size at each, and the wheel notch too small to
// move a small zoom.
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

TEST(MapViewGeometry, MenuStepsGoDownToFivePercentAndUpAnotherWay)
{
    const std::vector<int> out = zoomSequence(100, -400, 15);
    EXPECT_EQ(out, (std::vector<int>{100, 81, 66, 54, 44, 36, 29, 23, 18, 14, 11, 9, 7, 5, 5}));
    std::vector<int> cells;
    for (int zoom : out)
        cells.push_back(MapView::cellSizeForZoom(zoom));
    EXPECT_EQ(cells, (std::vector<int>{32, 25, 21, 17, 14, 11, 9, 7, 5, 4, 3, 2, 2, 1, 1}));
    EXPECT_EQ(zoomSequence(5, 400, 19),
              (std::vector<int>{5, 6, 7, 8, 9, 10, 12, 14, 17, 20, 24, 29, 35, 42, 51, 62, 75, 91, 100}));
    // One wheel notch: 16 x 1.0618 = 16.99, truncated.
    EXPECT_EQ(zoomAfterSteps(16, 120), 16);
    EXPECT_EQ(zoomAfterSteps(17, 120), 18);
}
