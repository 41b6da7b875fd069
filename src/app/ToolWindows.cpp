#include "app/ToolWindows.h"

#include <QAction>
#include <algorithm>
#include <QMdiArea>
#include <QStatusBar>

#include "app/TAboutBox.h"
#include "app/ToolWindowsHost.h"
#include "app/TNewMapForm.h"
#include "app/TOptionForm.h"
#include "ui/TCitiesForm.h"
#include "ui/TItineraryForm.h"
#include "ui/TMapForm.h"
#include "render/MapOverview.h"
#include "ui/TMinimapForm.h"
#include "ui/TPaletteForm.h"

namespace {

// What the window system's frame adds around a window on each side.
QMargins frameMarginsOf(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

ToolWindows::ToolWindows(ToolWindowsHost &host) : QObject(host.frame()), host_(host)
{
    AboutBox = new TAboutBox(host_.frame());
    OptionForm = new TOptionForm(host_.frame());

    MinimapForm = new TMinimapForm(host_.frame());
    MinimapForm->setViewSource([this]() -> std::optional<MinimapView> {
        TMapForm *active = host_.activeMapWindow();
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
        const MapOverview &overview = active->overview();
        view.scaleCells = overview.scale().cells;
        view.scalePixels = overview.scale().pixels;
        view.picture = &overview.picture();
        return view;
    });
    connect(MinimapForm, &TMinimapForm::scrollRequested, this, [this](int horizontal, int vertical) {
        if (TMapForm *active = host_.activeMapWindow()) {
            active->setScrollX(horizontal);
            active->setScrollY(vertical);
        }
    });
    connect(MinimapForm, &TMinimapForm::closed, this,
            [this] { host_.command(Command::MontrerMinipelmorin)->setChecked(false); });

    CitiesForm = new TCitiesForm(host_.frame());
    connect(CitiesForm, &TCitiesForm::centreRequested, this, [this](int x, int y) {
        if (TMapForm *active = host_.activeMapWindow())
            active->centreOnCell(x, y);
    });
    connect(CitiesForm, &TCitiesForm::routeStartRequested, this, [this](int x, int y) {
        if (TMapForm *active = host_.activeMapWindow())
            active->setRouteStartAt(x, y);
    });
    connect(CitiesForm, &TCitiesForm::routeEndRequested, this, [this](int x, int y) {
        if (TMapForm *active = host_.activeMapWindow())
            active->setRouteEndAt(x, y);
    });
    connect(CitiesForm, &TCitiesForm::closed, this, [this] { host_.command(Command::MontrerVilles)->setChecked(false); });

    ItineraryForm = new TItineraryForm(host_.frame());
    connect(ItineraryForm, &TItineraryForm::centreRequested, this, [this](int x, int y) {
        if (TMapForm *active = host_.activeMapWindow())
            active->centreOnCell(x, y);
    });
    connect(ItineraryForm, &TItineraryForm::closed, this,
            [this] { host_.command(Command::MontrerItineraire)->setChecked(false); });

    NewMapForm = new TNewMapForm(host_.tileLibrary(), host_.frame());
    PaletteForm = new TPaletteForm(host_.tileLibrary(), host_.frame());
    PaletteForm->hide();
}

void ToolWindows::showAtStart()
{
    // The two tool windows show themselves as their ticks say, placed beside
    // the frame where the window system put it.
    if (shownAtStart_)
        return;
    shownAtStart_ = true;
    if (host_.command(Command::MontrerMinipelmorin)->isChecked()) {
        PlaceToolWindow(MinimapForm);
        MinimapForm->show();
    }
    if (host_.command(Command::MontrerVilles)->isChecked()) {
        PlaceToolWindow(CitiesForm);
        CitiesForm->show();
    }
}

void ToolWindows::PlaceToolWindow(QWidget *toolWindow)
{
    if (!toolWindow)
        return;
    (void)toolWindow->winId();
    // A window manager frames a tool window only once it is first shown;
    // until then its margins are unknown and Qt moves its inside where its
    // frame should go. The main window's margins stand in for them, and the
    // inside goes that much further.
    const auto marginsOf = [this](const QWidget *window) {
        const QMargins known = frameMarginsOf(window);
        return known.isNull() ? frameMarginsOf(host_.frame()) : known;
    };
    const QMargins own = frameMarginsOf(toolWindow);
    const QMargins margins = marginsOf(toolWindow);
    const QPoint unframed(margins.left() - own.left(), margins.top() - own.top());
    const QSize frame = toolWindow->size().grownBy(margins);
    // The client area holds the document area and the status bar.
    const QPoint origin = host_.mdiArea()->mapToGlobal(QPoint(0, 0)) + unframed;
    const int clientWidth = host_.mdiArea()->width();
    const int statusHeight = host_.frameStatusBar()->isVisible() ? host_.frameStatusBar()->height() : 0;
    const int clientHeight = host_.mdiArea()->height() + statusHeight;
    if (toolWindow == CitiesForm) {
        // The minimap's height counts whether or not it is shown.
        const QMargins minimapMargins = MinimapForm ? marginsOf(MinimapForm) : QMargins();
        const int minimapHeight =
            MinimapForm ? MinimapForm->height() + minimapMargins.top() + minimapMargins.bottom() : 0;
        const int height = clientHeight - statusHeight - minimapHeight;
        toolWindow->move(origin.x() + clientWidth - frame.width(), origin.y() + minimapHeight);
        toolWindow->resize(toolWindow->width(), std::max(1, height - margins.top() - margins.bottom()));
    } else if (toolWindow == PaletteForm) {
        toolWindow->move(origin);
    } else if (toolWindow == ItineraryForm) {
        // Bottom-left, clear of the palette and of the minimap and city list.
        toolWindow->move(origin.x(), origin.y() + std::max(0, clientHeight - statusHeight - frame.height()));
    } else {
        toolWindow->move(origin.x() + clientWidth - frame.width(), origin.y());
    }
}

void ToolWindows::MontrerMinipelmorinExecute(bool byUser)
{
    if (!MinimapForm)
        return;
    TMapForm *active = host_.activeMapWindow();
    const bool ticked = host_.command(Command::MontrerMinipelmorin)->isChecked();
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

void ToolWindows::followTick(QWidget *toolWindow, Command toggle)
{
    if (!toolWindow)
        return;
    if (host_.command(toggle)->isChecked()) {
        PlaceToolWindow(toolWindow);
        toolWindow->show();
    } else {
        toolWindow->close();
    }
}

void ToolWindows::MontrerVillesExecute()
{
    followTick(CitiesForm, Command::MontrerVilles);
}

void ToolWindows::MontrerItineraireExecute()
{
    followTick(ItineraryForm, Command::MontrerItineraire);
}

void ToolWindows::MontrerPaletteExecute()
{
    if (!PaletteForm)
        return;
    if (host_.command(Command::MontrerPalette)->isChecked()) {
        // Put beside the maps the first time; it keeps its own place after.
        if (!palettePlaced_) {
            PlaceToolWindow(PaletteForm);
            palettePlaced_ = true;
        }
        PaletteForm->show();
    } else {
        PaletteForm->close();
    }
}

ToolWindows::~ToolWindows()
{
    // The palette and the new-map dialog borrow the tile library: they go
    // while it is still there.
    delete PaletteForm;
    delete NewMapForm;
    delete CitiesForm;
    delete MinimapForm;
    delete OptionForm;
    delete AboutBox;
}

void ToolWindows::hideAll()
{
    for (QWidget *tool : {static_cast<QWidget *>(MinimapForm), static_cast<QWidget *>(CitiesForm),
                          static_cast<QWidget *>(PaletteForm)}) {
        if (tool)
            tool->hide();
    }
}
