#include "render/MapOverview.h"

#include <algorithm>

#include "map/CarteVarenthe.h"
#include "render/MapRenderer.h"
#include "render/ScanlineRuns.h"
#include "render/TileLibrary.h"

namespace {

// A province's first row and first column are drawn in this shade of the
// colour under them.
QRgb darkened(QRgb colour)
{
    return qRgb(qRed(colour) * 3 / 4, qGreen(colour) * 3 / 4, qBlue(colour) * 3 / 4);
}


} // namespace

MapOverview::Scale MapOverview::scaleFor(const CarteVarenthe &map)
{
    const int64_t across = map.width + (map.hasProvinces() ? ProvinceShift : 0);
    // A last row of cells may fall partly outside, as on the world map.
    const int64_t down = std::max(map.height - 1, 0);
    Scale scale{std::max<int64_t>(across, 1), Width};
    if (down * Width > scale.cells * Height)
        scale = {down, Height};
    return scale;
}

QRgb MapOverview::tileColour(TileLibrary &tiles, int32_t tile)
{
    if (tile < 0 || tile >= TileLibrary::SlotCount)
        return qRgb(0, 0, 0);
    if (tilesGeneration_ != tiles.generation()) {
        tileColours_.assign(TileLibrary::SlotCount, 0);
        tilesGeneration_ = tiles.generation();
    }
    QRgb &colour = tileColours_[static_cast<size_t>(tile)];
    if (colour == 0) {
        const QImage &image = tiles.GetTile(tile);
        uint64_t r = 0, g = 0, b = 0;
        const int64_t count = int64_t(image.width()) * image.height();
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                r += qRed(line[x]);
                g += qGreen(line[x]);
                b += qBlue(line[x]);
            }
        }
        // Opaque, so never 0: a measured colour is told from one not measured.
        colour = count > 0 ? qRgb(int(r / count), int(g / count), int(b / count)) : qRgb(0, 0, 0);
    }
    return colour;
}

void MapOverview::drawPixel(const CarteVarenthe &map, TileLibrary &tiles, int px, int py)
{
    const Scale &s = scale_;
    const int64_t x0 = s.cellOf(px), y0 = s.cellOf(py);
    const int64_t x1 = std::max(x0 + 1, s.cellOf(px + 1)), y1 = std::max(y0 + 1, s.cellOf(py + 1));
    uint64_t r = 0, g = 0, b = 0, count = 0;
    for (int64_t y = y0; y < y1; ++y) {
        for (int64_t x = x0; x < x1; ++x) {
            const auto cx = static_cast<int32_t>(x), cy = static_cast<int32_t>(y);
            // Beyond the map, black, as the map window shows it.
            QRgb colour = qRgb(0, 0, 0);
            if (map.contains(cx, cy)) {
                colour = tileColour(tiles, map.terrain.at(cx, cy));
                const Element *element = map.elementAt(cx, cy);
                if (element && element->kind == ElementZone)
                    colour = blendPixel(tileColour(tiles, element->number), colour, ZoneOverlayOpacity);
            }
            r += qRed(colour);
            g += qGreen(colour);
            b += qBlue(colour);
            ++count;
        }
    }
    QRgb pixel = qRgb(int(r / count), int(g / count), int(b / count));
    if (map.hasProvinces() && onProvinceGrid(map, px, py))
        pixel = darkened(pixel);
    reinterpret_cast<QRgb *>(picture_.scanLine(py))[px] = pixel;
}

// The grid: the first pixel row of each province row and, within the row,
// the first pixel column of each province, odd rows shifted.
bool MapOverview::onProvinceGrid(const CarteVarenthe &map, int px, int py) const
{
    const Scale &s = scale_;
    const int64_t pw = map.provinceWidth, ph = map.provinceHeight;
    // The province row whose first pixel row is the last at or above py.
    int64_t row = s.cellOf(py) / ph;
    if (s.pixelOf((row + 1) * ph) <= py)
        ++row;
    if (s.pixelOf(row * ph) == py)
        return true;
    const int64_t shift = row % 2 == 1 ? ProvinceShift : 0;
    const int64_t column = (s.cellOf(px) - shift) >= 0 ? (s.cellOf(px) - shift) / pw : -1;
    for (int64_t c : {column, column + 1})
        if (s.pixelOf(c * pw + shift) == px)
            return true;
    return false;
}

void MapOverview::rebuild(const CarteVarenthe &map, TileLibrary &tiles)
{
    scale_ = scaleFor(map);
    mapWidth_ = map.width;
    mapHeight_ = map.height;
    picture_ = QImage(Width, Height, QImage::Format_RGB32);
    picture_.fill(Qt::black);
    for (int py = 0; py < Height; ++py)
        for (int px = 0; px < Width; ++px)
            drawPixel(map, tiles, px, py);
}

void MapOverview::update(const CarteVarenthe &map, TileLibrary &tiles, const QRect &cells)
{
    if (picture_.isNull() || map.width != mapWidth_ || map.height != mapHeight_
        || tilesGeneration_ != tiles.generation()) {
        rebuild(map, tiles);
        return;
    }
    if (cells.isEmpty())
        return;
    const Scale &s = scale_;
    const int left = std::max(0, s.pixelOf(cells.left()));
    const int top = std::max(0, s.pixelOf(cells.top()));
    const int right = std::min(Width - 1, s.pixelOf(cells.right() + 1));
    const int bottom = std::min(Height - 1, s.pixelOf(cells.bottom() + 1));
    for (int py = top; py <= bottom; ++py)
        for (int px = left; px <= right; ++px)
            drawPixel(map, tiles, px, py);
}
