#pragma once
// The program's frame: a main window around a multiple-document area whose
// children are the map windows. It owns the settings, the configuration
// file, the aspect list and the tile library for the whole run; holds the
// command table, the menus and the four-panel status bar; creates the tool
// windows and makes them follow the active map window; reopens the maps of
// the last run at its first activation and records them when it closes.
#include <QMainWindow>
#include <array>
#include <memory>

#include "app/CommandTable.h"
#include "app/EditCommands.h"
#include "app/FileCommandsHost.h"
#include "app/ToolWindowsHost.h"
#include "settings/ConfigFile.h"
#include "app/MainMenus.h"
#include "app/MapFileCommands.h"
#include "app/RecentFiles.h"
#include "settings/SettingsStore.h"
#include "app/ToolWindows.h"
#include "settings/AppSettings.h"
#include "settings/AspectList.h"
#include "render/TileLibrary.h"
#include "ui/MapWindowHost.h"

class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class TAboutBox;
class TCitiesForm;
class TMapForm;
class TMinimapForm;
class TNewMapForm;
class TOptionForm;
class TPaletteForm;
class NewMapPrompt;

// The title the taskbar shows while no map window is active.
inline const char *const NoMapTitle = "Carte du Pelmorn";

class TMainForm : public QMainWindow,
                  public MapWindowHost,
                  public FileCommandsHost,
                  public ToolWindowsHost,
                  private SettingsHost {
    Q_OBJECT
public:
    // Opens the configuration file `configName` (relative to the current
    // directory), reads every setting and creates the tool windows.
    explicit TMainForm(const QString &configName = QStringLiteral(".\\pelmorin.cfg"), QWidget *parent = nullptr);
    // Destroys the map windows, then writes every setting.
    ~TMainForm() override;

    // MapWindowHost.
    AppSettings &settings() override { return settings_; }
    TileLibrary &tileLibrary() override { return tiles_; }
    void MapWindowActivated(TMapForm *window) override;
    void setStatusPanelText(int panel, const QString &text) override;
    QSize mainClientSize() const override;
    bool paletteVisible() const override;
    int SelectedTile(int button) const override;
    bool SaveMap(TMapForm *window) override;
    void repaintMinimap() override;
    void routeChanged(TMapForm *window) override;
    void citiesChanged(TMapForm *window) override;

    // Operations for the other windows.
    void PlaceToolWindow(QWidget *toolWindow) { tools_->PlaceToolWindow(toolWindow); }
    void RepaintAllMaps();
    void UpdateApplicationTitle() override;
    QString applicationTitle() const { return applicationTitle_; }
    QString statusPanelText(int panel) const;

    // Start-up and shutdown passes.
    void ReopenMaps();
    // Maps named on the command line, opened right after those of the last
    // session, the last one active.
    void setMapsToOpen(const QStringList &files) { mapsToOpen_ = files; }
    bool mapsReopened() const { return mapsReopened_; }
    // Asks every map window, the active one first, whether it may close;
    // false at the first refusal (the others are not asked).
    bool queryCloseMapWindows();
    void RecordOpenMaps();

    // Map windows: the active one (also while a tool window has the focus),
    // and all of them in window-list or last-activation order.
    TMapForm *activeMapWindow() const override;
    QList<TMapForm *> mapWindows() const override;
    QList<TMapForm *> mapWindowsMostRecentFirst() const;
    QMdiSubWindow *subWindowOf(TMapForm *window) const override;
    // Puts a new map window into the frame and activates it.
    TMapForm *addMapWindow(std::unique_ptr<CarteVarenthe> document, const QString &caption) override;

    CommandTable &commands() { return commands_; }
    // "&Annuler" and "&Rétablir" on the active map window's history.
    EditCommands &editCommands() { return *edits_; }
    QAction *command(Command id) const override { return commands_.action(id); }
    MapFileCommands &fileCommands() { return fileCommands_; }
    RecentFiles &recentFiles() override { return recentFiles_; }
    QMenu *recentFilesMenu() const { return recentMenu_->menu(); }
    // A map chosen in "Fichiers &récents": opened, or dropped from the list
    // with a word to the user when its file has gone.
    void openRecentFile(const QString &path);
    ConfigFile &configFile() { return config_; }
    AspectList &aspectList() { return aspects_; }
    QMdiArea *mdiArea() const override { return mdiArea_; }
    QStatusBar *frameStatusBar() const override { return statusBar(); }
    QWidget *frame() override { return this; }
    QWidget *dialogParent() override { return this; }
    QMenu *aspectMenu() const { return SelectionAspects; }
    QMenu *windowMenu() const { return windowMenu_; }
    // The new-map question: TNewMapForm unless a test installed another.
    NewMapPrompt &newMapPrompt() override;
    void setNewMapPrompt(NewMapPrompt *prompt) { newMapPromptOverride_ = prompt; }

    // Tool windows, created once with the main window.
    TAboutBox *aboutBox() const { return tools_->AboutBox; }
    TOptionForm *optionForm() const { return tools_->OptionForm; }
    TMinimapForm *minimapForm() const { return tools_->MinimapForm; }
    TCitiesForm *citiesForm() const { return tools_->CitiesForm; }
    TNewMapForm *newMapForm() const { return tools_->NewMapForm; }
    TPaletteForm *paletteForm() const { return tools_->PaletteForm; }

    // Commands whose work lives here. `byUser` says whether the command
    // itself ran (the user asked) rather than an activation.
    void MontrerMinipelmorinExecute(bool byUser) { tools_->MontrerMinipelmorinExecute(byUser); }
    void MontrerVillesExecute() { tools_->MontrerVillesExecute(); }
    void MontrerPaletteExecute() { tools_->MontrerPaletteExecute(); }
    void ConfigurationExecute(bool routePage);
    void AProposExecute();
    void ZommAvantExecute();
    void ZoomArriereExecute();
    void EffacerCheminsExecute();
    void ActualiserCheminsExecute();
    void QuitterExecute() { close(); }
    // Aspect item chosen: reload the tiles of its folder, repaint every map.
    void aspectChosen(QAction *item);
    // The window list at the end of "Fe&nêtres".
    void rebuildWindowList() { windowList_->rebuild(); }
    // The application's general error box: an error no handler expected;
    // the command that raised it ends and the program goes on.
    void showGeneralError(const QString &text) override;

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // SettingsHost.
    void addAspectMenuItem(const QString &caption) override;
    void selectAspectFolder(const QString &folder) override { tiles_.SelectAspectFolder(folder); }
    QString aspectFolder() const override { return tiles_.aspectFolder(); }
    void setCityListTicked(bool ticked) override;
    bool cityListTicked() const override;
    void setMinimapTicked(bool ticked) override;
    bool minimapTicked() const override;
    void resizeWindow(int width, int height) override;
    void moveWindow(int left, int top) override;
    void maximiseWindow() override;
    QRect windowFrame() const override;
    bool windowMaximised() const override;
    QList<QRect> availableScreenAreas() const override;

    void buildStatusBar();
    void buildMenus();
    void connectCommands();
    void applySavedWindowState(TMapForm *window, int state);
    void fitOuterSize();

    AppSettings settings_;
    TileLibrary tiles_;
    ConfigFile config_;
    AspectList aspects_;
    SettingsStore settingsStore_;
    bool mapsReopened_ = false;
    bool configRefusedAtExit_ = false;
    QStringList mapsToOpen_;
    bool reopenScheduled_ = false;
    bool shown_ = false;
    // Outer size read from the configuration, until the frame is known.
    QSize outerSizeWanted_;
    QString applicationTitle_;
    // The map window whose activation is being handled.
    TMapForm *activating_ = nullptr;

    CommandTable commands_;
    MapFileCommands fileCommands_;
    EditCommands *edits_ = nullptr;
    QMdiArea *mdiArea_ = nullptr;
    std::array<QLabel *, 4> panels_{};
    QMenu *SelectionAspects = nullptr;
    QActionGroup *aspectGroup_ = nullptr;
    QMenu *windowMenu_ = nullptr;
    WindowListMenu *windowList_ = nullptr;
    RecentFiles recentFiles_;
    RecentFilesMenu *recentMenu_ = nullptr;

    ToolWindows *tools_ = nullptr;
    NewMapPrompt *newMapPromptOverride_ = nullptr;
};
