#pragma once
// The cells a straight line crosses between two cells, so that a fast drag
// of the mouse paints every cell it passed over. Each cell of the line shares
// a side with the one before it: a road painted along a diagonal joins up
// piece by piece, where a line of corner-touching cells would not.
#include <cstdint>
#include <vector>

struct CellPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const CellPoint &) const = default;
};

// From (x0, y0) to (x1, y1), both included, in order: the cells whose square
// the segment between the two cell centres passes through. Where it passes
// exactly through a corner, the step along x comes first.
std::vector<CellPoint> cellsOnLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
