// Cities placed, changed and removed by hand from a map window's pop-up
// menu through the "Ville" dialog, and the palette's tooltips.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include "MapFormTestHost.h"
#include "map/CityEdits.h"
#include "ui/TCityDialog.h"
#include "ui/TPaletteForm.h"

namespace {

class CityCountingHost : public FakeMapWindowHost {
public:
    void citiesChanged(TMapForm *) override { ++cityChanges; }
    int cityChanges = 0;
};

// Which city entries the pop-up menu shows on a cell, as "place", "modify"
// and "remove" in that order, a disabled entry in brackets.
QStringList cityEntriesOn(TMapForm &form, QPoint cell)
{
    rightClick(form, cellCentre(cell.x(), cell.y()));
    EXPECT_TRUE(form.PopupMenu->isVisible());
    QStringList shown;
    const std::pair<QAction *, const char *> entries[] = {
        {form.PlacerVille, "place"}, {form.ModifierVille, "modify"}, {form.SupprimerVille, "remove"}};
    for (const auto &[action, name] : entries)
        if (action->isVisible())
            shown << (action->isEnabled() ? QString(name) : QStringLiteral("[%1]").arg(name));
    form.PopupMenu->hide();
    return shown;
}

// The dialog the entry opened, filled in and confirmed; it stays open when
// refused.
TCityDialog *confirm(TMapForm &form, const QString &name, const QString &number)
{
    auto *dialog = form.findChild<TCityDialog *>();
    if (!dialog)
        return nullptr;
    dialog->Edit1->setText(name);
    dialog->Edit2->setText(number);
    dialog->Button1->click();
    return dialog;
}

} // namespace

TEST(MapCityCommands, ThePopUpMenuOffersToPlaceOnAPlainCellAndToChangeOrRemoveACity)
{
    CityCountingHost host;
    auto map = grassWorld();
    placeCity(*map, 2, 1, 5, "Alba");
    ShownMapForm shown(host, std::move(map));
    TMapForm &form = shown.form;

    const QList<QAction *> items = form.PopupMenu->actions();
    ASSERT_EQ(items.size(), 8);
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_EQ(items[5]->text(), "Placer une ville ici…");
    EXPECT_EQ(items[6]->text(), "Modifier la ville…");
    EXPECT_EQ(items[7]->text(), "Supprimer la ville");

    EXPECT_EQ(cityEntriesOn(form, {3, 1}), QStringList{"place"});
    EXPECT_EQ(cityEntriesOn(form, {2, 1}), (QStringList{"modify", "remove"}));
    // Beyond the map's last column (the window is wider than the map).
    form.document().width = 10;
    EXPECT_EQ(cityEntriesOn(form, {12, 1}), QStringList{"[place]"});
}

TEST(MapCityCommands, ACityPlacedChangedAndRemovedThroughTheDialogOneEditEach)
{
    CityCountingHost host;
    auto map = grassWorld();
    placeCity(*map, 2, 1, 41, "Alba");
    map->modified = false;
    ShownMapForm shown(host, std::move(map));
    TMapForm &form = shown.form;
    const CarteVarenthe &document = form.document();

    rightClick(form, cellCentre(4, 3));
    form.PlacerVille->trigger();
    auto *dialog = form.findChild<TCityDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Ville");
    EXPECT_EQ(dialog->Edit2->text(), "42");
    EXPECT_TRUE(dialog->isVisible());

    // Each refusal says why, keeps the dialog open with what was typed, and
    // leaves the map alone.
    const struct {
        QString name, number, reason;
    } refused[] = {
        {"  ", "42", "Le nom de la ville est vide."},
        {"Ville \u2713", "42", "Le caractère « \u2713 » ne peut pas être enregistré dans une carte : "
                               "choisissez-en un autre."},
        {"Brelande", "4 2", "Le numéro « 4 2 » n'est pas un nombre entier de 0 à 2147483647."},
        {"Brelande", "-1", "Le numéro « -1 » n'est pas un nombre entier de 0 à 2147483647."},
        {"Brelande", "2147483648", "Le numéro « 2147483648 » n'est pas un nombre entier de 0 à 2147483647."},
    };
    for (const auto &r : refused) {
        ASSERT_EQ(confirm(form, r.name, r.number), dialog);
        EXPECT_EQ(dialog->refusal(), r.reason);
        EXPECT_TRUE(dialog->isVisible()) << r.reason.toStdString();
        EXPECT_EQ(dialog->Edit1->text(), r.name);
        EXPECT_EQ(dialog->Edit2->text(), r.number);
    }
    EXPECT_EQ(document.elements.size(), 1u);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(host.cityChanges, 0);

    const int minimapBefore = host.minimapRepaints;
    confirm(form, " Brelande ", "42");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form.findChild<TCityDialog *>(), nullptr);
    const Element *city = cityAt(document, 4, 3);
    ASSERT_NE(city, nullptr);
    EXPECT_EQ(std::tie(city->name, city->number), std::make_tuple(std::string("Brelande"), 42));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(host.cityChanges, 1);
    EXPECT_GT(host.minimapRepaints, minimapBefore);

    // Changed: the dialog starts from the city as it is.
    rightClick(form, cellCentre(4, 3));
    form.ModifierVille->trigger();
    dialog = form.findChild<TCityDialog *>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Edit1->text(), "Brelande");
    EXPECT_EQ(dialog->Edit2->text(), "42");
    confirm(form, "Brelande-sur-Mer", "7");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(std::tie(city->name, city->number), std::make_tuple(std::string("Brelande-sur-Mer"), 7));
    EXPECT_EQ(host.cityChanges, 2);

    // Cancelled: nothing changes.
    rightClick(form, cellCentre(4, 3));
    form.ModifierVille->trigger();
    form.findChild<TCityDialog *>()->Button2->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(city->name, "Brelande-sur-Mer");
    EXPECT_EQ(host.cityChanges, 2);

    rightClick(form, cellCentre(4, 3));
    form.SupprimerVille->trigger();
    EXPECT_EQ(cityAt(document, 4, 3), nullptr);
    EXPECT_EQ(document.elements.size(), 2u); // the erased record stays
    EXPECT_EQ(host.cityChanges, 3);
}

TEST(MapCityCommands, EachPaletteTileSaysItsNumberAndCategory)
{
    TileLibrary tiles;
    TPaletteForm palette{tiles};
    palette.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&palette));
    const struct {
        int category, column, row;
        QString tip; // empty: no tooltip
    } places[] = {
        {3, 0, 0, "Tuile 2511 \u2014 Villes - Institutions nationales"},
        {11, 4, 0, "Tuile 257 \u2014 Zones"},
        {11, 0, 1, ""},
    };
    for (const auto &p : places) {
        palette.setCategory(p.category);
        const QPoint at = palettePlaceRect(p.column, p.row, 0).center();
        QHelpEvent help(QEvent::ToolTip, at, palette.mapToGlobal(at));
        QCoreApplication::sendEvent(&palette, &help);
        // An empty place lets the request go on, with no tip of its own.
        EXPECT_EQ(help.isAccepted(), !p.tip.isEmpty()) << p.tip.toStdString();
        if (!p.tip.isEmpty()) {
            EXPECT_EQ(QToolTip::text(), p.tip);
        }
    }
}
