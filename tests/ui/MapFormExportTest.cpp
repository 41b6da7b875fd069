// "Enregistrer bitmap" through a map window: the whole map at the window's
// zoom, whatever part of it the window shows.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProgressDialog>
#include <QTimer>
#include <QTemporaryDir>

#include "MapFormTestHost.h"

TEST(MapFormExport, TheWholeMapIsWrittenAtTheWindowsZoom)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(20, 13));
    TMapForm &form = shown.form;
    form.setZoom(50);
    const QString path = folder.filePath(QStringLiteral("province.bmp"));
    QString error;
    ASSERT_EQ(form.exportPicture(path, PictureFormat::Bmp, &error), ExportResult::Written) << error.toStdString();
    const QImage picture(path);
    EXPECT_EQ(picture.size(), QSize(340, 221)) << "20 x 13 cells of 16 pixels and a 1-pixel grid";
    EXPECT_EQ(form.zoomPercent(), 50);

    // Without the grid: exactly the cells, and an existing file is replaced.
    host.appSettings.gridGap = 0;
    ASSERT_EQ(form.exportPicture(path, PictureFormat::Bmp, &error), ExportResult::Written);
    EXPECT_EQ(QImage(path).size(), QSize(320, 208));
}

TEST(MapFormExport, AFolderThatCannotBeWrittenGivesAMessage)
{
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(20, 13));
    QString error;
    EXPECT_EQ(shown.form.exportPicture(QStringLiteral("/nonexistent-folder/carte.bmp"), PictureFormat::Bmp, &error),
              ExportResult::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent-folder/carte.bmp")));
}

TEST(MapFormExport, CancellingTheProgressDialogWritesNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    FakeMapWindowHost host;
    // Four worlds' worth of cells at full size (19800 x 11154 pixels): the
    // dialog shows only for an export expected to last 400 ms, and one world
    // takes about half that on a fast machine.
    ShownMapForm shown(host, grassWorld(600, 338));
    const QString path = folder.filePath(QStringLiteral("monde.bmp"));
    bool dialogSeen = false;
    QTimer cancelling;
    cancelling.setInterval(20);
    QObject::connect(&cancelling, &QTimer::timeout, [&] {
        if (auto *progress = shown.form.findChild<QProgressDialog *>(); progress && progress->isVisible()) {
            dialogSeen = true;
            progress->cancel();
        }
    });
    cancelling.start();
    QString error;
    EXPECT_EQ(shown.form.exportPicture(path, PictureFormat::Bmp, &error), ExportResult::Cancelled);
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}
