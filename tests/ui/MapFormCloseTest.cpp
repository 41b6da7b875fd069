// Closing a map window: the question before losing changes, and what each
// answer does.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "MapFormTestHost.h"

namespace {
const QString Question = QStringLiteral("Fermeture / La carte a été modifiée, voulez-vous l'enregistrer ?");
}

TEST(MapFormClose, AnUnchangedMapClosesWithoutAQuestion)
{
    FakeMapWindowHost host;
    ScriptedDialogs dialogs;
    ShownMapForm shown(host, grassWorld());
    EXPECT_TRUE(shown.form.close());
    EXPECT_TRUE(dialogs.questions.isEmpty());
    ASSERT_FALSE(host.activations.empty());
    EXPECT_EQ(host.activations.back(), nullptr) << "the main window learns that no map is active";
}

TEST(MapFormClose, CancelKeepsTheWindowAndItsChanges)
{
    FakeMapWindowHost host;
    ScriptedDialogs dialogs;
    ShownMapForm shown(host, grassWorld());
    shown.form.document().SetCellTile(3, 3, 101);
    dialogs.answer = Answer::Cancel;
    EXPECT_FALSE(shown.form.close());
    EXPECT_EQ(dialogs.questions, QStringList{Question});
    EXPECT_TRUE(shown.form.isVisible());
    EXPECT_TRUE(shown.form.document().modified);
    EXPECT_EQ(shown.form.document().terrainAt(3, 3), 101);
    EXPECT_EQ(host.saveRequests, 0);
}

TEST(MapFormClose, NoDropsTheChanges)
{
    FakeMapWindowHost host;
    ScriptedDialogs dialogs;
    ShownMapForm shown(host, grassWorld());
    shown.form.document().SetCellTile(3, 3, 101);
    dialogs.answer = Answer::No;
    EXPECT_TRUE(shown.form.close());
    EXPECT_EQ(host.saveRequests, 0);
}

TEST(MapFormClose, YesClosesOnlyWhenTheSaveSucceeds)
{
    FakeMapWindowHost host;
    ScriptedDialogs dialogs;
    ShownMapForm shown(host, grassWorld());
    shown.form.document().SetCellTile(3, 3, 101);
    dialogs.answer = Answer::Yes;
    // An untitled map whose save dialog is cancelled, or a failed write.
    host.saveSucceeds = false;
    EXPECT_FALSE(shown.form.close());
    EXPECT_EQ(host.saveRequests, 1);
    EXPECT_TRUE(shown.form.isVisible());
    host.saveSucceeds = true;
    EXPECT_TRUE(shown.form.close());
    EXPECT_EQ(host.saveRequests, 2);
}

TEST(MapFormClose, TheShutdownAsksOnceAndThenCloses)
{
    FakeMapWindowHost host;
    ScriptedDialogs dialogs;
    ShownMapForm shown(host, grassWorld());
    shown.form.document().SetCellTile(3, 3, 101);
    dialogs.answer = Answer::No;
    EXPECT_TRUE(shown.form.FormCloseQuery());
    shown.form.closeWithoutQuery();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_FALSE(shown.form.isVisible());
}

TEST(MapFormClose, InTheMainWindowTheSubWindowFollowsTheAnswer)
{
    FakeMapWindowHost host;
    ScriptedDialogs dialogs;
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    auto *form = new TMapForm(host, grassWorld());
    QPointer<QMdiSubWindow> subWindow = area.addSubWindow(form);
    subWindow->show();
    area.setActiveSubWindow(subWindow);
    QCoreApplication::processEvents();
    ASSERT_FALSE(host.activations.empty());
    EXPECT_EQ(host.activations.back(), form) << "the window reports its own activation";

    form->document().SetCellTile(1, 1, 101);
    dialogs.answer = Answer::Cancel;
    subWindow->close();
    QCoreApplication::processEvents();
    ASSERT_FALSE(subWindow.isNull());
    EXPECT_EQ(area.subWindowList().size(), 1);

    dialogs.answer = Answer::No;
    subWindow->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(subWindow.isNull());
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_EQ(host.activations.back(), nullptr);
}
