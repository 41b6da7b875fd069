// The program as installed for every user: its sample world is read-only and
// its settings file may be refused; neither may trap the player.
#include "MainFormTestSupport.h"

namespace {

using InstalledProgram = MainFormFixture;

TEST_F(InstalledProgram, AnUnwritableSettingsFileStillShowsTheSampleWorldAndIsReportedAtExitAfterTheMapsQuestions)
{
    // A settings file whose folder is a plain file: every write is refused.
    folder.writeText(QStringLiteral("pas-un-dossier"), QByteArray("x"));
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    folder.writeMap(QStringLiteral("pelmorin.vr"), 40, 26, 1);
    main = std::make_unique<TMainForm>(folder.path(QStringLiteral("pas-un-dossier/pelmorin.cfg")));
    main->setNewMapPrompt(&newMaps);
    main->show();
    main->ReopenMaps();
    ASSERT_EQ(dialogs.errors.size(), 1) << "the refused defaults at start-up";
    ASSERT_EQ(main->mapWindows().size(), 1);
    EXPECT_EQ(main->mapWindows()[0]->windowTitle(), QStringLiteral("pelmorin.vr"));
    EXPECT_TRUE(main->subWindowOf(main->mapWindows()[0])->isMaximized());
    dialogs.errors.clear();

    TMapForm *window = main->fileCommands().OpenMapWindow(folder.path(QStringLiteral("a.vr")));
    ASSERT_TRUE(window);
    window->document().modified = true;
    dialogs.questionAnswers.push_back(Answer::No);

    EXPECT_TRUE(main->close());
    ASSERT_EQ(dialogs.questions.size(), 1) << "the modified map is asked about first";
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("pelmorin.cfg"))) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("se ferme sans enregistrer")));
    main.reset();
    EXPECT_EQ(dialogs.errors.size(), 1) << "one box, not one per pass";
}

TEST_F(InstalledProgram, SavingTheInstalledSampleWorldAsksForANameInTheUsersFolder)
{
    ASSERT_TRUE(QDir(folder.path(QString())).mkpath(QStringLiteral("usr/bin")));
    ASSERT_TRUE(QDir(folder.path(QString())).mkpath(QStringLiteral("usr/share/pelmorin/img/1")));
    folder.writeMap(QStringLiteral("usr/share/pelmorin/pelmorin.vr"), 20, 13);
    const QString sample = QStringLiteral("usr/share/pelmorin/pelmorin.vr");
    const QByteArray before = folder.contents(sample);
    ProgramFolder::setPath(folder.path(QStringLiteral("usr/bin")));
    startWith({"pelmorin.vr"});
    ASSERT_EQ(main->mapWindows().size(), 1) << "the first start opens the installed sample world";
    EXPECT_EQ(newMaps.asked, 0);

    main->fileCommands().EnregistrerFichierExecute(); // the save dialog is cancelled
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].startPath, QDir::home().filePath(QStringLiteral("pelmorin.vr")));
    EXPECT_EQ(folder.contents(sample), before);
    EXPECT_EQ(main->mapWindows()[0]->windowTitle(), QStringLiteral("pelmorin.vr"));
}

} // namespace
