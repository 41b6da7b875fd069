// "Enregistrer bitmap" through a map window: the whole map at the window's
// zoom, whatever part of it the window shows.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
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
    ASSERT_EQ(form.exportBitmap(path, &error), ExportResult::Written) << error.toStdString();
    const QImage picture(path);
    EXPECT_EQ(picture.size(), QSize(340, 221)) << "20 x 13 cells of 16 pixels and a 1-pixel grid";
    EXPECT_EQ(form.zoomPercent(), 50);

    // Without the grid: exactly the cells, and an existing file is replaced.
    host.appSettings.gridGap = 0;
    ASSERT_EQ(form.exportBitmap(path, &error), ExportResult::Written);
    EXPECT_EQ(QImage(path).size(), QSize(320, 208));
}

TEST(MapFormExport, AFolderThatCannotBeWrittenGivesAMessage)
{
    FakeMapWindowHost host;
    ShownMapForm shown(host, grassWorld(20, 13));
    QString error;
    EXPECT_EQ(shown.form.exportBitmap(QStringLiteral("/nonexistent-folder/carte.bmp"), &error),
              ExportResult::Failed);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent-folder/carte.bmp")));
}
