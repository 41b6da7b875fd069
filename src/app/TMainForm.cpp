#include "app/TMainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QScopeGuard>
#include <QStatusTipEvent>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "app/AppIcons.h"
#include "app/CommandLine.h"
#include "settings/ConfigOpenMaps.h"
#include "app/MainMenus.h"
#include "app/MapDescription.h"
#include "app/MdiArrange.h"
#include "app/TAboutBox.h"
#include "app/TNewMapForm.h"
#include "app/TOptionForm.h"
#include "ui/TCitiesForm.h"
#include "ui/TItineraryForm.h"
#include "ui/TMapForm.h"
#include "ui/TMinimapForm.h"
#include "ui/TPaletteForm.h"
#include "ui/PlainText.h"
#include "ui/UserDialogs.h"

namespace {

const QString GeneralErrorTitle = QStringLiteral("Pelmorin");
const QString DefaultAspectFolder = QStringLiteral(".\\img\\1\\");

constexpr std::array<int, 4> PanelWidths = {350, 150, 100, 50};

// Window states as the configuration file keeps them.
enum SavedWindowState { StateNormal = 0, StateMinimised = 1, StateMaximised = 2 };

// A status-bar panel: `preferred` pixels wide when the bar has room, never
// narrower than `least`, nor than its text when it must show it whole.
class StatusPanel : public QLabel {
public:
    StatusPanel(int preferred, int least, bool wholeText, QWidget *parent)
        : QLabel(parent), preferred_(preferred), least_(least), wholeText_(wholeText)
    {
    }
    QSize sizeHint() const override
    {
        return {std::max(preferred_, textWidth()), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override
    {
        return {std::max(least_, textWidth()), QLabel::minimumSizeHint().height()};
    }

private:
    int textWidth() const { return wholeText_ ? QLabel::minimumSizeHint().width() : 0; }

    int preferred_;
    int least_;
    bool wholeText_;
};

TMapForm *mapFormIn(QMdiSubWindow *sub)
{
    return sub ? qobject_cast<TMapForm *>(sub->widget()) : nullptr;
}

} // namespace

TMainForm::TMainForm(const QString &configName, QWidget *parent)
    : QMainWindow(parent), config_(configName), settingsStore_(config_, settings_, aspects_, *this),
      commands_(this), fileCommands_(static_cast<FileCommandsHost &>(*this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Carte du Pelmorin"));
    setWindowIcon(applicationIcon());

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(mdiArea_);
    resize(790, 552);

    buildStatusBar();
    buildMenus();
    connectCommands();
    for (Command id : {Command::FermerFichier, Command::EnregistrerFichier, Command::EnregistrerFichierSous,
                       Command::EnregistrerBitmap, Command::EnregistrerVue, Command::VoirToutItineraire})
        command(id)->setEnabled(false);
    UpdateApplicationTitle();

    try {
        settingsStore_.LoadSettings();
    } catch (const ConfigWriteError &error) {
        userDialogs().showError(this, GeneralErrorTitle, QString::fromUtf8(error.what()));
    }
    recentFiles_.read(config_);
    // Without a readable configuration the tiles still come from the usual
    // folder.
    if (tiles_.aspectFolder().isEmpty())
        tiles_.SelectAspectFolder(DefaultAspectFolder);

    tools_ = new ToolWindows(static_cast<ToolWindowsHost &>(*this));

    // Qt shows tooltips only inside the active window; the map's tooltips
    // must also show while the user works in one of the tool windows.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        const QWidget *active = QApplication::activeWindow();
        setAttribute(Qt::WA_AlwaysShowToolTips, active && active != this && active->parentWidget() == this
                                                    && active->windowType() == Qt::Tool);
    });
}

TMainForm::~TMainForm()
{
    // The map windows go first, each with its document.
    for (QMdiSubWindow *sub : mdiArea_->subWindowList())
        delete sub;
    // When the list of open maps was refused at close, the user has been
    // told already; the rest would be refused the same way.
    if (!configRefusedAtExit_) {
        try {
            settingsStore_.SaveSettings();
            recentFiles_.write(config_);
        } catch (const ConfigWriteError &error) {
            userDialogs().showError(nullptr, GeneralErrorTitle, QString::fromUtf8(error.what()));
        }
    }
    // The tool windows borrow the tile library; they go before it does.
    delete tools_;
    tools_ = nullptr;
}

void TMainForm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    // The described widths hold for a small system font. The duration and
    // the cell panels widen to show their longest text in a larger one; the
    // hints panel gives way to the map description when the bar is short,
    // and the last panel takes what the others leave.
    const QFontMetrics metrics = bar->fontMetrics();
    const int padding = 12;
    const int durationWidth =
        metrics.horizontalAdvance(QStringLiteral("Durée de l'itinéraire : 100:00")) + padding;
    const int cellWidth = metrics.horizontalAdvance(QStringLiteral("299, 168 (ZZ20)")) + padding;
    panels_[0] = new StatusPanel(PanelWidths[0], PanelWidths[0] / 4, false, bar);
    panels_[1] = new StatusPanel(std::max(PanelWidths[1], durationWidth), 0, false, bar);
    panels_[2] = new StatusPanel(std::max(PanelWidths[2], cellWidth), 0, false, bar);
    panels_[3] = new StatusPanel(PanelWidths[3], PanelWidths[3], true, bar);
    for (size_t i = 0; i < panels_.size(); ++i) {
        QLabel *panel = panels_[i];
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setTextFormat(Qt::PlainText);
        if (i == 1 || i == 2)
            panel->setFixedWidth(panel->sizeHint().width());
        bar->addWidget(panel, i + 1 == panels_.size() ? 1 : 0);
    }
    panels_[3]->setText(QStringLiteral("Pelmorin"));
}

void TMainForm::buildMenus()
{
    const MainMenus menus = buildMainMenus(*this, commands_);
    SelectionAspects = menus.aspects;
    windowMenu_ = menus.windows;
    windowList_ = new WindowListMenu(windowMenu_, mdiArea_);
    recentMenu_ = new RecentFilesMenu(menus.recent, recentFiles_, [this](const QString &path) { openRecentFile(path); });
    aspectGroup_ = new QActionGroup(this);
    // Choosing the marked item again unmarks it (and still reloads).
    aspectGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(aspectGroup_, &QActionGroup::triggered, this, &TMainForm::aspectChosen);
}

void TMainForm::connectCommands()
{
    auto on = [this](Command id, auto work) { connect(command(id), &QAction::triggered, this, work); };
    on(Command::NouveauFichier, [this] { fileCommands_.NouveauFichierExecute(); });
    on(Command::OuvrirFichier, [this] { fileCommands_.OuvrirFichierExecute(); });
    on(Command::FermerFichier, [this] { mdiArea_->closeActiveSubWindow(); });
    on(Command::EnregistrerFichier, [this] { fileCommands_.EnregistrerFichierExecute(); });
    on(Command::EnregistrerFichierSous, [this] { fileCommands_.EnregistrerFichierSousExecute(); });
    on(Command::EnregistrerBitmap, [this] { fileCommands_.EnregistrerBitmapExecute(); });
    on(Command::EnregistrerVue, [this] { fileCommands_.EnregistrerVueExecute(); });
    on(Command::Quitter, [this] { QuitterExecute(); });
    on(Command::ZommAvant, [this] { ZommAvantExecute(); });
    on(Command::ZoomArriere, [this] { ZoomArriereExecute(); });
    on(Command::MontrerConfigurationAffichage, [this] { ConfigurationExecute(false); });
    on(Command::EffacerChemins, [this] { EffacerCheminsExecute(); });
    on(Command::ActualiserChemins, [this] { ActualiserCheminsExecute(); });
    on(Command::VoirToutItineraire, [this] {
        if (TMapForm *active = activeMapWindow())
            active->fitRoute();
    });
    on(Command::MontrerConfigurationRecherche, [this] { ConfigurationExecute(true); });
    on(Command::Cascade, [this] { cascade(mdiArea_); });
    on(Command::MosaiqueHorizontale, [this] { tileHorizontally(mdiArea_); });
    on(Command::MosaiqueVerticale, [this] { tileVertically(mdiArea_); });
    on(Command::MinimiserTous, [this] { minimiseAll(mdiArea_); });
    on(Command::ArrangerTous, [this] { arrangeIcons(mdiArea_); });
    // The tick has already toggled when `triggered` arrives.
    on(Command::MontrerVilles, [this] { MontrerVillesExecute(); });
    on(Command::MontrerMinipelmorin, [this] { MontrerMinipelmorinExecute(true); });
    on(Command::MontrerPalette, [this] { MontrerPaletteExecute(); });
    on(Command::MontrerItineraire, [this] { tools_->MontrerItineraireExecute(); });
    on(Command::APropos, [this] { AProposExecute(); });
    edits_ = new EditCommands(command(Command::Annuler), command(Command::Retablir), this);
    edits_->beforeStep = [this] {
        if (TMapForm *active = activeMapWindow())
            active->finishStroke();
    };
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        // The first activation fits the frame; a window manager may tell
        // the frame's size a moment later.
        QTimer::singleShot(500, this, [this] { fitOuterSize(); });
    }
}

bool TMainForm::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        // The long hint goes to panel 0, not to a message over all panels.
        panels_[0]->setText(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    case QEvent::WindowActivate:
        // The maps of the last run come back at the first activation; later
        // activations do nothing. Queued, so that the dialogs it may show
        // run outside the activation handling.
        if (!mapsReopened_ && !reopenScheduled_) {
            reopenScheduled_ = true;
            QTimer::singleShot(0, this, [this] { ReopenMaps(); });
        }
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    if (!queryCloseMapWindows()) {
        event->ignore();
        return;
    }
    try {
        RecordOpenMaps();
    } catch (const ConfigWriteError &error) {
        // The maps have had their say; a settings file that cannot be
        // written must not keep the user in the program.
        configRefusedAtExit_ = true;
        userDialogs().showError(this, GeneralErrorTitle,
                                QString::fromUtf8(error.what())
                                    + QStringLiteral("\nPelmorin se ferme sans enregistrer sa configuration."));
    }
    // Every map window agreed: they go without being asked again.
    for (QMdiSubWindow *sub : mdiArea_->subWindowList())
        delete sub;
    tools_->hideAll();
    event->accept();
}

// ---- Map windows -----------------------------------------------------------

TMapForm *TMainForm::activeMapWindow() const
{
    // A window that is becoming active tells us before the frame's own
    // bookkeeping has caught up.
    if (activating_)
        return activating_;
    // The current sub-window stays the active map window while a tool window
    // or a dialog has the focus; one that is closing is no longer active.
    TMapForm *current = mapFormIn(mdiArea_->currentSubWindow());
    return current && !current->closing() ? current : nullptr;
}

QList<TMapForm *> TMainForm::mapWindows() const
{
    QList<TMapForm *> windows;
    for (QMdiSubWindow *sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (TMapForm *form = mapFormIn(sub))
            windows.append(form);
    }
    return windows;
}

QList<TMapForm *> TMainForm::mapWindowsMostRecentFirst() const
{
    // Qt lists the activation history oldest first.
    QList<TMapForm *> windows;
    const QList<QMdiSubWindow *> history = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = history.crbegin(); it != history.crend(); ++it) {
        if (TMapForm *form = mapFormIn(*it))
            windows.append(form);
    }
    return windows;
}

QMdiSubWindow *TMainForm::subWindowOf(TMapForm *window) const
{
    for (QMdiSubWindow *sub : mdiArea_->subWindowList()) {
        if (sub->widget() == window)
            return sub;
    }
    return nullptr;
}

TMapForm *TMainForm::addMapWindow(std::unique_ptr<CarteVarenthe> document, const QString &caption)
{
    auto *form = new TMapForm(*this, std::move(document));
    edits_->addStack(form->undoStack());
    form->setWindowTitle(plainWindowTitle(caption));
    QMdiSubWindow *sub = mdiArea_->addSubWindow(form);
    sub->setWindowTitle(plainWindowTitle(caption));
    sub->setWindowIcon(applicationIcon());
    // The sub-window takes the form's design size with its frame around it,
    // within the area; this is also the size a later restore comes back to.
    sub->resize(sub->sizeHint().boundedTo(mdiArea_->viewport()->size()));
    sub->show();
    mdiArea_->setActiveSubWindow(sub);
    return form;
}

void TMainForm::MapWindowActivated(TMapForm *window)
{
    TMapForm *const previous = activating_;
    if (window)
        activating_ = window;
    const auto restore = qScopeGuard([this, previous] { activating_ = previous; });
    panels_[3]->setText(window ? mapDescription(window->document()) : QString());
    for (Command id : {Command::FermerFichier, Command::EnregistrerFichier, Command::EnregistrerFichierSous,
                       Command::EnregistrerBitmap, Command::EnregistrerVue})
        command(id)->setEnabled(window != nullptr);
    command(Command::VoirToutItineraire)->setEnabled(window && window->hasRoute());
    // What follows asks the frame for its active map window, which a closing
    // window no longer is: after the last one the title is bare, the minimap
    // hides (keeping its tick) and the city list empties.
    UpdateApplicationTitle();
    edits_->setActiveStack(activeMapWindow() ? activeMapWindow()->undoStack() : nullptr);
    if (!tools_)
        return;
    MontrerMinipelmorinExecute(false);
    MontrerVillesExecute();
    TMapForm *active = activeMapWindow();
    tools_->CitiesForm->refreshCityList(active ? &active->document() : nullptr);
    tools_->ItineraryForm->refreshItinerary(active ? &active->document() : nullptr);
}

void TMainForm::routeChanged(TMapForm *window)
{
    if (window == activeMapWindow())
        tools_->ItineraryForm->refreshItinerary(&window->document());
    command(Command::VoirToutItineraire)->setEnabled(window->hasRoute());
}

void TMainForm::citiesChanged(TMapForm *window)
{
    if (tools_ && window == activeMapWindow())
        tools_->CitiesForm->refreshCityList(&window->document());
}

void TMainForm::UpdateApplicationTitle()
{
    TMapForm *active = activeMapWindow();
    applicationTitle_ = active ? QString::fromStdString(active->document().fileName) : QString::fromUtf8(NoMapTitle);
    // The taskbar's name for the program, apart from the frame's caption.
    setWindowIconText(applicationTitle_);
}

void TMainForm::RepaintAllMaps()
{
    for (TMapForm *window : mapWindows())
        window->repaintMap();
}

void TMainForm::aspectChosen(QAction *item)
{
    tiles_.ReleaseTiles();
    tiles_.SelectAspectFolder(aspects_.folderForCaption(item->text()));
    for (TMapForm *window : mapWindows())
        window->invalidateScaledTiles();
    tools_->PaletteForm->refreshTiles();
    RepaintAllMaps();
}

void TMainForm::setStatusPanelText(int panel, const QString &text)
{
    if (panel >= 0 && panel < int(panels_.size()))
        panels_[size_t(panel)]->setText(text);
}

QString TMainForm::statusPanelText(int panel) const
{
    return panel >= 0 && panel < int(panels_.size()) ? panels_[size_t(panel)]->text() : QString();
}

QSize TMainForm::mainClientSize() const
{
    return mdiArea_->size();
}

bool TMainForm::paletteVisible() const
{
    return tools_ && tools_->PaletteForm->isVisible();
}

int TMainForm::SelectedTile(int button) const
{
    return tools_ ? tools_->PaletteForm->SelectedTile(button) : -1;
}

bool TMainForm::SaveMap(TMapForm *window)
{
    return window && fileCommands_.SaveMap(window->document(), false);
}

void TMainForm::repaintMinimap()
{
    if (tools_ && tools_->MinimapForm->isVisible())
        tools_->MinimapForm->update();
}

NewMapPrompt &TMainForm::newMapPrompt()
{
    if (newMapPromptOverride_)
        return *newMapPromptOverride_;
    return *tools_->NewMapForm;
}

void TMainForm::openRecentFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        recentFiles_.remove(path);
        userDialogs().showError(this, QStringLiteral("Erreur de chargement"),
                                QStringLiteral("Le fichier « %1 » n'existe plus ; il est retiré des fichiers récents.")
                                    .arg(QDir::toNativeSeparators(path)));
        return;
    }
    fileCommands_.OpenMapWindow(path);
}

void TMainForm::showGeneralError(const QString &text)
{
    userDialogs().showError(this, GeneralErrorTitle, text);
}

// ---- Start-up and shutdown -------------------------------------------------

void TMainForm::ReopenMaps()
{
    // Set first: an error box shown below activates the frame again, and the
    // list must never be read twice.
    if (mapsReopened_)
        return;
    mapsReopened_ = true;
    // A window manager frames and places the main window only after it is
    // shown; by its first activation it stands where it stays, and the tool
    // windows take their places beside it, at its final size, before the
    // maps open.
    fitOuterSize();
    if (tools_)
        tools_->showAtStart();
    QList<ConfigEntry> list = readOpenMapList(config_);
    // A settings file that refused even its defaults holds no list at all;
    // the player still gets the sample world rather than an empty frame.
    const bool noList = !config_.sectionExists(QStringLiteral("Cartes Ouvertes"));
    if (noList)
        list = {{QStringLiteral("Carte 0"), QStringLiteral("pelmorin.vr")}};
    for (const ConfigEntry &entry : list) {
        try {
            TMapForm *window = fileCommands_.OpenMapWindow(entry.value);
            if (!window)
                continue;
            const MapWindowPlacement placement =
                noList ? FirstStartPlacement : readMapWindowPlacement(config_, entry.key);
            window->setZoom(placement.zoomPercent);
            applySavedWindowState(window, placement.windowState);
            window->centreOnCell(placement.centreColumn, placement.centreRow);
        } catch (const std::exception &error) {
            showGeneralError(QString::fromUtf8(error.what()));
        }
    }
    openNamedMaps(fileCommands_, this, std::exchange(mapsToOpen_, {}));
}

void TMainForm::applySavedWindowState(TMapForm *window, int state)
{
    QMdiSubWindow *sub = subWindowOf(window);
    if (!sub)
        return;
    if (state == StateMinimised)
        sub->showMinimized();
    else if (state == StateMaximised)
        sub->showMaximized();
    else
        sub->showNormal();
    // The centre cell depends on the client size the new state gives.
    if (sub->layout())
        sub->layout()->activate();
    window->FormResize();
}

bool TMainForm::queryCloseMapWindows()
{
    for (TMapForm *window : mapWindowsMostRecentFirst()) {
        // The window's own close query, without closing it yet: the list of
        // open maps is recorded once every window has agreed.
        if (!window->FormCloseQuery())
            return false;
    }
    return true;
}

void TMainForm::RecordOpenMaps()
{
    QList<OpenMapRecord> records;
    for (TMapForm *window : mapWindowsMostRecentFirst()) {
        const QMdiSubWindow *sub = subWindowOf(window);
        OpenMapRecord record;
        record.untitled = window->document().untitled;
        record.fileName = QString::fromStdString(window->document().fileName);
        record.placement.zoomPercent = window->zoomPercent();
        record.placement.windowState = sub && sub->isMinimized()   ? StateMinimised
                                       : sub && sub->isMaximized() ? StateMaximised
                                                                   : StateNormal;
        const QPoint centre = window->viewCentreCell();
        record.placement.centreColumn = centre.x();
        record.placement.centreRow = centre.y();
        records.append(record);
    }
    writeOpenMapList(config_, records);
}

void TMainForm::ConfigurationExecute(bool routePage)
{
    if (!tools_->OptionForm->ConfigurationExecute(settings_,
                                                 routePage ? TOptionForm::RoutePage : TOptionForm::InterfacePage))
        return;
    for (TMapForm *window : mapWindows())
        window->followRouteOptions();
    RepaintAllMaps();
}

void TMainForm::AProposExecute()
{
    tools_->AboutBox->exec();
}

void TMainForm::ZommAvantExecute()
{
    if (TMapForm *active = activeMapWindow())
        active->ZommAvantExecute();
}

void TMainForm::ZoomArriereExecute()
{
    if (TMapForm *active = activeMapWindow())
        active->ZoomArriereExecute();
}

void TMainForm::EffacerCheminsExecute()
{
    if (TMapForm *active = activeMapWindow())
        active->EffacerCheminsExecute();
}

void TMainForm::ActualiserCheminsExecute()
{
    if (TMapForm *active = activeMapWindow())
        active->ActualiserCheminsExecute();
}

// ---- Settings host -------------------------------------------------------------

void TMainForm::addAspectMenuItem(const QString &caption)
{
    QAction *item = SelectionAspects->addAction(caption);
    item->setCheckable(true);
    item->setStatusTip(QStringLiteral("Aspect des cartes"));
    aspectGroup_->addAction(item);
}

void TMainForm::setCityListTicked(bool ticked)
{
    command(Command::MontrerVilles)->setChecked(ticked);
}

bool TMainForm::cityListTicked() const
{
    return command(Command::MontrerVilles)->isChecked();
}

void TMainForm::setMinimapTicked(bool ticked)
{
    command(Command::MontrerMinipelmorin)->setChecked(ticked);
}

bool TMainForm::minimapTicked() const
{
    return command(Command::MontrerMinipelmorin)->isChecked();
}

void TMainForm::resizeWindow(int width, int height)
{
    // The file keeps the outer size. The frame the desktop adds is known only
    // once the window is on the screen: until then the outer size is used for
    // the window itself, and corrected when the frame shows up, so that the
    // size kept at exit does not grow by one frame at every run.
    outerSizeWanted_ = QSize(std::max(1, width), std::max(1, height));
    resize(outerSizeWanted_);
    fitOuterSize();
}

void TMainForm::fitOuterSize()
{
    if (!outerSizeWanted_.isValid() || isMaximized())
        return;
    const QSize decoration = frameGeometry().size() - size();
    if (decoration.isNull())
        return;
    resize((outerSizeWanted_ - decoration).expandedTo(QSize(1, 1)));
    outerSizeWanted_ = QSize();
}

void TMainForm::moveWindow(int left, int top)
{
    move(left, top);
}

void TMainForm::maximiseWindow()
{
    setWindowState(windowState() | Qt::WindowMaximized);
}

QRect TMainForm::windowFrame() const
{
    return frameGeometry();
}

bool TMainForm::windowMaximised() const
{
    return isMaximized();
}

QList<QRect> TMainForm::availableScreenAreas() const
{
    QList<QRect> areas;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
}
