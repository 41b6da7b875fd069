// The frame around the maps: commands and menus, the status bar, the tool
// windows following the active map, and the window arrangements.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QStatusTipEvent>

#include "MainFormTestSupport.h"
#include "app/MdiArrange.h"
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

TEST(MainFormCommands, EveryCommandCarriesItsCaptionHintAndShortcuts)
{
    ScratchProgram folder;
    ScriptedDialogs dialogs;
    TMainForm main;

    QAction *zoomIn = main.command(Command::ZommAvant);
    EXPECT_EQ(zoomIn->text(), QStringLiteral("Zomm avant"));
    EXPECT_EQ(zoomIn->shortcuts(), QList<QKeySequence>({QKeySequence(Qt::Key_F3), QKeySequence(Qt::Key_Plus)}));
    EXPECT_EQ(zoomIn->toolTip(), QStringLiteral("Zomm avant"));
    EXPECT_EQ(zoomIn->statusTip(), QStringLiteral("Zoom avant sur la carte active"));
    EXPECT_EQ(main.command(Command::EnregistrerBitmap)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    EXPECT_EQ(main.command(Command::EffacerChemins)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(main.command(Command::Quitter)->text(), QStringLiteral("E&xit"));
    EXPECT_FALSE(main.command(Command::NouveauFichier)->icon().isNull());
    EXPECT_FALSE(main.command(Command::Cascade)->icon().isNull());
    EXPECT_TRUE(main.command(Command::MontrerPalette)->isCheckable());
    EXPECT_EQ(main.commands().action(QStringLiteral("MosaiqueVerticale")), main.command(Command::MosaiqueVerticale));

    // The five menus in order, and the items of the first and fourth.
    EXPECT_EQ(captionsOf(main.menuBar()->actions()),
              QStringList({QStringLiteral("&Fichier"), QStringLiteral("Affic&hage"),
                           QStringLiteral("&Recherche de chemin"), QStringLiteral("Fe&nêtres"),
                           QStringLiteral("&Aide")}));
    EXPECT_EQ(captionsOf(main.menuBar()->actions()[0]->menu()->actions()),
              QStringList({QStringLiteral("&Nouveau"), QStringLiteral("&Ouvrir"), QStringLiteral("&Fermer"),
                           QStringLiteral("-"), QStringLiteral("&Enregistrer"), QStringLiteral("Enregistrer &sous ..."),
                           QStringLiteral("Enregistrer bitmap"), QStringLiteral("-"), QStringLiteral("E&xit")}));
    EXPECT_EQ(captionsOf(main.windowMenu()->actions()).mid(0, 9),
              QStringList({QStringLiteral("&Cascade"), QStringLiteral("Mosaïque &horizontale"),
                           QStringLiteral("Mosaïque &verticale"), QStringLiteral("&Minimiser tous"),
                           QStringLiteral("&Arranger tous"), QStringLiteral("-"), QStringLiteral("&Liste des villes"),
                           QStringLiteral("&Minipelmorin"), QStringLiteral("&Palette")}));
    EXPECT_EQ(main.menuBar()->actions()[3]->statusTip(), QStringLiteral("Commandes pour les fenêtre"));
}

TEST(MainFormStatusBar, LongHintsGoToTheFirstPanel)
{
    ScratchProgram folder;
    ScriptedDialogs dialogs;
    TMainForm main;
    QStatusTipEvent tip(main.command(Command::OuvrirFichier)->statusTip());
    QCoreApplication::sendEvent(&main, &tip);
    EXPECT_EQ(main.statusPanelText(0), QStringLiteral("Ouvre une carte existante"));
    // The other panels keep their text.
    EXPECT_EQ(main.statusPanelText(3), QStringLiteral("Pelmorin"));
}

TEST(MainFormWindows, AfterTheLastMapClosesThePanelEmptiesAndTheTitleIsBare)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1);
    folder.writeMap(QStringLiteral("ville.vr"), 20, 13);
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\nCarte 0=monde.vr\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);
    ASSERT_EQ(main->mapWindows().size(), 1);
    EXPECT_TRUE(main->command(Command::FermerFichier)->isEnabled());

    main->command(Command::FermerFichier)->trigger();
    QCoreApplication::processEvents();

    EXPECT_TRUE(main->mapWindows().isEmpty());
    EXPECT_EQ(main->statusPanelText(3), QString());
    EXPECT_FALSE(main->command(Command::EnregistrerFichier)->isEnabled());
    EXPECT_FALSE(main->command(Command::EnregistrerFichierSous)->isEnabled());
    EXPECT_FALSE(main->command(Command::EnregistrerBitmap)->isEnabled());
    EXPECT_EQ(main->applicationTitle(), QString::fromUtf8(NoMapTitle));
    // Commands that need a map do nothing now.
    main->command(Command::ZommAvant)->trigger();
    main->command(Command::EffacerChemins)->trigger();
    main->command(Command::ActualiserChemins)->trigger();

    // The next map window takes the title and the panel.
    dialogs.openAnswers.push_back(folder.path(QStringLiteral("ville.vr")));
    main->command(Command::OuvrirFichier)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(main->applicationTitle(), folder.path(QStringLiteral("ville.vr")));
    EXPECT_TRUE(main->command(Command::EnregistrerFichier)->isEnabled());
}

TEST(MainFormWindows, TheMinimapFollowsWorldMapsAndKeepsItsTick)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1);
    folder.writeMap(QStringLiteral("ville.vr"), 20, 13);
    folder.writeText(QStringLiteral("pelmorin.cfg"),
                     QByteArray("[Cartes Ouvertes]\r\nCarte 0=monde.vr\r\nCarte 1=ville.vr\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);
    ASSERT_EQ(main->mapWindows().size(), 2);
    QAction *tick = main->command(Command::MontrerMinipelmorin);
    ASSERT_TRUE(tick->isChecked()); // shown by default

    // A city map is active: hidden, still ticked.
    EXPECT_FALSE(main->minimapForm()->isVisible());
    EXPECT_TRUE(tick->isChecked());

    // The world map: shown again.
    main->mdiArea()->setActiveSubWindow(subWindowOf(*main, main->mapWindows()[0]));
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->minimapForm()->isVisible());

    // F10 twice, with the world map active: off, then back in the top-right
    // corner of the client area.
    main->minimapForm()->move(5, 5);
    tick->trigger();
    EXPECT_FALSE(tick->isChecked());
    EXPECT_FALSE(main->minimapForm()->isVisible());
    tick->trigger();
    EXPECT_TRUE(main->minimapForm()->isVisible());
    const QPoint corner = main->mdiArea()->mapToGlobal(QPoint(main->mdiArea()->width(), 0));
    EXPECT_EQ(main->minimapForm()->frameGeometry().topRight() + QPoint(1, 0), corner);

    // Its close box clears the tick.
    main->minimapForm()->close();
    EXPECT_FALSE(tick->isChecked());
}

TEST(MainFormWindows, CityListAndPaletteTicks)
{
    ScratchProgram folder;
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);

    QAction *cities = main->command(Command::MontrerVilles);
    EXPECT_FALSE(cities->isChecked());
    cities->trigger();
    EXPECT_TRUE(main->citiesForm()->isVisible());
    // Right below the minimap's place, down to the status bar.
    const QPoint origin = main->mdiArea()->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(main->citiesForm()->frameGeometry().top(), origin.y() + main->minimapForm()->frameGeometry().height());
    EXPECT_EQ(main->citiesForm()->frameGeometry().right() + 1, origin.x() + main->mdiArea()->width());
    main->citiesForm()->close();
    EXPECT_FALSE(cities->isChecked());

    // The palette's close box leaves its tick: the next F11 only clears it,
    // the one after shows the palette.
    QAction *palette = main->command(Command::MontrerPalette);
    palette->trigger();
    EXPECT_TRUE(main->paletteForm()->isVisible());
    EXPECT_TRUE(main->paletteVisible());
    main->paletteForm()->close();
    EXPECT_TRUE(palette->isChecked());
    palette->trigger();
    EXPECT_FALSE(main->paletteForm()->isVisible());
    palette->trigger();
    EXPECT_TRUE(main->paletteForm()->isVisible());
}

TEST(MainFormWindows, ZoomKeysActOnTheActiveMapAndToolKeysWorkFromToolWindows)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1);
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\nCarte 0=monde.vr\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);
    ASSERT_EQ(main->mapWindows().size(), 1);
    TMapForm *map = main->mapWindows()[0];
    main->activateWindow();
    QCoreApplication::processEvents();

    QTest::keyClick(map, Qt::Key_F4);
    EXPECT_EQ(map->zoomPercent(), 81);
    QTest::keyClick(map, Qt::Key_Plus);
    EXPECT_EQ(map->zoomPercent(), 98);
    QTest::keyClick(map, Qt::Key_F3);
    EXPECT_EQ(map->zoomPercent(), 100);

    // F11 typed while the minimap has the focus still shows the palette.
    main->minimapForm()->activateWindow();
    QCoreApplication::processEvents();
    QTest::keyClick(main->minimapForm(), Qt::Key_F11);
    EXPECT_TRUE(main->command(Command::MontrerPalette)->isChecked());
    EXPECT_TRUE(main->paletteForm()->isVisible());
}

TEST(MainFormWindows, TheWindowListNamesEveryMapAndMarksTheActiveOne)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    folder.writeMap(QStringLiteral("b.vr"), 20, 13);
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\nCarte 0=a.vr\r\nCarte 1=b.vr\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);

    main->rebuildWindowList();
    QList<QAction *> items = main->windowMenu()->actions().mid(9);
    ASSERT_EQ(captionsOf(items), QStringList({QStringLiteral("-"), QStringLiteral("&1 a.vr"), QStringLiteral("&2 b.vr")}));
    EXPECT_FALSE(items[1]->isChecked());
    EXPECT_TRUE(items[2]->isChecked());

    // Choosing an entry activates that map; the list is rebuilt each time.
    items[1]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(captionOf(*main, main->activeMapWindow()), QStringLiteral("a.vr"));
    main->command(Command::FermerFichier)->trigger();
    QCoreApplication::processEvents();
    main->rebuildWindowList();
    EXPECT_EQ(captionsOf(main->windowMenu()->actions().mid(9)), QStringList({QStringLiteral("-"), QStringLiteral("&1 b.vr")}));
}

TEST(MainFormWindows, TilingSharesTheAreaWithoutOverlap)
{
    const QRect area(0, 0, 900, 600);
    EXPECT_EQ(horizontalTiles(area, 3),
              QList<QRect>({QRect(0, 0, 900, 200), QRect(0, 200, 900, 200), QRect(0, 400, 900, 200)}));
    // The last tile takes what the division leaves; minimised windows keep
    // their row at the bottom.
    EXPECT_EQ(verticalTiles(area, 2, 30), QList<QRect>({QRect(0, 0, 450, 570), QRect(450, 0, 450, 570)}));
    EXPECT_EQ(verticalTiles(QRect(0, 0, 100, 50), 3).constLast(), QRect(66, 0, 34, 50));
    EXPECT_TRUE(horizontalTiles(area, 0).isEmpty());

    ScratchProgram folder;
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    folder.writeText(QStringLiteral("pelmorin.cfg"),
                     QByteArray("[Cartes Ouvertes]\r\nCarte 0=a.vr\r\nCarte 1=a.vr\r\nCarte 2=a.vr\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);
    ASSERT_EQ(main->mapWindows().size(), 3);

    main->command(Command::MosaiqueVerticale)->trigger();
    const int width = main->mdiArea()->viewport()->width();
    QList<QRect> placed;
    for (TMapForm *window : main->mapWindows())
        placed.append(subWindowOf(*main, window)->geometry());
    EXPECT_EQ(placed, verticalTiles(main->mdiArea()->viewport()->rect(), 3));
    EXPECT_EQ(placed.constLast().right() + 1, width);

    // Minimise all, then arrange: a row along the bottom, left to right.
    main->command(Command::MinimiserTous)->trigger();
    main->command(Command::ArrangerTous)->trigger();
    int left = 0;
    for (TMapForm *window : main->mapWindows()) {
        QMdiSubWindow *sub = subWindowOf(*main, window);
        EXPECT_TRUE(sub->isMinimized());
        EXPECT_EQ(sub->geometry().left(), left);
        EXPECT_EQ(sub->geometry().bottom() + 1, main->mdiArea()->viewport()->height());
        left += sub->width();
    }
}

} // namespace
