#include "render/ScaledTileCache.h"

#include <algorithm>

#include "render/TimeLabelCache.h"

ScaledTileCache::ScaledTileCache(TileLibrary &library)
    : library_(&library)
    , generation_(library.generation())
    , timeLabels_(std::make_unique<TimeLabelCache>())
{
    InvalidateScaledTiles();
}

ScaledTileCache::~ScaledTileCache() = default;

void ScaledTileCache::syncWith(int cellSize)
{
    const int size = std::clamp(cellSize, 1, TileLibrary::TileSize);
    if (size == cellSize_ && generation_ == library_->generation())
        return;
    cellSize_ = size;
    generation_ = library_->generation();
    InvalidateScaledTiles();
}

void ScaledTileCache::PrepareScaledTile(int tile)
{
    if (!inRange(tile))
        return;
    QImage &copy = copies_[static_cast<size_t>(tile)];
    if (copy.isNull()) {
        copy = QImage(TileLibrary::TileSize, TileLibrary::TileSize, QImage::Format_RGB32);
        copy.fill(Qt::black);
    }
    const QImage &master = library_->GetTile(tile);
    if (master.isNull() || master.width() <= 0 || master.height() <= 0) {
        copy.fill(Qt::black);
    } else {
        // Area averaging keeps thin details of a tile (roads, walls) visible
        // at small cell sizes, where picking pixels would drop them.
        const QImage stretched = (master.width() == cellSize_ && master.height() == cellSize_)
                                     ? master.convertToFormat(QImage::Format_RGB32)
                                     : master.scaled(cellSize_, cellSize_, Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation)
                                           .convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < cellSize_; ++y) {
            const QRgb *from = reinterpret_cast<const QRgb *>(stretched.constScanLine(y));
            QRgb *to = reinterpret_cast<QRgb *>(copy.scanLine(y));
            for (int x = 0; x < cellSize_; ++x)
                to[x] = from[x] | 0xFF000000u; // tiles are opaque
        }
    }
    pixels_[static_cast<size_t>(tile)] = reinterpret_cast<const QRgb *>(copy.constBits());
    valid_[static_cast<size_t>(tile)] = true;
}

void ScaledTileCache::InvalidateScaledTiles()
{
    valid_.fill(false);
    generation_ = library_->generation();
    PrepareScaledTile(LayerChangeTile);
}
