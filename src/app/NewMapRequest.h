#pragma once
// What the new-map dialog hands to map creation, and the rules that turn the
// dialog's texts into it: a text that is not an integer takes its field's
// default, and sizes the map document cannot hold are refused with a French
// message instead of reaching `create`.
#include <QString>
#include <cstdint>
#include <memory>

class CarteVarenthe;

struct NewMapRequest {
    int32_t width = 20;
    int32_t height = 13;
    int32_t provinceWidth = 0;
    int32_t provinceHeight = 0;
    int32_t mapType = 0;     // 1 for the world map
    int32_t fillTerrain = 0; // tile number every cell starts with
};

// One entry of the dialog's "Type de Carte".
struct MapPreset {
    QString caption;
    bool fixedSize;          // the four numbers are written and greyed
    int32_t width;
    int32_t height;
    int32_t provinceWidth;
    int32_t provinceHeight;
};
inline constexpr int MapPresetCount = 3;
inline constexpr int WorldMapPreset = 0;
inline constexpr int CityMapPreset = 1;
inline constexpr int CustomMapPreset = 2;
const MapPreset &mapPreset(int index);

// One entry of the base-terrain list.
struct TerrainChoice {
    QString caption;
    int32_t tile;
};
inline constexpr int TerrainChoiceCount = 7;
const TerrainChoice &terrainChoice(int index);

// The integer written in `text` (surrounding blanks allowed), else `fallback`.
int32_t integerOr(const QString &text, int32_t fallback);

// The request made of the dialog's four texts, the map type and the terrain
// index; non-numbers take 20, 13, 0 and 0.
NewMapRequest newMapRequestFrom(const QString &width, const QString &height, const QString &provinceWidth,
                                const QString &provinceHeight, int presetIndex, int terrainIndex);

// Why `create` would refuse this request, in French; empty when it is sound.
QString newMapRefusal(const NewMapRequest &request);

// The new document: `create` with the request, then named `fileName`. It is
// untitled and modified. Throws MapCreateError for a refused request.
std::unique_ptr<CarteVarenthe> createNewMap(const NewMapRequest &request, const QString &fileName);
