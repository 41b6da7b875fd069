// The cells between two mouse positions, and how many cells an undo step changed.
#include <gtest/gtest.h>

#include <vector>

#include "map/CarteVarenthe.h"
#include "map/CellLine.h"
#include "map/EditReport.h"
#include "map/PaletteEdit.h"

namespace {

struct LineCase {
    CellPoint from;
    CellPoint to;
    std::vector<CellPoint> cells;
};

TEST(CellLine, EveryCellCrossedSharesASideWithTheOneBefore)
{
    const LineCase cases[] = {
        {{3, 4}, {3, 4}, {{3, 4}}},
        {{2, 5}, {2, 2}, {{2, 5}, {2, 4}, {2, 3}, {2, 2}}},
        // Through a corner: the step along x first, both ways.
        {{0, 0}, {2, 2}, {{0, 0}, {1, 0}, {1, 1}, {2, 1}, {2, 2}}},
        {{2, 2}, {0, 0}, {{2, 2}, {1, 2}, {1, 1}, {0, 1}, {0, 0}}},
        // A shallow line crosses into the next row half-way.
        {{0, 0}, {3, 1}, {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {3, 1}}},
        {{-1, 2}, {1, 0}, {{-1, 2}, {0, 2}, {0, 1}, {1, 1}, {1, 0}}},
    };
    for (const LineCase &line : cases) {
        SCOPED_TRACE(testing::Message() << line.from.x << "," << line.from.y << " to " << line.to.x << ","
                                        << line.to.y);
        EXPECT_EQ(cellsOnLine(line.from.x, line.from.y, line.to.x, line.to.y), line.cells);
    }
}

TEST(CellLine, AReportCountsEachChangedCellOnce)
{
    CarteVarenthe map;
    map.create(8, 6, 0, 0, 0, 100);
    EditReport report;
    // A road drawn over itself, a zone on a painted cell, a cell repainted as it was: four cells.
    for (int32_t x : {1, 2, 3, 2, 1})
        ApplyPaletteTile(map, x, 2, 110, &report);
    ApplyPaletteTile(map, 2, 2, 253, &report);
    ApplyPaletteTile(map, 5, 5, 100, &report);
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

} // namespace
