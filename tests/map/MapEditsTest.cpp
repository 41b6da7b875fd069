// The map document and its edits: grids, cells, roads, elements, provinces, reports, fills, cities.
#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <random>

#include "map/CarteVarenthe.h"
#include "map/CellLine.h"
#include "map/CityEdits.h"
#include "map/CityLookup.h"
#include "map/Fills.h"
#include "map/MapErrors.h"
#include "map/MapFileReader.h"
#include "map/MapFileWriter.h"
#include "map/MapPresets.h"
#include "map/PaletteEdit.h"

namespace {

constexpr int32_t Grass = 100;

CarteVarenthe grassMap(int32_t width, int32_t height)
{
    CarteVarenthe map;
    map.create(width, height, 0, 0, 0, Grass);
    return map;
}

using Record = std::tuple<int32_t, std::string, int32_t, int32_t, int32_t>; // kind, name, x, y, number
Record record(const Element &e) { return {e.kind, e.name, e.x, e.y, e.number}; }

// Every cell's terrain and element index, and every element record.
using Snapshot = std::tuple<std::vector<int32_t>, std::vector<int32_t>, std::vector<Record>>;
Snapshot snapshot(const CarteVarenthe &map)
{
    Snapshot s;
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x) {
            std::get<0>(s).push_back(map.terrainAt(x, y));
            std::get<1>(s).push_back(map.elementIndex.at(x, y));
        }
    for (const Element &e : map.elements)
        std::get<2>(s).push_back(record(e));
    return s;
}

// Net change of each cell a report names: first value before, last after.
using NetChanges = std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>>;
NetChanges netChanges(const EditReport &report)
{
    NetChanges net;
    for (const CellRun &run : report.cells())
        for (int32_t x = run.x; x < run.x + run.length; ++x)
            if (auto [it, fresh] = net.try_emplace({x, run.y}, run.before, run.after); !fresh)
                it->second.second = run.after;
    std::erase_if(net, [](const auto &entry) { return entry.second.first == entry.second.second; });
    return net;
}

} // namespace

TEST(Grid, CellsReadAsTheFillUntilWrittenAndWritesQueuedWhileLoadingApplyOnFirstRead)
{
    Grid grid(5, 3, -1);
    const Grid &reader = grid; // reading a cell through a const grid takes no memory
    grid.fill(7);              // a clear before any use costs nothing
    EXPECT_EQ(reader.at(4, 2), 7);
    EXPECT_FALSE(grid.materialized());
    grid.at(2, 1) = 40;
    EXPECT_TRUE(grid.materialized());
    EXPECT_EQ(std::pair(grid.row(1)[2], grid.at(3, 1)), std::pair(40, 7));
    Grid copy = grid;
    grid.fill(0);
    EXPECT_EQ(std::pair(copy.at(2, 1), grid.at(2, 1)), std::pair(40, 0)) << "a copy owns its cells";
    EXPECT_EQ(Grid(4096, 2, 0).row(1)[4095], 0);
    EXPECT_NE(Grid(0, 5, 1).data(), nullptr);

    // Two cities on one cell (the later wins) and one past the end (dropped).
    Grid index;
    index.assignWithWrites(4, 3, 0, {{5, 1}, {5, 2}, {11, 3}, {12, 4}});
    EXPECT_FALSE(index.materialized());
    const Grid pending = index;
    const Grid &indexReader = index;
    EXPECT_EQ(std::tuple(indexReader.at(1, 1), indexReader.at(3, 2), indexReader.at(0, 0)), std::tuple(2, 3, 0))
        << "reading a cell with writes pending applies them";
    EXPECT_EQ(std::pair(pending.row(1)[1], pending.row(2)[3]), std::pair(2, 3)) << "a copy keeps the writes to make";
    index.assignWithWrites(4, 3, 0, {{0, 9}});
    index.fill(-1);
    EXPECT_EQ(index.at(0, 0), -1) << "a clear forgets the writes";
    index.assignWithWrites(4, 3, 0, {{0, 9}});
    index.assign(4, 3, 0);
    EXPECT_EQ(indexReader.at(0, 0), 0);
}

TEST(MapDocument, ANewMapIsUnsavedUndatedFilledAndShiftsOddProvinceRowsTenCellsEast)
{
    CarteVarenthe world;
    world.create(310, 169, 20, 13, 1, 103);
    world.provinceNames = {"Première", "Deuxième"};
    EXPECT_TRUE(world.modified && world.untitled);
    EXPECT_EQ(std::tuple(world.generatedAt, world.terrainAt(309, 168), world.routeTimeAt(5, 5, OnFoot),
                         world.routeStartX, world.routeTotalTime),
              std::tuple(0, 103, -1, -1, int64_t{-1}));
    EXPECT_EQ(std::tuple(world.provinceIndexAt(20, 12), world.provinceNameAt(25, 0), world.provinceIndexAt(9, 13),
                         world.provinceIndexAt(10, 13), world.provinceNameAt(10, 13)),
              std::tuple(1, "Deuxième", -1, 15, "")); // west of the shifted row none, then one without a name
    for (const auto &[width, height] : {std::pair{0, 10}, {10, 0}, {4097, 1}, {1, 4097}})
        EXPECT_THROW(CarteVarenthe().create(width, height, 0, 0, 0, 0), MapCreateError) << width << "x" << height;
    EXPECT_THROW(CarteVarenthe().create(10, 10, -20, 13, 0, 0), MapCreateError);
    EXPECT_NO_THROW(CarteVarenthe().create(1, 1, 0, 0, 0, 0));
    EXPECT_EQ(fieldInteger(" -300 "), std::optional(-300)); // sizes typed in the new-map dialog
    for (const char *notANumber : {"abc", "", "12a", "99999999999"})
        EXPECT_EQ(fieldInteger(notANumber), std::nullopt) << notANumber;
}

TEST(MapDocument, OutsideTheMapReadsEmptyAndIgnoresWritesAndAnElementLandsOnItsCell)
{
    CarteVarenthe map = grassMap(4, 3);
    map.modified = false;
    for (const auto &[x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 7}}) {
        EXPECT_EQ(std::tuple(map.terrainAt(x, y), map.routeMarkAt(x, y), map.routeTimeAt(x, y, OnFoot),
                             map.elementAt(x, y)),
                  std::tuple(0, 0, -1, nullptr));
        map.SetCellTile(x, y, 105);
        ApplyPaletteTile(map, x, y, 253);
    }
    EXPECT_FALSE(map.modified);
    EXPECT_TRUE(map.elements.empty());
    EXPECT_EQ(std::pair(map.routeTimeAt(0, 0, 2), map.routeStepAt(0, 0, -1)), std::pair(-1, -1));
    ApplyPaletteTile(map, 0, 0, Grass); // the same tile again still counts as a change
    EXPECT_TRUE(map.modified);

    map.SetCellElement(2, 1, Element{ElementCity, "Alba", 99, 99, 7});
    EXPECT_EQ(std::pair(map.elements[0].x, map.elements[0].y), std::pair(2, 1)); // placed where it is put
    ApplyPaletteTile(map, 2, 1, 255);
    ApplyPaletteTile(map, 3, 1, 251);
    ASSERT_EQ(map.elements.size(), 2u);
    EXPECT_EQ(std::tuple(map.elements[0].kind, map.elements[0].name, map.elements[0].number, map.terrainAt(2, 1)),
              std::tuple(int32_t{ElementZone}, "Zone commerciale", 255, Grass));
    EXPECT_EQ(map.elementAt(3, 1)->name, "");
    ApplyPaletteTile(map, 1, 2, ZoneEraserTile); // an empty record, as painting leaves one
    EXPECT_EQ(std::pair(map.elements.size(), map.elements.back().kind), std::pair(size_t{3}, int32_t{ElementNone}));
}

TEST(MapDocument, EveryRoadPieceOpensTowardsTheRoadsAroundIt)
{
    // Sides of each mask: 1 west, 2 north, 4 east, 8 south; 121 and 122 are joined to, never re-shaped.
    constexpr int32_t Piece[16] = {0, 110, 111, 115, 110, 110, 112, 119, 111, 114, 111, 118, 113, 117, 116, 120};
    const std::pair<int, int> sideCells[] = {{0, 1}, {1, 0}, {2, 1}, {1, 2}};
    for (int mask = 1; mask < 16; ++mask) {
        CarteVarenthe map = grassMap(3, 3);
        for (int side = 0; side < 4; ++side)
            if (mask & (1 << side))
                map.terrain.at(sideCells[side].first, sideCells[side].second) = side % 2 ? 121 : 122;
        const Snapshot before = snapshot(map);
        ApplyPaletteTile(map, 1, 1, 110);
        EXPECT_EQ(map.terrainAt(1, 1), Piece[mask]) << "mask " << mask;
        map.terrain.at(1, 1) = Grass;
        EXPECT_EQ(snapshot(map), before) << "mask " << mask;
    }
}

TEST(EditReport, EachEditNamesItsCellsAndRecordsIncludingRoadsJoinedAtTheEdges)
{
    struct Case {
        const char *what;
        int32_t width, height;
        std::vector<std::tuple<int32_t, int32_t, int32_t>> setup; // cells painted beforehand
        int32_t x, y, tile;
        NetChanges cells;
        CellRect bounds;
    };
    const std::vector<Case> cases = {
        {"a road alone in the corner joins the outside", 3, 3, {}, 0, 0, 110, {{{0, 0}, {Grass, 115}}}, {0, 0, 0, 0}},
        {"a road between two roads on a one-row map re-shapes both", 3, 1, {{0, 0, 110}, {2, 0, 110}}, 1, 0, 110,
         {{{1, 0}, {Grass, 120}}, {{0, 0}, {118, 120}}, {{2, 0}, {116, 120}}}, {0, 0, 2, 0}},
        {"grass over the end of a road on the east edge", 4, 2, {{2, 1, 110}, {3, 1, 110}}, 3, 1, Grass,
         {{{3, 1}, {117, Grass}}, {{2, 1}, {113, 111}}}, {2, 1, 3, 1}},
        {"grass over a bend: a road left with no joining side keeps its piece", 8, 8,
         {{3, 4, 110}, {3, 5, 110}, {4, 5, 110}, {4, 6, 110}}, 4, 5, Grass,
         {{{4, 5}, {114, Grass}}, {{3, 5}, {112, 111}}}, {3, 5, 4, 5}},
        {"outside the map", 3, 3, {}, 3, 0, 110, {}, {}},
    };
    for (const Case &c : cases) {
        CarteVarenthe map = grassMap(c.width, c.height);
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
    constexpr int32_t Stamp = 1234567;
    CarteVarenthe source;
    source.create(12, 9, 4, 3, 0, Grass);
    for (int32_t x = 0; x < 12; ++x)
        source.SetCellTile(x, 4, 110);
    source.SetCellElement(2, 2, Element{ElementCity, "Orvieux", 0, 0, 7});
    source.provinceNames = {"Nord", "Centre", "Sud"};
    // Edited as read back from a file, whose grids take memory lazily.
    CarteVarenthe map;
    readMapFile(map, encodeMapFile(source, Stamp).view(), "carte.vr");
    const std::string original(encodeMapFile(map, Stamp).view());

    std::vector<EditReport> steps;
    auto step = [&steps]() -> EditReport * { return &steps.emplace_back(); };
    map.SetCellTile(0, 3, 111, step());    // road at the west edge, joined to the line
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
    EditReport all; // steps joined into one behave as the steps did
    for (const EditReport &report : steps) {
        report.redo(map);
        all.append(report);
    }
    EXPECT_TRUE(encodeMapFile(map, Stamp).view() == edited);
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
        for (const auto &[nx, ny] : {std::pair{cx + 1, cy}, {cx - 1, cy}, {cx, cy + 1}, {cx, cy - 1}})
            if (map.contains(nx, ny) && !inRegion[ny][nx] && map.terrainAt(nx, ny) == before) {
                inRegion[ny][nx] = true;
                queue.push({nx, ny});
            }
    }
    for (int32_t cy = 0; cy < map.height; ++cy)
        for (int32_t cx = 0; cx < map.width; ++cx)
            if (inRegion[cy][cx])
                ApplyPaletteTile(map, cx, cy, tile);
}

void referenceRectangle(CarteVarenthe &map, int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t tile)
{
    for (int32_t y = std::min(y0, y1); map.contains(x0, y0) && y <= std::max(y0, y1); ++y)
        for (int32_t x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            if (map.contains(x, y))
                ApplyPaletteTile(map, x, y, tile);
}

// A few terrains, roads and the empty cell, so that regions have holes and roads border them.
CarteVarenthe randomMap(std::mt19937 &random)
{
    constexpr int32_t Terrains[] = {Grass, Grass, Grass, 101, 0, 0, 110, 111, 116, 120, 121};
    CarteVarenthe map = grassMap(int32_t(1 + random() % 9), int32_t(1 + random() % 9));
    for (int32_t y = 0; y < map.height; ++y)
        for (int32_t x = 0; x < map.width; ++x)
            map.terrain.at(x, y) = Terrains[random() % std::size(Terrains)];
    for (int i = 0; i < 3; ++i)
        map.SetCellElement(int32_t(random() % map.width), int32_t(random() % map.height),
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
        SCOPED_TRACE(std::string(flood ? "flood" : "rectangle") + " trial " + std::to_string(trial));

        CarteVarenthe expected = start;
        CarteVarenthe map = start;
        flood ? referenceFlood(expected, x0, y0, tile) : referenceRectangle(expected, x0, y0, x1, y1, tile);
        const EditReport report = flood ? FloodFill(map, x0, y0, tile) : FillRectangle(map, x0, y0, x1, y1, tile);
        ASSERT_EQ(snapshot(map), snapshot(expected));
        for (int32_t y = 0; y < map.height; ++y)
            for (int32_t x = 0; x < map.width; ++x)
                EXPECT_TRUE(report.bounds().contains(x, y) ||
                            (map.terrainAt(x, y) == start.terrainAt(x, y) &&
                             map.elementIndex.at(x, y) == start.elementIndex.at(x, y)))
                    << " misses " << x << "," << y;
        EXPECT_TRUE(start.contains(x0, y0) || report.empty());
        report.undo(map);
        ASSERT_EQ(snapshot(map), snapshot(start));
        report.redo(map);
        ASSERT_EQ(snapshot(map), snapshot(expected));
    }
    // A whole-map flood is one run per row.
    CarteVarenthe map = grassMap(300, 169);
    const EditReport report = FloodFill(map, 150, 80, 101);
    EXPECT_EQ(std::pair(report.cells().size(), report.changeCount()), std::pair(size_t{169}, size_t{300 * 169}));
    EXPECT_EQ(report.bounds(), (CellRect{0, 0, 299, 168}));
    EXPECT_LT(report.memoryBytes(), 300u * 169u);
}

TEST(CellLine, EveryCellCrossedSharesASideWithTheOneBeforeAndIsCountedOnce)
{
    const std::tuple<CellPoint, CellPoint, std::vector<CellPoint>> lines[] = {
        {{3, 4}, {3, 4}, {{3, 4}}},
        {{2, 5}, {2, 2}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}}},
        // Through a corner: the step along x first, both ways.
        {{0, 0}, {2, 2}, {{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}}},
        {{2, 2}, {0, 0}, {{2, 2}, {1, 2}, {1, 1}, {0, 1}, {0, 0}}},
        // A shallow line crosses into the next row half-way.
        {{0, 0}, {3, 1}, {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}}},
        {{-1, 2}, {1, 0}, {{-1, 2}, {0, 2}, {0, 1}, {1, 1}, {1, 0}}},
    };
    for (const auto &[from, to, cells] : lines)
        EXPECT_EQ(cellsOnLine(from.x, from.y, to.x, to.y), cells) << from.x << "," << from.y << " to " << to.x;

    CarteVarenthe map = grassMap(8, 6);
    EditReport report;
    // A road drawn over itself, a zone on a painted cell, a cell repainted as it was: four cells.
    for (int32_t x : {1, 2, 3, 2, 1})
        ApplyPaletteTile(map, x, 2, 110, &report);
    ApplyPaletteTile(map, 2, 2, 253, &report);
    ApplyPaletteTile(map, 5, 5, Grass, &report);
    ApplyPaletteTile(map, 6, 4, 254, &report);
    EXPECT_GT(report.changeCount(), 4u);
    EXPECT_EQ(report.cellCount(), 4u);
}

TEST(CellLine, AStrokeGrowingCellByCellDoesNotCopyItsReportAtEveryStep)
{
    EditReport stroke;
    std::vector<const CellRun *> places;
    for (int32_t x = 0; x < 4096; ++x) {
        EditReport piece;
        piece.recordCell(x, x % 2, 100, 110);
        stroke.append(piece);
        if (places.empty() || places.back() != stroke.cells().data())
            places.push_back(stroke.cells().data());
    }
    EXPECT_LE(places.size(), 16u);
    EXPECT_EQ(stroke.cellCount(), 4096u);
}

TEST(CityEdits, EachEditLeavesItsRecordAndIsTakenBackExactly)
{
    enum Op { Place, Modify, Remove };
    const struct {
        const char *what;
        Op op;
        int32_t x, y, number;
        std::string name;
        std::optional<size_t> slot; // the record written, none when nothing changes
        Record after;
        int32_t indexAfter; // of the edited cell
    } cases[] = {
        {"a city on an empty cell is appended", Place, 0, 0, 13, "Cité neuve", 3, {1, "Cité neuve", 0, 0, 13}, 4},
        {"a city over a zone replaces it in place", Place, 2, 1, 14, "Vaux", 1, {1, "Vaux", 2, 1, 14}, 2},
        {"a city renamed and renumbered", Modify, 1, 1, 6, "Alba-la-Grande", 0, {1, "Alba-la-Grande", 1, 1, 6}, 1},
        {"a zone is not a city to modify", Modify, 2, 1, 6, "Vaux", std::nullopt, {}, 2},
        {"a removed city stays as an erased record the cell no longer names", Remove, 1, 1, 0, "", 0,
         {0, "", 1, 1, 0}, 0},
        {"nothing to remove on a cell without a city", Remove, 0, 0, 0, "", std::nullopt, {}, 0},
        {"nothing placed off the map", Place, 4, 0, 13, "Dehors", std::nullopt, {}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // Alba (5) in slot 0, a zone in slot 1, Brest (12) in slot 2.
        CarteVarenthe map = grassMap(4, 3);
        map.SetCellElement(1, 1, Element{ElementCity, "Alba", 0, 0, 5});
        map.SetCellElement(2, 1, Element{ElementZone, "Zone habitable", 0, 0, 253});
        map.SetCellElement(3, 2, Element{ElementCity, "Brest", 0, 0, 12});
        map.modified = false;
        const Snapshot before = snapshot(map);
        const EditReport report = c.op == Place    ? placeCity(map, c.x, c.y, c.number, c.name)
                                  : c.op == Modify ? modifyCity(map, c.x, c.y, c.number, c.name)
                                                   : removeCity(map, c.x, c.y);
        EXPECT_EQ(map.modified, c.slot.has_value());
        if (!c.slot) {
            EXPECT_TRUE(report.empty());
            EXPECT_EQ(snapshot(map), before);
            continue;
        }
        EXPECT_EQ(record(map.elements.at(*c.slot)), c.after);
        EXPECT_EQ(map.elementIndex.at(c.x, c.y), c.indexAfter);
        EXPECT_EQ(report.bounds(), (CellRect{c.x, c.y, c.x, c.y}));
        const Snapshot after = snapshot(map);
        report.undo(map);
        EXPECT_EQ(snapshot(map), before);
        report.redo(map);
        EXPECT_EQ(snapshot(map), after);
    }
}

TEST(CityEdits, TheNextNumberAndTheNamesAMapFileCannotHold)
{
    const std::pair<std::vector<std::pair<int32_t, int32_t>>, int32_t> numbers[] = { // kinds and numbers, next
        {{{1, 5}, {2, 253}, {0, 900}, {1, 12}}, 13}, // zones and erased records do not count
        {{{1, -7}}, 1},
        {{{1, LargestCityNumber}, {1, 1}, {1, 2}, {1, 4}}, 3}, // the largest taken: the first free one
    };
    for (const auto &[elements, next] : numbers) {
        CarteVarenthe map = grassMap(10, 1);
        int32_t x = 0;
        for (const auto &[kind, number] : elements)
            map.SetCellElement(x++, 0, Element{kind, "Lieu", 0, 0, number});
        EXPECT_EQ(nextFreeCityNumber(map), next) << x;
    }
    const std::pair<std::string, std::string> names[] = { // a part of the reason, none when accepted
        {"Saint-Étienne d'Œuvre €5 ?", ""}, // every character in Windows-1252
        {"   ", "est vide"},
        {"Al\nba", "une seule ligne"},
        {"Al\tba", "contrôle"},
        {"Al\xC2\x81" "ba", "contrôle"}, // a C1 control, though it has a byte
        {"Ville \xE2\x9C\x93", "« \xE2\x9C\x93 »"},
        {"Al\xFF" "ba", "ne peut pas être enregistré"},
    };
    for (const auto &[name, reason] : names) {
        const std::string problem = cityNameProblem(name);
        EXPECT_TRUE(reason.empty() ? problem.empty() : problem.find(reason) != std::string::npos)
            << name << " : " << problem;
    }
}

// Case, accents, numbers, zones and the names offered are held by the command line's city tests.
TEST(CityLookup, LigaturesWholeNamesDigitsThatAreNoNumberTwinNamesAndSwappedLetters)
{
    CarteVarenthe map = grassMap(7, 1);
    map.SetCellElement(6, 0, {ElementZone, "Zone commerciale", 0, 0, 252});
    const char *names[] = {"Port", "Port-Noron", "Œillet", "1789", "Gué", "Gue"};
    for (int32_t x = 0; x < 6; ++x)
        map.SetCellElement(x, 0, {ElementCity, names[x], 0, 0, x + 1});
    for (const auto &[query, name] : {std::pair{"oeillet", "Œillet"}, {"Port", "Port"}, {"1789", "1789"}}) {
        const std::vector<const Element *> found = findCities(map, query);
        EXPECT_TRUE(found.size() == 1 && found[0]->name == name) << query;
    }
    EXPECT_EQ(std::pair(findCities(map, "gue").size(), findCities(map, "252").size()),
              std::pair(size_t{2}, size_t{0})) << "two names alike once folded; a zone's code names no city";
    EXPECT_EQ(closeCityNames(map, "prot", 1), std::vector<std::string>{"Port"}) << "two letters swapped, one name asked";
}
