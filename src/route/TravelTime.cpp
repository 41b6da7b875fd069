#include "route/TravelTime.h"

std::string FormatTravelTime(int minutes)
{
    // A negative count (never a travel time, but a caller may pass one)
    // reads as its opposite with a sign rather than as garbled digits.
    long long value = minutes;
    const bool negative = value < 0;
    if (negative)
        value = -value;
    std::string text = std::to_string(value / 60);
    if (negative)
        text.insert(text.begin(), '-');
    text += ':';
    text += static_cast<char>('0' + (value / 10) % 6);
    text += static_cast<char>('0' + value % 10);
    return text;
}
