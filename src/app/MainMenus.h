#pragma once
// The menu bar of the main window: the six menus in order with their
// hints, built from the command table, and the "Fe&nêtres" list of open map
// windows that QMdiArea does not offer, rebuilt each time the menu opens.
#include <QList>
#include <QObject>

class CommandTable;
class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;

struct MainMenus {
    QMenu *aspects = nullptr; // "&Aspects", filled from the aspect list
    QMenu *windows = nullptr; // "Fe&nêtres"
    QMenu *recent = nullptr;  // "Fichiers &récents"
};

MainMenus buildMainMenus(QMainWindow &window, const CommandTable &commands);

// The open map windows at the end of a menu: "&1 name", "&2 name"... in
// opening order, the active one ticked; choosing one activates it.
class WindowListMenu : public QObject {
    Q_OBJECT
public:
    WindowListMenu(QMenu *menu, QMdiArea *area);
    void rebuild();

private:
    QMenu *menu_;
    QMdiArea *area_;
    QList<QAction *> items_;
};
