#pragma once
// Painting many cells at once with a palette tile: the rectangle between two
// cells, and the 4-connected region of one terrain. Each leaves the map as
// painting its cells one by one with ApplyPaletteTile would, row by row from
// the top and left to right in a row, roads joined after every cell, and
// returns what changed as one report. Like painting, both mark the map
// modified once they start inside it.
#include <cstddef>
#include <cstdint>

#include "map/EditReport.h"

class CarteVarenthe;

// The cells between (x0, y0) and (x1, y1), corners in any order, cut to the
// map. Nothing happens when (x0, y0), where the fill started, is outside.
EditReport FillRectangle(CarteVarenthe &document, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t tile);

// The cells reached from (x, y) through east, west, north and south steps
// over cells whose terrain equals that of (x, y). A zone tile puts its marker
// on every one of them (257 erases it). Nothing happens outside the map.
EditReport FloodFill(CarteVarenthe &document, int32_t x, int32_t y, int32_t tile);

// How many cells the fills above would give a new element with a zone tile:
// the cells of the rectangle (cut to the map) or of the region that hold no
// element yet. A map keeps at most MaxElementCount elements, so a zone fill
// is refused beforehand when these would not fit.
size_t RectangleCellsWithoutElement(const CarteVarenthe &document, int32_t x0, int32_t y0, int32_t x1, int32_t y1);
size_t RegionCellsWithoutElement(const CarteVarenthe &document, int32_t x, int32_t y);
