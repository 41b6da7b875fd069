#include "ui/TMapForm.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "settings/AppSettings.h"
#include "render/MapRenderer.h"
#include "render/ScaledTileCache.h"
#include "route/TravelTime.h"
#include "ui/CellHover.h"
#include "ui/EditHistory.h"
#include "ui/HintedAction.h"
#include "ui/MapKeys.h"
#include "ui/MapViewGeometry.h"
#include "ui/MapViewRing.h"
#include "ui/MapWindowHost.h"
#include "ui/PlainText.h"
#include "ui/ProvinceNotation.h"
#include "ui/ScreenCopy.h"

using namespace MapViewGeometry;

namespace {

constexpr QSize DesignClientSize(640, 480);


} // namespace

TMapForm::TMapForm(MapWindowHost &host, std::unique_ptr<CarteVarenthe> document, QWidget *parent)
    : QWidget(parent), host_(host), document_(std::move(document))
{
    if (!document_)
        document_ = std::make_unique<CarteVarenthe>();
    setWindowTitle(QStringLiteral("Carte"));
    resize(DesignClientSize);
    // The back buffer covers every pixel, so Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // Takes the keyboard when its sub-window becomes active.
    setFocusPolicy(Qt::StrongFocus);

    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar2 = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar *bar : {ScrollBar1, ScrollBar2}) {
        bar->setRange(0, 0);
        bar->setSingleStep(MapLineStep);
        bar->setPageStep(MapPageStep);
        // A scroll bar only moves the position; the timer moves the picture.
        bar->setTracking(true);
        bar->setCursor(Qt::ArrowCursor);
        // An opaque bar repaints alone when its position changes, instead of
        // having the map drawn again beneath it at every move of a drag.
        bar->setAutoFillBackground(true);
    }
    layoutScrollBars();

    scaledTiles_ = std::make_unique<ScaledTileCache>(host_.tileLibrary());
    scaledTiles_->syncWith(cellSize_);

    DefinrPointDepart = newHintedAction(this, QStringLiteral("Definr point de départ"),
                                   QStringLiteral("Definr point de départ|Rechercher les plus courts chemins "
                                                  "à partir du point ciblé"),
                                   QStringLiteral("Recherche de chemin"));
    DefinirPointArrivee = newHintedAction(this, QStringLiteral("Definr point d'arrivée"),
                                     QStringLiteral("Definr point d'arrivée|Rechercher les plus courts chemins "
                                                    "qui vont juqu'à la case ciblée"),
                                     QStringLiteral("Recherche de chemin"));
    CentrerIci = newHintedAction(this, QStringLiteral("&Centrer ici"),
                            QStringLiteral("Centrer ici|Centrer la carte sur la case ciblée"),
                            QStringLiteral("Positionnement"));
    connect(DefinrPointDepart, &QAction::triggered, this, &TMapForm::DefinrPointDepartExecute);
    connect(DefinirPointArrivee, &QAction::triggered, this, &TMapForm::DefinirPointArriveeExecute);
    connect(CentrerIci, &QAction::triggered, this, &TMapForm::CentrerIciExecute);

    PopupMenu = new QMenu(this);
    PopupMenu->addAction(DefinrPointDepart);
    PopupMenu->addAction(DefinirPointArrivee);
    PopupMenu->addSeparator();
    PopupMenu->addAction(CentrerIci);
    addCityActions();
    PopupMenu->setToolTipsVisible(true);
    // The menu's own window would swallow the status tips; the long hint goes
    // to the main window's first panel instead.
    connect(PopupMenu, &QMenu::hovered, this,
            [this](QAction *action) { host_.setStatusPanelText(0, action->statusTip()); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TMapForm::Timer1Timer);
    Timer1->start();

    rangesPitch_ = cellPitch();

    history_ = std::make_unique<EditHistory>(*document_);
    history_->onChanged = [this](const EditReport &report) { showEdit(report); };
    history_->onModifiedChanged = [this] { showModifiedMark(); };
}

TMapForm::~TMapForm() = default;

QSize TMapForm::sizeHint() const
{
    // The frame sizes new, restored and cascaded windows from it.
    return DesignClientSize;
}

int TMapForm::gridGap() const
{
    return std::max(host_.settings().gridGap, 0);
}

int TMapForm::columnAt(int x) const
{
    return cellIndexAt(scrollX(), x, cellPitch());
}

int TMapForm::rowAt(int y) const
{
    return cellIndexAt(scrollY(), y, cellPitch());
}

int TMapForm::scrollX() const
{
    return ScrollBar1->value();
}

int TMapForm::scrollY() const
{
    return ScrollBar2->value();
}

void TMapForm::setScrollX(int position)
{
    ScrollBar1->setValue(position);
}

void TMapForm::setScrollY(int position)
{
    ScrollBar2->setValue(position);
}

int TMapForm::scrollMaximumX() const
{
    return ScrollBar1->maximum();
}

int TMapForm::scrollMaximumY() const
{
    return ScrollBar2->maximum();
}

void TMapForm::setZoom(int percent)
{
    const int oldPitch = cellPitch();
    zoomPercent_ = clampZoom(percent);
    const int newCellSize = MapView::cellSizeForZoom(zoomPercent_);
    // Zooms that give the same cell size keep the picture and the positions.
    if (newCellSize == cellSize_)
        return;
    cellSize_ = newCellSize;
    scaledTiles_->syncWith(cellSize_);
    const int newPitch = cellPitch();
    const int centredX = positionKeepingCentre(scrollX(), clientWidth(), oldPitch, newPitch);
    const int centredY = positionKeepingCentre(scrollY(), clientHeight(), oldPitch, newPitch);
    // The ranges of the new pitch first: clamped by the old, smaller ranges,
    // zooming in anywhere right of or below the middle would lose the centre.
    ScrollBar1->setMaximum(scrollMaximum(document_->width, newPitch, clientWidth()));
    ScrollBar2->setMaximum(scrollMaximum(document_->height, newPitch, clientHeight()));
    setScrollX(centredX);
    setScrollY(centredY);
    viewOriginX_ = scrollX();
    viewOriginY_ = scrollY();
    FormResize();
    repaintMap();
}

void TMapForm::zoomBy(int steps)
{
    setZoom(zoomAfterSteps(zoomPercent_, steps));
}

void TMapForm::centreOnCell(int column, int row)
{
    setScrollX(centringPosition(column, cellPitch(), clientWidth()));
    setScrollY(centringPosition(row, cellPitch(), clientHeight()));
}

QPoint TMapForm::viewCentreCell() const
{
    return MapViewGeometry::viewCentreCell(scrollX(), scrollY(), clientWidth(), clientHeight(), cellPitch());
}

QPoint TMapForm::targetedCell() const
{
    return {columnAt(pressX_), rowAt(pressY_)};
}

MapView TMapForm::viewAtOrigin() const
{
    MapView view;
    view.cellSize = cellSize_;
    view.gridGap = gridGap();
    view.scrollX = viewOriginX_;
    view.scrollY = viewOriginY_;
    return view;
}

bool TMapForm::sizeBackBuffer()
{
    // The main window's client area bounds every child; the window's own size
    // is taken too in case it is shown outside that area.
    const QSize size = host_.mainClientSize().expandedTo(this->size());
    if (pixels_.size() == size)
        return false;
    pixels_.allocate(size);
    bufferPicture_ = QRegion();
    return true;
}

QImage TMapForm::backBuffer() const
{
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QImage shown = pixels_.picture({viewOriginX_, viewOriginY_});
    if (shown.isNull())
        return picture;
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect part = rect() & shown.rect();
    painter.drawImage(part.topLeft(), shown, part);
    return picture;
}

void TMapForm::forgetPicture()
{
    bufferPicture_ = QRegion();
    pendingCopy_ = QRegion();
}

void TMapForm::repaintMap()
{
    // A change of "Grille" changes the pitch and so the scroll ranges.
    if (cellPitch() != rangesPitch_)
        FormResize();
    forgetPicture();
    update();
}

const MapOverview &TMapForm::overview()
{
    // An aspect change or another map size redraws the whole picture.
    overview_.update(*document_, host_.tileLibrary(), QRect());
    return overview_;
}

void TMapForm::invalidateScaledTiles()
{
    scaledTiles_->InvalidateScaledTiles();
    repaintMap();
}

void TMapForm::FormActivate()
{
    host_.MapWindowActivated(this);
    FormResize();
}

void TMapForm::FormResize()
{
    rangesPitch_ = cellPitch();
    ScrollBar1->setMaximum(scrollMaximum(document_->width, cellPitch(), clientWidth()));
    ScrollBar2->setMaximum(scrollMaximum(document_->height, cellPitch(), clientHeight()));
    // Clamping to the new ranges may have moved the view without the timer:
    // the retained picture no longer matches it.
    if (viewOriginX_ != scrollX() || viewOriginY_ != scrollY()) {
        viewOriginX_ = scrollX();
        viewOriginY_ = scrollY();
        forgetPicture();
        update();
    }
    host_.repaintMinimap();
}

void TMapForm::Timer1Timer()
{
    if (wheelDelta_ != 0) {
        const int delta = wheelDelta_;
        wheelDelta_ = 0;
        zoomBy(delta);
        return;
    }
    const int dx = scrollX() - viewOriginX_;
    const int dy = scrollY() - viewOriginY_;
    if (dx == 0 && dy == 0)
        return;

    const QRect client = rect();
    // (QRegion::contains only tells whether the rectangle overlaps.)
    const bool pictureWhole =
        pixels_.wraps() && !client.isEmpty() && (QRegion(client) - bufferPicture_).isEmpty();
    if (sizeBackBuffer())
        forgetPicture();
    viewOriginX_ = scrollX();
    viewOriginY_ = scrollY();
    if (!isVisible()) {
        // Nothing on screen to keep; the next paint draws the new view.
        forgetPicture();
        host_.repaintMinimap();
        return;
    }
    // The part still in view keeps its place in the retained picture; only
    // the strips that came into view are drawn. Without a whole retained
    // picture (never painted, or stale) the strips cover the whole client.
    const QRect valid = pictureWhole ? retainedArea(client.size(), dx, dy) : QRect();
    const ExposedStrips strips = exposedStrips(client.size(), valid);
    renderWindowRect(strips.stripA);
    renderWindowRect(strips.stripB);
    bufferPicture_ = client;
    // The scroll bars lie over the picture: copying under them would make
    // them paint themselves again at every tick.
    const QRegion shown = QRegion(client) - ScrollBar1->geometry() - ScrollBar2->geometry();
    pendingCopy_ = shown;
    repaint(shown);
    host_.repaintMinimap();
}

void TMapForm::renderWindowRect(const QRect &rect)
{
    QImage picture = pixels_.picture({viewOriginX_, viewOriginY_});
    const QRect area = rect & this->rect() & picture.rect();
    if (area.isEmpty())
        return;
    RenderMap(picture, area, viewAtOrigin(), *document_, host_.settings(), *scaledTiles_);
}

void TMapForm::renderIntoPicture(const QRect &rect)
{
    sizeBackBuffer();
    renderWindowRect(rect);
    bufferPicture_ += rect & this->rect();
}

void TMapForm::setStatusDuration()
{
    const int32_t total = document_->routeTotalTime;
    host_.setStatusPanelText(1, total == -1 ? QString()
                                            : QStringLiteral("Durée de l'itinéraire : ")
                                                  + QString::fromStdString(FormatTravelTime(total)));
}

void TMapForm::paintEvent(QPaintEvent *event)
{
    setStatusDuration();
    // The picture is drawn at the view origin, where the timer believes it
    // is; drawing at a scroll position the timer has not reached yet would
    // make the next tick shift it a second time.
    if (sizeBackBuffer())
        pendingCopy_ = QRegion();
    const QRegion toRender = event->region() - pendingCopy_;
    if (!toRender.isEmpty()) {
        renderIntoPicture(toRender.boundingRect() & rect());
        // The picture under the scroll bars is never asked for, but the
        // next scrolling step may bring it into view.
        const QRegion hidden = (QRegion(ScrollBar1->geometry()) + ScrollBar2->geometry()) & rect();
        for (const QRect &stale : hidden - bufferPicture_)
            renderIntoPicture(stale);
    }
    pendingCopy_ = QRegion();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QImage picture = pixels_.picture({viewOriginX_, viewOriginY_});
    if (!copyStraightToDevice(painter, picture, event->region())) {
        for (const QRect &area : event->region()) {
            const QRect part = area & picture.rect();
            if (!part.isEmpty())
                painter.drawImage(part.topLeft(), picture, part);
        }
    }
    drawRectangleOutline(painter);
}

void TMapForm::layoutScrollBars()
{
    const int t = ScrollBarThickness;
    // The horizontal bar runs the whole width, so no corner of the picture
    // shows between the two bars.
    ScrollBar1->setGeometry(0, height() - t, width(), t);
    ScrollBar2->setGeometry(width() - t, 0, t, std::max(height() - t, 0));
}

void TMapForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutScrollBars();
    FormResize();
}

bool TMapForm::event(QEvent *event)
{
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
        watchSubWindow();
    if (event->type() == QEvent::ToolTip) {
        // The tooltip is an element's name from the map file: shown as typed.
        if (toolTip().isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), plainToolTip(toolTip()), this);
        }
        return true;
    }
    return QWidget::event(event);
}

void TMapForm::watchSubWindow()
{
    auto *subWindow = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (subWindow == subWindow_)
        return;
    if (subWindow_)
        disconnect(subWindow_, nullptr, this, nullptr);
    subWindow_ = subWindow;
    if (!subWindow_)
        return;
    connect(subWindow_, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates oldState, Qt::WindowStates newState) {
                if (!oldState.testFlag(Qt::WindowActive) && newState.testFlag(Qt::WindowActive))
                    FormActivate();
            });
    connect(subWindow_, &QObject::destroyed, this, [this] { subWindow_ = nullptr; });
    if (subWindow_->isActiveWindow() && subWindow_->windowState().testFlag(Qt::WindowActive))
        FormActivate();
}

void TMapForm::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    FormMouseDown(event->button(), event->buttons(), at.x(), at.y(), event->modifiers());
}

void TMapForm::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click edits and describes like any press,
    // but the page opens once, for the first click.
    const QPoint at = event->position().toPoint();
    FormMouseDown(event->button(), event->buttons(), at.x(), at.y(), event->modifiers());
    pressedCity_ = -1;
}

void TMapForm::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (pressedCity_ != -1
        && (at - QPoint(pressX_, pressY_)).manhattanLength() >= QApplication::startDragDistance())
        pressedCity_ = -1;
    FormMouseMove(event->buttons(), at.x(), at.y());
}

void TMapForm::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    FormMouseUp(event->button(), at.x(), at.y());
}

void TMapForm::describeCell(int column, int row)
{
    host_.setStatusPanelText(2, cellDescription(*document_, column, row));
    const CellHint hint = cellHint(*document_, column, row);
    if (hint.toolTip != toolTip()) {
        setToolTip(hint.toolTip);
        // A tip already shown follows the mouse onto the next element, or goes.
        if (QToolTip::isVisible()) {
            if (hint.toolTip.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(QCursor::pos(), plainToolTip(hint.toolTip), this);
        }
    }
    const Qt::CursorShape shape = hint.handPointer ? Qt::PointingHandCursor : Qt::ArrowCursor;
    if (cursor().shape() != shape)
        setCursor(shape);
}

void TMapForm::wheelEvent(QWheelEvent *event)
{
    // Gathered until the next tick, so fast rotation is one zoom step.
    wheelDelta_ += event->angleDelta().y();
    event->accept();
}

void TMapForm::keyPressEvent(QKeyEvent *event)
{
    // The keys join the main window's commands; the ones not used here (the
    // function keys, "+") go on to it.
    const MapKeyAction action = mapKeyAction(event->key(), event->modifiers(), {scrollX(), scrollY()},
                                             {scrollMaximumX(), scrollMaximumY()});
    switch (action.effect) {
    case MapKeyEffect::Scroll:
        setScrollX(action.scroll.x());
        setScrollY(action.scroll.y());
        break;
    case MapKeyEffect::ZoomOut:
        ZoomArriereExecute();
        break;
    case MapKeyEffect::CellMenu:
        popupAtViewCentre();
        break;
    case MapKeyEffect::PassOn:
        event->ignore();
        return;
    }
    event->accept();
}

void TMapForm::popupAtViewCentre()
{
    pressX_ = clientWidth() / 2;
    pressY_ = clientHeight() / 2;
    PopupMenu->popup(mapToGlobal(QPoint(pressX_, pressY_)));
}

void TMapForm::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() != QContextMenuEvent::Mouse) {
        // From the keyboard: the cell at the view's centre.
        popupAtViewCentre();
        event->accept();
        return;
    }
    if (!popupAllowed_) {
        event->accept();
        return;
    }
    PopupMenu->popup(event->globalPos());
    event->accept();
}
