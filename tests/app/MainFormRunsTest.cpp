// The program from start to exit and from run to run: the last run's maps come
// back, the open maps and recent files are remembered, the command line's maps
// open after them; installed for every user, nothing may trap the player.
#include <QMenu>

#include "MainFormTestSupport.h"
#include "app/CommandLine.h"
#include "settings/ConfigOpenMaps.h"

namespace {

using MainFormRuns = MainFormFixture;
using InstalledProgram = MainFormFixture;
using Action = CommandLine::Action;

QStringList listedMaps(const ScratchProgram &folder)
{
    QStringList lines;
    for (const ConfigEntry &entry : readOpenMapList(folder.config()))
        lines.append(entry.key + QLatin1Char('=') + entry.value);
    return lines;
}

QStringList menuTexts(QMenu *menu)
{
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction *item : menu->actions())
        texts.append((item->isEnabled() ? QString() : QStringLiteral("grisé ")) + item->text());
    return texts;
}

// A map listed twice opens twice, with two documents; at exit the list is
// written from the least to the most recently active, without the untitled map.
TEST_F(MainFormRuns, MapsComeBackInListOrderAndGoBackFromLeastToMostRecentlyActive)
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
    const QList<TMapForm *> windows = main->mapWindows();
    ASSERT_EQ(windows.size(), 3);
    QStringList shown;
    for (TMapForm *window : windows)
        shown << main->subWindowOf(window)->windowTitle() + QStringLiteral(" %1").arg(window->zoomPercent());
    EXPECT_EQ(shown, QStringList({"ville.vr 100", "ville.vr 50", "monde.vr 36"}));
    EXPECT_NE(&windows[0]->document(), &windows[1]->document());
    EXPECT_EQ(main->activeMapWindow(), windows[2]) << "the last of the list was active at exit";
    EXPECT_FALSE(main->subWindowOf(windows[2])->isMaximized());

    newMaps.answers.push_back(NewMapRequest{});
    TMapForm *untitled = trigger(Command::NouveauFichier);
    ASSERT_EQ(main->mapWindows().size(), 4);
    untitled->document().modified = false; // nothing to ask about
    windows[0]->setZoom(54);
    for (TMapForm *window : {windows[0], untitled, windows[2], windows[1]})
        makeActive(window);
    ASSERT_TRUE(closeMainForm(*main));
    main.reset();
    // Numbered from the most recently active, so the first written comes back first.
    EXPECT_EQ(listedMaps(folder), QStringList({"Carte 3=ville.vr", "Carte 1=monde.vr", "Carte 0=ville.vr"}));
    EXPECT_EQ(readMapWindowPlacement(folder.config(), "Carte 3").zoomPercent, 54);
}

TEST_F(MainFormRuns, TheWindowKeepsItsOuterSizeFromRunToRun)
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

// Modified maps are asked about, the active first; a refusal keeps the program open.
TEST_F(MainFormRuns, CancellingTheSaveDialogOfTheActiveMapStopsTheExitBeforeAnyOtherQuestion)
{
    folder.writeMap("a.vr", 20, 13);
    startWith({"a.vr"});
    ASSERT_EQ(main->mapWindows().size(), 1);
    TMapForm *opened = main->mapWindows()[0];
    opened->document().modified = true;
    newMaps.answers.push_back(NewMapRequest{});
    trigger(Command::NouveauFichier);
    ASSERT_EQ(main->mapWindows().size(), 2);

    // Yes, then Cancel in the save dialog of the new map, which is active.
    dialogs.questionAnswers.push_back(Answer::Yes);
    dialogs.saveAnswers.push_back(QString());
    EXPECT_FALSE(closeMainForm(*main));

    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], "Fermeture|La carte a été modifiée, voulez-vous l'enregistrer ?");
    EXPECT_EQ(main->mapWindows().size(), 2);
    EXPECT_TRUE(opened->document().modified);
    EXPECT_EQ(listedMaps(folder), QStringList({"Carte 0=a.vr"}));

    dialogs.questionAnswers.push_back(Answer::Yes);
    dialogs.saveAnswers.push_back(folder.path("nouvelle.vr"));
    dialogs.questionAnswers.push_back(Answer::No);
    EXPECT_TRUE(closeMainForm(*main));
    EXPECT_EQ(dialogs.questions.size(), 3);
    EXPECT_TRUE(QFile::exists(folder.path("nouvelle.vr")));
    EXPECT_EQ(listedMaps(folder), QStringList({"Carte 1=a.vr", "Carte 0=" + folder.path("nouvelle.vr")}));
}

TEST(RecentFiles, MostRecentFirstEachFileOnceAndEightAtMost)
{
    RecentFiles recent;
    for (int i = 0; i < 10; ++i)
        recent.add(QStringLiteral("/cartes/%1.vr").arg(i));
    recent.add(QStringLiteral("/cartes/./5.vr")); // the same file again
    EXPECT_EQ(recent.files(), QStringList({"/cartes/5.vr", "/cartes/9.vr", "/cartes/8.vr", "/cartes/7.vr",
                                           "/cartes/6.vr", "/cartes/4.vr", "/cartes/3.vr", "/cartes/2.vr"}));

    // Hand-edited: a gap, a repeat, a line too long to be a path, a key beyond the limit.
    QTemporaryDir folder;
    ConfigFile config(folder.filePath(QStringLiteral("pelmorin.cfg")));
    for (const auto &[key, file] : {std::pair{"Fichier 0", QString("/a.vr")}, std::pair{"Fichier 2", QString("/b.vr")},
                                    std::pair{"Fichier 3", QString("/a.vr")}, std::pair{"Fichier 4", QString(5000, 'x')},
                                    std::pair{"Fichier 8", QString("/c.vr")}})
        config.writeString("Fichiers Recents", key, file);
    recent.read(config);
    EXPECT_EQ(recent.files(), QStringList({"/a.vr", "/b.vr"}));
    recent.write(config);
    EXPECT_EQ(config.readSection("Fichiers Recents").size(), 2);
    EXPECT_EQ(config.readString("Fichiers Recents", "Fichier 1", QString()), QStringLiteral("/b.vr"));
}

// "Fichiers &récents": the last maps opened or saved, kept across runs in a section of their own.
TEST_F(MainFormRuns, TheRecentFilesMenuFollowsOpensAndSavesAndDropsAVanishedFileWithAMessage)
{
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    folder.writeMap(QStringLiteral("b & c.vr"), 20, 13);
    startWith({});
    EXPECT_EQ(menuTexts(main->recentFilesMenu()), QStringList({"grisé (aucun)"}));
    main->fileCommands().OpenMapWindow(folder.path(QStringLiteral("a.vr")));
    main->fileCommands().OpenMapWindow(folder.path(QStringLiteral("b & c.vr")));
    dialogs.saveAnswers.push_back(folder.path(QStringLiteral("d.vr")));
    main->fileCommands().EnregistrerFichierSousExecute();
    EXPECT_EQ(menuTexts(main->recentFilesMenu()),
              QStringList({"&1 " + folder.path("d.vr"), "&2 " + folder.path("b && c.vr"), "&3 " + folder.path("a.vr")}));
    dialogs.questionAnswers.push_back(Answer::No);
    ASSERT_TRUE(main->close());
    main.reset();
    EXPECT_EQ(folder.config().sectionNames().last(), QStringLiteral("Fichiers Recents"));

    // Next run: the list is back; a file gone since is dropped when chosen.
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("b & c.vr"))));
    start();
    const int windowsBefore = main->mapWindows().size();
    // The reopened maps came first again; the vanished one is last.
    ASSERT_EQ(menuTexts(main->recentFilesMenu()).size(), 3);
    main->recentFilesMenu()->actions()[2]->trigger();
    EXPECT_EQ(main->mapWindows().size(), windowsBefore);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("n'existe plus")));
    EXPECT_EQ(menuTexts(main->recentFilesMenu()),
              QStringList({"&1 " + folder.path("d.vr"), "&2 " + folder.path("a.vr")}));
    main->recentFilesMenu()->actions()[1]->trigger();
    EXPECT_EQ(main->mapWindows().size(), windowsBefore + 1);
}

// The command line as a shell or a file manager gives it.
TEST(CommandLine, GivesTheActionAndTheMapsInOrder)
{
    // The situation, the arguments, the action and the files, from the start folder "/home/joueur".
    const std::tuple<const char *, QStringList, Action, QStringList> lines[] = {
        {"a file manager's address with an escaped space", {"file:///cartes/mon%20monde.vr"}, Action::Run,
         {"/cartes/mon monde.vr"}},
        {"help wins over the files", {"a.vr", "--help"}, Action::Help, {}},
        {"after --, a dash is a name", {"--", "-x.vr"}, Action::Run, {"/home/joueur/-x.vr"}},
        {"an unknown option", {"a.vr", "--plein-ecran"}, Action::Refused, {}},
    };
    for (const auto &[situation, arguments, action, files] : lines) {
        SCOPED_TRACE(situation);
        const CommandLine line = parseCommandLine(arguments, QStringLiteral("/home/joueur"));
        EXPECT_EQ(line.action, action);
        EXPECT_EQ(line.files, files);
        EXPECT_EQ(line.message.isEmpty(), action != Action::Refused);
    }
}

TEST_F(MainFormRuns, TheCommandLinesMapsOpenAfterTheLastSessionTheLastNamedActiveAndBadNamesAreReported)
{
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    folder.writeMap(QStringLiteral("b.vr"), 20, 13);
    folder.writeText(QStringLiteral("pas-une-carte.vr"), QByteArray("ceci n'est pas une carte"));
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\nCarte 0=a.vr\r\n"));
    const CommandLine line = parseCommandLine(
        {"pas-une-carte.vr", "absente.vr", "http://varenthe/c.vr", "b.vr"}, folder.path(QString()));
    main = std::make_unique<TMainForm>();
    main->setNewMapPrompt(&newMaps);
    main->setMapsToOpen(line.files);
    main->ReopenMaps();

    QStringList captions;
    for (TMapForm *window : main->mapWindows())
        captions.append(QFileInfo(window->windowTitle()).fileName());
    EXPECT_EQ(captions, QStringList({"a.vr", "b.vr"}));
    EXPECT_EQ(main->activeMapWindow(), main->mapWindows().value(1));
    EXPECT_EQ(newMaps.asked, 0) << "a missing file is reported, not created";
    ASSERT_EQ(dialogs.errors.size(), 3) << dialogs.errors.join('\n').toStdString();
    for (const QString &error : dialogs.errors)
        EXPECT_TRUE(error.startsWith(QStringLiteral("Erreur de chargement|"))) << error.toStdString();
    EXPECT_TRUE(dialogs.errors[1].contains(QStringLiteral("absente.vr")));
    EXPECT_TRUE(dialogs.errors[2].contains(QStringLiteral("http://varenthe/c.vr")));
}

// A settings file whose folder is a plain file: every write is refused, yet the
// sample world shows and the refusal is reported once at exit, after the maps' questions.
TEST_F(InstalledProgram, AnUnwritableSettingsFileStillShowsTheSampleWorldAndIsReportedAtExitAfterTheMapsQuestions)
{
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

// The first start opens the sample world maximised on its default cell; saved,
// the installed copy asks for a name in the user's folder.
TEST_F(InstalledProgram, TheFirstStartOpensTheSampleWorldWhichAsksForANameInTheUsersFolderOnSave)
{
    ASSERT_TRUE(QDir(folder.path(QString())).mkpath(QStringLiteral("usr/bin")));
    ASSERT_TRUE(QDir(folder.path(QString())).mkpath(QStringLiteral("usr/share/pelmorin/img/1")));
    const QString sample = QStringLiteral("usr/share/pelmorin/pelmorin.vr");
    folder.writeMap(sample, 300, 169, 1);
    const QByteArray before = folder.contents(sample);
    ProgramFolder::setPath(folder.path(QStringLiteral("usr/bin")));
    start();
    ASSERT_EQ(main->mapWindows().size(), 1);
    TMapForm *map = main->mapWindows().constFirst();
    EXPECT_EQ(main->activeMapWindow(), map);
    EXPECT_TRUE(main->subWindowOf(map)->isMaximized());
    EXPECT_EQ(map->viewCentreCell(), QPoint(169, 58));
    EXPECT_EQ(main->applicationTitle(), "pelmorin.vr");
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(newMaps.asked, 0);
    main->ReopenMaps(); // a later activation reads no list again
    QCoreApplication::processEvents();
    EXPECT_EQ(main->mapWindows().size(), 1);

    main->fileCommands().EnregistrerFichierExecute(); // the save dialog is cancelled
    ASSERT_EQ(dialogs.saveRequests.size(), 1);
    EXPECT_EQ(dialogs.saveRequests[0].startPath, QDir::home().filePath(QStringLiteral("pelmorin.vr")));
    EXPECT_EQ(folder.contents(sample), before);
    EXPECT_EQ(map->windowTitle(), QStringLiteral("pelmorin.vr"));
}

} // namespace
