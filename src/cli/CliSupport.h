#pragma once
// Pieces shared by the pelmorin-cli subcommands: reading the "X,Y" style
// arguments, and reading and writing maps with the French message of the map
// layer on standard error.
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

struct CellArgument {
    int32_t x = 0;
    int32_t y = 0;
};

// "X,Y": column and row of a cell, from 0; throws CLI::ValidationError.
CellArgument parseCellArgument(const std::string &text, const std::string &option);
// Throws CLI::ValidationError when the cell is off `map`.
void requireOnMap(const CellArgument &cell, const std::string &option, const CarteVarenthe &map);

// The cell of the one city that `text` names, by number or by name (case
// and accents aside); throws CLI::ValidationError naming `option`, with up
// to five close names, when it names none or several.
CellArgument cityArgument(const std::string &text, const std::string &option, const CarteVarenthe &map);

// Reads `path` into `document`. On failure prints the reader's message and
// returns false.
bool openMapOrReport(CarteVarenthe &document, const std::string &path);
// Saves `document` to `path`. On failure prints the writer's message and
// returns false; the file on disk is then untouched.
bool saveMapOrReport(CarteVarenthe &document, const std::string &path);
