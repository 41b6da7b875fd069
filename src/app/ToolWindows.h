#pragma once
// The windows the main window creates once at start-up and keeps for the
// whole run (about box, options, minimap, city list, new-map dialog,
// palette), and how the three tool windows follow the active map window:
// their toggles, their ticks and their place beside the frame.
#include <QObject>

#include "app/CommandTable.h"

class QWidget;
class TAboutBox;
class TCitiesForm;
class TItineraryForm;
class ToolWindowsHost;
class TMinimapForm;
class TNewMapForm;
class TOptionForm;
class TPaletteForm;

class ToolWindows : public QObject {
    Q_OBJECT
public:
    // Creates the six windows in start-up order, owned by the host's frame.
    explicit ToolWindows(ToolWindowsHost &host);
    // Destroys them, the palette first.
    ~ToolWindows() override;

    // Once the window system has placed the frame: the minimap and the city
    // list show themselves as their ticks say.
    void showAtStart();
    // At exit: out of sight, ticks kept.
    void hideAll();

    // Minimap in the top-right corner of the frame's client area, the city
    // list right below it down to the status bar, the palette at the
    // top-left corner.
    void PlaceToolWindow(QWidget *toolWindow);

    // The toggles run after their tick has changed; `byUser` is true when
    // the command itself ran rather than an activation.
    void MontrerMinipelmorinExecute(bool byUser);
    void MontrerVillesExecute();
    void MontrerPaletteExecute();
    void MontrerItineraireExecute();

    TAboutBox *AboutBox = nullptr;
    TOptionForm *OptionForm = nullptr;
    TMinimapForm *MinimapForm = nullptr;
    TCitiesForm *CitiesForm = nullptr;
    TNewMapForm *NewMapForm = nullptr;
    TPaletteForm *PaletteForm = nullptr;
    TItineraryForm *ItineraryForm = nullptr;

private:
    // Shows the window in its place when its command is ticked, closes it
    // otherwise.
    void followTick(QWidget *toolWindow, Command toggle);

    ToolWindowsHost &host_;
    bool shownAtStart_ = false;
    bool palettePlaced_ = false;
};
