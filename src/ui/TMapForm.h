#pragma once
// A map window: the child window of the main window that shows one map
// document. It owns the document, its scaled tile cache and its back buffer;
// it maps window pixels to cells, zooms, scrolls (scroll bars, dragging, the
// wheel, a 10 ms timer that moves the retained picture and renders only the
// strips that came into view), describes the cell under the mouse, paints
// with the palette (strokes, rectangles and regions, each one undo step of
// its EditHistory), carries the route pop-up menu and asks before a modified
// map is closed.
//
// The main window puts it into a QMdiSubWindow (the sub-window forwards its
// close to this widget, whose closeEvent runs the close query) and talks to
// it through the public operations below; the window reaches back through
// MapWindowHost. It calls MapWindowActivated itself when its sub-window
// becomes active and, with nullptr, when it closes.
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>
#include <memory>

#include "map/CarteVarenthe.h"
#include "map/EditReport.h"
#include "render/MapOverview.h"
#include "render/MapView.h"
#include "render/PictureFormat.h"
#include "ui/CellHover.h"
#include "ui/WindowPixels.h"

class EditHistory;
class EditReport;
class MapWindowHost;
class QAction;
class QMenu;
class QPainter;
class QMdiSubWindow;
class QScrollBar;
class QTimer;
class QUndoStack;
class ScaledTileCache;

enum class ExportResult { Written, Cancelled, Failed };

class TMapForm : public QWidget {
    Q_OBJECT
public:
    TMapForm(MapWindowHost &host, std::unique_ptr<CarteVarenthe> document, QWidget *parent = nullptr);
    ~TMapForm() override;

    CarteVarenthe &document() { return *document_; }
    const CarteVarenthe &document() const { return *document_; }

    // The document's undo history; the main window's "&Edition" menu acts on
    // the active window's stack.
    EditHistory &editHistory() { return *history_; }
    QUndoStack *undoStack() const;
    // An edit already made on the document (a city placed, say), as one
    // undo step named `what`: its cells are repainted here and in the
    // minimap, and the modified state follows.
    void recordEdit(EditReport report, const QString &what);
    // Ends a paint stroke in progress as one step (before an undo, a save or
    // the close question); a rectangle not yet released paints nothing.
    void finishStroke();
    // The document was just written to its file: the saved point of the
    // history, and no "*" in the title.
    void markSaved();

    // View geometry. Client width and height are those of the whole client
    // area, scroll bars included.
    int zoomPercent() const { return zoomPercent_; }
    int cellSize() const { return cellSize_; }
    int gridGap() const;
    int cellPitch() const { return cellSize_ + gridGap(); }
    int clientWidth() const { return width(); }
    int clientHeight() const { return height(); }
    int columnAt(int x) const;
    int rowAt(int y) const;

    // Scroll positions (where the view is going) and the view origin (where
    // the shown picture is). Setting a position clamps it to the scroll
    // bar's range; the timer then moves the picture.
    int scrollX() const;
    int scrollY() const;
    void setScrollX(int position);
    void setScrollY(int position);
    int viewOriginX() const { return viewOriginX_; }
    int viewOriginY() const { return viewOriginY_; }
    int scrollMaximumX() const;
    int scrollMaximumY() const;

    // Zoom in percent (5 to 100); keeps the cell at the window's centre.
    void setZoom(int percent);
    // setZoom of 1.0005^steps × zoomPercent: 400 zooms in one step of the
    // menu, -400 out, one wheel notch is 120.
    void zoomBy(int steps);
    // Brings the cell's top-left corner to the window's centre (clamped).
    void centreOnCell(int column, int row);
    // The cell under the window's centre.
    QPoint viewCentreCell() const;
    // The cell under the last mouse-button press: the pop-up menu acts on it.
    QPoint targetedCell() const;
    int wheelDelta() const { return wheelDelta_; }

    // Repaints the whole window from the document (after a change of the
    // document, the settings or the route).
    void repaintMap();
    // The aspect changed: every scaled tile is stale.
    void invalidateScaledTiles();
    // The minimap's picture of this map, drawn when first asked for and kept
    // up to date by the window's edits.
    const MapOverview &overview();

    // Writes the whole map, or the part the window shows, at the current zoom
    // as a picture file of that format, with a progress dialog the user can
    // cancel. On failure errorText gets a French message; the caller shows it.
    ExportResult exportPicture(const QString &path, PictureFormat format, PictureExtent extent,
                               QString *errorText = nullptr);

    // The design size of the window's client area.
    QSize sizeHint() const override;

    // Handlers, public so the main window and tests can drive them.
    void FormActivate();
    void FormResize();
    void Timer1Timer();
    // One mouse move at client (x, y) with the held buttons (Qt::LeftButton,
    // Qt::RightButton): editing or dragging, then status bar and tooltip.
    void FormMouseMove(Qt::MouseButtons buttons, int x, int y);
    // With a palette tile on the pressed button, Shift starts a rectangle
    // (painted at the release) and Ctrl fills the pressed cell's region.
    void FormMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y,
                       Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The release of a painting button ends its stroke or paints its
    // rectangle. A left button released where it was pressed, on a city,
    // without a drag or a paint stroke: the city's page opens.
    void FormMouseUp(Qt::MouseButton button, int x, int y);
    // The picture the back buffer holds for the window's client area, as
    // the window shows it (for tests and screenshots).
    QImage backBuffer() const;

    // The close query on its own, for the main window's shutdown: asks
    // "La carte a été modifiée, voulez-vous l'enregistrer ?" when the map is
    // modified; true when the window may close (saved, or changes dropped).
    bool FormCloseQuery();
    // Closes the window without asking again (after FormCloseQuery said yes).
    void closeWithoutQuery();
    // Its close was agreed: it no longer counts as the active map window.
    bool closing() const { return closeApproved_; }

    // Components, under the names the rest of the program uses.
    QScrollBar *ScrollBar1 = nullptr; // horizontal, along the bottom edge
    QScrollBar *ScrollBar2 = nullptr; // vertical, along the right edge
    QTimer *Timer1 = nullptr;
    QMenu *PopupMenu = nullptr;
    QAction *DefinrPointDepart = nullptr;
    QAction *DefinirPointArrivee = nullptr;
    QAction *CentrerIci = nullptr;

public slots:
    // Pop-up menu commands, on the targeted cell.
    void DefinrPointDepartExecute();
    void DefinirPointArriveeExecute();
    // "Voir tout l'itinéraire": the zoom and scroll positions that show the
    // route's start and end with a margin of two cells; nothing without a
    // route.
    void fitRoute();
    bool hasRoute() const;
    // After the route options changed: a map with a start is searched again
    // with the new options and its route traced again, so that its picture
    // never shows times and a route from different options. Nothing when the
    // map has no start or already uses these options.
    void followRouteOptions();
    // The same on a given cell, as the city list asks for a city's cell.
    void setRouteStartAt(int column, int row);
    void setRouteEndAt(int column, int row);
    void CentrerIciExecute();
    // Main-menu route commands on this window's document ("Effacer" F1,
    // "Actualiser" F5): clear the results, or search again from the start.
    void EffacerCheminsExecute();
    void ActualiserCheminsExecute();
    // "Zomm avant" and "Zomm arrière".
    void ZommAvantExecute() { zoomBy(400); }
    void ZoomArriereExecute() { zoomBy(-400); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void watchSubWindow();
    void layoutScrollBars();
    MapView viewAtOrigin() const;
    // Sizes the back buffer to the main window's client area; true when it
    // had to be made anew (its picture is then lost).
    bool sizeBackBuffer();
    // Renders the window rectangle `rect` at the view origin into the back
    // buffer and records it as drawn; renderWindowRect does not record it.
    void renderIntoPicture(const QRect &rect);
    void renderWindowRect(const QRect &rect);
    void setStatusDuration();
    void describeCell(int column, int row);
    void forgetPicture();
    // The pop-up menu for the cell at the view's centre, as the keyboard
    // opens it.
    void popupAtViewCentre();

    // Editing with the palette.
    enum class EditGesture { None, Stroke, Rectangle, Region };
    // Starts a gesture of the pressed button; false when the press paints
    // nothing and is an ordinary click.
    bool startEditGesture(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                          int column, int row);
    // A move while an edit gesture may be under way; false when the move
    // paints nothing (the view may then be dragged).
    bool continueEditGesture(Qt::MouseButtons buttons, int column, int row);
    // Paints the stroke's tile on every cell from the last one painted to
    // (column, row).
    void paintStrokeTo(int column, int row);
    // The rectangle from the pressed cell to (column, row), at its release.
    void fillRectangleTo(int column, int row);
    // While a rectangle is dragged, its outline on screen (never in the
    // back buffer), in the button's colour of the palette.
    void showRectangleOutline(const QRect &outline);
    void drawRectangleOutline(QPainter &painter) const;
    // The palette tile the held buttons paint, and whose it is.
    MouseMoveAction paletteAction(Qt::MouseButtons buttons) const;
    // Repaints the cells, in the window and in the minimap.
    void showChangedCells(const CellRect &cells);
    // Shows what an edit, its undo or its redo changed: the cells, or the
    // whole view and the city list when a city was placed, changed or removed.
    void showEdit(const EditReport &report);
    // Where the cells (and the gap after each) lie in the window.
    QRect windowRectOfCells(const CellRect &cells) const;
    // The "*" of the title follows the history.
    void showModifiedMark();

    MapWindowHost &host_;
    std::unique_ptr<CarteVarenthe> document_;
    std::unique_ptr<EditHistory> history_;
    EditGesture gesture_ = EditGesture::None;
    int gestureButton_ = -1; // 0 left, 1 right
    int gestureTile_ = -1;
    QPoint gestureStart_;    // the pressed cell
    QPoint strokeLast_;      // the last cell a stroke painted
    QRect rectangleOutline_; // window pixels, null when no rectangle is dragged
    EditReport strokeReport_;
    std::unique_ptr<ScaledTileCache> scaledTiles_;
    // The retained picture; moving the view moves none of its pixels.
    MapOverview overview_;
    WindowPixels pixels_;
    // Part of the window whose picture the back buffer holds at the view
    // origin: the timer keeps it only when it covers the whole client area.
    QRegion bufferPicture_;
    // Part of the window that the timer or an edit has just drawn into the
    // back buffer: the paint handler copies it without rendering it again.
    QRegion pendingCopy_;
    int viewOriginX_ = 0;
    int viewOriginY_ = 0;
    int cellSize_ = 32;
    int zoomPercent_ = 100;
    int wheelDelta_ = 0;
    int pressX_ = 0;
    int pressY_ = 0;
    int pressScrollX_ = 0;
    int pressScrollY_ = 0;
    int rangesPitch_ = 0;
    // The city under a left press that may still become a click, -1 once
    // the press turned into a drag or paints.
    int pressedCity_ = -1;
    bool popupAllowed_ = true;
    bool closeApproved_ = false;
    QMdiSubWindow *subWindow_ = nullptr;

    // Cities placed by hand from the pop-up menu, after "Centrer ici".
public:
    QAction *PlacerVille = nullptr;    // "Placer une ville ici…", on a cell without a city
    QAction *ModifierVille = nullptr;  // "Modifier la ville…", on a city
    QAction *SupprimerVille = nullptr; // "Supprimer la ville", on a city
public slots:
    // The first two open the "Ville" dialog on the targeted cell and edit
    // the map when it is accepted; the third removes at once.
    void PlacerVilleExecute();
    void ModifierVilleExecute();
    void SupprimerVilleExecute();

private:
    // The city entries of the pop-up menu, after "Centrer ici" and a separator.
    void addCityActions();
    // Shows the city entries that fit the targeted cell, as the menu opens.
    void showCityActions();
    // Each city edit is one step of the history (recordEdit).
    void openCityDialog(QPoint cell, bool placing);
};
