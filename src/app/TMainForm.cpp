#include "app/TMainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QScopeGuard>
#include <QTimer>

#include "app/AppIcons.h"
#include "app/ConfigOpenMaps.h"
#include "app/MapDescription.h"
#include "app/MdiArrange.h"
#include "app/TAboutBox.h"
#include "app/TNewMapForm.h"
#include "app/TOptionForm.h"
#include "ui/TCitiesForm.h"
#include "ui/TMapForm.h"
#include "ui/TMinimapForm.h"
#include "ui/TPaletteForm.h"
#include "ui/UserDialogs.h"

namespace {

const QString GeneralErrorTitle = QStringLiteral("Pelmorin");
const QString DefaultAspectFolder = QStringLiteral(".\\img\\1\\");

constexpr std::array<int, 4> PanelWidths = {350, 150, 100, 50};

// Window states as the configuration file keeps them.
enum SavedWindowState { StateNormal = 0, StateMinimised = 1, StateMaximised = 2 };

TMapForm *mapFormIn(QMdiSubWindow *sub)
{
    return sub ? qobject_cast<TMapForm *>(sub->widget()) : nullptr;
}

} // namespace

TMainForm::TMainForm(const QString &configName, QWidget *parent)
    : QMainWindow(parent), config_(configName), settingsStore_(config_, settings_, aspects_, tiles_, *this),
      commands_(this), fileCommands_(*this)
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
                       Command::EnregistrerBitmap})
        command(id)->setEnabled(false);
    UpdateApplicationTitle();

    try {
        settingsStore_.LoadSettings();
    } catch (const ConfigWriteError &error) {
        userDialogs().showError(this, GeneralErrorTitle, QString::fromUtf8(error.what()));
    }
    // Without a readable configuration the tiles still come from the usual
    // folder, and relative paths still resolve against the program's folder.
    if (tiles_.aspectFolder().isEmpty())
        tiles_.SelectAspectFolder(DefaultAspectFolder);

    createToolWindows();
}

TMainForm::~TMainForm()
{
    // The map windows go first, each with its document.
    for (QMdiSubWindow *sub : mdiArea_->subWindowList())
        delete sub;
    try {
        settingsStore_.SaveSettings();
    } catch (const ConfigWriteError &error) {
        userDialogs().showError(nullptr, GeneralErrorTitle, QString::fromUtf8(error.what()));
    }
    // The tool windows borrow the tile library; they go before it does.
    delete PaletteForm;
    PaletteForm = nullptr;
    delete NewMapForm;
    NewMapForm = nullptr;
    delete CitiesForm;
    CitiesForm = nullptr;
    delete MinimapForm;
    MinimapForm = nullptr;
    delete OptionForm;
    OptionForm = nullptr;
    delete AboutBox;
    AboutBox = nullptr;
}

void TMainForm::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    // The widths suit a small system font; a larger one widens every panel
    // alike, so that a long route duration still fits in the second.
    const int durationWidth =
        bar->fontMetrics().horizontalAdvance(QStringLiteral("Durée de l'itinéraire : 100:00")) + 12;
    const double scale = std::max(1.0, durationWidth / double(PanelWidths[1]));
    for (size_t i = 0; i < panels_.size(); ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setTextFormat(Qt::PlainText);
        const bool last = i + 1 == panels_.size();
        const int width = int(PanelWidths[i] * scale + 0.5);
        if (last)
            panel->setMinimumWidth(width);
        else
            panel->setFixedWidth(width);
        // The last panel takes what the others leave.
        bar->addWidget(panel, last ? 1 : 0);
        panels_[i] = panel;
    }
    panels_[3]->setText(QStringLiteral("Pelmorin"));
}

void TMainForm::buildMenus()
{
    auto addMenu = [this](const QString &caption, const QString &hint) {
        QMenu *menu = menuBar()->addMenu(caption);
        menu->menuAction()->setToolTip(shortHint(hint));
        menu->menuAction()->setStatusTip(longHint(hint));
        // Hints of the items reach panel 0 through the main window.
        menu->setToolTipsVisible(false);
        return menu;
    };
    auto add = [this](QMenu *menu, Command id) { menu->addAction(command(id)); };

    QMenu *fichier = addMenu(QStringLiteral("&Fichier"), QStringLiteral("Fichier|Fonctions relatives aux fichiers"));
    add(fichier, Command::NouveauFichier);
    add(fichier, Command::OuvrirFichier);
    add(fichier, Command::FermerFichier);
    fichier->addSeparator();
    add(fichier, Command::EnregistrerFichier);
    add(fichier, Command::EnregistrerFichierSous);
    add(fichier, Command::EnregistrerBitmap);
    fichier->addSeparator();
    add(fichier, Command::Quitter);

    QMenu *affichage =
        addMenu(QStringLiteral("Affic&hage"), QStringLiteral("Affichage|Fonctions relatives à l'affichage"));
    add(affichage, Command::ZommAvant);
    add(affichage, Command::ZoomArriere);
    SelectionAspects = affichage->addMenu(QStringLiteral("&Aspects"));
    SelectionAspects->setObjectName(QStringLiteral("SelectionAspects"));
    SelectionAspects->menuAction()->setToolTip(QStringLiteral("Aspect"));
    SelectionAspects->menuAction()->setStatusTip(QStringLiteral("Aspect des cartes"));
    aspectGroup_ = new QActionGroup(this);
    // Choosing the marked item again unmarks it (and still reloads).
    aspectGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(aspectGroup_, &QActionGroup::triggered, this, &TMainForm::aspectChosen);
    affichage->addSeparator();
    add(affichage, Command::MontrerConfigurationAffichage);

    QMenu *recherche = addMenu(QStringLiteral("&Recherche de chemin"),
                               QStringLiteral("Recherche de chemin|Fonctions relatives à la recherche des chemins"));
    add(recherche, Command::EffacerChemins);
    add(recherche, Command::ActualiserChemins);
    recherche->addSeparator();
    add(recherche, Command::MontrerConfigurationRecherche);

    windowMenu_ = addMenu(QStringLiteral("Fe&nêtres"), QStringLiteral("Fenêtres|Commandes pour les fenêtre"));
    add(windowMenu_, Command::Cascade);
    add(windowMenu_, Command::MosaiqueHorizontale);
    add(windowMenu_, Command::MosaiqueVerticale);
    add(windowMenu_, Command::MinimiserTous);
    add(windowMenu_, Command::ArrangerTous);
    windowMenu_->addSeparator();
    add(windowMenu_, Command::MontrerVilles);
    add(windowMenu_, Command::MontrerMinipelmorin);
    add(windowMenu_, Command::MontrerPalette);
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::rebuildWindowList);

    QMenu *aide = addMenu(QStringLiteral("&Aide"), QStringLiteral("Aide|Aide et informations sur l'application"));
    add(aide, Command::APropos);

    // Shortcuts work from every map window of the frame.
    for (const CommandSpec &spec : commandSpecs())
        addAction(command(spec.id));
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
    on(Command::Quitter, [this] { QuitterExecute(); });
    on(Command::ZommAvant, [this] { ZommAvantExecute(); });
    on(Command::ZoomArriere, [this] { ZoomArriereExecute(); });
    on(Command::MontrerConfigurationAffichage, [this] { ConfigurationExecute(false); });
    on(Command::EffacerChemins, [this] { EffacerCheminsExecute(); });
    on(Command::ActualiserChemins, [this] { ActualiserCheminsExecute(); });
    on(Command::MontrerConfigurationRecherche, [this] { ConfigurationExecute(true); });
    on(Command::Cascade, [this] { mdiArea_->cascadeSubWindows(); });
    on(Command::MosaiqueHorizontale, [this] { tileHorizontally(mdiArea_); });
    on(Command::MosaiqueVerticale, [this] { tileVertically(mdiArea_); });
    on(Command::MinimiserTous, [this] { minimiseAll(mdiArea_); });
    on(Command::ArrangerTous, [this] { arrangeIcons(mdiArea_); });
    // The tick has already toggled when `triggered` arrives.
    on(Command::MontrerVilles, [this] { MontrerVillesExecute(); });
    on(Command::MontrerMinipelmorin, [this] { MontrerMinipelmorinExecute(true); });
    on(Command::MontrerPalette, [this] { MontrerPaletteExecute(); });
    on(Command::APropos, [this] { AProposExecute(); });
}

void TMainForm::createToolWindows()
{
    AboutBox = new TAboutBox(this);
    OptionForm = new TOptionForm(this);

    MinimapForm = new TMinimapForm(this);
    MinimapForm->setViewSource([this]() -> std::optional<MinimapView> {
        TMapForm *active = activeMapWindow();
        if (!active)
            return std::nullopt;
        MinimapView view;
        view.scrollX = active->scrollX();
        view.scrollY = active->scrollY();
        view.clientWidth = active->clientWidth();
        view.clientHeight = active->clientHeight();
        view.cellPitch = active->cellPitch();
        view.maxScrollX = active->scrollMaximumX();
        view.maxScrollY = active->scrollMaximumY();
        return view;
    });
    connect(MinimapForm, &TMinimapForm::scrollRequested, this, [this](int horizontal, int vertical) {
        if (TMapForm *active = activeMapWindow()) {
            active->setScrollX(horizontal);
            active->setScrollY(vertical);
        }
    });
    connect(MinimapForm, &TMinimapForm::closed, this,
            [this] { command(Command::MontrerMinipelmorin)->setChecked(false); });

    CitiesForm = new TCitiesForm(this);
    connect(CitiesForm, &TCitiesForm::centreRequested, this, [this](int x, int y) {
        if (TMapForm *active = activeMapWindow())
            active->centreOnCell(x, y);
    });
    connect(CitiesForm, &TCitiesForm::closed, this, [this] { command(Command::MontrerVilles)->setChecked(false); });

    NewMapForm = new TNewMapForm(tiles_, this);
    PaletteForm = new TPaletteForm(tiles_, this);
    PaletteForm->hide();
}

void TMainForm::showToolWindowsAtStart()
{
    // The two tool windows show themselves as their ticks say, placed once
    // the frame has its final geometry.
    if (toolWindowsShown_)
        return;
    toolWindowsShown_ = true;
    if (command(Command::MontrerMinipelmorin)->isChecked()) {
        PlaceToolWindow(MinimapForm);
        MinimapForm->show();
    }
    if (command(Command::MontrerVilles)->isChecked()) {
        PlaceToolWindow(CitiesForm);
        CitiesForm->show();
    }
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!toolWindowsShown_)
        QTimer::singleShot(0, this, [this] { showToolWindowsAtStart(); });
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
        userDialogs().showError(this, GeneralErrorTitle, QString::fromUtf8(error.what()));
        event->ignore();
        return;
    }
    // Every map window agreed: they go without being asked again.
    for (QMdiSubWindow *sub : mdiArea_->subWindowList())
        delete sub;
    for (QWidget *tool : {static_cast<QWidget *>(MinimapForm), static_cast<QWidget *>(CitiesForm),
                          static_cast<QWidget *>(PaletteForm)}) {
        if (tool)
            tool->hide();
    }
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
    // or a dialog has the focus.
    return mapFormIn(mdiArea_->currentSubWindow());
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
    form->setWindowTitle(caption);
    form->resize(640, 480);
    QMdiSubWindow *sub = mdiArea_->addSubWindow(form);
    sub->setWindowTitle(caption);
    sub->setWindowIcon(applicationIcon());
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
                       Command::EnregistrerBitmap})
        command(id)->setEnabled(window != nullptr);
    // What follows asks the frame for its active map window: while a window
    // closes it is still that one, so the title, the minimap and the city
    // list keep describing it until another map window becomes active.
    UpdateApplicationTitle();
    MontrerMinipelmorinExecute(false);
    MontrerVillesExecute();
    if (CitiesForm) {
        TMapForm *active = activeMapWindow();
        CitiesForm->refreshCityList(active ? &active->document() : nullptr);
    }
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
    if (PaletteForm)
        PaletteForm->refreshTiles();
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
    return PaletteForm && PaletteForm->isVisible();
}

int TMainForm::SelectedTile(int button) const
{
    return PaletteForm ? PaletteForm->SelectedTile(button) : -1;
}

bool TMainForm::SaveMap(TMapForm *window)
{
    return window && fileCommands_.SaveMap(window->document(), false);
}

void TMainForm::repaintMinimap()
{
    if (MinimapForm && MinimapForm->isVisible())
        MinimapForm->update();
}

NewMapPrompt &TMainForm::newMapPrompt()
{
    if (newMapPromptOverride_)
        return *newMapPromptOverride_;
    return *NewMapForm;
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
    const QList<ConfigEntry> list = readOpenMapList(config_);
    for (const ConfigEntry &entry : list) {
        try {
            TMapForm *window = fileCommands_.OpenMapWindow(entry.value);
            if (!window)
                continue;
            const MapWindowPlacement placement = readMapWindowPlacement(config_, entry.key);
            window->setZoom(placement.zoomPercent);
            applySavedWindowState(window, placement.windowState);
            window->centreOnCell(placement.centreColumn, placement.centreRow);
        } catch (const std::exception &error) {
            showGeneralError(QString::fromUtf8(error.what()));
        }
    }
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

// ---- Tool windows ----------------------------------------------------------

void TMainForm::PlaceToolWindow(QWidget *toolWindow)
{
    if (!toolWindow)
        return;
    // The frame's size is known once the window exists on the screen.
    (void)toolWindow->winId();
    // The client area holds the document area and the status bar.
    const QPoint origin = mdiArea_->mapToGlobal(QPoint(0, 0));
    const int clientWidth = mdiArea_->width();
    const int statusHeight = statusBar()->isVisible() ? statusBar()->height() : 0;
    const int clientHeight = mdiArea_->height() + statusHeight;
    const QSize frame = toolWindow->frameGeometry().size();
    if (toolWindow == CitiesForm) {
        // The minimap's height counts whether or not it is shown.
        const int minimapHeight = MinimapForm ? MinimapForm->frameGeometry().height() : 0;
        const int height = clientHeight - statusHeight - minimapHeight;
        const int decoration = frame.height() - toolWindow->height();
        toolWindow->move(origin.x() + clientWidth - frame.width(), origin.y() + minimapHeight);
        toolWindow->resize(toolWindow->width(), std::max(1, height - decoration));
    } else if (toolWindow == PaletteForm) {
        toolWindow->move(origin);
    } else {
        toolWindow->move(origin.x() + clientWidth - frame.width(), origin.y());
    }
}

void TMainForm::MontrerMinipelmorinExecute(bool byUser)
{
    if (!MinimapForm)
        return;
    TMapForm *active = activeMapWindow();
    const bool ticked = command(Command::MontrerMinipelmorin)->isChecked();
    if (active && active->document().mapType == 1 && ticked) {
        if (byUser)
            PlaceToolWindow(MinimapForm);
        MinimapForm->update();
        MinimapForm->show();
    } else if (ticked) {
        // Comes back, where it was, with the next world map.
        MinimapForm->hide();
    } else {
        MinimapForm->close();
    }
}

void TMainForm::MontrerVillesExecute()
{
    if (!CitiesForm)
        return;
    if (command(Command::MontrerVilles)->isChecked()) {
        PlaceToolWindow(CitiesForm);
        CitiesForm->show();
    } else {
        CitiesForm->close();
    }
}

void TMainForm::MontrerPaletteExecute()
{
    if (!PaletteForm)
        return;
    if (command(Command::MontrerPalette)->isChecked()) {
        // Put beside the maps the first time; it keeps its own place after.
        if (!PaletteForm->property("placed").toBool()) {
            PlaceToolWindow(PaletteForm);
            PaletteForm->setProperty("placed", true);
        }
        PaletteForm->show();
    } else {
        PaletteForm->close();
    }
}

void TMainForm::ConfigurationExecute(bool routePage)
{
    if (OptionForm
        && OptionForm->ConfigurationExecute(settings_, routePage ? TOptionForm::RoutePage : TOptionForm::InterfacePage))
        RepaintAllMaps();
}

void TMainForm::AProposExecute()
{
    if (AboutBox)
        AboutBox->exec();
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

// ---- Window list -------------------------------------------------------------

void TMainForm::rebuildWindowList()
{
    qDeleteAll(windowListActions_);
    windowListActions_.clear();
    const QList<QMdiSubWindow *> subs = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    if (subs.isEmpty())
        return;
    windowListActions_.append(windowMenu_->addSeparator());
    QMdiSubWindow *current = mdiArea_->currentSubWindow();
    int number = 1;
    for (QMdiSubWindow *sub : subs) {
        const QString title = sub->windowTitle();
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                            : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction *item = windowMenu_->addAction(caption);
        item->setCheckable(true);
        item->setChecked(sub == current);
        item->setStatusTip(title);
        connect(item, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (!sub)
                return;
            if (sub->isMinimized())
                sub->showNormal();
            mdiArea_->setActiveSubWindow(sub);
        });
        windowListActions_.append(item);
        ++number;
    }
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
    // The file keeps the outer size; without a frame yet, the two coincide.
    const QSize decoration = frameGeometry().size() - size();
    resize(std::max(1, width - decoration.width()), std::max(1, height - decoration.height()));
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
