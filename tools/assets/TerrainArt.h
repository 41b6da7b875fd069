#pragma once
// The terrains of world and province maps (the empty cell 0 and the codes
// 100 to 108), the province features (1 to 3, 131 to 133, 141 to 147), the
// palette's zone eraser 257, and the layer-change marker 250.
#include "TileArt.h"

QImage drawTerrainTile(int tile, Season season);
QImage drawFeatureTile(int tile, Season season);
QImage drawZoneEraserTile();
// The marker of a route cell where the traveller changes travel layer: an
// anchor on a light ground, the same in every aspect.
QImage drawLayerChangeMarker();
