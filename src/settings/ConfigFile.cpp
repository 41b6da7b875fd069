#include "settings/ConfigFile.h"

#include "map/AtomicFileWriter.h"
#include "map/Windows1252.h"

#include <QDir>
#include <QFile>

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

// What tells one state of the file from another: a file edited (or
// replaced, or removed) since it was read is read again.
struct FileStamp {
    std::optional<std::array<int64_t, 5>> identity;
    // File times advance by clock ticks of several milliseconds, so an edit
    // just after a read can leave size and time as they were. Lines read
    // while the file's time is that recent are not trusted past the next
    // access.
    bool settled = true;
};

FileStamp fileStamp(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    const auto modified = std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return {std::array<int64_t, 5>{int64_t(info.st_dev), int64_t(info.st_ino), int64_t(info.st_size),
                                   int64_t(info.st_mtim.tv_sec), int64_t(info.st_mtim.tv_nsec)},
            now - modified > std::chrono::milliseconds(100)};
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

QString ConfigFile::loadText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {}; // a missing or unreadable file reads as empty: every default applies
    const QByteArray bytes = file.readAll();
    return QString::fromStdString(cp1252ToUtf8(std::string_view(bytes.constData(), size_t(bytes.size()))));
}

ConfigLines &ConfigFile::current() const
{
    // Every access looks at the file as it is now, but reads it only when
    // it is not the one read or written last: another folder became
    // current, or someone edited the file since.
    const QString where = path();
    const FileStamp stamp = fileStamp(where);
    if (!cache_ || !cache_->settled || cache_->path != where || cache_->identity != stamp.identity)
        cache_ = std::make_shared<Snapshot>(Snapshot{where, stamp.identity, stamp.settled, ConfigLines(loadText(where))});
    return cache_->lines;
}

void ConfigFile::storeCurrent()
{
    try {
        storeText(cache_->lines.fileText());
    } catch (...) {
        // The lines in memory are no longer the file's.
        cache_.reset();
        throw;
    }
    // The lines are what was just written, however recent the file's time.
    cache_->identity = fileStamp(cache_->path).identity;
    cache_->settled = true;
}

void ConfigFile::storeText(const QString &text)
{
    const std::string bytes =
        utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()), size_t(text.size())));

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
    return current().section(section).header >= 0;
}

bool ConfigFile::valueExists(const QString &section, const QString &key) const
{
    return rawValue(section, key).has_value();
}

QStringList ConfigFile::sectionNames() const
{
    return current().sectionNames();
}

QList<ConfigEntry> ConfigFile::readSection(const QString &section) const
{
    const ConfigLines &file = current();
    const ConfigSection range = file.section(section);
    QList<ConfigEntry> entries;
    for (qsizetype i = range.header + 1; range.header >= 0 && i < range.end; ++i) {
        const ParsedConfigLine parsed = parseConfigLine(file.line(i));
        if (parsed.kind == ParsedConfigLine::Pair)
            entries.append({parsed.name, parsed.value});
    }
    return entries;
}

std::optional<QString> ConfigFile::rawValue(const QString &section, const QString &key) const
{
    const ConfigLines &file = current();
    const qsizetype at = file.key(file.section(section), key);
    if (at < 0)
        return std::nullopt;
    return parseConfigLine(file.line(at)).value;
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
    ConfigLines &file = current();
    const QString name = singleLine(key).trimmed();
    const QString pair = name + QLatin1Char('=') + singleLine(value);
    const ConfigSection range = file.section(section);
    if (range.header < 0) {
        file.insertLines(file.lineCount(), {QLatin1Char('[') + singleLine(section).trimmed() + QLatin1Char(']'), pair});
    } else if (const qsizetype at = file.key(range, name); at >= 0) {
        // Keep the key as the file spells it; only its value changes. A line
        // that stays as it is leaves the file as it is: at exit most settings
        // are unchanged, and a large file is not rewritten for each of them.
        const QString line = parseConfigLine(file.line(at)).name + QLatin1Char('=') + singleLine(value);
        if (file.line(at) == line)
            return;
        file.replacePair(at, line);
    } else {
        // After the section's last non-blank line, so a blank line that
        // separates it from the next section stays a separator.
        qsizetype insertAt = range.end;
        while (insertAt - 1 > range.header && file.line(insertAt - 1).trimmed().isEmpty())
            --insertAt;
        file.insertLines(insertAt, {pair});
    }
    storeCurrent();
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
    ConfigLines &file = current();
    const QList<ConfigSection> copies = file.sections(section);
    if (copies.isEmpty())
        return;
    for (auto copy = copies.crbegin(); copy != copies.crend(); ++copy)
        file.removeLines(copy->header, copy->end - copy->header);
    storeCurrent();
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
