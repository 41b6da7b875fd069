#pragma once
// What a map window needs from the main window that holds it: the shared
// settings and tile library, the status bar, the palette's state, the save
// command and the minimap. TMainForm implements it; widget tests implement a
// small fake, so a map window can be exercised without the whole program.
#include <QSize>
#include <QString>

struct AppSettings;
class TileLibrary;
class TMapForm;

class MapWindowHost {
public:
    virtual ~MapWindowHost() = default;

    // The one settings record and tile library of the run; the map window
    // reads them afresh at every render and every route command.
    virtual AppSettings &settings() = 0;
    virtual TileLibrary &tileLibrary() = 0;

    // Called by the map window itself: with the window when it becomes the
    // active map window, with nullptr when it closes.
    virtual void MapWindowActivated(TMapForm *window) = 0;

    // Status bar panels, 0 to 3: 0 long hints, 1 route duration (written at
    // every paint of a map window), 2 the cell under the mouse, 3 the map.
    virtual void setStatusPanelText(int panel, const QString &text) = 0;

    // Size of the main window's client area (the MDI area): a child window
    // cannot be larger, so the back buffers take this size.
    virtual QSize mainClientSize() const = 0;

    // Whether the palette window is shown, and the tile chosen in it for a
    // mouse button (0 left, 1 right), -1 when that button has none.
    virtual bool paletteVisible() const = 0;
    virtual int SelectedTile(int button) const = 0;

    // Plain save of the window's document (a save dialog only for an
    // untitled map), as the close query needs it: true when the document was
    // written. Error messages are the implementer's to show.
    virtual bool SaveMap(TMapForm *window) = 0;

    // The minimap follows the view of the active map window: asked after
    // every scrolling step, resize and zoom of a map window.
    virtual void repaintMinimap() = 0;

    // The window's route was set, cleared or searched again: the itinerary
    // window follows the active map's.
    virtual void routeChanged(TMapForm *) {}

    // A city of the window's map was placed, changed or removed: the city
    // list follows the active map's.
    virtual void citiesChanged(TMapForm *) {}
};
