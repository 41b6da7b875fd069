#pragma once
// Where the program's files live. The program folder holds the executables;
// the data folder holds the read-only files that come with them (the tile
// folders, ".\img\250.bmp", the overview picture, notes.txt and the sample
// world map), and relative folder texts of the settings (".\img\1\") and
// relative map names resolve against it. A build folder or a portable copy
// keeps everything in the program folder; an installed program finds its
// data in share/pelmorin beside its bin folder, and its settings in the
// user's configuration folder. Every path is resolved explicitly, so the
// current directory stays the one the user started the program from.
#include <QString>

class ProgramFolder {
public:
    // The running executable's folder, unless a caller (a test, or a tool
    // running from elsewhere) chose another one.
    static QString path();
    static void setPath(const QString &folder);

    // The folder that holds the program's data, for the program folder in use.
    static QString dataPath();
    // The program folder itself when it holds the data; otherwise
    // share/pelmorin beside its bin folder when that holds it; otherwise the
    // program folder still (the files are then missing and their usual
    // fallbacks apply).
    static QString dataFolderFor(const QString &programFolder);
    // Whether a folder holds the program's data: its tile folders.
    static bool holdsData(const QString &folder);

    // The one settings file for this program folder and user.
    static QString settingsFile();
    // pelmorin.cfg beside the program when the program folder holds the data
    // and accepts new files (the portable case); otherwise pelmorin.cfg in
    // `userConfigFolder`.
    static QString settingsFileFor(const QString &programFolder, bool programFolderWritable,
                                   const QString &userConfigFolder);
    // The user's configuration folder for Pelmorin ($XDG_CONFIG_HOME/pelmorin,
    // ~/.config/pelmorin by default).
    static QString userConfigFolder();
    // Whether a file can be created in the folder right now: tried, not
    // guessed from permission bits, so read-only mounts count as read-only.
    static bool acceptsNewFiles(const QString &folder);

    // Maps a Windows-form path (".\img\1\007.bmp") to this platform's form
    // and resolves a relative one against the data folder.
    static QString resolve(const QString &windowsPath);
    // The Windows-form path in this platform's form, still relative if it was.
    static QString localPath(const QString &windowsPath);
};
