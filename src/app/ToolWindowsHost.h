#pragma once
// What the tool windows need from the main window: the frame that parents
// and places them, the active map window, the ticks of their commands and
// the shared tile library. TMainForm implements it; tests pass a small fake.
#include "app/CommandTable.h"

class QAction;
class QMdiArea;
class QStatusBar;
class QWidget;
class TMapForm;
class TileLibrary;

class ToolWindowsHost {
public:
    virtual ~ToolWindowsHost() = default;

    // The frame that owns the windows; they are placed around its client
    // area and status bar.
    virtual QWidget *frame() = 0;
    virtual QMdiArea *mdiArea() const = 0;
    virtual QStatusBar *frameStatusBar() const = 0;
    virtual TMapForm *activeMapWindow() const = 0;
    virtual QAction *command(Command id) const = 0;
    virtual TileLibrary &tileLibrary() = 0;
};
