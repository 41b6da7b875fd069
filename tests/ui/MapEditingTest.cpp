// Editing a map in its window as a map maker does: strokes that leave no gap,
// rectangles and regions, each one step that "&Annuler" takes back exactly,
// the "*" of a modified map, and a history kept within its memory bound.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QUndoStack>
#include <string>

#include "MapFormTestHost.h"
#include "app/CommandTable.h"
#include "app/EditCommands.h"
#include "map/CellLine.h"
#include "map/Fills.h"
#include "map/MapFileWriter.h"
#include "map/PaletteEdit.h"
#include "render/MapOverview.h"
#include "render/MapRenderer.h"
#include "render/ScaledTileCache.h"
#include "ui/EditHistory.h"
#include "ui/PlainText.h"

namespace {

constexpr int Grass = 100;
constexpr int Sand = 101;
constexpr int Water = 102;
constexpr int Road = 110;

// The bytes a save writes, with a fixed time stamp.
std::string fileBytes(const CarteVarenthe &map)
{
    return std::string(encodeMapFile(map, 1).view());
}

// Grass with a lake of 10 by 6 cells at (20, 10) and a city beside it.
std::unique_ptr<CarteVarenthe> lakeWorld()
{
    auto map = grassWorld(60, 40);
    for (int y = 10; y < 16; ++y)
        for (int x = 20; x < 30; ++x)
            map->terrain.at(x, y) = Water;
    map->SetCellElement(31, 12, Element{ElementCity, "Port-Sablé", 31, 12, 42});
    map->modified = false;
    return map;
}

void pressWith(QWidget &widget, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(at), QPointF(widget.mapToGlobal(at)), button, button,
                      modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}

// A press, moves through the given cells (one mouse event each), a release.
void stroke(TMapForm &form, Qt::MouseButton button, std::initializer_list<QPoint> cells)
{
    const QPoint *last = nullptr;
    for (const QPoint &cell : cells) {
        if (!last)
            pressAt(form, button, cellCentre(cell.x(), cell.y()));
        else
            moveTo(form, button, cellCentre(cell.x(), cell.y()));
        last = &cell;
    }
    releaseAt(form, button, cellCentre(last->x(), last->y()));
}

class MapEditing : public MapFormFixture {
protected:
    MapEditing()
    {
        host.paletteShown = true;
        host.leftTile = Sand;
        host.rightTile = 255; // "Zone commerciale"
    }
    QStringList stepNames(TMapForm &form) const
    {
        QStringList names;
        for (int i = 0; i < form.undoStack()->count(); ++i)
            names.append(form.undoStack()->text(i));
        return names;
    }
};

TEST_F(MapEditing, UndoingEveryStepGivesBackTheSavedFileAndRedoingThemTheEditedOne)
{
    TMapForm &form = show(lakeWorld());
    const std::string saved = fileBytes(form.document());

    stroke(form, Qt::LeftButton, {{2, 2}, {3, 2}, {6, 4}});
    stroke(form, Qt::RightButton, {{31, 12}, {33, 12}});
    host.leftTile = Road;
    stroke(form, Qt::LeftButton, {{0, 20}, {4, 23}});
    pressWith(form, Qt::LeftButton, cellCentre(8, 30), Qt::ShiftModifier);
    moveTo(form, Qt::LeftButton, cellCentre(9, 31));
    releaseAt(form, Qt::LeftButton, cellCentre(10, 33));
    pressWith(form, Qt::RightButton, cellCentre(25, 12), Qt::ControlModifier);
    releaseAt(form, Qt::RightButton, cellCentre(25, 12));
    host.leftTile = Water;
    pressWith(form, Qt::LeftButton, cellCentre(0, 0), Qt::ControlModifier);
    releaseAt(form, Qt::LeftButton, cellCentre(0, 0));

    // The road piece at the map's edge joins the outside; the zone went over
    // the city (one cell) and two more.
    EXPECT_EQ(stepNames(form), QStringList({"peindre 7 cases", "peindre 3 cases", "peindre 8 cases",
                                            "remplir un rectangle de 12 cases", "remplir une région de 60 cases",
                                            QStringLiteral("remplir une région de 2\u202F313 cases")}));
    const std::string edited = fileBytes(form.document());
    ASSERT_NE(edited, saved);
    while (form.undoStack()->canUndo())
        form.undoStack()->undo();
    EXPECT_EQ(fileBytes(form.document()), saved);
    while (form.undoStack()->canRedo())
        form.undoStack()->redo();
    EXPECT_EQ(fileBytes(form.document()), edited);
}

TEST_F(MapEditing, AFastDragPaintsEveryCellItCrossedAsIfPaintedOneByOne)
{
    host.leftTile = Road;
    TMapForm &form = show(lakeWorld());
    auto reference = lakeWorld();
    // One mouse event from (2, 2) to (9, 5), then off the map's left edge
    // and down outside it: only the cells crossed inside are painted.
    pressAt(form, Qt::LeftButton, cellCentre(2, 2));
    moveTo(form, Qt::LeftButton, cellCentre(9, 5));
    moveTo(form, Qt::LeftButton, cellCentre(9, 6));
    moveTo(form, Qt::LeftButton, {-20, cellCentre(0, 6).y()});
    moveTo(form, Qt::LeftButton, {-20, cellCentre(0, 12).y()});
    releaseAt(form, Qt::LeftButton, {-20, cellCentre(0, 12).y()});
    for (const auto &[from, to] : {std::pair{CellPoint{2, 2}, CellPoint{9, 5}}, {{9, 5}, {9, 6}}, {{9, 6}, {0, 6}}})
        for (const CellPoint &cell : cellsOnLine(from.x, from.y, to.x, to.y))
            ApplyPaletteTile(*reference, cell.x, cell.y, Road);
    EXPECT_EQ(form.document().terrain.at(0, 9), Grass) << "painted beyond the edge";
    EXPECT_EQ(fileBytes(form.document()), fileBytes(*reference));
    EXPECT_EQ(form.undoStack()->count(), 1);
}

TEST_F(MapEditing, RectanglesAndRegionsPaintWhatTheFillsDoAndNothingFromOutsideTheMap)
{
    TMapForm &form = show(lakeWorld());
    auto reference = lakeWorld();
    pressWith(form, Qt::LeftButton, cellCentre(12, 8), Qt::ShiftModifier);
    moveTo(form, Qt::LeftButton, cellCentre(16, 3));
    EXPECT_EQ(form.document().terrain.at(12, 8), Grass) << "painted before the release";
    // The rectangle shows as a blue outline while the left button drags it.
    const QPoint corner(12 * 33 + 1, 3 * 33 + 1);
    EXPECT_EQ(form.grab().toImage().pixel(corner), qRgb(0, 0, 255));
    releaseAt(form, Qt::LeftButton, cellCentre(22, 11));
    EXPECT_NE(form.grab().toImage().pixel(corner), qRgb(0, 0, 255));
    FillRectangle(*reference, 12, 8, 22, 11, Sand);
    pressWith(form, Qt::RightButton, cellCentre(27, 14), Qt::ControlModifier);
    moveTo(form, Qt::RightButton, cellCentre(5, 5));
    releaseAt(form, Qt::RightButton, cellCentre(5, 5));
    FloodFill(*reference, 27, 14, 255);
    EXPECT_EQ(fileBytes(form.document()), fileBytes(*reference));
    EXPECT_FALSE(form.PopupMenu->isVisible());

    // The window is wider than this map: a fill pressed beside it does nothing.
    TMapForm &small = show(lakeWorld());
    small.document().create(10, 8, 0, 0, 0, Grass);
    small.document().modified = false;
    const std::string before = fileBytes(small.document());
    for (Qt::KeyboardModifier key : {Qt::ShiftModifier, Qt::ControlModifier}) {
        pressWith(small, Qt::LeftButton, cellCentre(12, 3), key);
        releaseAt(small, Qt::LeftButton, cellCentre(4, 3));
    }
    EXPECT_EQ(fileBytes(small.document()), before);
    EXPECT_EQ(small.undoStack()->count(), 0);
    EXPECT_FALSE(small.document().modified);

    // A zone fill that would take the map past the elements a file holds is
    // refused with a word; a smaller one still fits.
    ScriptedDialogs dialogs;
    small.document().elements.resize(MaxElementCount - 2);
    host.leftTile = 253;
    pressWith(small, Qt::LeftButton, cellCentre(4, 3), Qt::ControlModifier);
    releaseAt(small, Qt::LeftButton, cellCentre(4, 3));
    pressWith(small, Qt::LeftButton, cellCentre(4, 3), Qt::ShiftModifier);
    releaseAt(small, Qt::LeftButton, cellCentre(6, 3));
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cette zone demanderait 80 éléments de plus")));
    EXPECT_EQ(small.undoStack()->count(), 0);
    pressWith(small, Qt::LeftButton, cellCentre(4, 3), Qt::ShiftModifier);
    releaseAt(small, Qt::LeftButton, cellCentre(5, 3));
    EXPECT_EQ(small.document().elements.size(), size_t(MaxElementCount));
    EXPECT_EQ(small.undoStack()->count(), 1);
}

TEST_F(MapEditing, WhatAnEditOrItsUndoChangesIsRepaintedAtOnceInTheWindowAndTheMinimap)
{
    // The road pieces in colours of their own, so that a piece left
    // unjoined on screen shows.
    const ColouredTiles colours(host.tiles);
    for (int tile = Road; tile <= 122; ++tile) {
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(qRgb(tile * 7 % 256, tile * 13 % 256, tile * 29 % 256));
        picture.save(colours.folder.filePath(QStringLiteral("img/1/%1.bmp").arg(tile)));
    }
    host.tiles.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
    host.leftTile = Road;
    TMapForm &form = show(colours.map(60, 40));
    form.overview();
    form.repaint();
    auto expectShown = [&](const char *step) {
        QImage expected(form.size(), QImage::Format_RGB32);
        MapView view;
        view.cellSize = form.cellSize();
        view.gridGap = form.gridGap();
        view.scrollX = form.viewOriginX();
        view.scrollY = form.viewOriginY();
        ScaledTileCache tiles(host.tiles);
        RenderMap(expected, form.rect(), view, form.document(), host.appSettings, tiles);
        EXPECT_TRUE(form.backBuffer() == expected) << step;
        MapOverview overview;
        overview.rebuild(form.document(), host.tiles);
        EXPECT_TRUE(form.overview().picture() == overview.picture()) << step;
    };
    // The second road meets the end of the first, which turns into a T.
    stroke(form, Qt::LeftButton, {{5, 1}, {5, 4}});
    stroke(form, Qt::LeftButton, {{1, 5}, {9, 5}});
    expectShown("painted");
    form.undoStack()->undo();
    expectShown("undone");
    form.undoStack()->redo();
    expectShown("done again");
    host.rightTile = 254;
    pressWith(form, Qt::RightButton, cellCentre(5, 3), Qt::ControlModifier);
    releaseAt(form, Qt::RightButton, cellCentre(5, 3));
    form.undoStack()->undo();
    expectShown("zones undone");
}

TEST_F(MapEditing, TheMapIsModifiedExactlyAwayFromItsSavedPoint)
{
    ScriptedDialogs dialogs;
    dialogs.answer = Answer::No;
    TMapForm &form = show(lakeWorld());
    form.setWindowTitle(QStringLiteral("essai.vr"));
    auto expectModified = [&](bool modified, const char *when) {
        EXPECT_EQ(form.document().modified, modified) << when;
        EXPECT_EQ(form.isWindowModified(), modified) << when;
        EXPECT_EQ(form.windowTitle(), modified ? "essai.vr[*]" : "essai.vr") << when;
    };
    stroke(form, Qt::LeftButton, {{1, 1}, {1, 3}});
    expectModified(true, "after a stroke");
    form.undoStack()->undo();
    expectModified(false, "undone to the opened map");
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_TRUE(dialogs.questions.isEmpty());
    form.undoStack()->redo();
    form.markSaved(); // as a save does
    expectModified(false, "saved");
    form.undoStack()->undo();
    expectModified(true, "undone past the save");
    form.undoStack()->redo();
    expectModified(false, "back at the save");
    // The window list shows the mark, and a "[*]" typed in a name as typed.
    EXPECT_EQ(shownWindowTitle(plainWindowTitle("a[*]") + "[*]", true), "a[*]*");

    // A stroke under the mouse when the window is asked to close is a step
    // of its own, and asked about.
    pressAt(form, Qt::LeftButton, cellCentre(5, 5));
    moveTo(form, Qt::LeftButton, cellCentre(7, 5));
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(form.undoStack()->text(form.undoStack()->index() - 1), "peindre 3 cases");
}

TEST_F(MapEditing, TheHistoryDropsItsOldestStepsBeyondItsMemoryAndTheSavedPointWithThem)
{
    TMapForm &form = show(lakeWorld());
    EditHistory &history = form.editHistory();
    stroke(form, Qt::LeftButton, {{1, 1}});
    form.markSaved();
    const size_t oneStep = history.memoryBytes();
    history.setMemoryLimit(2 * oneStep);
    for (int row = 2; row <= 4; ++row)
        stroke(form, Qt::LeftButton, {{1, row}});
    EXPECT_EQ(form.undoStack()->count(), 2);
    EXPECT_LE(history.memoryBytes(), 2 * oneStep);
    while (form.undoStack()->canUndo())
        form.undoStack()->undo();
    // The two oldest strokes stay; the saved point (after the first) is
    // out of reach, so the map stays modified.
    EXPECT_EQ(form.document().terrain.at(1, 2), Sand);
    EXPECT_EQ(form.document().terrain.at(1, 3), Grass);
    EXPECT_TRUE(form.document().modified);
    EXPECT_TRUE(form.isWindowModified());
}

TEST_F(MapEditing, TheEditMenuNamesTheStepsOfTheActiveMapOnly)
{
    QObject owner;
    const CommandTable commands(&owner);
    QAction *undo = commands[Command::Annuler];
    QAction *redo = commands[Command::Retablir];
    EXPECT_EQ(redo->shortcuts(), QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    EditCommands edits(undo, redo, &owner);
    ShownMapForm other(host, grassWorld(100, 34));
    TMapForm &form = show(lakeWorld());
    edits.addStack(other.form.undoStack());
    edits.addStack(form.undoStack());
    edits.setActiveStack(form.undoStack());
    EXPECT_FALSE(undo->isEnabled());

    stroke(form, Qt::LeftButton, {{0, 0}, {13, 0}});
    EXPECT_EQ(undo->text(), "&Annuler : peindre 14 cases");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    EXPECT_EQ(redo->text(), "&Rétablir");
    undo->trigger();
    EXPECT_EQ(redo->text(), "&Rétablir : peindre 14 cases");
    EXPECT_EQ(undo->text(), "&Annuler");
    EXPECT_EQ(undo->statusTip(), "Annule la dernière modification de la carte");

    // The other map's region, undone there, leaves this map alone.
    redo->trigger();
    edits.setActiveStack(other.form.undoStack());
    pressWith(other.form, Qt::LeftButton, cellCentre(3, 3), Qt::ControlModifier);
    releaseAt(other.form, Qt::LeftButton, cellCentre(3, 3));
    EXPECT_EQ(undo->text(), QStringLiteral("&Annuler : remplir une région de 3\u202F400 cases"));
    undo->trigger();
    EXPECT_EQ(other.form.document().terrain.at(3, 3), Grass);
    EXPECT_EQ(form.document().terrain.at(13, 0), Sand);
    edits.setActiveStack(nullptr);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

} // namespace
