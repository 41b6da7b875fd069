// The "&Fichier" menu: new maps, opening, saving and the bitmap export.
#include <QImage>
#include <QImageReader>

#include "MainFormTestSupport.h"
#include "app/MapFileCommands.h"

namespace {

struct FileMenu : MainFormFixture {
    void SetUp() override { startWith({}); }
};

TEST_F(FileMenu, ATypedNameWithoutAFileCreatesAnUntitledMapThatAsksForItsNameOnceOnSave)
{
    const QString typed = folder.path("nouvelle.vr"), chosen = folder.path("choisie.vr");
    EXPECT_FALSE(main->fileCommands().openRequest().mustExist);
    newMaps.answers.push_back(NewMapRequest{});
    TMapForm *window = openThroughDialog(typed);
    ASSERT_NE(window, nullptr);
    // The caption, the main title, the document's file name and flags.
    const auto state = [&] {
        const CarteVarenthe &map = window->document();
        return QStringList({captionOf(*main, window), main->applicationTitle(), QString::fromStdString(map.fileName),
                            map.untitled ? "sans nom" : "nommée", map.modified ? "modifiée" : "enregistrée"});
    };
    EXPECT_EQ(state(), QStringList({typed, typed, typed, "sans nom", "modifiée"}));

    trigger(Command::EnregistrerFichier); // proposes the typed path; cancelled
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].startPath, typed);
    EXPECT_FALSE(QFile::exists(typed));
    EXPECT_EQ(state(), QStringList({typed, typed, typed, "sans nom", "modifiée"}));

    dialogs.saveAnswers.push_back(chosen);
    trigger(Command::EnregistrerFichier);
    EXPECT_TRUE(QFile::remove(chosen));
    EXPECT_EQ(state(), QStringList({chosen, chosen, chosen, "nommée", "enregistrée"}));
    trigger(Command::EnregistrerFichier); // named now: no dialog
    EXPECT_EQ(dialogs.saveRequests.size(), 2);
    EXPECT_TRUE(QFile::exists(chosen));

    // A refused "Enregistrer &sous ..." names nothing that was never written.
    window->document().modified = true;
    dialogs.saveAnswers.push_back(folder.path("dossier-absent/b.vr"));
    trigger(Command::EnregistrerFichierSous);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Erreur d'enregistrement|"));
    EXPECT_GT(dialogs.errors[0].size(), QString("Erreur d'enregistrement|").size());
    EXPECT_EQ(state(), QStringList({chosen, chosen, chosen, "nommée", "modifiée"}));
}

TEST_F(FileMenu, TheBitmapHasOnePitchPerCellAndReplacesOnlyWhatMayGo)
{
    folder.writeMap("a.vr", 20, 13);
    folder.writeText("notes.bmp", QByteArray("pas une image"));
    TMapForm *window = openThroughDialog(folder.path("a.vr"));
    ASSERT_NE(window, nullptr);
    window->setZoom(50); // cells of 16 pixels, pitch 17 with the grid
    auto exportTo = [&](const QString &name) {
        dialogs.questions.clear();
        dialogs.saveAnswers.push_back(folder.path(name));
        trigger(Command::EnregistrerBitmap);
        return dialogs.questions;
    };

    // Written, then replaced with no question; proposed again next time.
    EXPECT_TRUE(exportTo("carte.bmp").isEmpty());
    EXPECT_TRUE(exportTo("carte.bmp").isEmpty());
    EXPECT_EQ(QImageReader(folder.path("carte.bmp")).size(), QSize(340, 221));
    EXPECT_EQ(main->fileCommands().bitmapRequest().startPath, folder.path("carte.bmp"));

    // A picture of the other kind: asked, and kept when the answer is not Yes.
    ASSERT_TRUE(QImage(4, 4, QImage::Format_RGB32).save(folder.path("png.bmp"), "PNG"));
    const QByteArray disguised = folder.contents("png.bmp");
    ASSERT_EQ(exportTo("png.bmp").size(), 1);
    EXPECT_EQ(folder.contents("png.bmp"), disguised);

    // Any other file that is no bitmap: replaced once confirmed.
    dialogs.questionAnswers.push_back(Answer::Yes);
    EXPECT_EQ(exportTo("notes.bmp").size(), 1);
    EXPECT_TRUE(folder.contents("notes.bmp").startsWith("BM"));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

} // namespace
