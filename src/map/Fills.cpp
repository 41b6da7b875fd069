#include "map/Fills.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "map/CarteVarenthe.h"
#include "map/PaletteEdit.h"

namespace {

struct Cell {
    int32_t x;
    int32_t y;
};

// Cells x0..x1 of row y.
struct Span {
    int32_t y;
    int32_t x0;
    int32_t x1;
};

// One bit per cell of a map.
class CellBits {
public:
    CellBits(int32_t width, int32_t height)
        : width_(width), words_((static_cast<size_t>(width) * static_cast<size_t>(height) + 63) / 64, 0)
    {
    }
    bool test(int32_t x, int32_t y) const
    {
        const size_t i = index(x, y);
        return (words_[i >> 6] >> (i & 63)) & 1;
    }
    void set(const Span &span)
    {
        for (size_t i = index(span.x0, span.y), end = index(span.x1, span.y); i <= end; ++i)
            words_[i >> 6] |= uint64_t{1} << (i & 63);
    }

private:
    size_t index(int32_t x, int32_t y) const
    {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }
    int32_t width_;
    std::vector<uint64_t> words_;
};

// Scanline walk of a 4-connected region from (x, y). `open(x, y)` says
// whether a cell belongs to the region and is not taken yet; `take(span)`
// takes a whole row segment, whose cells are no longer open after it;
// `border(x, y)` sees every cell next to a taken segment that is not open.
//
// A seed is a run of open cells found in the row next to a taken segment,
// so its cells are not read again, and it remembers that segment, whose
// cells need no second look from the seed's own segment. Since segments are
// taken whole, a seed whose first cell was taken meanwhile is taken whole.
// The seed stack is the only memory.
template <class Open, class Take, class Border>
void walkRegion(int32_t width, int32_t height, int32_t x, int32_t y, Open open, Take take, Border border)
{
    struct Seed {
        Span run;
        Span parent; // empty (x1 < x0) for the first seed
    };
    std::vector<Seed> seeds;
    seeds.reserve(1024);
    seeds.push_back({Span{y, x, x}, Span{y, 0, -1}});
    while (!seeds.empty()) {
        const Seed seed = seeds.back();
        seeds.pop_back();
        const int32_t row = seed.run.y;
        if (!open(seed.run.x0, row))
            continue;
        int32_t x0 = seed.run.x0;
        int32_t x1 = seed.run.x1;
        while (x0 > 0 && open(x0 - 1, row))
            --x0;
        while (x1 + 1 < width && open(x1 + 1, row))
            ++x1;
        const Span span{row, x0, x1};
        take(span);
        if (x0 > 0)
            border(x0 - 1, row);
        if (x1 + 1 < width)
            border(x1 + 1, row);

        auto scan = [&](int32_t next, int32_t from, int32_t to) {
            int32_t i = from;
            while (i <= to) {
                if (!open(i, next)) {
                    border(i, next);
                    ++i;
                    continue;
                }
                int32_t j = i;
                while (j < to && open(j + 1, next))
                    ++j;
                seeds.push_back({Span{next, i, j}, span});
                i = j + 1;
            }
        };
        for (const int32_t next : {row - 1, row + 1}) {
            if (next < 0 || next >= height)
                continue;
            if (next == seed.parent.y && seed.parent.x0 <= seed.parent.x1) {
                scan(next, x0, std::min(x1, seed.parent.x0 - 1));
                scan(next, std::max(x0, seed.parent.x1 + 1), x1);
            } else {
                scan(next, x0, x1);
            }
        }
    }
}

// The piece a road cell next to a filled region ends with when the region's
// cells, each of which joined roads as `joinedBefore` does, are painted one
// by one with a tile that joins as `joinedAfter` does. The cell is joined
// again after each of its neighbours in the region is painted, in painting
// order (north, west, east, south); an empty mask keeps the piece it had.
int32_t pieceAfterPainting(const CarteVarenthe &document, const CellBits &region, Cell cell, bool joinedBefore,
                           bool joinedAfter)
{
    struct Side {
        int dx;
        int dy;
        int bit;
    };
    constexpr Side sides[4] = {{0, -1, 2}, {-1, 0, 1}, {1, 0, 4}, {0, 1, 8}};
    int mask = 0;
    bool inRegion[4] = {};
    for (int k = 0; k < 4; ++k) {
        const int32_t nx = cell.x + sides[k].dx;
        const int32_t ny = cell.y + sides[k].dy;
        inRegion[k] = document.contains(nx, ny) && region.test(nx, ny);
        if (inRegion[k] ? joinedBefore : joinsRoad(document.terrainAt(nx, ny)))
            mask |= sides[k].bit;
    }
    int32_t piece = document.terrainAt(cell.x, cell.y);
    for (int k = 0; k < 4; ++k) {
        if (!inRegion[k])
            continue;
        mask = joinedAfter ? mask | sides[k].bit : mask & ~sides[k].bit;
        if (const int32_t joined = roadPieceFor(mask); joined != 0)
            piece = joined;
    }
    return piece;
}

// Road joining after the region's cells took `tile` over `before`.
void joinAroundRegion(CarteVarenthe &document, const std::vector<Span> &spans, const std::vector<Cell> &roadsAround,
                      int32_t before, int32_t tile, EditReport &report)
{
    if (isRoad(tile)) {
        // Every painted cell is a road, and every road next to the region
        // has a painted neighbour that joins: whatever the painting order,
        // each ends with the piece its final neighbours give.
        for (const Span &span : spans) {
            for (int32_t x = span.x0 - 1; x <= span.x1 + 1; ++x)
                document.JoinRoadTile(x, span.y, &report);
            for (int32_t x = span.x0; x <= span.x1; ++x) {
                document.JoinRoadTile(x, span.y - 1, &report);
                document.JoinRoadTile(x, span.y + 1, &report);
            }
        }
        return;
    }
    if (roadsAround.empty())
        return;
    if (joinsRoad(before) == joinsRoad(tile)) {
        // The neighbours join as they did: one join gives what every
        // intermediate one would.
        for (const Cell &cell : roadsAround)
            document.JoinRoadTile(cell.x, cell.y, &report);
        return;
    }
    CellBits region(document.width, document.height);
    for (const Span &span : spans)
        region.set(span);
    for (const Cell &cell : roadsAround) {
        const int32_t piece = pieceAfterPainting(document, region, cell, joinsRoad(before), joinsRoad(tile));
        int32_t &value = document.terrain.at(cell.x, cell.y);
        report.recordCell(cell.x, cell.y, value, piece);
        value = piece;
    }
}

// The cells between two corners given in any order, cut to the map.
CellRect cutToMap(const CarteVarenthe &document, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    return {std::max(std::min(x0, x1), 0), std::max(std::min(y0, y1), 0),
            std::min(std::max(x0, x1), document.width - 1), std::min(std::max(y0, y1), document.height - 1)};
}

} // namespace

EditReport FillRectangle(CarteVarenthe &document, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t tile)
{
    EditReport report;
    if (!document.contains(x0, y0))
        return report;
    const CellRect cells = cutToMap(document, x0, y0, x1, y1);
    for (int32_t y = cells.y0; y <= cells.y1; ++y)
        for (int32_t x = cells.x0; x <= cells.x1; ++x)
            ApplyPaletteTile(document, x, y, tile, &report);
    return report;
}

EditReport FloodFill(CarteVarenthe &document, int32_t x, int32_t y, int32_t tile)
{
    EditReport report;
    if (!document.contains(x, y))
        return report;
    document.modified = true;
    const int32_t width = document.width;
    const int32_t height = document.height;
    int32_t *cells = document.terrain.data();
    const int32_t before = cells[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    auto at = [&](int32_t cx, int32_t cy) -> int32_t & {
        return cells[static_cast<size_t>(cy) * static_cast<size_t>(width) + static_cast<size_t>(cx)];
    };

    std::vector<Span> spans;
    std::vector<Cell> roadsAround;
    // Roads next to the region are joined again afterwards; when the tile is
    // a road every neighbour of the region is visited anyway.
    auto noteRoad = [&](int32_t cx, int32_t cy) {
        if (isRoad(at(cx, cy)))
            roadsAround.push_back({cx, cy});
    };

    if (!isZoneTile(tile) && tile != before) {
        // The painted tile itself marks the cells taken: no other memory.
        walkRegion(
            width, height, x, y, [&](int32_t cx, int32_t cy) { return at(cx, cy) == before; },
            [&](const Span &span) {
                std::fill(&at(span.x0, span.y), &at(span.x1, span.y) + 1, tile);
                report.recordRun(span.x0, span.y, span.x1 - span.x0 + 1, before, tile);
                spans.push_back(span);
            },
            [&](int32_t cx, int32_t cy) {
                if (!isRoad(tile))
                    noteRoad(cx, cy);
            });
        joinAroundRegion(document, spans, roadsAround, before, tile, report);
        return report;
    }

    CellBits taken(width, height);
    walkRegion(
        width, height, x, y, [&](int32_t cx, int32_t cy) { return at(cx, cy) == before && !taken.test(cx, cy); },
        [&](const Span &span) {
            taken.set(span);
            spans.push_back(span);
        },
        [&](int32_t cx, int32_t cy) {
            if (!isZoneTile(tile) && !isRoad(tile))
                noteRoad(cx, cy);
        });
    if (!isZoneTile(tile)) {
        // Painting a cell with the tile it has still joins its roads.
        joinAroundRegion(document, spans, roadsAround, before, tile, report);
        return report;
    }
    // Zone markers are appended in painting order, so that the element list
    // is the one painting cell by cell gives.
    std::sort(spans.begin(), spans.end(),
              [](const Span &a, const Span &b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    for (const Span &span : spans)
        for (int32_t cx = span.x0; cx <= span.x1; ++cx)
            ApplyPaletteTile(document, cx, span.y, tile, &report);
    return report;
}

size_t RectangleCellsWithoutElement(const CarteVarenthe &document, int32_t x0, int32_t y0, int32_t x1, int32_t y1)
{
    size_t count = 0;
    const CellRect cells = cutToMap(document, x0, y0, x1, y1);
    for (int32_t y = cells.y0; y <= cells.y1; ++y)
        for (int32_t x = cells.x0; x <= cells.x1; ++x)
            count += document.elementAt(x, y) == nullptr ? 1 : 0;
    return count;
}

size_t RegionCellsWithoutElement(const CarteVarenthe &document, int32_t x, int32_t y)
{
    if (!document.contains(x, y))
        return 0;
    const int32_t before = document.terrainAt(x, y);
    CellBits taken(document.width, document.height);
    size_t count = 0;
    walkRegion(
        document.width, document.height, x, y,
        [&](int32_t cx, int32_t cy) { return document.terrain.at(cx, cy) == before && !taken.test(cx, cy); },
        [&](const Span &span) {
            taken.set(span);
            for (int32_t cx = span.x0; cx <= span.x1; ++cx)
                count += document.elementAt(cx, span.y) == nullptr ? 1 : 0;
        },
        [](int32_t, int32_t) {});
    return count;
}
