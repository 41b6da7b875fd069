#include "ui/CityList.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

#include "map/CarteVarenthe.h"
#include "map/CityLookup.h"

QList<CityRow> cityRowsFromMap(const CarteVarenthe &map)
{
    QList<CityRow> rows;
    for (const Element &element : map.elements) {
        if (element.name.empty())
            continue;
        rows.append(CityRow{QString::number(element.number), QString::fromStdString(element.name), element.x,
                            element.y, element.kind == ElementZone});
    }
    return rows;
}

QList<CityRow> filterCityRows(const QList<CityRow> &rows, const QString &query)
{
    const std::string folded = foldedName(query.trimmed().toStdString());
    if (folded.empty())
        return rows;
    QList<CityRow> kept;
    for (const CityRow &row : rows)
        if (foldedName(row.name.toStdString()).find(folded) != std::string::npos)
            kept.append(row);
    return kept;
}

int cityKeyNumber(const QString &key, int fallback)
{
    bool ok = false;
    const int number = key.toInt(&ok, 10);
    return ok ? number : fallback;
}

QString trimmedCityName(const QString &name)
{
    qsizetype first = 0;
    qsizetype last = name.size();
    while (first < last && name.at(first).unicode() < 33)
        ++first;
    while (last > first && name.at(last - 1).unicode() < 33)
        --last;
    return name.mid(first, last - first);
}

void sortCityRows(QList<CityRow> &rows, CitySortMode mode)
{
    if (mode == SortByNumber) {
        std::stable_sort(rows.begin(), rows.end(), [](const CityRow &a, const CityRow &b) {
            return cityKeyNumber(a.key, -1) < cityKeyNumber(b.key, -1);
        });
        return;
    }
    // A system without a locale of its own ("C") would compare code points
    // and put every accented name last; French names then sort as in French.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::French, QLocale::France);
    QCollator collator{locale};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&collator](const CityRow &a, const CityRow &b) {
        return collator.compare(trimmedCityName(a.name), trimmedCityName(b.name)) < 0;
    });
}

namespace {

// Upper-case first character of a name without its accent, so that typing
// E also finds "Élan".
QChar jumpInitial(const QString &name)
{
    const QString trimmed = trimmedCityName(name);
    if (trimmed.isEmpty())
        return {};
    const QString decomposed = trimmed.left(1).normalized(QString::NormalizationForm_D);
    return decomposed.at(0).toUpper();
}

bool isJumpKey(int key)
{
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

} // namespace

int cityLetterJump(const QList<CityRow> &rows, int selected, int key)
{
    const int count = static_cast<int>(rows.size());
    if (count == 0 || !isJumpKey(key))
        return -1;
    const QChar wanted(key);
    // Every line but the selected one, starting after it and wrapping; with
    // nothing selected every line, from the first.
    const int start = selected >= 0 && selected < count ? (selected + 1) % count : 0;
    const int visits = selected >= 0 && selected < count ? count - 1 : count;
    for (int step = 0; step < visits; ++step) {
        const int line = (start + step) % count;
        if (jumpInitial(rows.at(line).name) == wanted)
            return line;
    }
    return -1;
}

int cityJumpScrollTop(int target, int previous, int top, int visibleCount)
{
    const int shown = std::max(visibleCount, 1);
    if (target >= top && target <= top + shown - 1)
        return top;
    if (target > previous)
        return std::max(target - shown + 1, 0);
    return target;
}
