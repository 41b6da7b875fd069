#include "settings/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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

QString ProgramFolder::dataPath()
{
    return dataFolderFor(path());
}

bool ProgramFolder::holdsData(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("img"))).isDir();
}

QString ProgramFolder::dataFolderFor(const QString &programFolder)
{
    if (holdsData(programFolder))
        return programFolder;
    const QString installed = QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/pelmorin")));
    return holdsData(installed) ? installed : programFolder;
}

QString ProgramFolder::settingsFile()
{
    const QString program = path();
    // Trying the folder costs a file creation: only a portable folder asks.
    const bool portable = dataFolderFor(program) == program;
    return settingsFileFor(program, portable && acceptsNewFiles(program), userConfigFolder());
}

QString ProgramFolder::settingsFileFor(const QString &programFolder, bool programFolderWritable,
                                       const QString &userConfigFolder)
{
    const QString name = QStringLiteral("pelmorin.cfg");
    if (programFolderWritable && dataFolderFor(programFolder) == programFolder)
        return QDir(programFolder).filePath(name);
    return QDir(userConfigFolder).filePath(name);
}

QString ProgramFolder::userConfigFolder()
{
    // Qt ignores an XDG_CONFIG_HOME that is not an absolute path and falls
    // back to ~/.config; with no home at all it answers nothing, and the
    // settings then stay with the program.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        return path();
    return QDir(base).filePath(QStringLiteral("pelmorin"));
}

bool ProgramFolder::acceptsNewFiles(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".pelmorin-XXXXXX")));
    return probe.open();
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
        return QDir(dataPath()).filePath(local);
    return local;
}
