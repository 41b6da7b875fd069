// The rules a map window and the minimap follow, checked without a window (the keys, the cell under a pixel,
// the view that fits a route, the minimap's frame and clicks), and the window's retained picture.
#include <gtest/gtest.h>

#include <random>

#include "render/PortableCode.h"
#include "ui/MapKeys.h"
#include "ui/MapViewGeometry.h"
#include "ui/MinimapGeometry.h"
#include "ui/WindowPixels.h"

namespace {

using namespace MapViewGeometry;

TEST(MapViewRules, KeysScrollWithinTheMapZoomOutOpenTheCellMenuOrGoOnToTheMainWindow)
{
    // From (500, 300) unless said; the scroll limits are (9316, 5193).
    using enum MapKeyEffect;
    const QPoint from(500, 300);
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, QPoint, MapKeyEffect, QPoint> cases[] = {
        {Qt::Key_Right, {}, from, Scroll, {532, 300}},     {Qt::Key_Left, {}, from, Scroll, {468, 300}},
        {Qt::Key_Down, {}, from, Scroll, {500, 332}},      {Qt::Key_Up, {}, from, Scroll, {500, 268}},
        {Qt::Key_PageDown, {}, from, Scroll, {500, 460}},  {Qt::Key_PageUp, {}, from, Scroll, {500, 140}},
        {Qt::Key_PageDown, Qt::ShiftModifier, from, Scroll, {660, 300}},
        {Qt::Key_PageUp, Qt::ShiftModifier, from, Scroll, {340, 300}},
        {Qt::Key_Home, {}, from, Scroll, {0, 300}},        {Qt::Key_End, {}, from, Scroll, {9316, 300}},
        {Qt::Key_Left, {}, {10, 20}, Scroll, {0, 20}},     {Qt::Key_Down, {}, {0, 5190}, Scroll, {0, 5193}},
        {Qt::Key_Minus, Qt::KeypadModifier, from, ZoomOut, {}}, {Qt::Key_Menu, {}, from, CellMenu, {}},
        {Qt::Key_F10, Qt::ShiftModifier, from, CellMenu, {}},   {Qt::Key_F10, {}, from, PassOn, {}},
        {Qt::Key_Plus, {}, from, PassOn, {}}};
    for (const auto &[key, modifiers, scroll, effect, to] : cases)
        EXPECT_EQ(mapKeyAction(key, modifiers, scroll, {9316, 5193}), (MapKeyAction{effect, to}))
            << "key " << key << " modifiers " << modifiers;
}

TEST(MapViewRules, APixelLeftOfOrAboveTheMapLiesOutsideItNotOnItsFirstCell)
{
    // Scroll, pixel: cell, at a pitch of 33.
    for (const auto &[scroll, pixel, cell] : {std::tuple{0, 32, 0}, {0, 33, 1}, {330, 0, 10}, {0, -1, -1},
                                              {0, -33, -1}, {0, -34, -2}, {40, -50, -1}})
        EXPECT_EQ(cellIndexAt(scroll, pixel, 33), cell) << scroll << " + " << pixel;
}

TEST(MapViewRules, ARoutesViewIsTheLargestZoomShowingBothEndsWithTheirMarginCentred)
{
    // Ends and client, gap: zoom and scroll. (10, 100) to (150, 20) spans 145 by 85 cells with the margin of 2:
    // 4 pixels a cell fit in 584 by 384 (zoom 12 with the grid's gap, 15 without), 5 would not.
    const std::tuple<QPoint, QPoint, QSize, int, SpanView> cases[] = {
        {{10, 100}, {150, 20}, {600, 400}, 1, {12, 30, 50}},
        {{150, 20}, {10, 100}, {600, 400}, 0, {15, 30, 50}},
        {{0, 0}, {13, 0}, {600, 400}, 1, {99, 14 * 32 / 2 - 292, 32 / 2 - 192}}, // 18 cells of 33 pixels overrun 584
        {{0, 0}, {299, 168}, {40, 30}, 1, {5, (-2 + 301 + 1) * 2 / 2 - 12, (-2 + 170 + 1) * 2 / 2 - 7}}};
    for (const auto &[start, end, client, gap, view] : cases)
        EXPECT_EQ(routeSpanView(start, end, client.width(), client.height(), gap), view)
            << start.x() << "," << start.y() << " gap " << gap;
}

TEST(MapViewRules, TheMinimapsFrameCoversTheViewAndAClickCentresTheViewWithinTheScrollLimits)
{
    // A 600 by 400 window over the world, pitch 33: one map pixel is 188 / (310 x 33) overview pixels.
    const MinimapView view{4950, 2700, 600, 400, 33, 300 * 33 - 600, 169 * 33 - 400};
    // 4950 s = 90.97, 2700 s = 49.6, (600 + 4950) s = 101.99, (400 + 2700) s = 56.97.
    EXPECT_EQ(minimapFrame(view), (MinimapFrame{90, 49, 101, 56}));
    // 50 / s - 300 = 2420.74 and 30 / s - 200 = 1432.4, truncated; the far corner stops at the limits.
    EXPECT_EQ(minimapScrollFor(view, {50, 30}), QPoint(2420, 1432));
    EXPECT_EQ(minimapScrollFor(view, {187, 101}), QPoint(view.maxScrollX, view.maxScrollY));
    EXPECT_EQ(minimapScrollFor(view, {-5, -5}), QPoint(0, 0));
    MinimapView flat = view;
    flat.cellPitch = 0;
    EXPECT_EQ(minimapScrollFor(flat, {50, 30}), QPoint(4950, 2700)) << "no pitch: the view stays";
}

TEST(WindowPixels, AMovedViewFindsEveryPixelStillInViewWhereItWasDrawn)
{
    WindowPixels pixels;
    pixels.allocate(QSize(20, 10));
    // No multiple of a row or a memory page, so rows cross the memory's end at odd places.
    const QSize size(37, 23);
    pixels.allocate(size);
    ASSERT_EQ(pixels.size(), size);
    if (portableCodeOnly()) {
        ASSERT_FALSE(pixels.wraps()) << "the portable picture is one plain run";
        GTEST_SKIP() << "a plain picture keeps nothing across a move; the map window redraws it whole";
    }
    const auto colour = [](long long mx, long long my) {
        return 0xFF000000u | QRgb((mx * 7919 + my * 104729) & 0xFFFFFF);
    };
    std::mt19937 random(42);
    std::uniform_int_distribution<int> step(-30, 30);
    QPoint origin(-5, 3);
    for (int move = 0; move < 400; ++move) {
        // Small steps, now and then a jump far across the map.
        const QPoint previous = origin;
        origin += move % 50 == 49 ? QPoint(step(random) * 1000, step(random) * 700) : QPoint(step(random), step(random));
        QImage picture = pixels.picture(origin);
        const QRect kept = move ? QRect(previous, size) & QRect(origin, size) : QRect();
        for (int my = kept.top(); my <= kept.bottom(); ++my)
            for (int mx = kept.left(); mx <= kept.right(); ++mx)
                ASSERT_EQ(picture.pixel(mx - origin.x(), my - origin.y()), colour(mx, my)) << "move " << move;
        for (int y = 0; y < size.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < size.width(); ++x)
                row[x] = colour(origin.x() + x, origin.y() + y);
        }
    }
}

} // namespace
