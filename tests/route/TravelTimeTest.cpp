#include <gtest/gtest.h>

#include "route/TravelTime.h"

TEST(TravelTime, ReadsAsHoursAndTwoDigitsOfMinutes)
{
    EXPECT_EQ(FormatTravelTime(0), "0:00");
    EXPECT_EQ(FormatTravelTime(59), "0:59");
    EXPECT_EQ(FormatTravelTime(61), "1:01");
    EXPECT_EQ(FormatTravelTime(75), "1:15");
    EXPECT_EQ(FormatTravelTime(600), "10:00");
    EXPECT_EQ(FormatTravelTime(6000), "100:00");
    EXPECT_EQ(FormatTravelTime(2147483647), "35791394:07");
}

TEST(TravelTime, NegativeCountKeepsItsDigitsReadable)
{
    EXPECT_EQ(FormatTravelTime(-75), "-1:15");
    EXPECT_EQ(FormatTravelTime(-2147483647 - 1), "-35791394:08");
}
