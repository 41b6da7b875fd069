#pragma once
// The geometry of one view of a map: the cell size, the grid gap between
// cells and the scroll positions (the map pixel shown at the canvas's top-left
// corner). A plain value that the map window, the bitmap export and
// pelmorin-cli render hand to the one renderer, so that they all draw the same
// picture for the same view.
#include <algorithm>
#include <cstdint>

struct MapView {
    static constexpr int32_t MinCellSize = 1;
    static constexpr int32_t MaxCellSize = 32;
    static constexpr int32_t MinZoomPercent = 5;
    static constexpr int32_t MaxZoomPercent = 100;

    int32_t cellSize = 32; // side of a cell's tile in pixels, 1 to 32
    int32_t gridGap = 1;   // "Grille": pixels between neighbouring cells
    int32_t scrollX = 0;   // map pixel shown at canvas column 0
    int32_t scrollY = 0;   // map pixel shown at canvas row 0

    // The cell size of a zoom in percent, clamped to 5..100 as the map window
    // clamps its zoom: 100 gives 32 pixels, 50 gives 16, 5 gives 1.
    static int32_t cellSizeForZoom(int32_t zoomPercent)
    {
        const int32_t zoom = std::clamp(zoomPercent, MinZoomPercent, MaxZoomPercent);
        return zoom * 32 / 100;
    }

    // The cell size and gap actually drawn: a damaged setting (negative gap,
    // a cell size out of range) must never make the pitch 0 or negative.
    int32_t cell() const { return std::clamp(cellSize, MinCellSize, MaxCellSize); }
    int32_t gap() const { return std::max<int32_t>(gridGap, 0); }
    // Distance in pixels from one cell's left (or top) edge to the next one's.
    int32_t pitch() const { return cell() + gap(); }

    // Size in pixels of the whole map drawn at this pitch: `pitch` times the
    // number of cells, so it ends with one gap after the last column and row.
    int64_t mapPixelWidth(int32_t columns) const { return int64_t(pitch()) * std::max(columns, 0); }
    int64_t mapPixelHeight(int32_t rows) const { return int64_t(pitch()) * std::max(rows, 0); }

    // The cell under a canvas pixel (no range check: callers test the cell
    // against the map). Division truncates toward zero, as the map window's
    // own arithmetic does.
    int32_t columnAt(int32_t canvasX) const { return (canvasX + scrollX) / pitch(); }
    int32_t rowAt(int32_t canvasY) const { return (canvasY + scrollY) / pitch(); }
};
