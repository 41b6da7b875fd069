// The command line as a shell or a file manager gives it; the maps it names
// open after those of the last session.
#include "MainFormTestSupport.h"
#include "app/CommandLine.h"

namespace {

using Action = CommandLine::Action;

TEST(CommandLine, GivesTheActionAndTheMapsInOrder)
{
    const struct {
        const char *situation;
        QStringList arguments;
        Action action;
        QStringList files; // relative to the start folder "/home/joueur"
    } lines[] = {
        {"a file manager's address with an escaped space", {"file:///cartes/mon%20monde.vr"}, Action::Run,
         {"/cartes/mon monde.vr"}},
        {"help wins over the files", {"a.vr", "--help"}, Action::Help, {}},
        {"after --, a dash is a name", {"--", "-x.vr"}, Action::Run, {"/home/joueur/-x.vr"}},
        {"an unknown option", {"a.vr", "--plein-ecran"}, Action::Refused, {}},
    };
    for (const auto &c : lines) {
        SCOPED_TRACE(c.situation);
        const CommandLine line = parseCommandLine(c.arguments, QStringLiteral("/home/joueur"));
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.files, c.files);
        EXPECT_EQ(line.message.isEmpty(), c.action != Action::Refused);
    }
}

TEST(CommandLineMaps, OpenAfterTheLastSessionTheLastNamedActiveAndBadNamesAreReported)
{
    ScratchProgram folder;
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    folder.writeMap(QStringLiteral("b.vr"), 20, 13);
    folder.writeText(QStringLiteral("pas-une-carte.vr"), QByteArray("ceci n'est pas une carte"));
    folder.writeText(QStringLiteral("pelmorin.cfg"), QByteArray("[Cartes Ouvertes]\r\nCarte 0=a.vr\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    const CommandLine line = parseCommandLine(
        {"pas-une-carte.vr", "absente.vr", "http://varenthe/c.vr", "b.vr"}, folder.path(QString()));

    TMainForm main;
    main.setNewMapPrompt(&newMaps);
    main.setMapsToOpen(line.files);
    main.ReopenMaps();

    QStringList captions;
    for (TMapForm *window : main.mapWindows())
        captions.append(QFileInfo(window->windowTitle()).fileName());
    EXPECT_EQ(captions, QStringList({"a.vr", "b.vr"}));
    EXPECT_EQ(main.activeMapWindow(), main.mapWindows().value(1));
    EXPECT_EQ(newMaps.asked, 0) << "a missing file is reported, not created";
    ASSERT_EQ(dialogs.errors.size(), 3) << dialogs.errors.join('\n').toStdString();
    for (const QString &error : dialogs.errors)
        EXPECT_TRUE(error.startsWith(QStringLiteral("Erreur de chargement|"))) << error.toStdString();
    EXPECT_TRUE(dialogs.errors[1].contains(QStringLiteral("absente.vr")));
    EXPECT_TRUE(dialogs.errors[2].contains(QStringLiteral("http://varenthe/c.vr")));
}

} // namespace
