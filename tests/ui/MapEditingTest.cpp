// Editing in a map window: strokes, rectangles, regions, cities by hand, undo, the "*" and the history's bound.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

#include "MapFormTestHost.h"
#include "app/CommandTable.h"
#include "app/EditCommands.h"
#include "map/CellLine.h"
#include "map/CityEdits.h"
#include "map/Fills.h"
#include "map/MapFileWriter.h"
#include "map/PaletteEdit.h"
#include "ui/EditHistory.h"
#include "ui/PlainText.h"
#include "ui/TCityDialog.h"

namespace {

constexpr int Grass = 100, Sand = 101, Water = 102, Road = 110;

// The bytes a save writes, with a fixed time stamp.
std::string fileBytes(const CarteVarenthe &map) { return std::string(encodeMapFile(map, 1).view()); }

// Grass with a lake of 10 by 6 cells at (20, 10) and a city beside it.
std::unique_ptr<CarteVarenthe> lakeWorld()
{
    auto map = grassWorld(60, 40);
    for (int i = 0; i < 60; ++i)
        map->terrain.at(20 + i % 10, 10 + i / 10) = Water;
    map->SetCellElement(31, 12, Element{ElementCity, "Port-Sablé", 31, 12, 42});
    map->modified = false;
    return map;
}

// A press, one move to each further cell, a release.
void stroke(TMapForm &form, Qt::MouseButton button, std::initializer_list<QPoint> cells)
{
    pressAt(form, button, cellCentre(*cells.begin()));
    for (auto cell = cells.begin() + 1; cell != cells.end(); ++cell)
        moveTo(form, button, cellCentre(*cell));
    releaseAt(form, button, cellCentre(*(cells.end() - 1)));
}

// A Shift rectangle or a Ctrl region from one cell to another.
void fill(TMapForm &form, Qt::MouseButton button, Qt::KeyboardModifier key, QPoint from, QPoint to)
{
    pressAt(form, button, cellCentre(from), key);
    releaseAt(form, button, cellCentre(to));
}

// The entry chosen on the cell, and the dialog it opened, if any.
TCityDialog *chooseOn(TMapForm &form, int column, int row, QAction *entry)
{
    rightClick(form, cellCentre(column, row));
    form.PopupMenu->hide();
    entry->trigger();
    return form.findChild<TCityDialog *>();
}

// "Ok" on what is typed; a refused dialog stays open.
void confirm(TCityDialog *dialog, const QString &name, const QString &number)
{
    dialog->Edit1->setText(name);
    dialog->Edit2->setText(number);
    dialog->Button1->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Sand on the left button, "Zone commerciale" on the right.
struct MapEditing : MapFormFixture {
    MapEditing() { host.paletteShown = true, host.leftTile = Sand, host.rightTile = 255; }
};

TEST_F(MapEditing, UndoingEveryStepGivesBackTheSavedFileAndRedoingThemTheEditedOne)
{
    TMapForm &form = show(lakeWorld());
    const std::string saved = fileBytes(form.document());
    stroke(form, Qt::LeftButton, {{2, 2}, {3, 2}, {6, 4}});
    stroke(form, Qt::RightButton, {{31, 12}, {33, 12}});
    host.leftTile = Road;
    stroke(form, Qt::LeftButton, {{0, 20}, {4, 23}});
    fill(form, Qt::LeftButton, Qt::ShiftModifier, {8, 30}, {10, 33});
    fill(form, Qt::RightButton, Qt::ControlModifier, {25, 12}, {25, 12});
    host.leftTile = Water;
    fill(form, Qt::LeftButton, Qt::ControlModifier, {0, 0}, {0, 0});
    // The road piece at the map's edge joins the outside; the zone went over the city and two more cells.
    QStringList steps;
    for (int i = 0; i < form.undoStack()->count(); ++i)
        steps << form.undoStack()->text(i);
    EXPECT_EQ(steps, QStringList({"peindre 7 cases", "peindre 3 cases", "peindre 8 cases",
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

TEST_F(MapEditing, AFastDragPaintsEveryCellItCrossedAndNothingBeyondTheMapsEdge)
{
    host.leftTile = Road;
    TMapForm &form = show(lakeWorld());
    auto reference = lakeWorld();
    // One mouse event from (2, 2) to (9, 5), then just left of the map and down outside it.
    pressAt(form, Qt::LeftButton, cellCentre(2, 2));
    for (const QPoint at : {cellCentre(9, 5), cellCentre(9, 6), QPoint(-20, 6 * 33 + 16), QPoint(-20, 12 * 33 + 16)})
        moveTo(form, Qt::LeftButton, at);
    releaseAt(form, Qt::LeftButton, {-20, 12 * 33 + 16});
    for (const auto &[from, to] : {std::pair{CellPoint{2, 2}, CellPoint{9, 5}}, {{9, 5}, {9, 6}}, {{9, 6}, {0, 6}}})
        for (const CellPoint &cell : cellsOnLine(from.x, from.y, to.x, to.y))
            ApplyPaletteTile(*reference, cell.x, cell.y, Road);
    EXPECT_EQ(fileBytes(form.document()), fileBytes(*reference));
    EXPECT_EQ(form.scrollX(), 0) << "painting does not drag the view";
}

TEST_F(MapEditing, RectanglesAndRegionsPaintWhatTheFillsDoAndNothingFromOutsideTheMap)
{
    TMapForm &form = show(lakeWorld());
    auto reference = lakeWorld();
    pressAt(form, Qt::LeftButton, cellCentre(12, 8), Qt::ShiftModifier);
    moveTo(form, Qt::LeftButton, cellCentre(16, 3));
    const QPoint corner(12 * 33 + 1, 3 * 33 + 1);
    EXPECT_EQ(form.grab().toImage().pixel(corner), qRgb(0, 0, 255)) << "the dragged rectangle's outline";
    releaseAt(form, Qt::LeftButton, cellCentre(22, 11));
    EXPECT_NE(form.grab().toImage().pixel(corner), qRgb(0, 0, 255));
    FillRectangle(*reference, 12, 8, 22, 11, Sand);
    pressAt(form, Qt::RightButton, cellCentre(27, 14), Qt::ControlModifier);
    moveTo(form, Qt::RightButton, cellCentre(5, 5));
    releaseAt(form, Qt::RightButton, cellCentre(5, 5));
    FloodFill(*reference, 27, 14, 255);
    EXPECT_EQ(fileBytes(form.document()), fileBytes(*reference));
    rightClick(form, cellCentre(27, 14));
    EXPECT_FALSE(form.PopupMenu->isVisible()) << "the right button paints instead of opening the menu";

    // Pressed beside a map narrower than the window, neither fill does anything.
    TMapForm &small = show(lakeWorld());
    small.document().create(10, 8, 0, 0, 0, Grass);
    small.document().modified = false;
    for (Qt::KeyboardModifier key : {Qt::ShiftModifier, Qt::ControlModifier})
        fill(small, Qt::LeftButton, key, {12, 3}, {4, 3});
    EXPECT_EQ(small.undoStack()->count(), 0);
    EXPECT_FALSE(small.document().modified);

    // A zone fill past the elements a map file holds is refused with a word; one that just fits is not.
    ScriptedDialogs dialogs;
    small.document().elements.resize(MaxElementCount - 2);
    host.leftTile = 253;
    fill(small, Qt::LeftButton, Qt::ControlModifier, {4, 3}, {4, 3});
    fill(small, Qt::LeftButton, Qt::ShiftModifier, {4, 3}, {6, 3});
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cette zone demanderait 80 éléments de plus")));
    EXPECT_EQ(small.undoStack()->count(), 0);
    fill(small, Qt::LeftButton, Qt::ShiftModifier, {4, 3}, {5, 3});
    EXPECT_EQ(small.document().elements.size(), size_t(MaxElementCount));
    EXPECT_EQ(small.undoStack()->count(), 1);
}

TEST_F(MapEditing, WhatAnEditOrItsUndoChangesIsRepaintedAtOnceInTheWindowAndTheMinimap)
{
    const ColouredTiles colours(host.tiles);
    host.leftTile = Road;
    TMapForm &form = show(colours.map(60, 40));
    form.overview();
    form.repaint();
    const auto expectShown = [&](const char *step) {
        EXPECT_TRUE(form.backBuffer() == freshPicture(form, host)) << step;
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
}

TEST_F(MapEditing, TheMapIsModifiedExactlyAwayFromItsSavedPoint)
{
    ScriptedDialogs dialogs;
    dialogs.answer = Answer::No;
    TMapForm &form = show(lakeWorld());
    form.setWindowTitle(QStringLiteral("essai.vr"));
    const auto expectModified = [&](bool modified, const char *when) {
        EXPECT_EQ(form.document().modified, modified) << when;
        EXPECT_EQ(form.isWindowModified(), modified) << when;
        EXPECT_EQ(form.windowTitle(), modified ? "essai.vr[*]" : "essai.vr") << when;
    };
    stroke(form, Qt::LeftButton, {{1, 1}, {1, 3}});
    expectModified(true, "after a stroke");
    form.undoStack()->undo();
    expectModified(false, "undone to the opened map");
    form.undoStack()->redo();
    form.markSaved(); // as a save does
    form.undoStack()->undo();
    expectModified(true, "undone past the save");
    form.undoStack()->redo();
    expectModified(false, "back at the save");
    EXPECT_EQ(shownWindowTitle(plainWindowTitle("a[*]") + "[*]", true), "a[*]*") << "the window list's mark";

    // A stroke under the mouse when the window is asked to close is a step of its own, and asked about.
    pressAt(form, Qt::LeftButton, cellCentre(5, 5));
    moveTo(form, Qt::LeftButton, cellCentre(8, 5));
    EXPECT_TRUE(form.FormCloseQuery());
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(form.undoStack()->text(form.undoStack()->index() - 1), "peindre 4 cases");
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
    // The saved point, after the first stroke, went with it: the map stays modified.
    EXPECT_EQ(form.document().terrain.at(1, 2), Sand);
    EXPECT_EQ(form.document().terrain.at(1, 3), Grass);
    EXPECT_TRUE(form.isWindowModified());
}

TEST_F(MapEditing, TheEditMenuNamesTheStepItWouldTakeBackOrDoAgain)
{
    QObject owner;
    const CommandTable commands(&owner);
    QAction *undo = commands[Command::Annuler], *redo = commands[Command::Retablir];
    EditCommands edits(undo, redo, &owner);
    TMapForm &form = show(lakeWorld());
    edits.addStack(form.undoStack());
    edits.setActiveStack(form.undoStack());
    stroke(form, Qt::LeftButton, {{0, 0}, {13, 0}});
    EXPECT_EQ(undo->text(), "&Annuler : peindre 14 cases");
    EXPECT_EQ(redo->text(), "&Rétablir");
    EXPECT_FALSE(redo->isEnabled());
    undo->trigger();
    EXPECT_EQ(form.document().terrain.at(13, 0), Grass);
    EXPECT_EQ(redo->text(), "&Rétablir : peindre 14 cases");
    EXPECT_EQ(undo->text(), "&Annuler");
    EXPECT_EQ(undo->statusTip(), "Annule la dernière modification de la carte");
}

TEST_F(MapEditing, ACityPlacedChangedAndRemovedFromThePopUpMenuIsOneUndoableEditEach)
{
    host.paletteShown = false; // the right button opens the menu
    auto map = grassWorld(10, 8);
    placeCity(*map, 2, 1, 41, "Alba");
    map->modified = false;
    TMapForm &form = show(std::move(map));
    const CarteVarenthe &document = form.document();
    // The menu offers to place a city where there is none, greyed outside the map, and to change a city.
    for (const auto &[column, entries] : {std::pair{4, CityEntries{true, true, false}}, {10, {true, false, false}},
                                          {2, {false, true, true}}})
        EXPECT_EQ(cityEntriesOn(document, column, column == 2 ? 1 : 3), entries) << column;

    TCityDialog *dialog = chooseOn(form, 4, 3, form.PlacerVille);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Ville");
    // Each refusal says why and keeps the dialog open with what was typed.
    for (const auto &[name, number, reason] : {
             std::tuple<QString, QString, QString>{"  ", "42", "Le nom de la ville est vide."},
             {"Ville \u2713", "42", "Le caractère « \u2713 » ne peut pas être enregistré dans une carte : "
                                    "choisissez-en un autre."},
             {"Brelande", "2147483648", "Le numéro « 2147483648 » n'est pas un nombre entier de 0 à 2147483647."}}) {
        confirm(dialog, name, number);
        EXPECT_EQ(dialog->refusal(), reason);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->Edit1->text() + dialog->Edit2->text(), name + number);
    }
    EXPECT_FALSE(document.modified);

    const int minimapRepaints = host.minimapRepaints;
    confirm(dialog, " Brelande ", "42");
    const Element *city = cityAt(document, 4, 3);
    ASSERT_NE(city, nullptr);
    EXPECT_EQ(std::tie(city->name, city->number), std::make_tuple(std::string("Brelande"), 42));
    EXPECT_EQ(host.cityChanges, 1);
    EXPECT_GT(host.minimapRepaints, minimapRepaints);
    dialog = chooseOn(form, 4, 3, form.ModifierVille);
    EXPECT_EQ(dialog->Edit1->text() + "/" + dialog->Edit2->text(), "Brelande/42");
    confirm(dialog, "Brelande-sur-Mer", "7");
    EXPECT_EQ(std::tie(city->name, city->number), std::make_tuple(std::string("Brelande-sur-Mer"), 7));
    chooseOn(form, 4, 3, form.SupprimerVille);
    EXPECT_EQ(cityAt(document, 4, 3), nullptr);

    // Taken back step by step, the city and the city list come back with it.
    QUndoStack &history = *form.undoStack();
    EXPECT_EQ(history.undoText(), "supprimer la ville Brelande-sur-Mer");
    history.undo();
    ASSERT_NE(cityAt(document, 4, 3), nullptr);
    EXPECT_EQ(cityAt(document, 4, 3)->name, "Brelande-sur-Mer");
    history.undo();
    history.undo();
    EXPECT_EQ(cityAt(document, 4, 3), nullptr);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(host.cityChanges, 6);
}

} // namespace
