// Pelmorin: the map viewer, editor and route finder. Builds the application
// object and the main window; the main window does the rest.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include "app/PelmorinApplication.h"
#include "app/TMainForm.h"
#include "settings/ProgramFolder.h"

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // Qt's own dialogs everywhere: a desktop's native ones differ in look and
    // may wait for services a plain X session lacks.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    PelmorinApplication app(argc, argv);
    app.loadFrenchTranslation();
    // One settings file wherever the program was started from; its folder is
    // made here, and a folder that cannot be made shows when the settings
    // are first written.
    const QString settingsFile = ProgramFolder::settingsFile();
    QDir().mkpath(QFileInfo(settingsFile).absolutePath());

    TMainForm mainForm(settingsFile);
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
