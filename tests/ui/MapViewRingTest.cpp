// The map window's wrapping back buffer: every window pixel has one place in
// it, and a rectangle of the window is read or drawn in at most four pieces.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "ui/MapViewRing.h"

namespace {

// The buffer pixel that holds a window pixel, by the wrapping rule.
QPoint bufferPixel(QPoint window, QPoint origin, QSize size)
{
    const auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    return {wrap(window.x() + origin.x(), size.width()), wrap(window.y() + origin.y(), size.height())};
}

} // namespace

TEST(MapViewRing, PiecesCoverTheRectangleOnceAtTheRightPlaces)
{
    const QSize buffer(100, 60);
    for (const QPoint origin : {QPoint(0, 0), QPoint(37, 11), QPoint(99, 59), QPoint(1234, 567)}) {
        for (const QRect window : {QRect(0, 0, 100, 60), QRect(10, 5, 30, 20), QRect(70, 40, 30, 20)}) {
            const RingPieces pieces = ringPieces(window, origin, buffer);
            ASSERT_GE(pieces.count, 1);
            ASSERT_LE(pieces.count, 4);
            std::set<std::pair<int, int>> covered;
            for (const RingPiece &piece : pieces) {
                ASSERT_EQ(piece.window.size(), piece.buffer.size());
                ASSERT_TRUE(QRect(QPoint(0, 0), buffer).contains(piece.buffer));
                EXPECT_EQ(piece.buffer.topLeft(), bufferPixel(piece.window.topLeft(), origin, buffer));
                for (int y = piece.window.top(); y <= piece.window.bottom(); ++y)
                    for (int x = piece.window.left(); x <= piece.window.right(); ++x)
                        EXPECT_TRUE(covered.insert({x, y}).second) << "pixel drawn twice";
            }
            EXPECT_EQ(covered.size(), static_cast<size_t>(window.width() * window.height()));
        }
    }
    EXPECT_EQ(ringPieces(QRect(0, 0, 100, 60), {0, 0}, buffer).count, 1);
    EXPECT_EQ(ringPieces(QRect(0, 0, 100, 60), {50, 0}, buffer).count, 2);
    EXPECT_EQ(ringPieces(QRect(0, 0, 100, 60), {50, 30}, buffer).count, 4);
    EXPECT_EQ(ringPieces(QRect(), {50, 30}, buffer).count, 0);
}

TEST(MapViewRing, AStepKeepsWhatStaysInView)
{
    const QSize client(600, 400);
    // The view moves right and down: the old picture slides up and left.
    EXPECT_EQ(retainedArea(client, 18, 9), QRect(0, 0, 582, 391));
    EXPECT_EQ(retainedArea(client, -18, -9), QRect(18, 9, 582, 391));
    EXPECT_EQ(retainedArea(client, 0, 5), QRect(0, 0, 600, 395));
    // A jump past the whole window keeps nothing.
    EXPECT_TRUE(retainedArea(client, 700, 0).isEmpty());
    EXPECT_TRUE(retainedArea(client, 0, -400).isEmpty());
}
