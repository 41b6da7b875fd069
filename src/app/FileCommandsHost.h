#pragma once
// What the map file commands need from the window that holds the maps: its
// map windows, a new one for a document, the new-map question, the general
// error box, the title and the recent files. TMainForm implements it; tests pass a small fake,
// so the commands run without a main window.
#include <QList>
#include <QString>
#include <memory>

class CarteVarenthe;
class NewMapPrompt;
class QMdiSubWindow;
class QWidget;
class RecentFiles;
class TMapForm;

class FileCommandsHost {
public:
    virtual ~FileCommandsHost() = default;

    // The parent of the commands' dialogs and message boxes.
    virtual QWidget *dialogParent() = 0;
    virtual TMapForm *activeMapWindow() const = 0;
    virtual QList<TMapForm *> mapWindows() const = 0;
    virtual QMdiSubWindow *subWindowOf(TMapForm *window) const = 0;
    // A new map window over the document, with that caption; it becomes active.
    virtual TMapForm *addMapWindow(std::unique_ptr<CarteVarenthe> document, const QString &caption) = 0;
    virtual NewMapPrompt &newMapPrompt() = 0;
    virtual void showGeneralError(const QString &text) = 0;
    // The application title names the active map's file.
    virtual void UpdateApplicationTitle() = 0;
    // The maps opened or saved last, for "Fichiers &récents".
    virtual RecentFiles &recentFiles() = 0;
};
