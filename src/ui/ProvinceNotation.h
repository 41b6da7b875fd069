#pragma once
// Where a cell lies inside its province, in the game's notation: the row
// inside the province as letters (A for the first row, base 26, so 26 gives
// BA) and the column inside the province from 1, counting the 10-cell shift
// of odd province rows. Shown in the status bar as "c, r (B16)".
#include <QString>

class CarteVarenthe;

// Row letters of a row index inside a province: 0 "A", 25 "Z", 26 "BA".
QString provinceRowLetters(int row);

// "B16" for the cell in column 25, row 14 of a world map; "C4" for column 3,
// row 2 of a map without provinces.
QString provinceNotation(int column, int row, int provinceWidth, int provinceHeight);

// The status-bar text of a cell: "25, 14 (B16)", or empty outside the map.
QString cellDescription(const CarteVarenthe &map, int column, int row);
