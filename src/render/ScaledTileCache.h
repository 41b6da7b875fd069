#pragma once
// One map window's copies of the tile pictures stretched to its cell size, so
// that drawing a cell is a plain copy and a tile is stretched once per tile
// number and cell size, never per cell drawn. Owned by the map window (the
// export and pelmorin-cli render use the cache of the view they draw); the
// master pictures are borrowed from the shared TileLibrary. It also keeps the
// window's pictures of travel-time texts (TimeLabelCache).
#include <QImage>
#include <array>
#include <cstdint>
#include <memory>

#include "render/TileLibrary.h"

class TimeLabelCache;

class ScaledTileCache {
public:
    static constexpr int SlotCount = TileLibrary::SlotCount;
    // The tile laid over route cells where the traveller changes layer; it is
    // prepared at once by every invalidation.
    static constexpr int LayerChangeTile = 250;

    // Starts with every copy absent at cell size 32, then invalidates (which
    // prepares tile 250), as a new map window does.
    explicit ScaledTileCache(TileLibrary &library);
    ~ScaledTileCache();
    ScaledTileCache(const ScaledTileCache &) = delete;
    ScaledTileCache &operator=(const ScaledTileCache &) = delete;

    TileLibrary &library() const { return *library_; }
    int cellSize() const { return cellSize_; }

    // Makes the copies match a cell size (clamped to 1..32) and the library's
    // current aspect: a change of either invalidates every copy. The renderer
    // calls it at the start of every call, so a window that forgets to
    // invalidate after a zoom or an aspect change still draws correctly.
    void syncWith(int cellSize);

    // Stretches the whole master picture of `tile` into the top-left
    // cellSize x cellSize square of its 32 x 32 copy (created on first use)
    // and marks the copy valid. Numbers outside 0..5999 are ignored.
    void PrepareScaledTile(int tile);
    // Marks every copy not valid (the pictures are kept and reused), then
    // prepares tile 250 at once.
    void InvalidateScaledTiles();

    bool isValid(int tile) const { return inRange(tile) && valid_[static_cast<size_t>(tile)]; }
    bool exists(int tile) const { return inRange(tile) && !copies_[static_cast<size_t>(tile)].isNull(); }
    static bool inRange(int tile) { return tile >= 0 && tile < SlotCount; }

    // The valid copy of `tile` (0..5999; prepared first when needed):
    // Format_RGB32, 32 x 32, the picture in its top-left cellSize square.
    const QImage &scaledTile(int tile)
    {
        if (!valid_[static_cast<size_t>(tile)])
            PrepareScaledTile(tile);
        return copies_[static_cast<size_t>(tile)];
    }
    // The same copy's pixels for the renderer's scanline loops: rows of
    // CopyStride pixels, without a call into QImage per cell.
    static constexpr int CopyStride = TileLibrary::TileSize;
    const QRgb *scaledPixels(int tile)
    {
        if (!valid_[static_cast<size_t>(tile)])
            PrepareScaledTile(tile);
        return pixels_[static_cast<size_t>(tile)];
    }

    TimeLabelCache &timeLabels() { return *timeLabels_; }

private:
    TileLibrary *library_;
    int cellSize_ = 32;
    uint64_t generation_ = 0;
    std::array<QImage, SlotCount> copies_;
    std::array<bool, SlotCount> valid_{};
    std::array<const QRgb *, SlotCount> pixels_{};
    std::unique_ptr<TimeLabelCache> timeLabels_;
};
