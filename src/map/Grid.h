#pragma once
// One per-cell layer of a map: `height` rows of `width` signed 32-bit values,
// stored contiguously so that a row is one pointer and a cell one index.
// Callers check bounds; the document's accessors are the total ones.
#include <cstdint>
#include <algorithm>
#include <vector>

class Grid {
public:
    Grid() = default;
    Grid(int32_t width, int32_t height, int32_t fill) { assign(width, height, fill); }

    void assign(int32_t width, int32_t height, int32_t fill)
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        cells_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill);
    }
    void fill(int32_t value) { std::fill(cells_.begin(), cells_.end(), value); }
    void release()
    {
        cells_.clear();
        cells_.shrink_to_fit();
        width_ = height_ = 0;
    }

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool empty() const { return cells_.empty(); }

    int32_t &at(int32_t x, int32_t y) { return cells_[index(x, y)]; }
    int32_t at(int32_t x, int32_t y) const { return cells_[index(x, y)]; }
    int32_t *row(int32_t y) { return cells_.data() + static_cast<size_t>(y) * width_; }
    const int32_t *row(int32_t y) const { return cells_.data() + static_cast<size_t>(y) * width_; }
    int32_t *data() { return cells_.data(); }
    const int32_t *data() const { return cells_.data(); }
    size_t size() const { return cells_.size(); }

private:
    size_t index(int32_t x, int32_t y) const
    {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<int32_t> cells_;
};
