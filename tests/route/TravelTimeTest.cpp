#include <gtest/gtest.h>

#include "route/TravelTime.h"

TEST(TravelTime, ReadsAsHoursAndTwoDigitsOfMinutesNegativesIncluded)
{
    const std::pair<int32_t, const char *> cases[] = {
        {0, "0:00"},        {59, "0:59"},   {61, "1:01"},   {75, "1:15"},
        {600, "10:00"},     {6000, "100:00"}, {2147483647, "35791394:07"},
        {-75, "-1:15"},     {-2147483647 - 1, "-35791394:08"},
    };
    for (const auto &[minutes, text] : cases)
        EXPECT_EQ(FormatTravelTime(minutes), text) << minutes;
}
