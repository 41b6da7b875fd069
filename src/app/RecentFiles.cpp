#include "app/RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include "settings/ConfigFile.h"

namespace {

const QString Section = QStringLiteral("Fichiers Recents");
// Longer than any path the system can open: a damaged line, not a file.
constexpr qsizetype LongestPath = 4096;

QString keyFor(int index)
{
    return QStringLiteral("Fichier %1").arg(index);
}

} // namespace

void RecentFiles::add(const QString &path)
{
    const QString file = QDir::cleanPath(path);
    if (file.isEmpty())
        return;
    files_.removeAll(file);
    files_.prepend(file);
    while (files_.size() > Limit)
        files_.removeLast();
}

void RecentFiles::remove(const QString &path)
{
    files_.removeAll(QDir::cleanPath(path));
}

void RecentFiles::read(const ConfigFile &config)
{
    files_.clear();
    for (int i = 0; i < Limit; ++i) {
        const QString file = QDir::cleanPath(config.readString(Section, keyFor(i), QString()).trimmed());
        if (!file.isEmpty() && file.size() <= LongestPath && !files_.contains(file))
            files_.append(file);
    }
}

void RecentFiles::write(ConfigFile &config) const
{
    config.eraseSection(Section);
    for (int i = 0; i < files_.size(); ++i)
        config.writeString(Section, keyFor(i), files_[i]);
}

RecentFilesMenu::RecentFilesMenu(QMenu *menu, const RecentFiles &files, std::function<void(const QString &)> open)
    : QObject(menu), menu_(menu), files_(files), open_(std::move(open))
{
    connect(menu_, &QMenu::aboutToShow, this, &RecentFilesMenu::rebuild);
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    menu_->clear();
    if (files_.files().isEmpty()) {
        menu_->addAction(QStringLiteral("(aucun)"))->setEnabled(false);
        return;
    }
    int number = 1;
    for (const QString &file : files_.files()) {
        // A path is text, never an access letter: its "&" are doubled.
        QString shown = QDir::toNativeSeparators(file);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = menu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(shown));
        item->setStatusTip(file);
        connect(item, &QAction::triggered, this, [this, file] { open_(file); });
    }
}
