#pragma once
// The road tiles: the eleven road pieces 110 to 120, the town 121 and the
// bridge 122. Every piece carries the same road band, centred on the tile and
// reaching the tile's edge on each side the piece opens to, with a texture
// that is the same on opposite edges, so that neighbouring pieces join
// without a seam.
#include "TileArt.h"

// Sides a road piece opens to: 1 west, 2 north, 4 east, 8 south (the masks of
// road joining). 121 and 122 open to all four sides; other tiles to none.
int roadSides(int tile);

// First and last pixel of the band across the road.
inline constexpr int RoadBandFirst = 11;
inline constexpr int RoadBandLast = 20;

QImage drawRoadTile(int tile, Season season);
