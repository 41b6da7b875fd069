// The map windows inside the frame as a user first meets them: their sizes
// in every state and arrangement.
#include <gtest/gtest.h>

#include "MainFormTestSupport.h"
#include "app/ConfigOpenMaps.h"

namespace {

const QSize DesignClient(640, 480);

// The map window's own area and the sub-window around it.
struct Sizes {
    QSize client;
    QSize outer;
};

Sizes sizesOf(TMainForm &main, TMapForm *window)
{
    QCoreApplication::processEvents();
    return {window->size(), subWindowOf(main, window)->size()};
}

// A map window that shows its map: the design size when it fits, never
// more than the area, and a frame around it.
void expectDesignSize(TMainForm &main, TMapForm *window)
{
    const Sizes sizes = sizesOf(main, window);
    const QSize area = main.mdiArea()->viewport()->size();
    EXPECT_EQ(sizes.client, DesignClient.boundedTo(area - (sizes.outer - sizes.client)));
    EXPECT_GT(sizes.outer.width(), sizes.client.width());
    EXPECT_GT(sizes.outer.height(), sizes.client.height());
    EXPECT_LE(sizes.outer.width(), area.width());
    EXPECT_LE(sizes.outer.height(), area.height());
}

// Usable: room for the map between the scroll bars.
void expectUsable(TMainForm &main, TMapForm *window, QSize atLeast)
{
    const Sizes sizes = sizesOf(main, window);
    EXPECT_GE(sizes.client.width(), atLeast.width());
    EXPECT_GE(sizes.client.height(), atLeast.height());
    EXPECT_GT(sizes.outer.height(), sizes.client.height());
    const QMdiSubWindow *sub = subWindowOf(main, window);
    EXPECT_TRUE(main.mdiArea()->viewport()->rect().contains(sub->geometry())) << "a window reaches out of the area";
}

TEST(MapWindowSizes, NormalWindowsShowTheirMapAfterEveryPath)
{
    ProgramFolder folder;
    folder.writeMap(QStringLiteral("monde.vr"), 300, 169, 1);
    folder.writeMap(QStringLiteral("ville.vr"), 20, 13);
    folder.writeText(QStringLiteral("pelmorin.cfg"),
                     QByteArray("[Cartes Ouvertes]\r\nCarte 0=monde.vr\r\n[Carte 0]\r\nEtat Fenetre=0\r\n"
                                "x=100\r\ny=60\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);
    ASSERT_EQ(main->mapWindows().size(), 1);
    // The frame's design size leaves less than the design size to a window.
    main->resize(790, 552);

    // Reopened in normal state, on its recorded centre.
    TMapForm *world = main->mapWindows()[0];
    expectDesignSize(*main, world);
    EXPECT_EQ(world->viewCentreCell(), QPoint(100, 60));

    // Ctrl+N and Ctrl+O with no window maximised.
    newMaps.answers.push_back(cityMapRequest());
    main->command(Command::NouveauFichier)->trigger();
    ASSERT_EQ(main->mapWindows().size(), 2);
    expectDesignSize(*main, main->activeMapWindow());
    dialogs.openAnswers.push_back(folder.path(QStringLiteral("ville.vr")));
    main->command(Command::OuvrirFichier)->trigger();
    ASSERT_EQ(main->mapWindows().size(), 3);
    TMapForm *city = main->activeMapWindow();
    expectDesignSize(*main, city);

    // Maximised, then restored.
    subWindowOf(*main, city)->showMaximized();
    QCoreApplication::processEvents();
    subWindowOf(*main, city)->showNormal();
    expectDesignSize(*main, city);

    // Cascade and the two tilings leave room for the map in every window.
    for (Command arrangement : {Command::Cascade, Command::MosaiqueHorizontale, Command::MosaiqueVerticale}) {
        main->command(arrangement)->trigger();
        for (TMapForm *window : main->mapWindows())
            expectUsable(*main, window, QSize(150, 100));
    }

    // The centre recorded at exit is the one the view shows.
    main->mdiArea()->setActiveSubWindow(subWindowOf(*main, world));
    world->centreOnCell(150, 80);
    const QPoint shown = world->viewCentreCell();
    dialogs.questionAnswers.push_back(Answer::No); // the new map is dropped
    ASSERT_TRUE(closeMainForm(*main));
    const MapWindowPlacement recorded = readMapWindowPlacement(folder.config(), QStringLiteral("Carte 0"));
    EXPECT_EQ(QPoint(recorded.centreColumn, recorded.centreRow), shown);
    EXPECT_EQ(shown, QPoint(150, 80));
}

TEST(MapWindowSizes, AWindowOpenedBesideAMaximisedOneRestoresToTheDesignSize)
{
    ProgramFolder folder;
    folder.writeMap(QStringLiteral("a.vr"), 60, 40);
    folder.writeText(QStringLiteral("pelmorin.cfg"),
                     QByteArray("[Cartes Ouvertes]\r\nCarte 0=a.vr\r\n[Carte 0]\r\nEtat Fenetre=2\r\n"));
    ScriptedDialogs dialogs;
    ScriptedNewMap newMaps;
    auto main = startMainForm(newMaps);
    ASSERT_EQ(main->mapWindows().size(), 1);
    EXPECT_TRUE(subWindowOf(*main, main->mapWindows()[0])->isMaximized());

    dialogs.openAnswers.push_back(folder.path(QStringLiteral("a.vr")));
    main->command(Command::OuvrirFichier)->trigger();
    TMapForm *second = main->activeMapWindow();
    ASSERT_NE(second, main->mapWindows()[0]);
    subWindowOf(*main, second)->showNormal();
    expectDesignSize(*main, second);
}

} // namespace
