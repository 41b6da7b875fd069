// The map maker creates, opens and saves maps from the "&Fichier" menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QImageReader>

#include "MainFormTestSupport.h"
#include "app/MapFileCommands.h"

namespace {

struct FileCommandsFixture : ::testing::Test {
    void SetUp() override
    {
        folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\n"));
        main = startMainForm(newMaps);
    }
    void TearDown() override
    {
        // Nothing to ask about while the window goes.
        for (TMapForm *window : main->mapWindows())
            window->document().modified = false;
        main.reset();
    }
    TMapForm *openThroughDialog(const QString &path)
    {
        dialogs.openAnswers.push_back(path);
        main->command(Command::OuvrirFichier)->trigger();
        QCoreApplication::processEvents();
        return main->activeMapWindow();
    }

    ScratchProgram folder;
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    std::unique_ptr<TMainForm> main;
};

TEST_F(FileCommandsFixture, NewMapsAreNamedAfterTheNumberOfOpenWindows)
{
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    openThroughDialog(folder.path(QStringLiteral("a.vr")));
    openThroughDialog(folder.path(QStringLiteral("a.vr")));
    ASSERT_EQ(main->mapWindows().size(), 2);

    newMaps.answers.push_back(cityMapRequest());
    main->command(Command::NouveauFichier)->trigger();
    ASSERT_EQ(main->mapWindows().size(), 3);
    TMapForm *third = main->activeMapWindow();
    EXPECT_EQ(captionOf(*main, third), QStringLiteral("Sans titre 3"));
    EXPECT_TRUE(third->document().untitled);
    EXPECT_TRUE(third->document().modified);

    // After one window closes, the next new map gets the same name again.
    main->mdiArea()->setActiveSubWindow(subWindowOf(*main, main->mapWindows()[0]));
    main->command(Command::FermerFichier)->trigger();
    QCoreApplication::processEvents();
    newMaps.answers.push_back(cityMapRequest());
    main->command(Command::NouveauFichier)->trigger();
    EXPECT_EQ(captionOf(*main, main->activeMapWindow()), QStringLiteral("Sans titre 3"));

    // Cancelling the dialog creates nothing.
    main->command(Command::NouveauFichier)->trigger();
    EXPECT_EQ(main->mapWindows().size(), 3);
    EXPECT_EQ(newMaps.asked, 3);
}

TEST_F(FileCommandsFixture, NewOpensAnExistingFileOfThatName)
{
    folder.writeMap(QStringLiteral("Sans titre 1"), 30, 20);
    main->command(Command::NouveauFichier)->trigger();
    EXPECT_EQ(newMaps.asked, 0);
    ASSERT_EQ(main->mapWindows().size(), 1);
    EXPECT_EQ(main->activeMapWindow()->document().width, 30);
    EXPECT_FALSE(main->activeMapWindow()->document().untitled);
}

TEST_F(FileCommandsFixture, ATypedNameWithoutAFileCreatesAnUntitledMapThatAsksForItsNameOnSave)
{
    const QString typed = folder.path(QStringLiteral("nouvelle.vr"));
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
    const QString chosen = folder.path(QStringLiteral("choisie.vr"));
    dialogs.saveAnswers.push_back(chosen);
    main->command(Command::EnregistrerFichier)->trigger();
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_FALSE(window->document().untitled);
    EXPECT_FALSE(window->document().modified);
    EXPECT_EQ(captionOf(*main, window), chosen);
    EXPECT_EQ(main->applicationTitle(), chosen);
}

TEST_F(FileCommandsFixture, SavingAnOpenedMapWritesItAgainWithoutAsking)
{
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    TMapForm *window = openThroughDialog(folder.path(QStringLiteral("a.vr")));
    ASSERT_NE(window, nullptr);
    QFile::remove(folder.path(QStringLiteral("a.vr")));
    main->command(Command::EnregistrerFichier)->trigger();
    EXPECT_TRUE(dialogs.saveRequests.isEmpty());
    EXPECT_TRUE(QFile::exists(folder.path(QStringLiteral("a.vr"))));
    EXPECT_EQ(captionOf(*main, window), folder.path(QStringLiteral("a.vr")));
}

TEST_F(FileCommandsFixture, AFailedWriteShowsTheWritersTextAndKeepsTheFlags)
{
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    TMapForm *window = openThroughDialog(folder.path(QStringLiteral("a.vr")));
    ASSERT_NE(window, nullptr);
    window->document().modified = true;

    const QString impossible = folder.path(QStringLiteral("dossier-absent/b.vr"));
    dialogs.saveAnswers.push_back(impossible);
    main->command(Command::EnregistrerFichierSous)->trigger();

    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Erreur d'enregistrement|")));
    EXPECT_GT(dialogs.errors[0].size(), QStringLiteral("Erreur d'enregistrement|").size());
    EXPECT_TRUE(window->document().modified);
    EXPECT_EQ(QString::fromStdString(window->document().fileName), folder.path(QStringLiteral("a.vr")));
    // Nothing names the file that was never written.
    EXPECT_EQ(captionOf(*main, window), folder.path(QStringLiteral("a.vr")));
    EXPECT_EQ(main->applicationTitle(), folder.path(QStringLiteral("a.vr")));
}

TEST_F(FileCommandsFixture, AnUnreadableFileShowsTheReadersTextAndOpensNoWindow)
{
    folder.writeText(QStringLiteral("abime.vr"), QByteArray("PMVR\x03\x00\x00\x00", 8));
    EXPECT_EQ(openThroughDialog(folder.path(QStringLiteral("abime.vr"))), nullptr);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Erreur de chargement|")));
    EXPECT_TRUE(main->mapWindows().isEmpty());
    // The open dialog cancelled: nothing happens.
    main->command(Command::OuvrirFichier)->trigger();
    EXPECT_TRUE(main->mapWindows().isEmpty());
    EXPECT_EQ(newMaps.asked, 0);
}

TEST_F(FileCommandsFixture, DialogsOfferMapsFirstAndEveryFileAsTheOtherChoice)
{
    const FileRequest open = main->fileCommands().openRequest();
    EXPECT_EQ(open.filters, QStringList({QStringLiteral("Tous les fichiers (*.*)"),
                                         QStringLiteral("Cartes de Varenthe (*.vr)")}));
    EXPECT_EQ(open.selectedFilter, 1);
    EXPECT_EQ(open.defaultSuffix, QStringLiteral("vr"));
    const FileRequest bitmap = main->fileCommands().bitmapRequest();
    EXPECT_EQ(bitmap.filters, QStringList({QStringLiteral("Tous les fichiers (*.*)"),
                                           QStringLiteral("Image Bitmap (*.bmp)"), QStringLiteral("Image PNG (*.png)")}));
    EXPECT_EQ(bitmap.selectedFilter, 1);
    EXPECT_EQ(bitmap.defaultSuffix, QStringLiteral("bmp"));
    EXPECT_EQ(bitmap.filterSuffixes, QStringList({"bmp", "bmp", "png"}));
}

TEST_F(FileCommandsFixture, TheBitmapOfAMapHasOnePitchPerCell)
{
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    TMapForm *window = openThroughDialog(folder.path(QStringLiteral("a.vr")));
    ASSERT_NE(window, nullptr);
    window->setZoom(50); // cells of 16 pixels, pitch 17 with the grid

    const QString image = folder.path(QStringLiteral("carte.bmp"));
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
