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
