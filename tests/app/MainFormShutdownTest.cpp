// Quitting: modified maps asked about, active first, a refusal keeps the
// program open; the open maps but untitled ones are remembered.
#include "MainFormTestSupport.h"
#include "settings/ConfigOpenMaps.h"

namespace {

using MainFormShutdown = MainFormFixture;

QStringList listedMaps(const ScratchProgram &folder)
{
    QStringList lines;
    for (const ConfigEntry &entry : readOpenMapList(folder.config()))
        lines.append(entry.key + QLatin1Char('=') + entry.value);
    return lines;
}

TEST_F(MainFormShutdown, OpenMapsAreRecordedFromLeastToMostRecentlyActiveWithoutTheUntitledOne)
{
    folder.writeMap("nord.vr", 20, 13);
    folder.writeMap("sud.vr", 40, 30);
    startWith({"nord.vr", "sud.vr"});
    ASSERT_EQ(main->mapWindows().size(), 2);
    TMapForm *nord = main->mapWindows()[0];
    TMapForm *sud = main->mapWindows()[1];
    newMaps.answers.push_back(NewMapRequest{});
    TMapForm *untitled = trigger(Command::NouveauFichier);
    ASSERT_EQ(main->mapWindows().size(), 3);
    untitled->document().modified = false; // nothing to ask about
    sud->setZoom(54);
    for (TMapForm *window : {sud, untitled, nord})
        makeActive(window);
    ASSERT_TRUE(closeMainForm(*main));
    main.reset();

    // Written from the least recently active, so "nord" comes back last.
    EXPECT_EQ(listedMaps(folder), QStringList({"Carte 2=sud.vr", "Carte 0=nord.vr"}));
    EXPECT_EQ(readMapWindowPlacement(folder.config(), "Carte 2").zoomPercent, 54);
}

TEST_F(MainFormShutdown, CancellingTheSaveDialogOfTheActiveMapStopsTheExitBeforeAnyOtherQuestion)
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

} // namespace
