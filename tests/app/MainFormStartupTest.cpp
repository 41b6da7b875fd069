// Start-up: the last run's maps come back in order with their views; a first
// start has sensible defaults.
#include <QAction>
#include <QMenu>

#include "MainFormTestSupport.h"

namespace {

using MainFormStartup = MainFormFixture;

TEST_F(MainFormStartup, FirstStartInAnEmptyFolderOpensTheWorldMapMaximisedOnTheDefaultCell)
{
    folder.writeMap("pelmorin.vr", 300, 169, 1);
    start();
    ASSERT_EQ(main->mapWindows().size(), 1);
    TMapForm *map = main->mapWindows().constFirst();
    EXPECT_EQ(main->activeMapWindow(), map);
    EXPECT_TRUE(main->subWindowOf(map)->isMaximized());
    EXPECT_EQ(map->viewCentreCell(), QPoint(169, 58));
    EXPECT_EQ(main->applicationTitle(), "pelmorin.vr");
    EXPECT_TRUE(dialogs.errors.isEmpty());

    main->ReopenMaps(); // a later activation reads no list again
    QCoreApplication::processEvents();
    EXPECT_EQ(main->mapWindows().size(), 1);
}

TEST_F(MainFormStartup, MapsComeBackInListOrderWithTheLastOneActiveAndBrokenOnesSkipped)
{
    folder.writeMap("ville.vr", 20, 13);
    folder.writeMap("monde.vr", 300, 169, 1);
    folder.writeText("abime.vr", "ceci n'est pas une carte");
    folder.writeText("pelmorin.cfg", "[Cartes Ouvertes]\r\nCarte 3=ville.vr\r\nCarte 5=abime.vr\r\nCarte 7=ville.vr\r\n"
                                     "Carte 9=monde.vr\r\n[Carte 7]\r\nEchelle=50\r\n"
                                     "[Carte 9]\r\nEchelle=36\r\nEtat Fenetre=0\r\nx=150\r\ny=80\r\n");
    start();

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.constFirst().startsWith("Erreur de chargement|"));
    // A map listed twice opens twice, with two documents.
    const QList<TMapForm *> windows = main->mapWindows();
    ASSERT_EQ(windows.size(), 3);
    QStringList shown;
    for (TMapForm *window : windows)
        shown << captionOf(*main, window) + QStringLiteral(" %1").arg(window->zoomPercent());
    EXPECT_EQ(shown, QStringList({"ville.vr 100", "ville.vr 50", "monde.vr 36"}));
    EXPECT_NE(&windows[0]->document(), &windows[1]->document());
    EXPECT_EQ(main->activeMapWindow(), windows[2]) << "the last of the list was active at exit";
    EXPECT_FALSE(main->subWindowOf(windows[2])->isMaximized());
}

TEST_F(MainFormStartup, AnEmptyListOpensNothingAndTheAspectMenuListsTheAspectsOfTheFile)
{
    folder.writeMap("pelmorin.vr", 20, 13);
    startWith({});
    EXPECT_TRUE(main->mapWindows().isEmpty());
    EXPECT_EQ(newMaps.asked, 0);

    const QList<QAction *> items = main->aspectMenu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(QStringList({items[0]->text(), items[1]->text()}), QStringList({"&Eté", "&Hiver"}));
    items[1]->trigger();
    EXPECT_TRUE(items[1]->isChecked() && !items[0]->isChecked());
    EXPECT_EQ(main->tileLibrary().aspectFolder(), ".\\img\\4\\");
}

TEST_F(MainFormStartup, TheWindowKeepsItsOuterSizeFromRunToRun)
{
    folder.writeText("pelmorin.cfg", "[Cartes Ouvertes]\r\n[Fenetre]\r\nLargeur=700\r\nHauteur=500\r\n");
    for (int run = 0; run < 2; ++run) { // the second start asks for the default map
        main = std::make_unique<TMainForm>();
        main->setNewMapPrompt(&newMaps);
        main->show();
        QTest::qWait(600);
        EXPECT_EQ(main->frameGeometry().size(), QSize(700, 500)) << "run " << run;
        ASSERT_TRUE(closeMainForm(*main));
    }
    EXPECT_EQ(QSize(folder.config().readInteger("Fenetre", "Largeur", 0), folder.config().readInteger("Fenetre", "Hauteur", 0)),
              QSize(700, 500));
}

} // namespace
