#pragma once
// The program's command line: `pelmorin [FICHIER.vr ...]`, `--help` and
// `--version`. Parsing is a plain function, so that the answers that need no
// window are given before any display is opened; the maps named are opened
// by the main window once those of the last session are back.
#include <QString>
#include <QStringList>

class MapFileCommands;
class QWidget;

struct CommandLine {
    enum class Action { Run, Help, Version, Refused };
    Action action = Action::Run;
    // The maps to open, in order: local paths made absolute against the
    // folder the program was started from, file:// addresses turned into
    // paths, any other address kept as given (it is refused when opened).
    QStringList files;
    // Why the command line was refused, in French, for the error output.
    QString message;
    QString refusedOption;
};

// `arguments` without the program's own name.
CommandLine parseCommandLine(const QStringList &arguments, const QString &startFolder);

QString commandLineHelp();
QString versionText();

// Opens the maps named on the command line, each through the usual
// "&Ouvrir" path; a name that is no local file, or no file at all, gets the
// "Erreur de chargement" box and the next one is tried.
void openNamedMaps(MapFileCommands &commands, QWidget *parent, const QStringList &files);
