// The map maker creates, opens and saves maps from the "&Fichier" menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QImageReader>

#include "MainFormTestSupport.h"
#include "app/MapFileCommands.h"

namespace {

struct FileMenu : MainFormFixture {
    void SetUp() override { startWith({}); }
};

TEST_F(FileMenu, NewMapsAreNamedAfterTheNumberOfOpenWindows)
{
    folder.writeMap("a.vr", 20, 13);
    openThroughDialog(folder.path("a.vr"));
    openThroughDialog(folder.path("a.vr"));
    ASSERT_EQ(main->mapWindows().size(), 2);

    newMaps.answers.push_back(cityMapRequest());
    main->command(Command::NouveauFichier)->trigger();
    ASSERT_EQ(main->mapWindows().size(), 3);
    TMapForm *third = main->activeMapWindow();
    EXPECT_EQ(captionOf(*main, third), "Sans titre 3");
    EXPECT_TRUE(third->document().untitled);
    EXPECT_TRUE(third->document().modified);

    // After one window closes, the next new map gets the same name again.
    main->mdiArea()->setActiveSubWindow(subWindowOf(*main, main->mapWindows()[0]));
    main->command(Command::FermerFichier)->trigger();
    QCoreApplication::processEvents();
    newMaps.answers.push_back(cityMapRequest());
    main->command(Command::NouveauFichier)->trigger();
    EXPECT_EQ(captionOf(*main, main->activeMapWindow()), "Sans titre 3");

    // Cancelling the dialog creates nothing.
    main->command(Command::NouveauFichier)->trigger();
    EXPECT_EQ(main->mapWindows().size(), 3);
    EXPECT_EQ(newMaps.asked, 3);
}

TEST_F(FileMenu, NewOpensAnExistingFileOfThatName)
{
    folder.writeMap("Sans titre 1", 30, 20);
    main->command(Command::NouveauFichier)->trigger();
    EXPECT_EQ(newMaps.asked, 0);
    ASSERT_EQ(main->mapWindows().size(), 1);
    EXPECT_EQ(main->activeMapWindow()->document().width, 30);
    EXPECT_FALSE(main->activeMapWindow()->document().untitled);
}

TEST_F(FileMenu, ATypedNameWithoutAFileCreatesAnUntitledMapThatAsksForItsNameOnSave)
{
    const QString typed = folder.path("nouvelle.vr");
    EXPECT_FALSE(main->fileCommands().openRequest().mustExist);
    newMaps.answers.push_back(cityMapRequest());
    TMapForm *window = openThroughDialog(typed);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(captionOf(*main, window), typed);
    EXPECT_TRUE(window->document().untitled);

    // "&Enregistrer" proposes the typed path; cancelling changes nothing.
    main->command(Command::EnregistrerFichier)->trigger();
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].startPath, typed);
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_TRUE(window->document().untitled);
    EXPECT_TRUE(window->document().modified);

    // Confirming another name writes there and shows it.
    const QString chosen = folder.path("choisie.vr");
    dialogs.saveAnswers.push_back(chosen);
    main->command(Command::EnregistrerFichier)->trigger();
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_FALSE(window->document().untitled);
    EXPECT_FALSE(window->document().modified);
    EXPECT_EQ(captionOf(*main, window), chosen);
    EXPECT_EQ(main->applicationTitle(), chosen);
}

TEST_F(FileMenu, SavingAnOpenedMapWritesItAgainAndAFailedWriteKeepsTheFlags)
{
    folder.writeMap("a.vr", 20, 13);
    TMapForm *window = openThroughDialog(folder.path("a.vr"));
    ASSERT_NE(window, nullptr);
    QFile::remove(folder.path("a.vr"));
    main->command(Command::EnregistrerFichier)->trigger();
    EXPECT_TRUE(dialogs.saveRequests.isEmpty());
    EXPECT_TRUE(QFile::exists(folder.path("a.vr")));

    // "Enregistrer &sous ..." into a missing folder shows the writer's text.
    window->document().modified = true;
    dialogs.saveAnswers.push_back(folder.path("dossier-absent/b.vr"));
    main->command(Command::EnregistrerFichierSous)->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Erreur d'enregistrement|"));
    EXPECT_GT(dialogs.errors[0].size(), QString("Erreur d'enregistrement|").size());
    EXPECT_TRUE(window->document().modified);
    EXPECT_EQ(QString::fromStdString(window->document().fileName), folder.path("a.vr"));
    // Nothing names the file that was never written.
    EXPECT_EQ(captionOf(*main, window), folder.path("a.vr"));
    EXPECT_EQ(main->applicationTitle(), folder.path("a.vr"));
}

TEST_F(FileMenu, AnUnreadableFileShowsTheReadersTextAndOpensNoWindow)
{
    folder.writeText("abime.vr", QByteArray("PMVR\x03\x00\x00\x00", 8));
    EXPECT_EQ(openThroughDialog(folder.path("abime.vr")), nullptr);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Erreur de chargement|"));
    EXPECT_TRUE(main->mapWindows().isEmpty());
    // The open dialog cancelled: nothing happens.
    main->command(Command::OuvrirFichier)->trigger();
    EXPECT_TRUE(main->mapWindows().isEmpty());
    EXPECT_EQ(newMaps.asked, 0);
}

TEST_F(FileMenu, DialogsOfferMapsFirstAndEveryFileAsTheOtherChoice)
{
    const FileRequest open = main->fileCommands().openRequest();
    EXPECT_EQ(open.filters, QStringList({"Tous les fichiers (*.*)", "Cartes de Varenthe (*.vr)"}));
    EXPECT_EQ(open.selectedFilter, 1);
    EXPECT_EQ(open.defaultSuffix, "vr");
    const FileRequest bitmap = main->fileCommands().bitmapRequest();
    EXPECT_EQ(bitmap.filters, QStringList({"Tous les fichiers (*.*)", "Image Bitmap (*.bmp)", "Image PNG (*.png)"}));
    EXPECT_EQ(bitmap.selectedFilter, 1);
    EXPECT_EQ(bitmap.defaultSuffix, "bmp");
    EXPECT_EQ(bitmap.filterSuffixes, QStringList({"bmp", "bmp", "png"}));
}

TEST_F(FileMenu, TheBitmapOfAMapHasOnePitchPerCell)
{
    folder.writeMap("a.vr", 20, 13);
    TMapForm *window = openThroughDialog(folder.path("a.vr"));
    ASSERT_NE(window, nullptr);
    window->setZoom(50); // cells of 16 pixels, pitch 17 with the grid

    const QString image = folder.path("carte.bmp");
    dialogs.saveAnswers.push_back(image);
    main->command(Command::EnregistrerBitmap)->trigger();
    EXPECT_EQ(QImageReader(image).size(), QSize(340, 221));
    // The dialog proposes the last name next time; cancelling writes nothing.
    EXPECT_EQ(main->fileCommands().bitmapRequest().startPath, image);
    QFile::remove(image);
    main->command(Command::EnregistrerBitmap)->trigger();
    EXPECT_FALSE(QFile::exists(image));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

} // namespace
