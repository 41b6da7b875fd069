// The real open dialog with the map request: "Tous les fichiers (*.*)" must list every file,
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
    FileRequest request = MapFileCommands::openRequest(); // maps first, every file the other choice
    EXPECT_EQ(request.filters, QStringList({"Tous les fichiers (*.*)", "Cartes de Varenthe (*.vr)"}));
    EXPECT_EQ(request.defaultSuffix, "vr");
    request.startPath = folder.path(QString());

    QStringList seen; // the patterns, the type picked, the patterns then
    QTimer::singleShot(300, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto *model = dialog->findChild<QFileSystemModel *>();
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        ASSERT_TRUE(model && types);
        seen << model->nameFilters().join(' ');
        types->setFocus();
        QTest::keyClick(types, Qt::Key_Up); // the first entry of the file types
        QTest::qWait(200);
        seen << types->currentText() << model->nameFilters().join(' ');
        dialog->reject();
    });
    EXPECT_TRUE(real.openFile(nullptr, request).isEmpty());
    EXPECT_EQ(seen, QStringList({"*.vr", "Tous les fichiers (*.*)", "*"}));
}

} // namespace
