// The map window's retained picture: after any move of the view, every map
// pixel still in view is found where it was drawn, and the picture's rows
// run on across the end of its memory.
#include <gtest/gtest.h>

#include <random>

#include "ui/WindowPixels.h"
#include "render/PortableCode.h"

namespace {

QRgb mapColour(long long mx, long long my)
{
    return 0xFF000000u | static_cast<QRgb>((mx * 7919 + my * 104729) & 0xFFFFFF);
}

} // namespace

TEST(WindowPixels, AMovedViewFindsEveryPixelStillInViewWhereItWasDrawn)
{
    // Sizes whose area is no multiple of a row or of a memory page, so that
    // the picture's rows cross the end of the memory at odd places.
    const QSize size(37, 23);
    WindowPixels pixels;
    pixels.allocate(size);
    ASSERT_EQ(pixels.size(), size);
    if (portableCodeOnly()) {
        ASSERT_FALSE(pixels.wraps()) << "the portable picture is one plain run";
        GTEST_SKIP() << "a plain picture keeps nothing across a move; the map window redraws it whole";
    }
#if defined(__linux__)
    ASSERT_TRUE(pixels.wraps());
#endif

    QImage first = pixels.picture({0, 0});
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            ASSERT_EQ(first.pixel(x, y), 0xFF000000u) << "a new picture is black";

    std::mt19937 random(42);
    std::uniform_int_distribution<int> step(-30, 30);
    QPoint origin(-5, 3);
    QPoint previous;
    bool drawn = false;
    for (int move = 0; move < 400; ++move) {
        // Small steps, now and then a jump far across the map.
        previous = origin;
        origin += move % 50 == 49 ? QPoint(step(random) * 1000, step(random) * 700) : QPoint(step(random), step(random));
        QImage picture = pixels.picture(origin);
        ASSERT_EQ(picture.size(), size);
        if (drawn) {
            const QRect kept = QRect(previous, size) & QRect(origin, size);
            for (int my = kept.top(); my <= kept.bottom(); ++my)
                for (int mx = kept.left(); mx <= kept.right(); ++mx)
                    ASSERT_EQ(picture.pixel(mx - origin.x(), my - origin.y()), mapColour(mx, my))
                        << "move " << move << ", map pixel " << mx << "," << my;
        }
        for (int y = 0; y < size.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < size.width(); ++x)
                row[x] = mapColour(origin.x() + x, origin.y() + y);
        }
        drawn = true;
    }
}

TEST(WindowPixels, ANewSizeStartsBlackAndAnEmptyOneHasNoPicture)
{
    WindowPixels pixels;
    EXPECT_TRUE(pixels.picture({3, 4}).isNull());
    pixels.allocate(QSize(20, 10));
    pixels.picture({0, 0}).fill(Qt::white);
    pixels.allocate(QSize(30, 12));
    EXPECT_EQ(pixels.picture({0, 0}).pixel(29, 11), 0xFF000000u);
    pixels.allocate(QSize());
    EXPECT_TRUE(pixels.picture({0, 0}).isNull());
}
