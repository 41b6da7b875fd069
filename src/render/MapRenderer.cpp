#include "render/MapRenderer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "map/CarteVarenthe.h"
#include "render/CellPainter.h"
#include "render/ProvinceNames.h"
#include "render/TimeLabelCache.h"

namespace {

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
    bool timesOnRouteOnly;  // only the route's cells show their times
    QRgb timesColour;
    bool boxedTimes;
    const std::vector<Element> *elements;
};

// One row of cells: where it is drawn, its province position and its grids.
struct CellRow {
    int top;      // canvas row of the cells' top edge
    int scrollX;
    int32_t provinceShift; // east shift of the row's provinces
    bool firstRowOfProvince;
    bool borderRow; // first or last row of its province
    const int32_t *terrain;
    const int32_t *marks;
    const int32_t *elementIndex;
    const int32_t *onFoot;
    const int32_t *afloat;
};

// The overlay blended over a cell (0: none) and its opacity.
struct CellOverlay {
    int32_t tile = 0;
    uint32_t alpha = RouteOverlayOpacity;
};

// 6. Overlay, first match wins: the route, a province border, a zone.
// 9. Where the traveller changes layer the layer-change tile wins (with the
// route's opacity).
inline CellOverlay overlayOf(const CellStyle &style, const CellRow &row, int32_t x, bool borderCell)
{
    const int32_t mark = row.marks[x];
    CellOverlay overlay;
    if (mark != 0) {
        overlay.tile = RouteOverlayTile;
    } else if (style.highlightBorders && borderCell) {
        overlay = {BorderOverlayTile, BorderOverlayOpacity};
    } else {
        const int32_t index = row.elementIndex[x];
        if (index > 0 && static_cast<size_t>(index) <= style.elements->size()) {
            const Element &element = (*style.elements)[static_cast<size_t>(index) - 1];
            if (element.kind == ElementZone)
                overlay = {element.number, ZoneOverlayOpacity};
        }
    }
    if ((mark & 2) != 0)
        overlay = {ScaledTileCache::LayerChangeTile, LayerChangeOverlayOpacity};
    return overlay;
}

// The label of a travel time, from the tables taken once per row; a label
// not made yet is made, and the tables taken again since making one may
// move them.
class LabelLookup {
public:
    explicit LabelLookup(TimeLabelCache *cache)
        : cache_(cache)
    {
        if (cache_)
            tables_ = cache_->tables();
    }
    // Times are >= 0 here.
    const TimeLabelCache::Label &operator()(int32_t minutes)
    {
        if (static_cast<size_t>(minutes) < tables_.minutes) {
            const uint16_t index = tables_.byMinute[minutes];
            if (index != TimeLabelCache::NotMade)
                return tables_.labels[index];
        }
        const TimeLabelCache::Label &made = cache_->label(minutes);
        tables_ = cache_->tables();
        return made;
    }
    const uint16_t *points() const { return tables_.points; }

private:
    TimeLabelCache *cache_;
    TimeLabelCache::Tables tables_{};
};

// 11. Travel times: on foot in the bottom-left corner, afloat in the
// top-left corner, each clipped to its reference box.
template <bool Clip>
inline void stampTimes(const CellPainter &out, const CellStyle &style, LabelLookup &labels, int32_t footTime,
                       int32_t boatTime, int X, int Y, int c)
{
    if (footTime >= 0) {
        const TimeLabelCache::Label &label = labels(footTime);
        out.stampLabel<Clip>(label, labels.points(), X, Y + c - label.boxHeight, style.timesColour, style.boxedTimes);
    }
    if (boatTime >= 0) {
        const TimeLabelCache::Label &label = labels(boatTime);
        out.stampLabel<Clip>(label, labels.points(), X, Y, style.timesColour, style.boxedTimes);
    }
}

// Draws columns `from` to `to` (exclusive) of a row; `cx` is the column in
// its province of the first one. Clip is false only for cells that lie,
// with their gap lines, wholly inside the area. FixedCell, when not 0, is the
// cell size known at compile time: at the smallest zoom a cell is one pixel
// and the loops over its rows and columns must vanish.
// Kept out of line: inlined four times into the row loop, the instances
// shared one stack frame and ran short of registers, and the per-cell state
// went to the stack (the full view with travel times took nearly twice as
// long).
template <bool Clip, int FixedCell = 0>
[[gnu::noinline]] void drawCells(const CellPainter &out, const CellStyle &style, const CellRow &row, ScaledTileCache &tiles,
               int32_t from, int32_t to, int32_t cx)
{
    const int c = FixedCell != 0 ? FixedCell : style.cellSize;
    const int g = style.gap;
    const int Y = row.top;
    const int32_t pw = style.provinceWidth;
    int X = static_cast<int>(int64_t(from) * style.pitch - row.scrollX);
    LabelLookup labels(style.labels);
    for (int32_t x = from; x < to; ++x, X += style.pitch) {
        // 5. Border cell: at the edge of its province.
        const bool firstColumnOfProvince = cx == 0;
        const bool borderCell = row.borderRow || cx == 0 || cx == pw - 1;
        if (pw == 0)
            ++cx;
        else if (++cx == pw)
            cx = 0;

        const CellOverlay overlay = overlayOf(style, row, x, borderCell);
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
        if (overlay.tile >= 1 && overlay.tile < ScaledTileCache::SlotCount)
            out.blendTile<Clip>(tiles.scaledPixels(overlay.tile), X, Y, c, overlay.alpha);
        // 11. Travel times.
        if (style.labels && (!style.timesOnRouteOnly || row.marks[x] != 0))
            stampTimes<Clip>(out, style, labels, row.onFoot[x], row.afloat[x], X, Y, c);
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

namespace {

// Everything the cells need besides their own contents, for one call. The
// travel-time font and its three reference boxes are set once per call; the
// times are drawn without antialiasing, so that the labels made once per
// text can be stamped into cells with exactly the pixels text would give.
CellStyle cellStyleFor(const MapView &view, const CarteVarenthe &map, const AppSettings &settings,
                       ScaledTileCache &tiles)
{
    const int c = view.cell();
    TimeLabelCache *labels = nullptr;
    const int timesPoints = timesPointSize(settings.timesFont.font.pointSize(), c);
    // Times smaller than this many pixels are dots, not figures.
    constexpr int SmallestReadablePixels = 6;
    const bool readable = settings.timesShown != TimesShown::WhenReadable
                          || pointsToPixels(timesPoints) >= SmallestReadablePixels;
    if (settings.showTimes && readable) {
        labels = &tiles.timeLabels();
        QFont font = renderFont(settings.timesFont.font, timesPoints);
        font.setStyleStrategy(QFont::NoAntialias);
        labels->configure(font, c);
    }
    return CellStyle{c,
                     view.gap(),
                     view.pitch(),
                     view.gap() != 0 && settings.showBorderLines,
                     bgrToRgb(settings.borderColour) | OpaqueBlack,
                     settings.highlightBorders && (map.provinceWidth != 0 || map.provinceHeight != 0),
                     map.provinceWidth,
                     labels,
                     settings.timesShown == TimesShown::AlongRoute,
                     bgrToRgb(settings.timesFont.colour) | OpaqueBlack,
                     settings.timesBackground,
                     &map.elements};
}

// The rows and columns of cells meeting an area, never before the map's
// first: cells outside the map stay black. Rows and columns run while their
// cells start less than a pitch past the area. The inner columns are those
// whose cells and gap lines lie inside the area horizontally.
struct CellSpan {
    int64_t firstRow, endRow;
    int64_t firstColumn, endColumn;
    int64_t innerFrom, innerTo;
};

CellSpan cellsMeeting(const Area &area, const MapView &view, const CarteVarenthe &map)
{
    const int64_t c = view.cell(), g = view.gap(), p = view.pitch();
    CellSpan span;
    span.firstRow = std::max<int64_t>(0, floorDiv(int64_t(area.top) + view.scrollY, p));
    span.firstColumn = std::max<int64_t>(0, floorDiv(int64_t(area.left) + view.scrollX, p));
    span.endRow = std::min<int64_t>(map.height, ceilDivide(int64_t(area.bottom) + p + view.scrollY, p));
    span.endColumn = std::min<int64_t>(map.width, ceilDivide(int64_t(area.right) + p + view.scrollX, p));
    span.innerFrom = std::clamp<int64_t>(ceilDivide(int64_t(area.left) + g + view.scrollX, p), span.firstColumn,
                                         std::max(span.firstColumn, span.endColumn));
    span.innerTo = std::clamp<int64_t>(floorDiv(int64_t(area.right) - c - g + view.scrollX, p) + 1, span.innerFrom,
                                       std::max(span.innerFrom, span.endColumn));
    return span;
}

// Stand-ins for grids a document under construction lacks, and for route
// layers that were never searched.
struct GridStandIns {
    explicit GridStandIns(const CarteVarenthe &map)
    {
        auto matches = [&map](const Grid &grid) {
            return grid.width() == map.width && grid.height() == map.height && grid.materialized();
        };
        if (!matches(map.terrain) || !matches(map.routeMark) || !matches(map.elementIndex)
            || !matches(map.routeTime[OnFoot]) || !matches(map.routeTime[Afloat])) {
            zeros.assign(size_t(std::max(map.width, 1)), 0);
            unreached.assign(size_t(std::max(map.width, 1)), -1);
        }
    }
    std::vector<int32_t> zeros;
    std::vector<int32_t> unreached;
};

// 5. One row of cells with its province position (the row part; the column
// part is advanced cell by cell) and its grids.
CellRow cellRowAt(const CarteVarenthe &map, const MapView &view, int32_t row, const GridStandIns &standIns)
{
    const int32_t ph = map.provinceHeight;
    const int32_t provinceRow = ph != 0 ? row / ph : 0;
    const int32_t rowInProvince = ph != 0 ? row % ph : row;
    CellRow cells;
    cells.top = static_cast<int>(int64_t(row) * view.pitch() - view.scrollY);
    cells.scrollX = view.scrollX;
    cells.provinceShift = (provinceRow % 2 == 1) ? ProvinceShift : 0;
    cells.firstRowOfProvince = rowInProvince == 0;
    cells.borderRow = rowInProvince == 0 || rowInProvince == ph - 1;
    cells.terrain = gridRow(map.terrain, map, row, standIns.zeros);
    cells.marks = gridRow(map.routeMark, map, row, standIns.zeros);
    cells.elementIndex = gridRow(map.elementIndex, map, row, standIns.zeros);
    cells.onFoot = gridRow(map.routeTime[OnFoot], map, row, standIns.unreached);
    cells.afloat = gridRow(map.routeTime[Afloat], map, row, standIns.unreached);
    return cells;
}

// A row's cells in up to three runs: clipped at the area's left and right
// edges, unclipped between them when the row lies wholly inside the area
// (with a one-pixel cell drawn by its own loop).
void drawRow(const CellPainter &out, const CellStyle &style, const CellRow &row, const CellSpan &span,
             const Area &area, ScaledTileCache &tiles)
{
    const int c = style.cellSize;
    const int g = style.gap;
    const int32_t pw = style.provinceWidth;
    auto columnInProvince = [&](int64_t x) {
        return static_cast<int32_t>(pw != 0 ? (x + row.provinceShift) % pw : x + row.provinceShift);
    };
    const auto first = int32_t(span.firstColumn), end = int32_t(span.endColumn);
    const auto innerFrom = int32_t(span.innerFrom), innerTo = int32_t(span.innerTo);
    const bool rowInside = row.top - g >= area.top && row.top + c + g <= area.bottom;
    if (!rowInside) {
        drawCells<true>(out, style, row, tiles, first, end, columnInProvince(first));
        return;
    }
    drawCells<true>(out, style, row, tiles, first, innerFrom, columnInProvince(first));
    if (c == 1)
        drawCells<false, 1>(out, style, row, tiles, innerFrom, innerTo, columnInProvince(innerFrom));
    else
        drawCells<false>(out, style, row, tiles, innerFrom, innerTo, columnInProvince(innerFrom));
    drawCells<true>(out, style, row, tiles, innerTo, end, columnInProvince(innerTo));
}

} // namespace

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
    tiles.syncWith(view.cell());
    // 2. to 4. The cells meeting the area, row by row.
    const CellSpan span = cellsMeeting(area, view, map);
    if (span.firstColumn < span.endColumn) {
        const CellStyle style = cellStyleFor(view, map, settings, tiles);
        const GridStandIns standIns(map);
        for (int64_t y = span.firstRow; y < span.endRow; ++y)
            drawRow(out, style, cellRowAt(map, view, static_cast<int32_t>(y), standIns), span, area, tiles);
    }
    // 12. Province names over everything, then the cities' when shown.
    drawProvinceNames(canvas, clipped, view, map, settings);
    drawCityNames(canvas, clipped, view, map, settings);
}
