// The minimap's overview picture and the about box's release notes, as the
// build leaves them beside the program.
#include <gtest/gtest.h>

#include <QImage>

#include "AssetFiles.h"
#include "OverviewPicture.h"
#include "map/CarteVarenthe.h"

namespace {

QString overviewPath() { return programFolder() + QStringLiteral("/img/minipelmorin.bmp"); }

} // namespace

TEST(OverviewPicture, isA188By102PictureWithAPalette)
{
    const BitmapHeader header = bitmapHeader(readWhole(overviewPath()));
    ASSERT_TRUE(header.valid);
    EXPECT_EQ(header.width, 188);
    EXPECT_EQ(std::abs(header.height), 102);
    EXPECT_EQ(header.bitsPerPixel, 8);
    const QImage picture(overviewPath());
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
}

TEST(OverviewPicture, showsAsMuchSeaAsTheSampleWorldHas)
{
    CarteVarenthe world;
    world.open((programFolder() + QStringLiteral("/pelmorin.vr")).toStdString());
    int seaCells = 0;
    for (int32_t y = 0; y < world.height; ++y)
        for (int32_t x = 0; x < world.width; ++x)
            seaCells += world.terrainAt(x, y) == 103;

    const QImage picture = QImage(overviewPath()).convertToFormat(QImage::Format_RGB32);
    // The sea's colour is what the top-left corner shows (ignoring the grid).
    const QRgb sea = picture.pixel(3, 3);
    int seaPixels = 0;
    // The picture covers 310 columns; only the first 300 * 188 / 310 pixel
    // columns show the map itself.
    const int mapPixels = 300 * 188 / 310;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < mapPixels; ++x)
            seaPixels += picture.pixel(x, y) == sea;
    const double seaShareOfMap = static_cast<double>(seaCells) / (world.width * world.height);
    const double seaShareOfPicture = static_cast<double>(seaPixels) / (mapPixels * picture.height());
    // Grid lines take about a fifth of the sea's pixels.
    EXPECT_NEAR(seaShareOfPicture, seaShareOfMap * 0.8, 0.08);
}

TEST(OverviewPicture, drawsTheProvinceGridWithOddRowsShiftedByHalfAProvince)
{
    // An all-sea world map: only the grid stands out.
    CarteVarenthe sea;
    sea.create(300, 169, 20, 13, 1, 103);
    const QImage picture = renderOverviewPicture(sea).convertToFormat(QImage::Format_RGB32);
    const QRgb plain = picture.pixel(5, 3);
    auto isGrid = [&](int x, int y) { return picture.pixel(x, y) != plain; };
    // Province row 0 covers pixel rows 0 to 6, row 1 pixel rows 7 to 15
    // (13 and 26 cells at 188 / 310).
    EXPECT_TRUE(isGrid(5, 7));
    EXPECT_FALSE(isGrid(5, 8));
    // In row 0 the borders lie at cells 20, 40...: pixels 12, 24.
    EXPECT_TRUE(isGrid(12, 3));
    EXPECT_TRUE(isGrid(24, 3));
    EXPECT_FALSE(isGrid(6, 3));
    // In row 1 they are shifted by 10 cells: cells 10, 30, 50 are pixels 6,
    // 18, 30; the unshifted places are plain there.
    EXPECT_TRUE(isGrid(6, 11));
    EXPECT_TRUE(isGrid(18, 11));
    EXPECT_TRUE(isGrid(30, 11));
    EXPECT_FALSE(isGrid(12, 11));
    EXPECT_FALSE(isGrid(24, 11));
}

TEST(ReleaseNotes, areShortFrenchTextInWindows1252WithWindowsLineEnds)
{
    const QByteArray notes = readWhole(programFolder() + QStringLiteral("/notes.txt"));
    ASSERT_FALSE(notes.isEmpty());
    // The about box shows the first 4096 bytes: the notes fit whole.
    EXPECT_LT(notes.size(), 4096);
    EXPECT_TRUE(notes.contains("1.3.5"));
    // "é" is the single byte E9, not the two bytes of UTF-8.
    EXPECT_TRUE(notes.contains('\xE9'));
    EXPECT_FALSE(notes.contains("\xC3\xA9"));
    EXPECT_TRUE(notes.endsWith("\r\n"));
    EXPECT_EQ(notes.count("\n"), notes.count("\r\n"));
}
