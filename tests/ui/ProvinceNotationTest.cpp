// The position of a cell inside its province, as the status bar shows it.
#include <gtest/gtest.h>

#include "map/CarteVarenthe.h"
#include "ui/ProvinceNotation.h"

TEST(ProvinceNotation, CellsAreNamedByProvinceRowLettersAndColumn)
{
    CarteVarenthe world;
    world.create(300, 169, 20, 13, 1, 100);
    CarteVarenthe city;
    city.create(40, 30, 0, 0, 2, 1);
    struct Case {
        const CarteVarenthe &map;
        int column, row;
        const char *shown;
    };
    const Case cases[] = {
        {world, 25, 14, "25, 14 (B16)"}, {world, 0, 0, "0, 0 (A1)"}, {world, 299, 168, "299, 168 (M20)"},
        // Row 13 opens the second province row, shifted east by 10 cells.
        {world, 0, 13, "0, 13 (A11)"},  {world, 10, 13, "10, 13 (A1)"},
        // Without provinces the rows count from the corner in base 26.
        {city, 3, 2, "3, 2 (C4)"},       {city, 0, 27, "0, 27 (BB1)"}, {city, 39, 29, "39, 29 (BD40)"},
        // Outside the map: nothing to describe.
        {city, 40, 0, ""},               {city, -1, 5, ""},             {city, 0, 30, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(cellDescription(c.map, c.column, c.row), c.shown) << c.column << "," << c.row;
    EXPECT_EQ(provinceRowLetters(25), "Z");
    EXPECT_EQ(provinceRowLetters(26 * 26), "BAA");
}
