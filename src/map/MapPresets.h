#pragma once
// What the new-map dialog offers: the three map types with their sizes and
// the seven terrains a new map can start with. Shared by the dialog and by
// `pelmorin-cli new`, so that both create the same maps.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

class CarteVarenthe;

struct MapPreset {
    const char *caption;
    // The fixed layout of the type; "Personnaliser" has none and keeps the
    // numbers the user typed or last saw.
    bool fixed;
    int32_t width;
    int32_t height;
    int32_t provinceWidth;
    int32_t provinceHeight;
    int32_t mapType;
};

inline constexpr int WorldMapPreset = 0;
inline constexpr int CityMapPreset = 1;
inline constexpr int CustomMapPreset = 2;
// Selected when the program starts.
inline constexpr int DefaultMapPreset = CityMapPreset;

struct BaseTerrain {
    const char *caption;
    int32_t tile;
};

// Selected when the program starts: "Vide".
inline constexpr int DefaultBaseTerrain = 0;

inline constexpr int MapPresetCount = 3;
inline constexpr int BaseTerrainCount = 7;

// In the order of the dialog's radio group.
const std::array<MapPreset, MapPresetCount> &mapPresets();
// In the order of the dialog's terrain list.
const std::array<BaseTerrain, BaseTerrainCount> &baseTerrains();

// The values handed to `create`. A text of the dialog that is not an integer
// gives the default of its field.
struct NewMapRequest {
    int32_t width = 20;
    int32_t height = 13;
    int32_t provinceWidth = 0;
    int32_t provinceHeight = 0;
    int32_t mapType = 0;
    int32_t fill = 0;
};

// The request of a fixed preset (world or city) with a fill tile.
NewMapRequest presetRequest(int preset, int32_t fill);

// The integer a dialog field holds, surrounding blanks allowed; nothing when
// the text is not an integer that fits in 32 bits.
std::optional<int32_t> fieldInteger(std::string_view text);

// `create` with the request: throws MapCreateError for dimensions a map
// cannot have.
void createMap(CarteVarenthe &document, const NewMapRequest &request);
