// Closing a map window: the question before losing changes, and what each
// answer does.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "MapFormTestHost.h"

namespace {

const QString Question = QStringLiteral("Fermeture / La carte a été modifiée, voulez-vous l'enregistrer ?");

class MapFormClose : public MapFormFixture {
protected:
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(MapFormClose, AnUnchangedMapClosesWithoutAQuestion)
{
    EXPECT_TRUE(show(grassWorld()).close());
    EXPECT_TRUE(dialogs.questions.isEmpty());
    ASSERT_FALSE(host.activations.empty());
    EXPECT_EQ(host.activations.back(), nullptr) << "the main window learns that no map is active";
}

TEST_F(MapFormClose, EachAnswerClosesOrKeepsTheChangedMap)
{
    struct Case {
        Answer answer;
        bool saveSucceeds;
        bool closes;
        int saveRequests;
    };
    // Yes with a failed save: an untitled map whose save dialog is
    // cancelled, or a failed write.
    const Case cases[] = {{Answer::Cancel, true, false, 0},
                          {Answer::No, true, true, 0},
                          {Answer::Yes, false, false, 1},
                          {Answer::Yes, true, true, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.answer));
        host.saveRequests = 0;
        host.saveSucceeds = c.saveSucceeds;
        dialogs.answer = c.answer;
        dialogs.questions.clear();
        TMapForm &form = show(grassWorld());
        form.document().SetCellTile(3, 3, 101);
        EXPECT_EQ(form.close(), c.closes);
        EXPECT_EQ(dialogs.questions, QStringList{Question});
        EXPECT_EQ(host.saveRequests, c.saveRequests);
        EXPECT_EQ(form.isVisible(), !c.closes);
        if (!c.closes) {
            EXPECT_TRUE(form.document().modified);
            EXPECT_EQ(form.document().terrainAt(3, 3), 101);
        }
    }
}

TEST_F(MapFormClose, TheShutdownAsksOnceAndThenCloses)
{
    TMapForm &form = show(grassWorld());
    form.document().SetCellTile(3, 3, 101);
    dialogs.answer = Answer::No;
    EXPECT_TRUE(form.FormCloseQuery());
    form.closeWithoutQuery();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(MapFormClose, InTheMainWindowTheSubWindowFollowsTheAnswer)
{
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
