// Cities placed, changed and removed by hand through the "Ville" dialog.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

#include "MapFormTestHost.h"
#include "map/CityEdits.h"
#include "ui/CellHover.h"
#include "ui/TCityDialog.h"

namespace {

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

using MapCityCommands = MapFormFixture;

TEST_F(MapCityCommands, ACityPlacedChangedAndRemovedFromThePopUpMenuIsOneUndoableEditEach)
{
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
