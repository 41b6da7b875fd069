#include "map/CellLine.h"

#include <cstdlib>

std::vector<CellPoint> cellsOnLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    const int64_t dx = std::llabs(int64_t{x1} - x0);
    const int64_t dy = std::llabs(int64_t{y1} - y0);
    const int32_t stepX = x1 < x0 ? -1 : 1;
    const int32_t stepY = y1 < y0 ? -1 : 1;
    std::vector<CellPoint> cells;
    cells.reserve(static_cast<size_t>(dx + dy + 1));
    CellPoint cell{x0, y0};
    cells.push_back(cell);
    // After ix steps along x and iy along y, the segment leaves the current
    // cell through its vertical side when it reaches x's next cell border
    // first: (ix + 1/2) / dx < (iy + 1/2) / dy, compared in whole numbers.
    for (int64_t ix = 0, iy = 0; ix < dx || iy < dy;) {
        if (iy == dy || (ix < dx && (2 * ix + 1) * dy <= (2 * iy + 1) * dx)) {
            cell.x += stepX;
            ++ix;
        } else {
            cell.y += stepY;
            ++iy;
        }
        cells.push_back(cell);
    }
    return cells;
}
