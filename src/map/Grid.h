#pragma once
// One per-cell layer of a map: `height` rows of `width` signed 32-bit values,
// stored contiguously so that a row is one pointer and a cell one index.
//
// A grid takes memory only once something reads its rows or writes a cell:
// until then every cell reads as its fill value. A 4096 x 4096 map has seven
// grids of 64 MiB; most maps are opened to be looked at, never searched, so
// the four route grids and the element index would otherwise be filled with
// -1 and 0 for nothing at every load. Zero-filled storage comes from calloc,
// whose fresh pages the system gives already cleared. A grid may also hold a
// list of cells to write once it takes memory (the element index of a map
// just read): those cells read as written all along.
//
// Callers check bounds; the document's accessors are the total ones.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>


class Grid {
public:
    Grid() = default;
    Grid(int32_t width, int32_t height, int32_t fill) { assign(width, height, fill); }
    Grid(const Grid &other) { *this = other; }
    Grid(Grid &&other) noexcept = default;
    Grid &operator=(Grid &&other) noexcept = default;
    Grid &operator=(const Grid &other)
    {
        if (this == &other)
            return *this;
        width_ = other.width_;
        height_ = other.height_;
        fill_ = other.fill_;
        pending_ = other.pending_;
        cells_.reset();
        if (other.cells_) {
            cells_.reset(allocate(size(), false));
            std::memcpy(cells_.get(), other.cells_.get(), size() * sizeof(int32_t));
        }
        return *this;
    }

    // Sizes the grid with every cell at `fill`; takes no memory yet.
    void assign(int32_t width, int32_t height, int32_t fill)
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        fill_ = fill;
        pending_.clear();
        cells_.reset();
    }
    // One cell to write when the grid takes memory.
    struct CellWrite {
        uint32_t index; // y × width + x
        int32_t value;
    };
    // Sizes the grid with every cell at `fill` but for `writes`, applied in
    // order when the grid takes memory; takes none yet.
    void assignWithWrites(int32_t width, int32_t height, int32_t fill, std::vector<CellWrite> writes)
    {
        assign(width, height, fill);
        pending_ = std::move(writes);
    }
    // Sets every cell to `value`. A grid that holds no memory stays so.
    void fill(int32_t value)
    {
        if (cells_) {
            std::fill_n(cells_.get(), size(), value);
        } else {
            fill_ = value;
            pending_.clear();
        }
    }
    void release()
    {
        cells_.reset();
        pending_.clear();
        width_ = height_ = 0;
    }

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool empty() const { return size() == 0; }
    size_t size() const { return static_cast<size_t>(width_) * static_cast<size_t>(height_); }
    // Whether the cells have memory of their own yet.
    bool materialized() const { return cells_ != nullptr; }

    int32_t at(int32_t x, int32_t y) const
    {
        if (!cells_ && !pending_.empty())
            materialize();
        return cells_ ? cells_[index(x, y)] : fill_;
    }
    int32_t &at(int32_t x, int32_t y) { return data()[index(x, y)]; }
    int32_t *row(int32_t y) { return data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const int32_t *row(int32_t y) const { return data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    int32_t *data()
    {
        materialize();
        return cells_.get();
    }
    const int32_t *data() const
    {
        materialize();
        return cells_.get();
    }

private:
    struct FreeCells {
        void operator()(int32_t *cells) const { std::free(cells); }
    };

    static int32_t *allocate(size_t count, bool zeroed)
    {
        if (count == 0)
            count = 1; // a valid pointer for an empty grid's rows
        void *memory = zeroed ? std::calloc(count, sizeof(int32_t)) : std::malloc(count * sizeof(int32_t));
        if (!memory)
            throw std::bad_alloc();
        return static_cast<int32_t *>(memory);
    }

    // Reading rows of a grid hands out pointers, so a const read has to give
    // the grid its memory too; the cells' values do not change by it.
    void materialize() const
    {
        if (cells_)
            return;
        cells_.reset(allocate(size(), fill_ == 0));
        if (fill_ != 0)
            std::fill_n(cells_.get(), size(), fill_);
        applyPending();
    }

    void applyPending() const
    {
        for (const CellWrite &write : pending_)
            if (write.index < size())
                cells_[write.index] = write.value;
        pending_.clear();
        pending_.shrink_to_fit();
    }

    size_t index(int32_t x, int32_t y) const
    {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t fill_ = 0;
    mutable std::vector<CellWrite> pending_;
    mutable std::unique_ptr<int32_t[], FreeCells> cells_;
};
