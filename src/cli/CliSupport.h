#pragma once
// Pieces shared by the pelmorin-cli subcommands: reading the "X,Y" style
// arguments, and reading and writing maps with the French message of the map
// layer on standard error and the exit status set.
#include <cstdint>
#include <string>
#include <vector>

class CarteVarenthe;

// The `count` comma-separated integers of an argument such as "12,40";
// throws CLI::ValidationError naming `option` otherwise.
std::vector<int32_t> parseIntegerList(const std::string &text, size_t count, const std::string &option);

// A tile number given on the command line (0 to 5999); throws
// CLI::ValidationError otherwise.
int32_t checkTileNumber(int64_t tile, const std::string &option);

// Reads `path` into `document`. On failure prints the reader's message,
// sets exit status 1 and returns false.
bool openMapOrReport(CarteVarenthe &document, const std::string &path);
// Saves `document` to `path`. On failure prints the writer's message, sets
// exit status 1 and returns false; the file on disk is then untouched.
bool saveMapOrReport(CarteVarenthe &document, const std::string &path);
