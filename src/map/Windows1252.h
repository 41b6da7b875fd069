#pragma once
// Text at the boundary of map files and the configuration file: those hold
// Windows-1252 bytes, the program works in UTF-8. Every one of the 256 bytes
// round-trips; characters that Windows-1252 cannot hold become '?'.
#include <string>
#include <string_view>

std::string cp1252ToUtf8(std::string_view bytes);
std::string utf8ToCp1252(std::string_view text);
// The same from UTF-16 (the settings file's text in memory); a character
// outside the Basic Multilingual Plane becomes one '?'.
std::string utf16ToCp1252(std::u16string_view text);
