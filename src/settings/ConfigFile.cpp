#include "settings/ConfigFile.h"

#include "map/AtomicFileWriter.h"
#include "map/Windows1252.h"

#include <QDir>
#include <QFile>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// One line of the file as the INI rules see it. Lines that are neither a
// header nor a pair (blank lines, comments, stray text) are kept untouched.
struct ParsedLine {
    enum Kind { Other, Header, Pair };
    Kind kind = Other;
    QString name;  // section name or key
    QString value; // value of a pair
};

ParsedLine parseLine(const QString &line)
{
    ParsedLine parsed;
    const QString text = line.trimmed();
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            parsed.kind = ParsedLine::Header;
            parsed.name = text.mid(1, close - 1).trimmed();
        }
        return parsed;
    }
    if (text.startsWith(QLatin1Char(';')))
        return parsed;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return parsed;
    parsed.name = text.left(equals).trimmed();
    if (parsed.name.isEmpty())
        return parsed;
    parsed.kind = ParsedLine::Pair;
    parsed.value = text.mid(equals + 1).trimmed();
    return parsed;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Lines [header, end) of the first section with that name; header is -1 when
// the section does not exist.
struct SectionRange {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionRange findSection(const QStringList &lines, const QString &section, qsizetype from = 0)
{
    SectionRange range;
    for (qsizetype i = from; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (parsed.kind != ParsedLine::Header)
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (sameName(parsed.name, section))
            range.header = i;
    }
    if (range.header >= 0)
        range.end = lines.size();
    return range;
}

qsizetype findKey(const QStringList &lines, const SectionRange &range, const QString &key)
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (parsed.kind == ParsedLine::Pair && sameName(parsed.name, key))
            return i;
    }
    return -1;
}

// A line break inside a name or value would split it into two lines of the
// file; it cannot be stored, so it becomes a space.
QString singleLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

} // namespace

ConfigFile::ConfigFile(const QString &fileName, const QLocale &locale)
    : fileName_(fileName)
    , locale_(locale)
{
}

QString ConfigFile::path() const
{
    QString local = fileName_;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(QDir::current().absoluteFilePath(local));
}

QStringList ConfigFile::loadLines() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return {}; // a missing or unreadable file reads as empty: every default applies
    const QByteArray bytes = file.readAll();
    const std::string utf8 = cp1252ToUtf8(std::string_view(bytes.constData(), size_t(bytes.size())));
    QStringList lines = QString::fromStdString(utf8).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return lines;
}

void ConfigFile::storeLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    const std::string bytes = utf8ToCp1252(text.toStdString());

    const QString target = path();
    const auto refuse = [&target](const std::string &reason) {
        const QString message = QStringLiteral("Impossible d'enregistrer la configuration dans le fichier « %1 » : %2")
                                    .arg(QDir::toNativeSeparators(target), QString::fromStdString(reason));
        throw ConfigWriteError(message.toStdString());
    };

    // Through a temporary file renamed over the old one: a crash, a full
    // disk or a file-size limit never leaves half a configuration behind.
    AtomicFileWriter file(QFile::encodeName(target).toStdString());
    if (!file.open(bytes.size()) || !file.write(bytes.data(), bytes.size()) || !file.commit())
        refuse(file.failureReason());
}

bool ConfigFile::sectionExists(const QString &section) const
{
    return findSection(loadLines(), section).header >= 0;
}

bool ConfigFile::valueExists(const QString &section, const QString &key) const
{
    return rawValue(section, key).has_value();
}

QStringList ConfigFile::sectionNames() const
{
    QStringList names;
    for (const QString &line : loadLines()) {
        const ParsedLine parsed = parseLine(line);
        if (parsed.kind == ParsedLine::Header)
            names.append(parsed.name);
    }
    return names;
}

QList<ConfigEntry> ConfigFile::readSection(const QString &section) const
{
    const QStringList lines = loadLines();
    const SectionRange range = findSection(lines, section);
    QList<ConfigEntry> entries;
    for (qsizetype i = range.header + 1; range.header >= 0 && i < range.end; ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (parsed.kind == ParsedLine::Pair)
            entries.append({parsed.name, parsed.value});
    }
    return entries;
}

std::optional<QString> ConfigFile::rawValue(const QString &section, const QString &key) const
{
    const QStringList lines = loadLines();
    const SectionRange range = findSection(lines, section);
    if (range.header < 0)
        return std::nullopt;
    const qsizetype at = findKey(lines, range, key);
    if (at < 0)
        return std::nullopt;
    return parseLine(lines[at]).value;
}

QString ConfigFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    return rawValue(section, key).value_or(fallback);
}

int32_t ConfigFile::readInteger(const QString &section, const QString &key, int32_t fallback) const
{
    const std::optional<QString> text = rawValue(section, key);
    return text ? parseInteger(*text).value_or(fallback) : fallback;
}

bool ConfigFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

double ConfigFile::readFloat(const QString &section, const QString &key, double fallback) const
{
    const std::optional<QString> text = rawValue(section, key);
    return text ? parseFloat(*text, locale_).value_or(fallback) : fallback;
}

void ConfigFile::writeString(const QString &section, const QString &key, const QString &value)
{
    QStringList lines = loadLines();
    const QString name = singleLine(key).trimmed();
    const QString pair = name + QLatin1Char('=') + singleLine(value);
    const SectionRange range = findSection(lines, section);
    if (range.header < 0) {
        lines.append(QLatin1Char('[') + singleLine(section).trimmed() + QLatin1Char(']'));
        lines.append(pair);
    } else if (const qsizetype at = findKey(lines, range, name); at >= 0) {
        // Keep the key as the file spells it; only its value changes.
        lines[at] = parseLine(lines[at]).name + QLatin1Char('=') + singleLine(value);
    } else {
        // After the section's last non-blank line, so a blank line that
        // separates it from the next section stays a separator.
        qsizetype insertAt = range.end;
        while (insertAt - 1 > range.header && lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        lines.insert(insertAt, pair);
    }
    storeLines(lines);
}

void ConfigFile::writeInteger(const QString &section, const QString &key, int32_t value)
{
    writeString(section, key, QString::number(value));
}

void ConfigFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void ConfigFile::writeFloat(const QString &section, const QString &key, double value)
{
    writeString(section, key, formatFloat(value, locale_));
}

void ConfigFile::eraseSection(const QString &section)
{
    QStringList lines = loadLines();
    bool erased = false;
    for (SectionRange range = findSection(lines, section); range.header >= 0;
         range = findSection(lines, section, range.header)) {
        lines.remove(range.header, range.end - range.header);
        erased = true;
    }
    if (erased)
        storeLines(lines);
}

std::optional<int32_t> ConfigFile::parseInteger(const QString &text)
{
    const QString trimmed = text.trimmed();
    const std::string digits = trimmed.toStdString();
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        // Hexadecimal covers the whole 32 bits, so 0xFFFFFFFF is -1.
        uint64_t value = 0;
        for (size_t i = 2; i < digits.size(); ++i) {
            const char c = digits[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + uint64_t(digit);
            if (value > 0xFFFFFFFFull)
                return std::nullopt;
        }
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    const char *first = digits.data();
    const char *last = digits.data() + digits.size();
    if (first != last && *first == '+')
        ++first;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

QString ConfigFile::formatFloat(double value, const QLocale &locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // Fifteen significant digits, then the shortest text that holds them:
    // plain notation for exponents -5 to 14, else one digit, point and "E".
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string text(buffer);
    const size_t e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    const bool negative = text[0] == '-';
    std::string mantissa;
    for (size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] != '.')
            mantissa += text[i];
    }
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    const QString point = locale.decimalPoint();
    QString result = negative ? QStringLiteral("-") : QString();
    if (exponent >= 15 || exponent < -5) {
        result += QLatin1Char(mantissa[0]);
        if (mantissa.size() > 1)
            result += point + QString::fromLatin1(mantissa.substr(1));
        result += QLatin1Char('E') + QString::number(exponent);
    } else if (exponent < 0) {
        result += QLatin1Char('0') + point + QString(-exponent - 1, QLatin1Char('0'))
                  + QString::fromLatin1(mantissa);
    } else {
        const size_t whole = size_t(exponent) + 1;
        while (mantissa.size() < whole)
            mantissa += '0';
        result += QString::fromLatin1(mantissa.substr(0, whole));
        if (mantissa.size() > whole)
            result += point + QString::fromLatin1(mantissa.substr(whole));
    }
    return result;
}

std::optional<double> ConfigFile::parseFloat(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    const QString point = locale.decimalPoint();
    // Rebuild the number in C form, accepting only sign, digits, the
    // locale's separator once and an exponent; anything else is not a number.
    std::string plain;
    qsizetype i = 0;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
        plain += char(trimmed[i++].toLatin1());
    bool digits = false;
    bool seenPoint = false;
    while (i < trimmed.size()) {
        const QChar c = trimmed[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            plain += char(c.toLatin1());
            digits = true;
            ++i;
        } else if (!seenPoint && !point.isEmpty() && QStringView(trimmed).mid(i).startsWith(point)) {
            plain += '.';
            seenPoint = true;
            i += point.size();
        } else {
            break;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < trimmed.size() && (trimmed[i] == QLatin1Char('e') || trimmed[i] == QLatin1Char('E'))) {
        plain += 'e';
        ++i;
        if (i < trimmed.size() && (trimmed[i] == QLatin1Char('-') || trimmed[i] == QLatin1Char('+')))
            plain += char(trimmed[i++].toLatin1());
        bool exponentDigits = false;
        while (i < trimmed.size() && trimmed[i] >= QLatin1Char('0') && trimmed[i] <= QLatin1Char('9')) {
            plain += char(trimmed[i++].toLatin1());
            exponentDigits = true;
        }
        if (!exponentDigits)
            return std::nullopt;
    }
    if (i != trimmed.size())
        return std::nullopt;

    const char *first = plain.data();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
