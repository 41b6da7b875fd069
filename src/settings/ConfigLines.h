#pragma once
// The lines of a configuration file as the INI rules see them, kept as the
// file's one text with where each line starts, and indexed: its sections at
// once, the keys of a section the first time one is asked for. Reading
// every setting of a large file costs one pass over it, not one per key,
// and no line is copied until its value is read. Names match without
// regard to case; the first section or key of a name is the one that counts.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <unordered_map>

// One line as the INI rules see it. Lines that are neither a header nor a
// pair (blank lines, comments, stray text) are kept untouched.
struct ParsedConfigLine {
    enum Kind { Other, Header, Pair };
    Kind kind = Other;
    QString name;  // section name or key
    QString value; // value of a pair
};
ParsedConfigLine parseConfigLine(QStringView line);

// Lines [header, end) of one section; header is -1 when there is none.
struct ConfigSection {
    qsizetype header = -1;
    qsizetype end = -1;
    int ordinal = -1; // its place among the file's sections
};

class ConfigLines {
public:
    ConfigLines() = default;
    // The file's text, lines ended by LF or CR LF.
    explicit ConfigLines(QString text);

    qsizetype lineCount() const { return starts_.size() - 1; }
    // Without its line end.
    QStringView line(qsizetype at) const;
    // The text to write back: every line ended by CR LF.
    const QString &fileText() const { return text_; }

    QStringList sectionNames() const;
    // The first section of that name.
    ConfigSection section(QStringView name) const;
    // Every section of that name, in file order.
    QList<ConfigSection> sections(QStringView name) const;
    // The line of the section's first pair with that key; -1 when none.
    qsizetype key(const ConfigSection &section, QStringView key) const;

    // A pair's line rewritten with the same key: the indexes stay as they are.
    void replacePair(qsizetype at, const QString &line);
    // Lines that contain no line break, inserted before line `at` (at most
    // lineCount()) or removed.
    void insertLines(qsizetype at, const QStringList &lines);
    void removeLines(qsizetype from, qsizetype count);

private:
    // A folded name's hash: where such names are (a line, or a section's ordinal).
    using NameIndex = std::unordered_multimap<size_t, qsizetype>;
    void index();
    ConfigSection sectionAt(int ordinal) const;

    QString text_;            // every line followed by CR LF
    QList<qsizetype> starts_; // where each line starts, then the end of the text
    QList<qsizetype> headers_;
    NameIndex sectionsByName_; // ordinals
    // Lines of the pairs, by the section's ordinal; made when first asked for.
    mutable std::unordered_map<int, NameIndex> keysBySection_;
};
