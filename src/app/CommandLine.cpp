#include "app/CommandLine.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include "app/MapFileCommands.h"
#include "ui/UserDialogs.h"

namespace {

// "scheme://...": what a file manager or a browser hands over for an address.
bool looksLikeAddress(const QString &argument)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(argument).hasMatch();
}

QString mapArgument(const QString &argument, const QString &startFolder)
{
    if (looksLikeAddress(argument)) {
        const QUrl url(argument);
        return url.isLocalFile() ? url.toLocalFile() : argument;
    }
    return QDir::cleanPath(QDir(startFolder).absoluteFilePath(argument));
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const QString &startFolder)
{
    CommandLine line;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))) {
            // The first of --help and --version wins, as in most programs.
            if (line.action == CommandLine::Action::Run)
                line.action = CommandLine::Action::Help;
        } else if (!optionsEnded && argument == QStringLiteral("--version")) {
            if (line.action == CommandLine::Action::Run)
                line.action = CommandLine::Action::Version;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            line.action = CommandLine::Action::Refused;
            line.refusedOption = argument;
            line.message = QStringLiteral("pelmorin : option inconnue « %1 ». "
                                          "« pelmorin --help » décrit les options.")
                               .arg(argument);
            line.files.clear();
            return line;
        } else if (!argument.isEmpty()) {
            line.files.append(mapArgument(argument, startFolder));
        }
    }
    if (line.action != CommandLine::Action::Run)
        line.files.clear();
    return line;
}

QString commandLineHelp()
{
    return QStringLiteral("Utilisation : pelmorin [FICHIER.vr ...]\n"
                          "Carte du Pelmorin : visionneuse, éditeur de cartes et chercheur d'itinéraires "
                          "pour Varenthe.\n"
                          "\n"
                          "Ouvre les cartes nommées après celles de la dernière session ; la dernière nommée "
                          "devient la carte active.\n"
                          "\n"
                          "Options :\n"
                          "  -h, --help     Affiche cette aide et quitte\n"
                          "  --version      Affiche la version et quitte\n");
}

QString versionText()
{
    return QStringLiteral("pelmorin " PELMORIN_VERSION "\n");
}

void openNamedMaps(MapFileCommands &commands, QWidget *parent, const QStringList &files)
{
    const QString title = QStringLiteral("Erreur de chargement");
    for (const QString &file : files) {
        if (looksLikeAddress(file)) {
            userDialogs().showError(parent, title,
                                    QStringLiteral("« %1 » n'est pas un fichier de cet ordinateur : Pelmorin "
                                                   "n'ouvre que les cartes enregistrées sur un disque.")
                                        .arg(file));
            continue;
        }
        // A name without a file would ask for a new map, which nobody asked
        // for from a file manager.
        const QFileInfo info(file);
        if (!info.exists() || info.isDir()) {
            userDialogs().showError(parent, title,
                                    QStringLiteral("Le fichier « %1 » n'existe pas.").arg(QDir::toNativeSeparators(file)));
            continue;
        }
        commands.OpenMapWindow(file);
    }
}
