// What a scrolling step keeps of the map window's picture, and the strips it
// leaves to draw.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "ui/MapViewRing.h"

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

TEST(MapViewRing, StripsLieWhereTheMoveUncoveredTheWindow)
{
    const QSize client(300, 200);
    // Scrolled right by 33: the old picture moved left; strip A is at the right.
    ExposedStrips strips = exposedStrips(client, retainedArea(client, 33, 0));
    EXPECT_EQ(strips.stripA, QRect(267, 0, 33, 200));
    EXPECT_TRUE(strips.stripB.isEmpty());
    // Scrolled left: strip A at the left.
    strips = exposedStrips(client, retainedArea(client, -33, 0));
    EXPECT_EQ(strips.stripA, QRect(0, 0, 33, 200));
    // Scrolled up and right: strip B above the valid part, across its columns.
    strips = exposedStrips(client, retainedArea(client, 10, -10));
    EXPECT_EQ(strips.stripA, QRect(290, 0, 10, 200));
    EXPECT_EQ(strips.stripB, QRect(0, 0, 290, 10));
}
