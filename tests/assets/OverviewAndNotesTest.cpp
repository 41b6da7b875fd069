// The minimap's overview picture and the about box's release notes, as the
// build leaves them beside the program.
#include <gtest/gtest.h>

#include <QImage>

#include "AssetFiles.h"
#include "OverviewPicture.h"
#include "map/CarteVarenthe.h"

TEST(OverviewPicture, IsA188By102PictureWithAsMuchSeaAsTheSampleWorld)
{
    const QString path = programFolder() + QStringLiteral("/img/minipelmorin.bmp");
    const BitmapHeader header = bitmapHeader(readWhole(path));
    ASSERT_TRUE(header.valid);
    EXPECT_EQ(header.width, 188);
    EXPECT_EQ(std::abs(header.height), 102);
    EXPECT_EQ(header.bitsPerPixel, 8);
    const QImage indexed(path);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);

    CarteVarenthe world;
    world.open((programFolder() + QStringLiteral("/pelmorin.vr")).toStdString());
    int seaCells = 0;
    for (int32_t y = 0; y < world.height; ++y)
        for (int32_t x = 0; x < world.width; ++x)
            seaCells += world.terrainAt(x, y) == 103;
    const QImage picture = indexed.convertToFormat(QImage::Format_RGB32);
    // The sea's colour is what the top-left corner shows (ignoring the grid).
    // The picture covers 310 columns; only the first 300 * 188 / 310 pixel
    // columns show the map itself.
    const QRgb sea = picture.pixel(3, 3);
    const int mapPixels = 300 * 188 / 310;
    int seaPixels = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < mapPixels; ++x)
            seaPixels += picture.pixel(x, y) == sea;
    const double seaShareOfMap = static_cast<double>(seaCells) / (world.width * world.height);
    const double seaShareOfPicture = static_cast<double>(seaPixels) / (mapPixels * picture.height());
    // Grid lines take about a fifth of the sea's pixels.
    EXPECT_NEAR(seaShareOfPicture, seaShareOfMap * 0.8, 0.08);
}

TEST(OverviewPicture, DrawsTheProvinceGridWithOddRowsShiftedByHalfAProvince)
{
    // An all-sea world map: only the grid stands out. Province row 0 covers
    // pixel rows 0 to 6, row 1 pixel rows 7 to 15 (13 and 26 cells at
    // 188 / 310); borders lie at cells 20, 40 (pixels 12, 24) in row 0 and
    // at cells 10, 30, 50 (pixels 6, 18, 30) in row 1.
    CarteVarenthe sea;
    sea.create(300, 169, 20, 13, 1, 103);
    const QImage picture = renderOverviewPicture(sea).convertToFormat(QImage::Format_RGB32);
    const QRgb plain = picture.pixel(5, 3);
    const std::pair<QPoint, bool> pixels[] = {
        {{5, 7}, true},   {{5, 8}, false},  {{12, 3}, true},  {{24, 3}, true},  {{6, 3}, false},
        {{6, 11}, true},  {{18, 11}, true}, {{30, 11}, true}, {{12, 11}, false}, {{24, 11}, false},
    };
    for (const auto &[at, grid] : pixels)
        EXPECT_EQ(picture.pixel(at) != plain, grid) << at.x() << "," << at.y();
}

TEST(ReleaseNotes, AreShortFrenchTextInWindows1252WithWindowsLineEnds)
{
    const QByteArray notes = readWhole(programFolder() + QStringLiteral("/notes.txt"));
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_LT(notes.size(), 4096); // the about box shows the first 4096 bytes
    EXPECT_TRUE(notes.contains("1.3.5"));
    EXPECT_TRUE(notes.contains('\xE9')); // "é" is the single byte E9, not UTF-8's two
    EXPECT_FALSE(notes.contains("\xC3\xA9"));
    EXPECT_TRUE(notes.endsWith("\r\n"));
    EXPECT_EQ(notes.count("\n"), notes.count("\r\n"));
}
