// Pelmorin: the map viewer, editor and route finder. Builds the application
// object and the main window; the main window does the rest.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

#include "app/CommandLine.h"
#include "app/PelmorinApplication.h"
#include "app/TMainForm.h"
#include "settings/ProgramFolder.h"

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // --help and --version answer before any display is opened, so that they
    // work on a machine without one.
    const CommandLine early = parseCommandLine(argumentsOf(argc, argv), QDir::currentPath());
    if (early.action == CommandLine::Action::Help || early.action == CommandLine::Action::Version) {
        const QByteArray text = (early.action == CommandLine::Action::Help ? commandLineHelp() : versionText()).toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    // Qt's own options take one dash; a refused double-dash option is ours
    // to refuse, before a missing display could be the only answer.
    if (early.action == CommandLine::Action::Refused && early.refusedOption.startsWith(QStringLiteral("--"))) {
        std::fprintf(stderr, "%s\n", early.message.toUtf8().constData());
        return 2;
    }
    // Qt's own dialogs everywhere: a desktop's native ones differ in look and
    // may wait for services a plain X session lacks.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    PelmorinApplication app(argc, argv);
    app.loadFrenchTranslation();
    // The application took its own options (-platform, -style...) out of argv.
    const CommandLine line = parseCommandLine(argumentsOf(argc, argv), QDir::currentPath());
    if (line.action == CommandLine::Action::Refused) {
        std::fprintf(stderr, "%s\n", line.message.toUtf8().constData());
        return 2;
    }
    // One settings file wherever the program was started from; its folder is
    // made here, and a folder that cannot be made shows when the settings
    // are first written.
    const QString settingsFile = ProgramFolder::settingsFile();
    QDir().mkpath(QFileInfo(settingsFile).absolutePath());

    TMainForm mainForm(settingsFile);
    mainForm.setMapsToOpen(line.files);
    // PELMORIN_STARTUP_TIMING=1 reports when the first map is on screen;
    // "quit" then closes the program as the user would.
    const QByteArray timing = qgetenv("PELMORIN_STARTUP_TIMING");
    if (!timing.isEmpty()) {
        app.reportFirstMapPaint(sinceStart, [&mainForm, timing] {
            if (timing == "quit")
                mainForm.close();
        });
    }
    mainForm.show();
    // Without a window manager nobody activates the frame; the maps of the
    // last run come back at its first activation.
    mainForm.activateWindow();
    mainForm.raise();
    QTimer::singleShot(1000, &mainForm, [&mainForm] { mainForm.ReopenMaps(); });
    return app.exec();
}
