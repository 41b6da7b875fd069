#pragma once
// The aspects the user can switch between: ordered name and folder pairs,
// read once at start-up from the configuration file. The main window builds
// its "&Aspects" menu from it and asks it which folder a chosen item names.
#include <QList>
#include <QString>

struct AspectEntry {
    QString name;   // menu label, such as "Eté"
    QString folder; // Windows-form folder, such as ".\img\1\"
};

class AspectList {
public:
    void clear() { entries_.clear(); }
    void append(const QString &name, const QString &folder) { entries_.append({name, folder}); }
    const QList<AspectEntry> &entries() const { return entries_; }
    qsizetype size() const { return entries_.size(); }
    bool isEmpty() const { return entries_.isEmpty(); }

    // Folder of the first entry with that name (names compare without
    // regard to case, as the configuration keys do); empty when none, so
    // tiles are then looked for in the program's own folder.
    QString folderOf(const QString &name) const;
    // Folder chosen by a menu item: its caption without the leading '&'.
    QString folderForCaption(const QString &caption) const { return folderOf(nameFromCaption(caption)); }

    // "&" + name, so the name's first letter is the keyboard accelerator;
    // an "&" in the name is doubled so that it shows.
    static QString captionFor(const QString &name);
    // The name a caption made by captionFor shows.
    static QString nameFromCaption(const QString &caption);

private:
    QList<AspectEntry> entries_;
};
