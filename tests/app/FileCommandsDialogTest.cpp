// The real open dialog: "Tous les fichiers (*.*)" must list every file,
// also the names without a dot that the pattern "*.*" hides on Linux.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>

#include "MainFormTestSupport.h"
#include "app/MapFileCommands.h"
#include "ui/QtUserDialogs.h"

namespace {

TEST(FileCommandsDialog, EveryFileFilterShowsNamesWithoutADot)
{
    ScratchProgram folder;
    folder.writeText(QStringLiteral("carte-sans-extension"), QByteArray("x"));
    QtUserDialogs real;
    FileRequest request;
    request.filters = {allFilesFilter(), mapFilesFilter()};
    request.selectedFilter = 1;
    request.startPath = folder.path(QString());

    QString shownFilter;
    QStringList patternsBefore;
    QStringList patternsAfter;
    QTimer::singleShot(300, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto *model = dialog->findChild<QFileSystemModel *>();
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(model, nullptr);
        ASSERT_NE(types, nullptr);
        patternsBefore = model->nameFilters();
        // The user picks the first entry of the list of file types.
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Up);
        QTest::qWait(200);
        shownFilter = types->currentText();
        patternsAfter = model->nameFilters();
        dialog->reject();
    });
    EXPECT_TRUE(real.openFile(nullptr, request).isEmpty());

    EXPECT_EQ(patternsBefore, QStringList({QStringLiteral("*.vr")}));
    EXPECT_EQ(shownFilter, QStringLiteral("Tous les fichiers (*.*)"));
    EXPECT_EQ(patternsAfter, QStringList({QStringLiteral("*")}));
}

} // namespace
