#pragma once
// The maps opened or saved last, most recent first, for the "Fichiers
// &récents" submenu of "&Fichier". The list lives in the configuration file
// in a section of its own, "Fichiers Recents", keys "Fichier 0" to
// "Fichier 7", read at start-up and written at exit after the other
// settings.
#include <QObject>
#include <QStringList>

#include <functional>

class ConfigFile;
class QMenu;

class RecentFiles {
public:
    static constexpr int Limit = 8;

    const QStringList &files() const { return files_; }
    // Puts the file first; an earlier entry for the same file goes, and the
    // oldest beyond the limit too.
    void add(const QString &path);
    void remove(const QString &path);

    // Empty keys, repeated files, values too long to be a path and keys
    // beyond the limit are skipped.
    void read(const ConfigFile &config);
    // ConfigWriteError when refused.
    void write(ConfigFile &config) const;

private:
    QStringList files_;
};

// The submenu: "&1 path" ... in list order, rebuilt each time it opens, or a
// single greyed "(aucun)". Choosing an entry hands its path to `open`.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu *menu, const RecentFiles &files, std::function<void(const QString &)> open);
    void rebuild();
    QMenu *menu() const { return menu_; }

private:
    QMenu *menu_;
    const RecentFiles &files_;
    std::function<void(const QString &)> open_;
};
