// The map window's retained picture, whose rows run on across the end of its memory.
#include <gtest/gtest.h>

#include <random>

#include "render/PortableCode.h"
#include "ui/WindowPixels.h"

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
