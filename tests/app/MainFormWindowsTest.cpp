// The frame around the maps: commands and menus, the status bar, the tool
// windows following the active map.
#include <QAction>
#include <QApplication>
#include <QMenuBar>

#include "MainFormTestSupport.h"
#include "ui/TCitiesForm.h"
#include "ui/TMinimapForm.h"
#include "ui/TPaletteForm.h"

namespace {

QStringList captionsOf(const QList<QAction *> &actions)
{
    QStringList captions;
    for (QAction *action : actions)
        captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

using MainFormCommands = MainFormFixture;
using MainFormFrame = MainFormFixture;

TEST_F(MainFormCommands, EveryCommandCarriesItsCaptionHintAndShortcutsInItsMenu)
{
    TMainForm main;
    QAction *zoomIn = main.command(Command::ZommAvant);
    EXPECT_EQ(QStringList({zoomIn->text(), zoomIn->toolTip(), zoomIn->statusTip()}),
              QStringList({"Zomm avant", "Zomm avant", "Zoom avant sur la carte active"}));
    EXPECT_EQ(zoomIn->shortcuts(), QList<QKeySequence>({QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_Plus)}));

    EXPECT_EQ(captionsOf(main.menuBar()->actions()),
              QStringList({"&Fichier", "&Edition", "Affic&hage", "&Recherche de chemin", "Fe&nêtres", "&Aide"}));
    EXPECT_EQ(captionsOf(main.menuBar()->actions()[1]->menu()->actions()), QStringList({"&Annuler", "&Rétablir"}));
    EXPECT_EQ(captionsOf(main.menuBar()->actions()[0]->menu()->actions()),
              QStringList({"&Nouveau", "&Ouvrir", "&Fermer", "-", "&Enregistrer", "Enregistrer &sous ...",
                           "Enregistrer bitmap", "Enregistrer la vue", "Fichiers &récents", "-", "E&xit"}));
    EXPECT_EQ(captionsOf(main.windowMenu()->actions()).mid(0, 9),
              QStringList({"&Cascade", "Mosaïque &horizontale", "Mosaïque &verticale", "&Minimiser tous",
                           "&Arranger tous", "-", "&Liste des villes", "&Minipelmorin", "&Palette"}));
}

TEST_F(MainFormFrame, TheWindowListAndClosingTheOtherMapTakesOverAndTheLastLeavesABareFrame)
{
    folder.writeMap("monde.vr", 300, 169, 1);
    startWith({"monde.vr", "monde.vr"}, "[Carte 1]\r\nEtat Fenetre=2\r\n");
    ASSERT_EQ(main->mapWindows().size(), 2);
    QAction *tick = main->command(Command::MontrerMinipelmorin);
    ASSERT_TRUE(main->minimapForm()->isVisible());

    main->rebuildWindowList();
    EXPECT_TRUE(main->windowMenu()->actions().constLast()->isChecked()) << "the active map is marked";

    // "&Fermer" on a modified map asks; the other world map takes the title at once.
    main->activeMapWindow()->document().modified = true;
    dialogs.questionAnswers = {Answer::No};
    trigger(Command::FermerFichier);
    EXPECT_EQ(dialogs.questions.size(), 1);
    ASSERT_EQ(main->mapWindows().size(), 1);
    EXPECT_EQ(main->applicationTitle(), "monde.vr");
    EXPECT_TRUE(main->minimapForm()->isVisible());
    main->rebuildWindowList();
    EXPECT_EQ(captionsOf(main->windowMenu()->actions().mid(9)), QStringList({"-", "&1 monde.vr"}));

    // The last one: a bare title, nothing to save, the minimap hidden with its tick kept.
    trigger(Command::FermerFichier);
    ASSERT_TRUE(main->mapWindows().isEmpty());
    for (Command save : {Command::EnregistrerFichier, Command::EnregistrerFichierSous, Command::EnregistrerBitmap})
        EXPECT_FALSE(main->command(save)->isEnabled());
    EXPECT_EQ(main->applicationTitle(), QString::fromUtf8(NoMapTitle));
    EXPECT_EQ(main->windowTitle(), "Carte du Pelmorin");
    EXPECT_FALSE(main->minimapForm()->isVisible());
    EXPECT_TRUE(tick->isChecked());
    // Commands that need a map do nothing now.
    for (Command needsMap : {Command::ZommAvant, Command::EffacerChemins, Command::ActualiserChemins})
        trigger(needsMap);

    openThroughDialog(folder.path("monde.vr"));
    EXPECT_EQ(main->applicationTitle(), folder.path("monde.vr"));
    EXPECT_TRUE(main->command(Command::EnregistrerFichier)->isEnabled());
    EXPECT_TRUE(main->minimapForm()->isVisible());
}

TEST_F(MainFormFrame, TheToolWindowsFollowTheirTicksAndTheMinimapWorldMapsOnly)
{
    folder.writeMap("monde.vr", 300, 169, 1);
    folder.writeMap("ville.vr", 20, 13);
    startWith({"monde.vr", "ville.vr"});
    ASSERT_EQ(main->mapWindows().size(), 2);
    QAction *tick = main->command(Command::MontrerMinipelmorin);
    const auto minimap = [&] { return std::make_pair(tick->isChecked(), main->minimapForm()->isVisible()); };
    EXPECT_EQ(minimap(), std::make_pair(true, false)) << "ticked by default, hidden while a city map is active";
    makeActive(main->mapWindows()[0]);
    tick->trigger();
    EXPECT_EQ(minimap(), std::make_pair(false, false));
    tick->trigger();
    EXPECT_EQ(minimap(), std::make_pair(true, true));
    main->minimapForm()->close();
    EXPECT_FALSE(tick->isChecked()) << "its close box clears the tick";

    // The palette's close box leaves its tick: the next F11 only clears it.
    QAction *palette = main->command(Command::MontrerPalette);
    palette->trigger();
    EXPECT_TRUE(main->paletteVisible());
    main->paletteForm()->close();
    EXPECT_TRUE(palette->isChecked());
    palette->trigger();
    EXPECT_FALSE(main->paletteForm()->isVisible());
    palette->trigger();
    EXPECT_TRUE(main->paletteForm()->isVisible());
}

TEST_F(MainFormFrame, TheActiveMapTakesTheZoomKeysAndToolKeysWorkFromToolWindows)
{
    folder.writeMap("monde.vr", 300, 169, 1);
    startWith({"monde.vr", "monde.vr"});
    ASSERT_EQ(main->mapWindows().size(), 2);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == main.get(); }, 2000));
    for (TMapForm *window : main->mapWindows()) {
        makeActive(window);
        EXPECT_EQ(QApplication::focusWidget(), window);
    }
    const struct { Qt::Key key; int zoom; } keys[] = {{Qt::Key_F4, 81}, {Qt::Key_F3, 98}};
    for (const auto &k : keys) {
        QTest::keyClick(QApplication::focusWidget(), k.key);
        EXPECT_EQ(main->activeMapWindow()->zoomPercent(), k.zoom) << k.key;
    }

    // F11 typed while the minimap has the focus still shows the palette.
    main->minimapForm()->activateWindow();
    QCoreApplication::processEvents();
    QTest::keyClick(main->minimapForm(), Qt::Key_F11);
    EXPECT_TRUE(main->command(Command::MontrerPalette)->isChecked());
    EXPECT_TRUE(main->paletteForm()->isVisible());
}

} // namespace
