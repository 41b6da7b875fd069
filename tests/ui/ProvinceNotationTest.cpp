// The position of a cell inside its province, as the status bar shows it.
#include <gtest/gtest.h>

#include "map/CarteVarenthe.h"
#include "ui/ProvinceNotation.h"

TEST(ProvinceNotation, RowLettersCountInBaseTwentySixFromA)
{
    EXPECT_EQ(provinceRowLetters(0), "A");
    EXPECT_EQ(provinceRowLetters(25), "Z");
    EXPECT_EQ(provinceRowLetters(26), "BA");
    EXPECT_EQ(provinceRowLetters(27), "BB");
    EXPECT_EQ(provinceRowLetters(26 * 26), "BAA");
}

TEST(ProvinceNotation, WorldMapCellsCountTheShiftOfOddProvinceRows)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 100);
    EXPECT_EQ(cellDescription(world, 25, 14), "25, 14 (B16)");
    EXPECT_EQ(cellDescription(world, 0, 0), "0, 0 (A1)");
    // Row 13 opens the second province row, shifted east by 10 cells.
    EXPECT_EQ(cellDescription(world, 0, 13), "0, 13 (A11)");
    EXPECT_EQ(cellDescription(world, 10, 13), "10, 13 (A1)");
    EXPECT_EQ(cellDescription(world, 299, 168), "299, 168 (M20)");
}

TEST(ProvinceNotation, MapWithoutProvincesCountsFromTheCorner)
{
    CarteVarenthe city;
    city.create(40, 30, 0, 0, 2, 1);
    EXPECT_EQ(cellDescription(city, 3, 2), "3, 2 (C4)");
    EXPECT_EQ(cellDescription(city, 0, 27), "0, 27 (BB1)");
    EXPECT_EQ(cellDescription(city, 39, 29), "39, 29 (BD40)");
}

TEST(ProvinceNotation, CellsOutsideTheMapHaveNoDescription)
{
    CarteVarenthe city;
    city.create(40, 30, 0, 0, 2, 1);
    EXPECT_EQ(cellDescription(city, 40, 0), "");
    EXPECT_EQ(cellDescription(city, -1, 5), "");
    EXPECT_EQ(cellDescription(city, 0, 30), "");
}
