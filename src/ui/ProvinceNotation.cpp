#include "ui/ProvinceNotation.h"

#include "map/CarteVarenthe.h"

QString provinceRowLetters(int row)
{
    return QString::fromStdString(CarteVarenthe::rowLetters(row));
}

QString provinceNotation(int column, int row, int provinceWidth, int provinceHeight)
{
    const bool shiftedRow = provinceHeight != 0 && (row / provinceHeight) % 2 == 1;
    const int shift = shiftedRow ? ProvinceShift : 0;
    const int rowInside = provinceHeight != 0 ? row % provinceHeight : row;
    const int columnInside = provinceWidth != 0 ? (column + shift) % provinceWidth + 1 : column + shift + 1;
    return provinceRowLetters(rowInside) + QString::number(columnInside);
}

QString cellDescription(const CarteVarenthe &map, int column, int row)
{
    if (!map.contains(column, row))
        return {};
    return QStringLiteral("%1, %2 (%3)")
        .arg(column)
        .arg(row)
        .arg(provinceNotation(column, row, map.provinceWidth, map.provinceHeight));
}
