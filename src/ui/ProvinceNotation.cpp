#include "ui/ProvinceNotation.h"

#include "map/CarteVarenthe.h"

QString provinceRowLetters(int row)
{
    // Base 26 with A as the zero digit, so the row after Z is BA, not AA.
    unsigned value = row < 0 ? 0u : static_cast<unsigned>(row);
    QString letters;
    do {
        letters.prepend(QChar(u'A' + static_cast<char16_t>(value % 26)));
        value /= 26;
    } while (value != 0);
    return letters;
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
