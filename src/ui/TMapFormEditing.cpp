// The map window's mouse buttons: painting with the palette (strokes joined
// cell by cell, Shift rectangles, Ctrl regions, each one undo step), dragging
// the view, and the click that opens a city's page; and what an edit or its
// undo repaints.
#include <QApplication>
#include <QDesktopServices>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPainter>
#include <QUndoStack>
#include <algorithm>
#include <utility>

#include "map/CellLine.h"
#include "map/Fills.h"
#include "map/PaletteEdit.h"
#include "settings/AppSettings.h"
#include "ui/CellHover.h"
#include "ui/EditHistory.h"
#include "ui/GameServer.h"
#include "ui/MapViewGeometry.h"
#include "ui/MapWindowHost.h"
#include "ui/PlainText.h"
#include "ui/TMapForm.h"
#include "ui/UserDialogs.h"

namespace {

int buttonIndex(Qt::MouseButton button)
{
    return button == Qt::LeftButton ? 0 : button == Qt::RightButton ? 1 : -1;
}

Qt::MouseButton buttonOf(int index)
{
    return index == 0 ? Qt::LeftButton : Qt::RightButton;
}

QString frenchNumber(size_t number)
{
    return QLocale(QLocale::French, QLocale::France).toString(static_cast<qulonglong>(number));
}

// Whether a zone fill giving `newElements` cells an element of their own
// leaves the map within the elements a map file can hold; says why not.
bool zoneFillFits(QWidget *window, const CarteVarenthe &map, size_t newElements)
{
    if (map.elements.size() + newElements <= static_cast<size_t>(MaxElementCount))
        return true;
    userDialogs().showError(window, QStringLiteral("Remplissage"),
                            QStringLiteral("Cette zone demanderait %1 éléments de plus, mais une carte ne peut pas "
                                           "en garder plus de %2 et celle-ci en compte déjà %3.\n"
                                           "Remplissez une partie plus petite de la carte.")
                                .arg(frenchNumber(newElements), frenchNumber(MaxElementCount),
                                     frenchNumber(map.elements.size())));
    return false;
}

} // namespace

QUndoStack *TMapForm::undoStack() const
{
    return history_->stack();
}

void TMapForm::FormMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, int x, int y,
                             Qt::KeyboardModifiers modifiers)
{
    pressX_ = x;
    pressY_ = y;
    pressScrollX_ = scrollX();
    pressScrollY_ = scrollY();
    pressedCity_ = -1;
    // A press of the painting button starts a new stroke even when the
    // release of the last one never came.
    if (gesture_ != EditGesture::None && buttonIndex(button) == gestureButton_)
        finishStroke();
    // A left press on a city may become a click that opens its page, unless
    // the left button paints.
    const bool leftPaints = host_.paletteVisible() && host_.SelectedTile(0) != -1;
    if (button == Qt::LeftButton && !leftPaints)
        pressedCity_ = cityNumberAt(*document_, columnAt(x), rowAt(y));
    if (startEditGesture(button, buttons | button, modifiers, columnAt(x), rowAt(y))) {
        describeCell(columnAt(x), rowAt(y));
        return;
    }
    // A click edits or describes the cell as a move does.
    FormMouseMove(buttons | button, x, y);
}

void TMapForm::FormMouseUp(Qt::MouseButton button, int x, int y)
{
    if (gesture_ != EditGesture::None && buttonIndex(button) == gestureButton_) {
        if (gesture_ == EditGesture::Rectangle) {
            gesture_ = EditGesture::None;
            fillRectangleTo(columnAt(x), rowAt(y));
        }
        finishStroke();
    }
    if (button != Qt::LeftButton)
        return;
    const int city = std::exchange(pressedCity_, -1);
    const bool still = (QPoint(x, y) - QPoint(pressX_, pressY_)).manhattanLength() < QApplication::startDragDistance();
    if (city != -1 && still && cityNumberAt(*document_, columnAt(x), rowAt(y)) == city)
        QDesktopServices::openUrl(cityPageUrl(city));
}

void TMapForm::FormMouseMove(Qt::MouseButtons buttons, int x, int y)
{
    const int column = columnAt(x);
    const int row = rowAt(y);
    if (continueEditGesture(buttons, column, row)) {
        // Painting with the right button must not open the route menu.
        popupAllowed_ = false;
    } else {
        popupAllowed_ = true;
        if (buttons.testFlag(Qt::LeftButton)) {
            const float speed = host_.settings().scrollSpeed;
            setScrollX(MapViewGeometry::dragPosition(pressScrollX_, pressX_, x, speed));
            setScrollY(MapViewGeometry::dragPosition(pressScrollY_, pressY_, y, speed));
        }
    }
    describeCell(column, row);
}

MouseMoveAction TMapForm::paletteAction(Qt::MouseButtons buttons) const
{
    const bool palette = host_.paletteVisible();
    return mouseMoveAction(palette, buttons.testFlag(Qt::LeftButton), buttons.testFlag(Qt::RightButton),
                           palette ? host_.SelectedTile(0) : -1, palette ? host_.SelectedTile(1) : -1);
}

bool TMapForm::startEditGesture(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                int column, int row)
{
    const MouseMoveAction action = paletteAction(buttons);
    if (action.paintTile == -1 || action.paintButton != buttonIndex(button))
        return false;
    const bool rectangle = modifiers.testFlag(Qt::ShiftModifier);
    const bool region = modifiers.testFlag(Qt::ControlModifier);
    if (!rectangle && !region)
        return false;
    // A new press of the painting button starts afresh.
    finishStroke();
    popupAllowed_ = false;
    gestureButton_ = action.paintButton;
    gestureTile_ = action.paintTile;
    gestureStart_ = {column, row};
    if (rectangle) {
        gesture_ = EditGesture::Rectangle;
        continueEditGesture(buttons, column, row);
        return true;
    }
    gesture_ = EditGesture::Region;
    if (!isZoneTile(gestureTile_)
        || zoneFillFits(this, *document_, RegionCellsWithoutElement(*document_, column, row))) {
        EditReport report = FloodFill(*document_, column, row, gestureTile_);
        const QString caption = regionCaption(report.cellCount());
        recordEdit(std::move(report), caption);
    }
    return true;
}

void TMapForm::fillRectangleTo(int column, int row)
{
    const QPoint start = gestureStart_;
    // A rectangle pressed beside the map paints nothing, whatever it would
    // have asked.
    if (!document_->contains(start.x(), start.y()))
        return;
    if (isZoneTile(gestureTile_)
        && !zoneFillFits(this, *document_,
                         RectangleCellsWithoutElement(*document_, start.x(), start.y(), column, row)))
        return;
    EditReport report = FillRectangle(*document_, start.x(), start.y(), column, row, gestureTile_);
    const QString caption = rectangleCaption(report.cellCount());
    recordEdit(std::move(report), caption);
}

bool TMapForm::continueEditGesture(Qt::MouseButtons buttons, int column, int row)
{
    if (gesture_ == EditGesture::Rectangle || gesture_ == EditGesture::Region) {
        // Until its button is released, nothing more is painted.
        if (buttons.testFlag(buttonOf(gestureButton_))) {
            if (gesture_ == EditGesture::Rectangle) {
                const CellRect cells{std::min(gestureStart_.x(), column), std::min(gestureStart_.y(), row),
                                     std::max(gestureStart_.x(), column), std::max(gestureStart_.y(), row)};
                showRectangleOutline(windowRectOfCells(cells));
            }
            return true;
        }
        // The release never came (it went to another window): nothing is
        // painted that the user did not see.
        finishStroke();
    }
    const MouseMoveAction action = paletteAction(buttons);
    if (gesture_ == EditGesture::Stroke
        && (action.paintButton != gestureButton_ || action.paintTile != gestureTile_))
        finishStroke();
    if (action.paintTile == -1)
        return false;
    if (gesture_ == EditGesture::None) {
        finishStroke();
        gesture_ = EditGesture::Stroke;
        gestureButton_ = action.paintButton;
        gestureTile_ = action.paintTile;
        gestureStart_ = strokeLast_ = {column, row};
        EditReport first;
        ApplyPaletteTile(*document_, column, row, gestureTile_, &first);
        showChangedCells(first.bounds());
        strokeReport_ = std::move(first);
        return true;
    }
    paintStrokeTo(column, row);
    return true;
}

void TMapForm::paintStrokeTo(int column, int row)
{
    if (QPoint(column, row) == strokeLast_)
        return;
    // Every cell crossed since the last event, painted one by one, so that
    // roads join as they would under a slow hand.
    const std::vector<CellPoint> cells = cellsOnLine(strokeLast_.x(), strokeLast_.y(), column, row);
    EditReport piece;
    for (size_t i = 1; i < cells.size(); ++i)
        ApplyPaletteTile(*document_, cells[i].x, cells[i].y, gestureTile_, &piece);
    strokeLast_ = {column, row};
    showChangedCells(piece.bounds());
    strokeReport_.append(piece);
}

void TMapForm::finishStroke()
{
    showRectangleOutline(QRect());
    if (gesture_ == EditGesture::Stroke) {
        EditReport report = std::exchange(strokeReport_, EditReport());
        gesture_ = EditGesture::None;
        const QString caption = strokeCaption(report.cellCount());
        history_->record(std::move(report), caption);
    }
    gesture_ = EditGesture::None;
    strokeReport_.clear();
}

void TMapForm::recordEdit(EditReport report, const QString &what)
{
    showEdit(report);
    history_->record(std::move(report), what);
}

void TMapForm::showEdit(const EditReport &report)
{
    const auto isCity = [](const Element &element) { return element.kind == ElementCity; };
    const bool cities = std::any_of(report.elements().begin(), report.elements().end(), [&](const ElementChange &change) {
        return isCity(change.before) || isCity(change.after);
    });
    if (!cities) {
        showChangedCells(report.bounds());
        return;
    }
    const CellRect cells = report.bounds();
    if (!overview_.isNull())
        overview_.update(*document_, host_.tileLibrary(), QRect(QPoint(cells.x0, cells.y0), QPoint(cells.x1, cells.y1)));
    host_.repaintMinimap();
    // A city's name is drawn centred above its cell and may be wider than
    // the window: the whole view is drawn again, not only the cell.
    repaintMap();
    host_.citiesChanged(this);
}

void TMapForm::markSaved()
{
    finishStroke();
    history_->markSaved();
}

void TMapForm::showChangedCells(const CellRect &cells)
{
    if (cells.empty())
        return;
    if (!overview_.isNull()) {
        overview_.update(*document_, host_.tileLibrary(),
                         QRect(QPoint(cells.x0, cells.y0), QPoint(cells.x1, cells.y1)));
        host_.repaintMinimap();
    }
    // A cell's pixels depend on that cell alone (names and borders do not
    // follow the terrain), so its square and the gap after it are enough.
    const QRect area = windowRectOfCells(cells) & rect();
    if (area.isEmpty() || !isVisible())
        return;
    renderIntoPicture(area);
    pendingCopy_ += area;
    repaint(area);
}

QRect TMapForm::windowRectOfCells(const CellRect &cells) const
{
    const int pitch = cellPitch();
    return QRect(QPoint(cells.x0 * pitch - viewOriginX_, cells.y0 * pitch - viewOriginY_),
                 QPoint((cells.x1 + 1) * pitch - 1 - viewOriginX_, (cells.y1 + 1) * pitch - 1 - viewOriginY_));
}

namespace {

// The pixels of a two-pixel outline along the inside of `box`.
QRegion outlinePixels(const QRect &box)
{
    return box.isNull() ? QRegion() : QRegion(box) - QRegion(box.adjusted(2, 2, -2, -2));
}

} // namespace

void TMapForm::showRectangleOutline(const QRect &outline)
{
    if (outline == rectangleOutline_)
        return;
    // The back buffer still holds the map under both outlines: copied, not
    // drawn again.
    const QRegion dirty = (outlinePixels(rectangleOutline_) + outlinePixels(outline)) & rect();
    rectangleOutline_ = outline;
    pendingCopy_ += dirty & bufferPicture_;
    update(dirty);
}

void TMapForm::drawRectangleOutline(QPainter &painter) const
{
    if (rectangleOutline_.isNull())
        return;
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(gestureButton_ == 0 ? Qt::blue : Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rectangleOutline_.adjusted(1, 1, -1, -1));
}

void TMapForm::showModifiedMark()
{
    // The mark shows edits not yet saved; a map's caption without them reads
    // as its file name alone.
    const bool marked = history_->editedSinceSave();
    for (QWidget *window : {static_cast<QWidget *>(this), static_cast<QWidget *>(subWindow_)}) {
        if (!window)
            continue;
        QString title = window->windowTitle();
        if (marked != endsWithModifiedMark(title)) {
            if (marked)
                title += QStringLiteral("[*]");
            else
                title.chop(3);
            window->setWindowTitle(title);
        }
        window->setWindowModified(marked);
    }
}
