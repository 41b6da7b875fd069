// "Enregistrer bitmap" through a map window: the whole map at the window's
// zoom, whatever part of it the window shows.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProgressDialog>
#include <QTimer>
#include <QTemporaryDir>

#include "MapFormTestHost.h"

using MapFormExport = MapFormFixture;

TEST_F(MapFormExport, TheWholeMapIsWrittenAtTheWindowsZoomAndTheViewCutFromIt)
{
    QTemporaryDir folder;
    const ColouredTiles colours(host.tiles);
    TMapForm &form = show(colours.map(40, 26));
    form.setZoom(50);
    const QString path = folder.filePath(QStringLiteral("province.bmp"));
    QString error;
    ASSERT_EQ(form.exportPicture(path, PictureFormat::Bmp, PictureExtent::WholeMap, &error), ExportResult::Written)
        << error.toStdString();
    const QImage picture(path);
    EXPECT_EQ(picture.size(), QSize(680, 442)) << "40 x 26 cells of 16 pixels and a 1-pixel grid";
    EXPECT_EQ(form.zoomPercent(), 50);

    // Without the grid: exactly the cells, and an existing file is replaced.
    host.appSettings.gridGap = 0;
    ASSERT_EQ(form.exportPicture(path, PictureFormat::Bmp, PictureExtent::WholeMap, &error), ExportResult::Written);
    EXPECT_EQ(QImage(path).size(), QSize(640, 416));

    // The visible part is what the window shows, cut from the whole picture.
    form.setZoom(100);
    form.centreOnCell(15, 10);
    ASSERT_GT(form.scrollX(), 0);
    const QString whole = folder.filePath(QStringLiteral("monde.png"));
    const QString view = folder.filePath(QStringLiteral("vue.png"));
    ASSERT_EQ(form.exportPicture(whole, PictureFormat::Png, PictureExtent::WholeMap), ExportResult::Written);
    ASSERT_EQ(form.exportPicture(view, PictureFormat::Png, PictureExtent::VisiblePart), ExportResult::Written);
    const QRect visible(form.scrollX(), form.scrollY(), form.clientWidth(), form.clientHeight());
    const QImage cut = QImage(whole).convertToFormat(QImage::Format_RGB32).copy(visible);
    EXPECT_EQ(QImage(view).convertToFormat(QImage::Format_RGB32), cut);

    // A folder that cannot be written gives a message.
    const QString nowhere = QStringLiteral("/nonexistent-folder/carte.bmp");
    EXPECT_EQ(form.exportPicture(nowhere, PictureFormat::Bmp, PictureExtent::WholeMap, &error), ExportResult::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST_F(MapFormExport, CancellingTheProgressDialogWritesNothing)
{
    QTemporaryDir folder;
    // Four worlds' worth of cells at full size (19800 x 11154 pixels): the
    // dialog shows only for an export expected to last 400 ms, and one world
    // takes about half that on a fast machine.
    TMapForm &form = show(grassWorld(600, 338));
    const QString path = folder.filePath(QStringLiteral("monde.bmp"));
    bool dialogSeen = false;
    QTimer cancelling;
    cancelling.setInterval(20);
    QObject::connect(&cancelling, &QTimer::timeout, [&] {
        if (auto *progress = form.findChild<QProgressDialog *>(); progress && progress->isVisible()) {
            dialogSeen = true;
            progress->cancel();
        }
    });
    cancelling.start();
    QString error;
    EXPECT_EQ(form.exportPicture(path, PictureFormat::Bmp, PictureExtent::WholeMap, &error),
              ExportResult::Cancelled);
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}
