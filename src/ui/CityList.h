#pragma once
// The rows of the city list and what the player does with them: filling from
// a map's named elements, sorting by number or by name, and the jump to the
// next row whose name starts with a typed letter. Plain functions, used by
// TCitiesForm and the tests.
#include <QList>
#include <QString>

class CarteVarenthe;

// One line of the list: key (column "#", the element's number as text),
// value (column "Nom") and the cell of the element it was made from, so
// centring finds that very element even when numbers repeat (zone markers)
// or do not match positions in the element list.
struct CityRow {
    QString key;
    QString name;
    int x = -1;
    int y = -1;
    bool zone = false; // a zone marker: it has no page on the game's site
    bool hasCell() const { return x >= 0 && y >= 0; }
};

enum CitySortMode { SortByNumber = 0, SortByName = 1 };

// Named elements of the map in element order, whatever their kind.
QList<CityRow> cityRowsFromMap(const CarteVarenthe &map);
// The rows whose name contains `query`, whatever the case and accents
// ("brur" keeps "Brurières"), in their order; all of them for an empty query.
QList<CityRow> filterCityRows(const QList<CityRow> &rows, const QString &query);
// Key read as a decimal integer, `fallback` when it is not one.
int cityKeyNumber(const QString &key, int fallback);
// Name trimmed of characters below 33 at both ends.
QString trimmedCityName(const QString &name);
// Ascending sort: by number (non-numbers count as -1) or by name (trimmed,
// case ignored, in the user's locale).
void sortCityRows(QList<CityRow> &rows, CitySortMode mode);
// Line selected by the letter key `key` (Qt::Key_A..Key_Z, Key_0..Key_9)
// when line `selected` is selected (-1 for none): the next line after it,
// wrapping, whose trimmed name starts with that character; -1 when none.
int cityLetterJump(const QList<CityRow> &rows, int selected, int key);
// First visible line after jumping from `previous` to `target` with lines
// `top` to `top + visibleCount - 1` visible: unchanged when the target is
// visible, else the target becomes the last visible line when it lies below
// the previous selection and the first one otherwise.
int cityJumpScrollTop(int target, int previous, int top, int visibleCount);
