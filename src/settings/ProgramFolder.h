#pragma once
// The folder that holds the program: relative folder texts of the settings
// (".\img\1\"), the overview picture and notes.txt resolve against it. The
// program makes it the current directory once, at start-up; nothing else
// changes the current directory.
#include <QString>

class ProgramFolder {
public:
    // The running executable's folder, unless a caller (a test, or a tool
    // running from elsewhere) chose another one.
    static QString path();
    static void setPath(const QString &folder);

    // The start-up step that makes the program's folder current, so that
    // the relative name of the configuration file and of the maps it lists
    // mean the files there wherever the program was started from. False
    // when the folder cannot be entered (the start goes on where it is).
    static bool makeCurrent();

    // Maps a Windows-form path (".\img\1\007.bmp") to this platform's form
    // and resolves a relative one against the program's folder.
    static QString resolve(const QString &windowsPath);
    // The Windows-form path in this platform's form, still relative if it was.
    static QString localPath(const QString &windowsPath);
};
