#pragma once
// The new-map dialog's side of map creation: its texts turned into the map
// layer's NewMapRequest (a text that is not an integer takes its field's
// default), and sizes the map document cannot hold refused with a French
// message instead of reaching `create`. The presets and base terrains
// themselves are the map layer's, shared with `pelmorin-cli new`.
#include <QString>
#include <cstdint>
#include <memory>

#include "map/MapPresets.h"

class CarteVarenthe;

inline constexpr int TerrainChoiceCount = BaseTerrainCount;

const MapPreset &mapPreset(int index);
QString mapPresetCaption(int index);
const BaseTerrain &terrainChoice(int index);
QString terrainCaption(int index);

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
