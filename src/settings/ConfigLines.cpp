#include "settings/ConfigLines.h"

#include <algorithm>

namespace {

// Hash of a name as case-insensitive comparison sees it.
size_t foldedHash(QStringView name)
{
    size_t hash = 1469598103934665603ull;
    for (const QChar c : name) {
        hash ^= QChar::toCaseFolded(c.unicode());
        hash *= 1099511628211ull;
    }
    return hash;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The key of a pair line, or nothing (an empty view) for any other line.
QStringView pairName(QStringView line)
{
    const QStringView text = line.trimmed();
    if (text.startsWith(QLatin1Char('[')) || text.startsWith(QLatin1Char(';')))
        return {};
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return {};
    return text.left(equals).trimmed();
}

// The name of a header line, or nothing.
QStringView headerName(QStringView line)
{
    const QStringView text = line.trimmed();
    if (!text.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    if (close <= 0)
        return {};
    const QStringView name = text.mid(1, close - 1).trimmed();
    // "[]" and "[ ]" are headers with an empty name; tell them from no header.
    return name.isNull() ? text.mid(1, 0) : name;
}

} // namespace

ParsedConfigLine parseConfigLine(QStringView line)
{
    ParsedConfigLine parsed;
    const QStringView text = line.trimmed();
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            parsed.kind = ParsedConfigLine::Header;
            parsed.name = text.mid(1, close - 1).trimmed().toString();
        }
        return parsed;
    }
    const QStringView name = pairName(line);
    if (name.isEmpty())
        return parsed;
    parsed.kind = ParsedConfigLine::Pair;
    parsed.name = name.toString();
    parsed.value = text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed().toString();
    return parsed;
}

ConfigLines::ConfigLines(QString text)
    : text_(std::move(text))
{
    // Kept as the file will be written, every line ended by CR LF; a file
    // the program wrote is so already and is kept without a copy.
    const QStringView view(text_);
    bool written = view.isEmpty() || view.endsWith(QLatin1Char('\n'));
    for (qsizetype at = view.indexOf(QLatin1Char('\n')); written && at >= 0; at = view.indexOf(QLatin1Char('\n'), at + 1))
        written = at > 0 && view[at - 1] == QLatin1Char('\r');
    if (!written) {
        QString lines;
        lines.reserve(text_.size() + text_.size() / 16);
        for (QStringView line : view.split(QLatin1Char('\n'))) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            lines += line;
            lines += QLatin1String("\r\n");
        }
        // The text after the last line break is a last line only when not empty.
        if (view.endsWith(QLatin1Char('\n')))
            lines.chop(2);
        text_ = std::move(lines);
    }
    index();
}

void ConfigLines::index()
{
    starts_.clear();
    headers_.clear();
    sectionsByName_.clear();
    keysBySection_.clear();
    const QStringView text(text_);
    for (qsizetype start = 0; start < text.size();) {
        starts_.append(start);
        const qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        start = end + 1;
    }
    starts_.append(text_.size());
    for (qsizetype i = 0; i < lineCount(); ++i) {
        const QStringView name = headerName(line(i));
        if (name.isNull())
            continue;
        sectionsByName_.emplace(foldedHash(name), headers_.size());
        headers_.append(i);
    }
}

QStringView ConfigLines::line(qsizetype at) const
{
    return QStringView(text_).mid(starts_[at], starts_[at + 1] - starts_[at] - 2);
}

QStringList ConfigLines::sectionNames() const
{
    QStringList names;
    for (const qsizetype header : headers_)
        names.append(headerName(line(header)).toString());
    return names;
}

ConfigSection ConfigLines::sectionAt(int ordinal) const
{
    const qsizetype end = ordinal + 1 < headers_.size() ? headers_[ordinal + 1] : lineCount();
    return ConfigSection{headers_[ordinal], end, ordinal};
}

QList<ConfigSection> ConfigLines::sections(QStringView name) const
{
    QList<int> ordinals;
    const auto [first, last] = sectionsByName_.equal_range(foldedHash(name));
    for (auto it = first; it != last; ++it) {
        if (sameName(headerName(line(headers_[it->second])), name))
            ordinals.append(static_cast<int>(it->second));
    }
    std::sort(ordinals.begin(), ordinals.end());
    QList<ConfigSection> found;
    for (const int ordinal : ordinals)
        found.append(sectionAt(ordinal));
    return found;
}

ConfigSection ConfigLines::section(QStringView name) const
{
    const QList<ConfigSection> found = sections(name);
    return found.isEmpty() ? ConfigSection{} : found.first();
}

qsizetype ConfigLines::key(const ConfigSection &section, QStringView key) const
{
    if (section.ordinal < 0)
        return -1;
    auto keys = keysBySection_.find(section.ordinal);
    if (keys == keysBySection_.end()) {
        NameIndex index;
        index.reserve(static_cast<size_t>(section.end - section.header));
        for (qsizetype i = section.header + 1; i < section.end; ++i) {
            const QStringView name = pairName(line(i));
            if (!name.isEmpty())
                index.emplace(foldedHash(name), i);
        }
        keys = keysBySection_.emplace(section.ordinal, std::move(index)).first;
    }
    qsizetype first = -1;
    const auto [from, to] = keys->second.equal_range(foldedHash(key));
    for (auto it = from; it != to; ++it) {
        if ((first < 0 || it->second < first) && sameName(pairName(line(it->second)), key))
            first = it->second;
    }
    return first;
}

void ConfigLines::replacePair(qsizetype at, const QString &newLine)
{
    const qsizetype length = line(at).size();
    text_.replace(starts_[at], length, newLine);
    const qsizetype shift = newLine.size() - length;
    for (qsizetype i = at + 1; i < starts_.size(); ++i)
        starts_[i] += shift;
}

void ConfigLines::insertLines(qsizetype at, const QStringList &lines)
{
    QString inserted;
    for (const QString &line : lines)
        inserted += line + QLatin1String("\r\n");
    text_.insert(starts_[at], inserted);
    index();
}

void ConfigLines::removeLines(qsizetype from, qsizetype count)
{
    text_.remove(starts_[from], starts_[from + count] - starts_[from]);
    index();
}
