#pragma once
// The configuration file ".\pelmorin.cfg": an INI text of sections and
// key=value lines in Windows-1252. Every read looks at the file as it is now
// and every write replaces the file at once, so a relative name follows the
// current directory from one access to the next; the lines are read again
// only when the file is not the one read or written last (another folder,
// or an edit since), so a large file is not read again for every key.
//
// Section and key names match without regard to case. Writing an existing
// key replaces its value where it stands, a new key goes at the end of its
// section and a new section at the end of the file. The file is replaced
// through a temporary file in the same folder, so a crash or a full disk
// never leaves half a configuration behind.
//
// Plain QtCore, no widgets: the main window, the tests and tools share it.
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "settings/ConfigLines.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

// A write the system refused. The message is French and names the file.
class ConfigWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ConfigEntry {
    QString key;
    QString value;
};

class ConfigFile {
public:
    // `fileName` may be in Windows form (".\pelmorin.cfg"); a relative name
    // is resolved against the current directory at every access. Floats use
    // the decimal separator of `locale` (the user's by default).
    explicit ConfigFile(const QString &fileName = QStringLiteral(".\\pelmorin.cfg"),
                        const QLocale &locale = QLocale::system());

    QString fileName() const { return fileName_; }
    // Where the file is right now, for messages and tests.
    QString path() const;
    QLocale locale() const { return locale_; }

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    // Section names in file order.
    QStringList sectionNames() const;
    // The key and value pairs of a section in file order; empty when missing.
    QList<ConfigEntry> readSection(const QString &section) const;

    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    int32_t readInteger(const QString &section, const QString &key, int32_t fallback) const;
    bool readBool(const QString &section, const QString &key, bool fallback) const;
    double readFloat(const QString &section, const QString &key, double fallback) const;

    // Each write goes to the file before returning; ConfigWriteError when
    // refused. Writing a key with the line it already has changes nothing.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int32_t value);
    void writeBool(const QString &section, const QString &key, bool value);
    void writeFloat(const QString &section, const QString &key, double value);
    // Removes the header and every key of the section (every copy of it).
    void eraseSection(const QString &section);

    // Value rules, public for the options dialog and the tests.
    // Decimal, or hexadecimal after "0x"/"0X" when the text is longer than
    // two characters; nothing when the text is not a 32-bit number.
    static std::optional<int32_t> parseInteger(const QString &text);
    // General format, 15 significant digits, the locale's decimal separator:
    // 1.8f gives "1,79999995231628" under French settings.
    static QString formatFloat(double value, const QLocale &locale);
    // Only the locale's decimal separator is accepted; no group separators.
    static std::optional<double> parseFloat(const QString &text, const QLocale &locale);

private:
    // The file's lines as last read or written, and which file in which state.
    struct Snapshot {
        QString path;
        std::optional<std::array<int64_t, 5>> identity; // device, inode, size, time
        bool settled = true;
        ConfigLines lines;
    };

    static QString loadText(const QString &path);
    // The file's lines, read again only when the file changed. Writes edit
    // them, then storeCurrent() writes them to the file.
    ConfigLines &current() const;
    void storeCurrent();
    void storeText(const QString &text);
    std::optional<QString> rawValue(const QString &section, const QString &key) const;

    QString fileName_;
    QLocale locale_;
    mutable std::shared_ptr<Snapshot> cache_;
};
