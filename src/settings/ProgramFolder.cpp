#include "settings/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

#include <filesystem>
#include <system_error>

namespace {

QString &chosenFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString ProgramFolder::path()
{
    const QString &chosen = chosenFolder();
    if (!chosen.isEmpty())
        return chosen;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Without an application object (pelmorin-cli), the executable's link
    // in /proc names the same folder.
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return QDir::currentPath();
    return QString::fromStdString(exe.parent_path().string());
}

void ProgramFolder::setPath(const QString &folder)
{
    chosenFolder() = folder;
}

bool ProgramFolder::makeCurrent()
{
    return QDir::setCurrent(path());
}

QString ProgramFolder::localPath(const QString &windowsPath)
{
    QString local = windowsPath;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return local;
}

QString ProgramFolder::resolve(const QString &windowsPath)
{
    const QString local = localPath(windowsPath);
    if (QDir::isRelativePath(local))
        return QDir(path()).filePath(local);
    return local;
}
