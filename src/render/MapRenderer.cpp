#include "render/MapRenderer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "map/CarteVarenthe.h"
#include "render/ProvinceNames.h"
#include "render/ScanlineRuns.h"
#include "render/TimeLabelCache.h"

namespace {

constexpr QRgb OpaqueBlack = 0xFF000000u;

// The drawing area of one call, right and bottom exclusive.
struct Area {
    int left;
    int top;
    int right;
    int bottom;
};

// Rows of a grid of the document, or of `empty` when the grid does not match
// the map's size (a document under construction): such cells read as empty.
// A grid that has no memory yet (route layers of a map never searched) and
// whose cells all read as `empty` is drawn from `empty` too, so that merely
// looking at a map never allocates its route layers.
const int32_t *gridRow(const Grid &grid, const CarteVarenthe &map, int32_t y, const std::vector<int32_t> &empty)
{
    if (grid.width() != map.width || grid.height() != map.height)
        return empty.data();
    if (!grid.materialized() && grid.at(0, 0) == empty.front())
        return empty.data();
    return grid.row(y);
}

class CellPainter {
public:
    CellPainter(QImage &canvas, const Area &area)
        : bits_(reinterpret_cast<QRgb *>(canvas.bits()))
        , stride_(canvas.bytesPerLine() / 4)
        , area_(area)
    {
    }

    QRgb *line(int y) const { return bits_ + static_cast<ptrdiff_t>(y) * stride_; }

    // Every drawing operation comes in two kinds: clipped to the area, and
    // unclipped for the cells that lie wholly inside it (nearly all of them),
    // which a window at small zoom draws half a million times per paint.
    template <bool Clip = true>
    void fill(int left, int top, int right, int bottom, QRgb colour) const
    {
        if constexpr (Clip) {
            left = std::max(left, area_.left);
            top = std::max(top, area_.top);
            right = std::min(right, area_.right);
            bottom = std::min(bottom, area_.bottom);
            if (left >= right)
                return;
        }
        for (int y = top; y < bottom; ++y) {
            QRgb *to = line(y);
            if (right - left >= 16) {
                fillRun(to + left, right - left, colour);
            } else {
                for (int x = left; x < right; ++x)
                    to[x] = colour;
            }
        }
    }

    // One-pixel lines; the end point is not drawn.
    template <bool Clip = true>
    void verticalLine(int x, int top, int bottom, QRgb colour) const
    {
        if constexpr (Clip) {
            if (x < area_.left || x >= area_.right)
                return;
            top = std::max(top, area_.top);
            bottom = std::min(bottom, area_.bottom);
        }
        QRgb *to = line(top) + x;
        for (int y = top; y < bottom; ++y, to += stride_)
            *to = colour;
    }
    template <bool Clip = true>
    void horizontalLine(int y, int left, int right, QRgb colour) const
    {
        if constexpr (Clip) {
            if (y < area_.top || y >= area_.bottom)
                return;
            left = std::max(left, area_.left);
            right = std::min(right, area_.right);
        }
        QRgb *to = line(y);
        for (int x = left; x < right; ++x)
            to[x] = colour;
    }

    // Hands every row of the top-left size x size square of a scaled copy
    // placed at (x, y), clipped to the area, to rowWork(from, to, width).
    template <bool Clip, typename RowWork>
    void tileRows(const QRgb *copy, int x, int y, int size, RowWork rowWork) const
    {
        int left = x, right = x + size, top = y, bottom = y + size;
        if constexpr (Clip) {
            left = std::max(left, area_.left);
            right = std::min(right, area_.right);
            top = std::max(top, area_.top);
            bottom = std::min(bottom, area_.bottom);
        }
        const int width = right - left;
        if (width <= 0)
            return;
        const QRgb *from = copy + (top - y) * ScaledTileCache::CopyStride + (left - x);
        QRgb *to = line(top) + left;
        for (int row = top; row < bottom; ++row) {
            rowWork(from, to, width);
            from += ScaledTileCache::CopyStride;
            to += stride_;
        }
    }

    // The top-left size x size square of a scaled copy, to (x, y).
    template <bool Clip = true>
    void copyTile(const QRgb *copy, int x, int y, int size) const
    {
        tileRows<Clip>(copy, x, y, size, [](const QRgb *from, QRgb *to, int width) {
            // Small cells are a few pixels: a call to memcpy would cost more.
            if (width <= 4) {
                for (int i = 0; i < width; ++i)
                    to[i] = from[i];
            } else {
                std::memcpy(to, from, static_cast<size_t>(width) * sizeof(QRgb));
            }
        });
    }

    template <bool Clip = true>
    void blendTile(const QRgb *copy, int x, int y, int size, uint32_t alpha) const
    {
        tileRows<Clip>(copy, x, y, size, [alpha](const QRgb *from, QRgb *to, int width) {
            if (width >= 8) {
                blendRun(from, to, width, alpha);
            } else {
                for (int i = 0; i < width; ++i)
                    to[i] = blendPixel(from[i], to[i], alpha);
            }
        });
    }

    // A travel-time label whose box has its top-left corner at (x, y).
    template <bool Clip = true>
    void stampLabel(const TimeLabelCache::Label &label, const uint16_t *points, int x, int y, QRgb colour,
                    bool boxed) const
    {
        if (boxed)
            fill<Clip>(x, y, x + label.boxWidth, y + label.boxHeight, OpaqueBlack);
        if (label.count == 0)
            return;
        const uint16_t *point = points + label.first;
        const uint16_t *end = point + 2 * label.count;
        if constexpr (!Clip) {
            for (; point != end; point += 2)
                line(y + point[1])[x + point[0]] = colour;
        } else {
            for (; point != end; point += 2) {
                const int px = x + point[0];
                const int py = y + point[1];
                if (px >= area_.left && px < area_.right && py >= area_.top && py < area_.bottom)
                    line(py)[px] = colour;
            }
        }
    }

private:
    QRgb *bits_;
    ptrdiff_t stride_;
    Area area_;
};

// Everything the cells need besides their own contents, the same for a
// whole call.
struct CellStyle {
    int cellSize;
    int gap;
    int pitch;
    bool borderLines;
    QRgb borderColour;
    bool highlightBorders; // on, and the map has a province layout
    int32_t provinceWidth;
    TimeLabelCache *labels; // null when times are hidden
    QRgb timesColour;
    bool boxedTimes;
    const std::vector<Element> *elements;
};

// One row of cells: where it is drawn, its province position and its grids.
struct CellRow {
    int top;      // canvas row of the cells' top edge
    int scrollX;
    bool firstRowOfProvince;
    bool borderRow; // first or last row of its province
    const int32_t *terrain;
    const int32_t *marks;
    const int32_t *elementIndex;
    const int32_t *onFoot;
    const int32_t *afloat;
};

// Draws columns `from` to `to` (exclusive) of a row; `cx` is the column in
// its province of the first one. Clip is false only for cells that lie,
// with their gap lines, wholly inside the area. FixedCell, when not 0, is the
// cell size known at compile time: at the smallest zoom a cell is one pixel
// and the loops over its rows and columns must vanish.
template <bool Clip, int FixedCell = 0>
void drawCells(const CellPainter &out, const CellStyle &style, const CellRow &row, ScaledTileCache &tiles,
               int32_t from, int32_t to, int32_t cx)
{
    const int c = FixedCell != 0 ? FixedCell : style.cellSize;
    const int g = style.gap;
    const int Y = row.top;
    const int32_t pw = style.provinceWidth;
    int X = static_cast<int>(int64_t(from) * style.pitch - row.scrollX);
    TimeLabelCache::Tables labels{};
    if (style.labels)
        labels = style.labels->tables();
    // Times are >= 0 here; a label not made yet is made, and the tables
    // taken again since making one may move them.
    auto labelOf = [&](int32_t minutes) -> const TimeLabelCache::Label & {
        if (static_cast<size_t>(minutes) < labels.minutes) {
            const uint16_t index = labels.byMinute[minutes];
            if (index != TimeLabelCache::NotMade)
                return labels.labels[index];
        }
        const TimeLabelCache::Label &made = style.labels->label(minutes);
        labels = style.labels->tables();
        return made;
    };
    for (int32_t x = from; x < to; ++x, X += style.pitch) {
        // 5. Border cell: at the edge of its province.
        const bool firstColumnOfProvince = cx == 0;
        const bool borderCell = row.borderRow || cx == 0 || cx == pw - 1;
        if (pw == 0)
            ++cx;
        else if (++cx == pw)
            cx = 0;

        // 6. Overlay, first match wins.
        const int32_t mark = row.marks[x];
        int32_t overlay = 0;
        uint32_t alpha = RouteOverlayOpacity;
        if (mark != 0) {
            overlay = RouteOverlayTile;
        } else if (style.highlightBorders && borderCell) {
            overlay = BorderOverlayTile;
            alpha = BorderOverlayOpacity;
        } else {
            const int32_t index = row.elementIndex[x];
            if (index > 0 && static_cast<size_t>(index) <= style.elements->size()) {
                const Element &element = (*style.elements)[static_cast<size_t>(index) - 1];
                if (element.kind == ElementZone) {
                    overlay = element.number;
                    alpha = ZoneOverlayOpacity;
                }
            }
        }
        // 9. Where the traveller changes layer the layer-change tile wins
        // (with the route's opacity).
        if ((mark & 2) != 0) {
            overlay = ScaledTileCache::LayerChangeTile;
            alpha = LayerChangeOverlayOpacity;
        }

        // 7. Province border lines in the gap left of and above the cell.
        if (style.borderLines) {
            if (firstColumnOfProvince)
                out.verticalLine<Clip>(X - g, Y - g, Y + c + g, style.borderColour);
            if (row.firstRowOfProvince)
                out.horizontalLine<Clip>(Y - g, X - g, X + c + g, style.borderColour);
        }
        // 8. The tile; numbers no tile can have stay black (step 1).
        const int32_t tile = row.terrain[x];
        if (ScaledTileCache::inRange(tile))
            out.copyTile<Clip>(tiles.scaledPixels(tile), X, Y, c);
        // 10. Constant-opacity blend of the overlay.
        if (overlay >= 1 && overlay < ScaledTileCache::SlotCount)
            out.blendTile<Clip>(tiles.scaledPixels(overlay), X, Y, c, alpha);

        // 11. Travel times: on foot in the bottom-left corner, afloat in the
        // top-left corner, each clipped to its reference box.
        if (style.labels) {
            const int32_t footTime = row.onFoot[x];
            if (footTime >= 0) {
                const TimeLabelCache::Label &label = labelOf(footTime);
                out.stampLabel<Clip>(label, labels.points, X, Y + c - label.boxHeight, style.timesColour,
                                     style.boxedTimes);
            }
            const int32_t boatTime = row.afloat[x];
            if (boatTime >= 0) {
                const TimeLabelCache::Label &label = labelOf(boatTime);
                out.stampLabel<Clip>(label, labels.points, X, Y, style.timesColour, style.boxedTimes);
            }
        }
    }
}

// Quotients rounded down and up, for negative numerators too.
int64_t floorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
int64_t ceilDivide(int64_t a, int64_t b)
{
    return -floorDiv(-a, b);
}

int pointsToPixels(int points)
{
    // The size in pixels a 96 dpi display gives a point size, rounded.
    return std::max(1, (points * 96 + 36) / 72);
}

} // namespace

int timesPointSize(int configuredPoints, int cellSize)
{
    const int size = static_cast<int>(configuredPoints - (32 - cellSize) * 0.125);
    return std::max(size, 1);
}

int namesPointSize(int configuredPoints, int cellSize)
{
    const int size = static_cast<int>(configuredPoints - (32 - cellSize) * 0.25);
    return std::max(size, 1);
}

QFont renderFont(const QFont &font, int points)
{
    QFont drawn(font);
    drawn.setPixelSize(pointsToPixels(std::max(points, 1)));
    return drawn;
}

void RenderMap(QImage &canvas, const QRect &rect, const MapView &view, const CarteVarenthe &map,
               const AppSettings &settings, ScaledTileCache &tiles)
{
    if (canvas.format() != QImage::Format_RGB32)
        canvas = canvas.convertToFormat(QImage::Format_RGB32);
    const QRect clipped = rect.intersected(canvas.rect());
    if (clipped.isEmpty())
        return;
    const Area area{clipped.left(), clipped.top(), clipped.right() + 1, clipped.bottom() + 1};
    const CellPainter out(canvas, area);

    // 1. Background: cells outside the map and the grid stay black.
    out.fill(area.left, area.top, area.right, area.bottom, OpaqueBlack);

    const int c = view.cell();
    const int g = view.gap();
    const int p = view.pitch();
    tiles.syncWith(c);

    // 2. Travel-time font and its three reference boxes, once per call. The
    // times are drawn without antialiasing, so that the labels made once per
    // text can be stamped into cells with exactly the pixels text would give.
    TimeLabelCache *labels = nullptr;
    if (settings.showTimes) {
        labels = &tiles.timeLabels();
        QFont font = renderFont(settings.timesFont.font,
                                timesPointSize(settings.timesFont.font.pointSize(), c));
        font.setStyleStrategy(QFont::NoAntialias);
        labels->configure(font, c);
    }
    const int32_t pw = map.provinceWidth;
    const int32_t ph = map.provinceHeight;
    const CellStyle style{c,
                          g,
                          p,
                          g != 0 && settings.showBorderLines,
                          bgrToRgb(settings.borderColour) | OpaqueBlack,
                          settings.highlightBorders && (pw != 0 || ph != 0),
                          pw,
                          labels,
                          bgrToRgb(settings.timesFont.colour) | OpaqueBlack,
                          settings.timesBackground,
                          &map.elements};

    // 3. First row and column, never before the map's first: cells outside
    // the map stay black. Rows and columns run while their cells start less
    // than a pitch past the area.
    const int64_t firstRow = std::max<int64_t>(0, floorDiv(int64_t(area.top) + view.scrollY, p));
    const int64_t firstColumn = std::max<int64_t>(0, floorDiv(int64_t(area.left) + view.scrollX, p));
    const int64_t endRow = std::min<int64_t>(map.height, ceilDivide(int64_t(area.bottom) + p + view.scrollY, p));
    const int64_t endColumn = std::min<int64_t>(map.width, ceilDivide(int64_t(area.right) + p + view.scrollX, p));
    if (firstColumn >= endColumn)
        return drawProvinceNames(canvas, clipped, view, map, settings);
    // Columns whose cells and gap lines lie inside the area horizontally.
    const int64_t innerFrom = std::clamp<int64_t>(ceilDivide(int64_t(area.left) + g + view.scrollX, p),
                                                  firstColumn, endColumn);
    const int64_t innerTo = std::clamp<int64_t>(floorDiv(int64_t(area.right) - c - g + view.scrollX, p) + 1,
                                                innerFrom, endColumn);

    // Stand-ins for grids a document under construction lacks, and for route
    // layers that were never searched.
    std::vector<int32_t> zeros;
    std::vector<int32_t> unreached;
    auto matches = [&map](const Grid &grid) {
        return grid.width() == map.width && grid.height() == map.height && grid.materialized();
    };
    if (!matches(map.terrain) || !matches(map.routeMark) || !matches(map.elementIndex)
        || !matches(map.routeTime[OnFoot]) || !matches(map.routeTime[Afloat])) {
        zeros.assign(size_t(std::max(map.width, 1)), 0);
        unreached.assign(size_t(std::max(map.width, 1)), -1);
    }

    // 4. Cells meeting the area, row by row.
    for (int64_t y = firstRow; y < endRow; ++y) {
        const int32_t row = static_cast<int32_t>(y);
        const int Y = static_cast<int>(y * p - view.scrollY);
        // 5. Province position: the row part once per row, the column part
        // advanced cell by cell.
        const int32_t provinceRow = ph != 0 ? row / ph : 0;
        const int32_t rowInProvince = ph != 0 ? row % ph : row;
        const int32_t shift = (provinceRow % 2 == 1) ? ProvinceShift : 0;
        CellRow cells;
        cells.top = Y;
        cells.scrollX = view.scrollX;
        cells.firstRowOfProvince = rowInProvince == 0;
        cells.borderRow = rowInProvince == 0 || rowInProvince == ph - 1;
        cells.terrain = gridRow(map.terrain, map, row, zeros);
        cells.marks = gridRow(map.routeMark, map, row, zeros);
        cells.elementIndex = gridRow(map.elementIndex, map, row, zeros);
        cells.onFoot = gridRow(map.routeTime[OnFoot], map, row, unreached);
        cells.afloat = gridRow(map.routeTime[Afloat], map, row, unreached);
        auto columnInProvince = [&](int64_t x) {
            return static_cast<int32_t>(pw != 0 ? (x + shift) % pw : x + shift);
        };

        const bool rowInside = Y - g >= area.top && Y + c + g <= area.bottom;
        if (!rowInside) {
            drawCells<true>(out, style, cells, tiles, int32_t(firstColumn), int32_t(endColumn),
                            columnInProvince(firstColumn));
            continue;
        }
        drawCells<true>(out, style, cells, tiles, int32_t(firstColumn), int32_t(innerFrom),
                        columnInProvince(firstColumn));
        if (c == 1)
            drawCells<false, 1>(out, style, cells, tiles, int32_t(innerFrom), int32_t(innerTo),
                                columnInProvince(innerFrom));
        else
            drawCells<false>(out, style, cells, tiles, int32_t(innerFrom), int32_t(innerTo),
                             columnInProvince(innerFrom));
        drawCells<true>(out, style, cells, tiles, int32_t(innerTo), int32_t(endColumn), columnInProvince(innerTo));
    }

    // 12. Province names over everything.
    drawProvinceNames(canvas, clipped, view, map, settings);
}
