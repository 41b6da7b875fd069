// Grids take memory only when first written; writes queued while a map opens apply on first read.
#include <gtest/gtest.h>

#include "map/Grid.h"

TEST(Grid, CellsReadAsTheFillUntilWrittenAndKeepEveryValueOnceWritten)
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
}

TEST(Grid, CellsToWriteLaterReadAsWrittenBeforeAndAfterTheGridTakesMemory)
{
    // Two cities on one cell (the later wins) and one past the end (dropped).
    Grid index;
    index.assignWithWrites(4, 3, 0, {{5, 1}, {5, 2}, {11, 3}, {12, 4}});
    EXPECT_FALSE(index.materialized());
    const Grid copy = index;
    const Grid &reader = index;
    EXPECT_EQ(std::tuple(reader.at(1, 1), reader.at(3, 2), reader.at(0, 0)), std::tuple(2, 3, 0))
        << "reading a cell with writes pending applies them";
    EXPECT_EQ(std::pair(copy.row(1)[1], copy.row(2)[3]), std::pair(2, 3)) << "a copy keeps the writes still to make";
    Grid cleared;
    cleared.assignWithWrites(4, 3, 0, {{0, 9}});
    cleared.fill(-1);
    EXPECT_EQ(cleared.at(0, 0), -1) << "a clear forgets the writes";
    cleared.assignWithWrites(4, 3, 0, {{0, 9}});
    cleared.assign(4, 3, 0);
    EXPECT_EQ(static_cast<const Grid &>(cleared).at(0, 0), 0);
}
