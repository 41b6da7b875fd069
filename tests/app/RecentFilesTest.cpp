// "Fichiers &récents": the last eight maps opened or saved, most recent
// first, kept across runs in a section of their own.
#include <QMenu>

#include "MainFormTestSupport.h"
#include "app/RecentFiles.h"

namespace {

QStringList menuTexts(QMenu *menu)
{
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction *item : menu->actions())
        texts.append((item->isEnabled() ? QString() : QStringLiteral("grisé ")) + item->text());
    return texts;
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

using RecentFilesMenu = MainFormFixture;

TEST_F(RecentFilesMenu, TheMenuFollowsOpensAndSavesAndDropsAVanishedFileWithAMessage)
{
    folder.writeMap(QStringLiteral("a.vr"), 20, 13);
    folder.writeMap(QStringLiteral("b & c.vr"), 20, 13);
    {
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
    }
    ConfigFile config = folder.config();
    EXPECT_EQ(config.sectionNames().last(), QStringLiteral("Fichiers Recents"));

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

} // namespace
