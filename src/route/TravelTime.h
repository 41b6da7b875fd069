#pragma once
// Travel times as the player reads them: hours without leading zeros, ":",
// and two digits of minutes (75 minutes read "1:15"). Used by the status
// bar, the renderer's cell corners and pelmorin-cli.
#include <string>

std::string FormatTravelTime(int minutes);
