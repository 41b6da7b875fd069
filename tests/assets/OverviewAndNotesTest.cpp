// The minimap's overview picture and the release notes the build leaves beside the program.
#include <gtest/gtest.h>

#include <QImage>

#include "AssetFiles.h"
#include "OverviewPicture.h"
#include "map/CarteVarenthe.h"
#include "render/MapOverview.h"
#include "render/TileLibrary.h"
#include "settings/ProgramFolder.h"

TEST(OverviewPicture, TheShippedPictureLooksLikeTheMinimapDrawnFromTheSampleWorld)
{
    const QString path = programFolder() + QStringLiteral("/img/minipelmorin.bmp");
    EXPECT_EQ(bitmapHeader(path), std::tuple(188, 102, 8));
    const QImage indexed(path);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    const QImage shipped = indexed.convertToFormat(QImage::Format_RGB32);

    CarteVarenthe world;
    world.open((programFolder() + QStringLiteral("/pelmorin.vr")).toStdString());
    ProgramFolder::setPath(programFolder());
    TileLibrary summer;
    summer.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
    MapOverview drawn;
    drawn.rebuild(world, summer);
    ProgramFolder::setPath(QString());
    ASSERT_EQ(drawn.picture().size(), shipped.size());
    // Each pixel's most common terrain against the mean of the tiles: close, not equal.
    double difference = 0;
    int near = 0;
    for (int y = 0; y < shipped.height(); ++y)
        for (int x = 0; x < shipped.width(); ++x) {
            const QRgb a = drawn.picture().pixel(x, y), b = shipped.pixel(x, y);
            const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            difference += d;
            near += d < 90;
        }
    const int pixels = shipped.width() * shipped.height();
    EXPECT_LT(difference / pixels, 60.0);
    EXPECT_GT(near, pixels * 3 / 4);
}

TEST(OverviewPicture, DrawsTheProvinceGridWithOddRowsShiftedByHalfAProvince)
{
    // All sea at 188 / 310: a border at pixel row 7, at columns 12, 24 above it and 6, 18, 30 below.
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
    EXPECT_TRUE(notes.contains('\xE9') && !notes.contains("\xC3\xA9")); // "é" is the single byte E9, not UTF-8's two
    EXPECT_TRUE(notes.endsWith("\r\n"));
    EXPECT_EQ(notes.count("\n"), notes.count("\r\n"));
}
