#pragma once
// What painting a palette tile on a cell does to the map: the zone tiles put
// a zone marker on the cell (257 erases it), every other tile becomes the
// cell's terrain and re-shapes the roads around it. Called by the map
// window for the cell under the mouse and by `pelmorin-cli edit --paint`.
#include <cstdint>
#include <string>

class CarteVarenthe;
class EditReport;

inline constexpr int32_t FirstZoneTile = 251;
inline constexpr int32_t LastZoneTile = 256;
inline constexpr int32_t ZoneEraserTile = 257;

// Tiles 251 to 257 act on the cell's element instead of its terrain.
inline bool isZoneTile(int32_t tile) { return tile >= FirstZoneTile && tile <= ZoneEraserTile; }

// Name a zone marker of that palette code carries ("Zone habitable" for 253,
// empty for the unnamed zones).
std::string zoneName(int32_t tile);

// Does nothing outside the map; otherwise marks the map modified, even when
// the cell already held what is painted. What changed goes to `report`, when
// given.
void ApplyPaletteTile(CarteVarenthe &document, int32_t x, int32_t y, int32_t tile, EditReport *report = nullptr);
