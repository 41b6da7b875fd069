// The player starts the program: the maps of the last run come back, in
// their order and with their views, and a first start has sensible defaults.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "MainFormTestSupport.h"

namespace {

TEST(MainFormStartup, FirstStartInAnEmptyFolderOpensTheWorldMapMaximisedOnTheDefaultCell)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("pelmorin.vr"), 300, 169, 1);
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;

    auto main = std::make_unique<TMainForm>();
    main->setNewMapPrompt(&newMaps);
    // Before the first activation: no map, the program's name in the last
    // panel, nothing to save.
    EXPECT_EQ(main->statusPanelText(3), QStringLiteral("Pelmorin"));
    EXPECT_FALSE(main->command(Command::EnregistrerFichier)->isEnabled());
    EXPECT_FALSE(main->command(Command::EnregistrerBitmap)->isEnabled());
    // The default sections are in the file from the construction on.
    ConfigFile config = folder.config();
    EXPECT_EQ(config.readString(QStringLiteral("Cartes Ouvertes"), QStringLiteral("Carte 0"), {}),
              QStringLiteral("pelmorin.vr"));
    EXPECT_TRUE(config.sectionExists(QStringLiteral("Aspects")));

    main->resize(1000, 700);
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main->mapsReopened(); }, 5000));
    QCoreApplication::processEvents();

    ASSERT_EQ(main->mapWindows().size(), 1);
    TMapForm *map = main->mapWindows().constFirst();
    EXPECT_EQ(main->activeMapWindow(), map);
    EXPECT_TRUE(subWindowOf(*main, map)->isMaximized());
    EXPECT_EQ(map->zoomPercent(), 100);
    EXPECT_EQ(map->viewCentreCell(), QPoint(169, 58));
    EXPECT_EQ(captionOf(*main, map), QStringLiteral("pelmorin.vr"));
    EXPECT_EQ(main->applicationTitle(), QStringLiteral("pelmorin.vr"));
    EXPECT_TRUE(main->statusPanelText(3).startsWith(QStringLiteral("Pelmorin - ")));
    EXPECT_TRUE(main->command(Command::EnregistrerFichier)->isEnabled());
    EXPECT_TRUE(main->command(Command::EnregistrerBitmap)->isEnabled());
    EXPECT_EQ(newMaps.asked, 0);
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char('\n')).toStdString();

    // A later activation does not read the list again.
    main->activateWindow();
    main->ReopenMaps();
    QCoreApplication::processEvents();
    EXPECT_EQ(main->mapWindows().size(), 1);
}

TEST(MainFormStartup, AMissingDefaultMapAsksForANewMapUnderItsName)
{
    ScratchProgram folder;
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    newMaps.answers.push_back(cityMapRequest());

    auto main = startMainForm(newMaps);

    EXPECT_EQ(newMaps.asked, 1);
    ASSERT_EQ(main->mapWindows().size(), 1);
    const CarteVarenthe &map = main->mapWindows().constFirst()->document();
    EXPECT_EQ(QString::fromStdString(map.fileName), QStringLiteral("pelmorin.vr"));
    EXPECT_TRUE(map.untitled);
    EXPECT_TRUE(map.modified);
}

TEST(MainFormStartup, MapsComeBackInListOrderWithTheLastOneActiveAndBrokenOnesSkipped)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("ville.vr"), 20, 13);
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1);
    folder.writeText(QStringLiteral("abime.vr"), QByteArray("ceci n'est pas une carte"));
    {
        ConfigFile config = folder.config();
        config.writeString(QStringLiteral("Cartes Ouvertes"), QStringLiteral("Carte 3"), QStringLiteral("ville.vr"));
        config.writeString(QStringLiteral("Cartes Ouvertes"), QStringLiteral("Carte 5"), QStringLiteral("abime.vr"));
        config.writeString(QStringLiteral("Cartes Ouvertes"), QStringLiteral("Carte 7"), QStringLiteral("ville.vr"));
        config.writeString(QStringLiteral("Cartes Ouvertes"), QStringLiteral("Carte 9"), QStringLiteral("monde.vr"));
        config.writeInteger(QStringLiteral("Carte 7"), QStringLiteral("Echelle"), 50);
        config.writeInteger(QStringLiteral("Carte 9"), QStringLiteral("Echelle"), 36);
        config.writeInteger(QStringLiteral("Carte 9"), QStringLiteral("Etat Fenetre"), 0);
        config.writeInteger(QStringLiteral("Carte 9"), QStringLiteral("x"), 150);
        config.writeInteger(QStringLiteral("Carte 9"), QStringLiteral("y"), 80);
    }
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;

    auto main = startMainForm(newMaps);

    // The unreadable file shows the reader's message once and is skipped.
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.constFirst().startsWith(QStringLiteral("Erreur de chargement|")));
    // A map listed twice opens twice, in two windows with their own documents.
    const QList<TMapForm *> windows = main->mapWindows();
    ASSERT_EQ(windows.size(), 3);
    EXPECT_EQ(captionOf(*main, windows[0]), QStringLiteral("ville.vr"));
    EXPECT_EQ(captionOf(*main, windows[1]), QStringLiteral("ville.vr"));
    EXPECT_EQ(captionOf(*main, windows[2]), QStringLiteral("monde.vr"));
    EXPECT_NE(&windows[0]->document(), &windows[1]->document());
    EXPECT_EQ(windows[0]->zoomPercent(), 100);
    EXPECT_EQ(windows[1]->zoomPercent(), 50);
    // The last of the list was the active map at exit: it is on top again.
    EXPECT_EQ(main->activeMapWindow(), windows[2]);
    EXPECT_EQ(windows[2]->zoomPercent(), 36);
    EXPECT_FALSE(subWindowOf(*main, windows[2])->isMaximized());
    EXPECT_EQ(main->applicationTitle(), QStringLiteral("monde.vr"));
}

TEST(MainFormStartup, AnEmptyListOpensNothingAndWritesNoDefault)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("pelmorin.vr"), 20, 13);
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;

    auto main = startMainForm(newMaps);

    EXPECT_TRUE(main->mapWindows().isEmpty());
    EXPECT_EQ(newMaps.asked, 0);
    EXPECT_TRUE(folder.config().readSection(QStringLiteral("Cartes Ouvertes")).isEmpty());
    EXPECT_EQ(main->statusPanelText(3), QStringLiteral("Pelmorin"));
}

TEST(MainFormStartup, TheWindowKeepsItsOuterSizeFromRunToRun)
{
    ScratchProgram folder;
    folder.writeText(QStringLiteral("pelmorin.cfg"),
                     QByteArray("[Cartes Ouvertes]\r\n[Fenetre]\r\nLargeur=700\r\nHauteur=500\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps; // the second start asks for the default map
    for (int run = 0; run < 2; ++run) {
        auto main = std::make_unique<TMainForm>();
        main->setNewMapPrompt(&newMaps);
        main->show();
        QTest::qWait(600);
        EXPECT_EQ(main->frameGeometry().size(), QSize(700, 500)) << "run " << run;
        ASSERT_TRUE(closeMainForm(*main));
    }
    EXPECT_EQ(folder.config().readInteger(QStringLiteral("Fenetre"), QStringLiteral("Largeur"), 0), 700);
    EXPECT_EQ(folder.config().readInteger(QStringLiteral("Fenetre"), QStringLiteral("Hauteur"), 0), 500);
}

TEST(MainFormStartup, TheAspectMenuListsTheAspectsOfTheFile)
{
    ScratchProgram folder;
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);

    const QList<QAction *> items = main->aspectMenu()->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("&Eté"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("&Hiver"));
    // None is marked at start; choosing one marks it and loads its folder;
    // choosing it again unmarks it and reloads the same folder.
    EXPECT_FALSE(items[0]->isChecked() || items[1]->isChecked());
    items[1]->trigger();
    EXPECT_TRUE(items[1]->isChecked());
    EXPECT_EQ(main->tileLibrary().aspectFolder(), QStringLiteral(".\\img\\4\\"));
    items[0]->trigger();
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_FALSE(items[1]->isChecked());
    EXPECT_EQ(main->tileLibrary().aspectFolder(), QStringLiteral(".\\img\\1\\"));
    items[0]->trigger();
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_EQ(main->tileLibrary().aspectFolder(), QStringLiteral(".\\img\\1\\"));
}

} // namespace
