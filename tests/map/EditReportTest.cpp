// What edits report, undo and redo, and the two fills against painting cell by cell.
#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "MapTestFiles.h"
#include "map/CarteVarenthe.h"
#include "map/EditReport.h"
#include "map/Fills.h"
#include "map/MapFileWriter.h"
#include "map/PaletteEdit.h"

namespace {

constexpr int32_t Grass = 100;
constexpr int32_t Stamp = 1234567;

CarteVarenthe filledMap(int32_t width, int32_t height, int32_t fill)
{
    CarteVarenthe map;
    map.create(width, height, 0, 0, 0, fill);
    return map;
}

// Net change of each cell a report names: first value before, last after.
using NetChanges = std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>>;

NetChanges netChanges(const EditReport &report)
{
    NetChanges net;
    for (const CellRun &run : report.cells())
        for (int32_t x = run.x; x < run.x + run.length; ++x) {
            auto [it, fresh] = net.try_emplace({x, run.y}, run.before, run.after);
            if (!fresh)
                it->second.second = run.after;
        }
    std::erase_if(net, [](const auto &entry) { return entry.second.first == entry.second.second; });
    return net;
}

using Snapshot = std::tuple<std::vector<int32_t>, std::vector<int32_t>,
                            std::vector<std::tuple<int32_t, std::string, int32_t, int32_t, int32_t>>>;

Snapshot snapshot(const CarteVarenthe &map)
{
    Snapshot s;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x) {
            std::get<0>(s).push_back(map.terrainAt(x, y));
            std::get<1>(s).push_back(map.elementIndex.at(x, y));
        }
    for (const Element &e : map.elements)
        std::get<2>(s).emplace_back(e.kind, e.name, e.x, e.y, e.number);
    return s;
}

} // namespace

TEST(EditReport, EachEditNamesItsCellsAndRecordsIncludingRoadsJoinedAtTheEdges)
{
    struct Case {
        const char *what;
        int32_t width, height, fill;
        std::vector<std::tuple<int32_t, int32_t, int32_t>> setup; // cells painted beforehand
        int32_t x, y, tile;
        NetChanges cells;
        CellRect bounds;
    };
    const std::vector<Case> cases = {
        {"a road alone in the corner joins the outside", 3, 3, Grass, {}, 0, 0, 110,
         {{{0, 0}, {Grass, 115}}}, {0, 0, 0, 0}},
        {"a road between two roads on a one-row map re-shapes both", 3, 1, Grass,
         {{0, 0, 110}, {2, 0, 110}}, 1, 0, 110,
         {{{1, 0}, {Grass, 120}}, {{0, 0}, {118, 120}}, {{2, 0}, {116, 120}}}, {0, 0, 2, 0}},
        {"grass over the end of a road on the east edge", 4, 2, Grass,
         {{2, 1, 110}, {3, 1, 110}}, 3, 1, Grass,
         {{{3, 1}, {117, Grass}}, {{2, 1}, {113, 111}}}, {2, 1, 3, 1}},
        {"grass over a bend: a road left with no joining side keeps its piece", 8, 8, Grass,
         {{3, 4, 110}, {3, 5, 110}, {4, 5, 110}, {4, 6, 110}}, 4, 5, Grass,
         {{{4, 5}, {114, Grass}}, {{3, 5}, {112, 111}}}, {3, 5, 4, 5}},
        {"outside the map", 3, 3, Grass, {}, 3, 0, 110, {}, {}},
    };
    for (const Case &c : cases) {
        CarteVarenthe map = filledMap(c.width, c.height, c.fill);
        for (const auto &[x, y, tile] : c.setup)
            map.SetCellTile(x, y, tile);
        EditReport report;
        map.SetCellTile(c.x, c.y, c.tile, &report);
        EXPECT_EQ(netChanges(report), c.cells) << c.what;
        EXPECT_EQ(report.bounds(), c.bounds) << c.what;
        EXPECT_TRUE(report.elements().empty()) << c.what;
    }
}

TEST(EditReport, UndoingEveryEditGivesTheOriginalFileAndRedoingThemTheEditedOne)
{
    ScratchFolder folder;
    CarteVarenthe source;
    source.create(12, 9, 4, 3, 0, Grass);
    for (int32_t x = 0; x < 12; ++x)
        source.SetCellTile(x, 4, 110);
    source.SetCellElement(2, 2, Element{ElementCity, "Orvieux", 0, 0, 7});
    source.provinceNames = {"Nord", "Centre", "Sud"};
    source.save(folder.file("carte.vr"));

    // Edited as read back from the file, whose grids take memory lazily.
    CarteVarenthe map;
    map.open(folder.file("carte.vr"));
    const std::string original(encodeMapFile(map, Stamp).view());

    std::vector<EditReport> steps;
    auto step = [&steps]() -> EditReport * { return &steps.emplace_back(); };
    map.SetCellTile(0, 3, 111, step());  // road at the west edge, joined to the line
    map.SetCellTile(11, 4, Grass, step()); // the line's end on the east edge
    map.SetCellElement(2, 2, Element{ElementCity, "Orvieux-le-Haut", 0, 0, 8}, step());
    map.SetCellElement(9, 8, Element{ElementCity, "Sablon", 0, 0, 9}, step());
    ApplyPaletteTile(map, 5, 0, 254, step());
    ApplyPaletteTile(map, 5, 0, ZoneEraserTile, step());
    steps.push_back(FillRectangle(map, 3, 2, 6, 6, 112));
    steps.push_back(FloodFill(map, 0, 0, 121));
    steps.push_back(FloodFill(map, 11, 8, 255));
    const std::string edited(encodeMapFile(map, Stamp).view());
    ASSERT_NE(edited, original);

    for (auto report = steps.rbegin(); report != steps.rend(); ++report)
        report->undo(map);
    EXPECT_TRUE(encodeMapFile(map, Stamp).view() == original);
    for (const EditReport &report : steps)
        report.redo(map);
    EXPECT_TRUE(encodeMapFile(map, Stamp).view() == edited);

    // Steps joined into one behave as the steps did.
    EditReport all;
    for (const EditReport &report : steps)
        all.append(report);
    all.undo(map);
    EXPECT_TRUE(encodeMapFile(map, Stamp).view() == original);
}

namespace {

// The obvious way: the region found by breadth-first search, then painted cell by cell.
void referenceFlood(CarteVarenthe &map, int32_t x, int32_t y, int32_t tile)
{
    if (!map.contains(x, y))
        return;
    const int32_t before = map.terrainAt(x, y);
    std::vector<std::vector<bool>> inRegion(map.height, std::vector<bool>(map.width, false));
    std::queue<std::pair<int32_t, int32_t>> queue;
    queue.push({x, y});
    inRegion[y][x] = true;
    while (!queue.empty()) {
        const auto [cx, cy] = queue.front();
        queue.pop();
        for (const auto &[dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
            const int32_t nx = cx + dx;
            const int32_t ny = cy + dy;
            if (map.contains(nx, ny) && !inRegion[ny][nx] && map.terrainAt(nx, ny) == before) {
                inRegion[ny][nx] = true;
                queue.push({nx, ny});
            }
        }
    }
    for (int32_t cy = 0; cy < map.height; ++cy)
        for (int32_t cx = 0; cx < map.width; ++cx)
            if (inRegion[cy][cx])
                ApplyPaletteTile(map, cx, cy, tile);
}

void referenceRectangle(CarteVarenthe &map, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t tile)
{
    if (!map.contains(x0, y0))
        return;
    for (int32_t y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int32_t x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            if (map.contains(x, y))
                ApplyPaletteTile(map, x, y, tile);
}

// A few terrains, roads and the empty cell, so that regions have holes and roads border them.
CarteVarenthe randomMap(std::mt19937 &random)
{
    constexpr int32_t Terrains[] = {Grass, Grass, Grass, 101, 0, 0, 110, 111, 116, 120, 121};
    CarteVarenthe map = filledMap(int32_t(1 + random() % 9), int32_t(1 + random() % 9), Grass);
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            map.terrain.at(x, y) = Terrains[random() % std::size(Terrains)];
    for (int i = 0; i < 3; ++i)
        map.SetCellElement(static_cast<int32_t>(random() % map.width), static_cast<int32_t>(random() % map.height),
                           Element{ElementCity, "Ville", 0, 0, i});
    return map;
}

} // namespace

TEST(Fills, RectangleAndFloodFillPaintAsCellByCellAndUndoExactly)
{
    constexpr int32_t Tiles[] = {Grass, 101, 0, 110, 115, 120, 121, 253, 255, ZoneEraserTile};
    std::mt19937 random(14);
    for (int trial = 0; trial < 5000; ++trial) {
        const CarteVarenthe start = randomMap(random);
        const int32_t tile = Tiles[random() % std::size(Tiles)];
        // Corners and seeds a cell beyond the map on every side now and then.
        auto coordinate = [&random](int32_t side) { return static_cast<int32_t>(random() % (side + 2)) - 1; };
        const int32_t x0 = coordinate(start.width), y0 = coordinate(start.height);
        const int32_t x1 = coordinate(start.width), y1 = coordinate(start.height);
        const bool flood = trial % 2 == 0;

        CarteVarenthe expected = start;
        CarteVarenthe map = start;
        EditReport report;
        if (flood) {
            referenceFlood(expected, x0, y0, tile);
            report = FloodFill(map, x0, y0, tile);
        } else {
            referenceRectangle(expected, x0, y0, x1, y1, tile);
            report = FillRectangle(map, x0, y0, x1, y1, tile);
        }
        const std::string what = std::string(flood ? "flood" : "rectangle") + " trial " + std::to_string(trial);
        ASSERT_EQ(snapshot(map), snapshot(expected)) << what;
        for (int32_t y = 0; y < map.height; ++y)
            for (int32_t x = 0; x < map.width; ++x) {
                const bool changed = map.terrainAt(x, y) != start.terrainAt(x, y) ||
                                     map.elementIndex.at(x, y) != start.elementIndex.at(x, y);
                EXPECT_TRUE(!changed || report.bounds().contains(x, y)) << what << " misses " << x << "," << y;
            }
        if (!start.contains(x0, y0)) {
            EXPECT_TRUE(report.empty()) << what;
        }

        report.undo(map);
        ASSERT_EQ(snapshot(map), snapshot(start)) << what;
        report.redo(map);
        ASSERT_EQ(snapshot(map), snapshot(expected)) << what;
    }
}

TEST(Fills, AWholeMapFloodIsOneRunPerRow)
{
    CarteVarenthe map = filledMap(300, 169, Grass);
    const EditReport report = FloodFill(map, 150, 80, 101);
    EXPECT_EQ(std::pair(report.cells().size(), report.changeCount()), std::pair(size_t{169}, size_t{300 * 169}));
    EXPECT_EQ(report.bounds(), (CellRect{0, 0, 299, 168}));
    EXPECT_LT(report.memoryBytes(), 300u * 169u);
}
