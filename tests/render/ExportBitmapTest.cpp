// "Enregistrer bitmap": the whole map as a 24-bit .bmp or .png, written in
// bands, never leaving half a file behind.
#include "RendererTestScene.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <png.h>
#include <vector>

#include "render/BitmapExport.h"
#include "render/PictureFormat.h"
#include "render/PngExport.h"

using namespace rendertest;

namespace {

class BitmapExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        scene.map.create(20, 13, 20, 13, 1, Grass);
        scene.map.provinceNames = {"Province des Essais"};
        scene.settings.showTimes = true;
        scene.settings.showProvinceNames = true;
        for (int x = 0; x < 20; ++x) {
            scene.map.terrain.at(x, 6) = Water;
            scene.map.routeTime[OnFoot].at(x, 3) = x * 45;
            scene.map.routeTime[Afloat].at(x, 6) = 590 + x;
            scene.map.routeMark.at(x, 3) = x == 7 ? MarkLayerChange : MarkOnRoute;
        }
    }

    QString target(const QString &name) const { return output.filePath(name); }

    BitmapExportResult exportTo(const QString &path, const MapView &view, int bandRows = 0,
                                const BitmapExportProgress &progress = {}, const std::optional<QRect> &area = {})
    {
        const auto format = pictureFormatForName(path, PictureFormat::Bmp);
        return ExportMapPictureAs(*format, path, scene.map, view, scene.settings, *scene.tiles, progress, bandRows,
                                  area);
    }

    // The PNG file decoded by libpng itself, row by row, as 24-bit RGB.
    static QImage decodePng(const QString &path)
    {
        FILE *file = std::fopen(QFile::encodeName(path).constData(), "rb");
        if (!file)
            return {};
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        QImage picture;
        if (setjmp(png_jmpbuf(png)) == 0) {
            png_init_io(png, file);
            png_read_info(png, info);
            if (png_get_color_type(png, info) == PNG_COLOR_TYPE_RGB && png_get_bit_depth(png, info) == 8) {
                picture = QImage(int(png_get_image_width(png, info)), int(png_get_image_height(png, info)),
                                 QImage::Format_RGB888);
                for (int y = 0; y < picture.height(); ++y)
                    png_read_row(png, picture.scanLine(y), nullptr);
            }
        } else {
            picture = QImage();
        }
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return picture.convertToFormat(QImage::Format_RGB32);
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static uint32_t field(const QByteArray &bytes, int offset, int size)
    {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
        return value;
    }

    Scene scene;
    QTemporaryDir output;
};

} // namespace

TEST_F(BitmapExport, PictureIsThePitchTimesTheMapSize)
{
    // Zoom 50 with the grid: 20 x 13 cells of 16 + 1 pixels.
    const MapView half = viewAt(MapView::cellSizeForZoom(50), 1);
    ASSERT_TRUE(exportTo(target("half.bmp"), half).ok);
    const QByteArray bytes = contents(target("half.bmp"));
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(field(bytes, 18, 4), 340u);
    EXPECT_EQ(field(bytes, 22, 4), 221u);
    EXPECT_EQ(field(bytes, 28, 2), 24u) << "24 bits per pixel";
    EXPECT_EQ(field(bytes, 2, 4), static_cast<uint32_t>(bytes.size()));
    EXPECT_EQ(bytes.size(), 54 + 221 * 1020) << "rows of 340 x 3 bytes, already a multiple of 4";
    EXPECT_EQ(QImage(target("half.bmp")).size(), QSize(340, 221));

    // Without the grid, exact multiples of the cell size; odd widths get
    // their rows padded.
    const MapView noGrid = viewAt(MapView::cellSizeForZoom(23), 0); // 7-pixel cells
    ASSERT_TRUE(exportTo(target("nogrid.bmp"), noGrid).ok);
    const QByteArray packed = contents(target("nogrid.bmp"));
    EXPECT_EQ(field(packed, 18, 4), 140u);
    EXPECT_EQ(field(packed, 22, 4), 91u);
    EXPECT_EQ(packed.size(), 54 + 91 * 420);
    EXPECT_EQ(mapPictureSize(scene.map, noGrid), QSize(140, 91));
}

TEST_F(BitmapExport, BandsGiveExactlyThePictureRenderedAtOnce)
{
    for (bool boxes : {false, true}) {
        scene.settings.timesBackground = boxes;
        scene.settings.namesBackground = boxes;
        for (int cell : {32, 16, 5}) {
            MapView view = viewAt(cell, 1, 123, 45); // the window's scroll plays no part
            MapView atOrigin = view;
            atOrigin.scrollX = atOrigin.scrollY = 0;
            const QImage whole = scene.renderWhole(atOrigin);
            for (int bandRows : {0, 1, 7, 40}) {
                for (const char *suffix : {"bmp", "png"}) {
                    const QString path = target(QStringLiteral("bands-%1-%2.%3").arg(cell).arg(bandRows).arg(suffix));
                    ASSERT_TRUE(exportTo(path, view, bandRows).ok);
                    QImage written(path);
                    written = written.convertToFormat(QImage::Format_RGB32);
                    ASSERT_EQ(written.size(), whole.size());
                    EXPECT_EQ(differingPixels(written, whole), 0)
                        << suffix << ", cell " << cell << ", bands of " << bandRows;
                    if (QByteArray(suffix) == "png" && bandRows == 7) {
                        EXPECT_EQ(differingPixels(decodePng(path), whole), 0) << "cell " << cell;
                    }
                }
            }
        }
    }
}

TEST_F(BitmapExport, ARegionIsItsCutOutOfTheWholePicture)
{
    const MapView view = viewAt(16, 1);
    const QImage whole = scene.renderWhole(view);
    // Cells, then a view's pixels that cut through cells, names and times.
    const QRect areas[] = {cellsPictureArea(view, 3, 2, 5, 4), cellsPictureArea(view, 19, 12, 1, 1),
                           QRect(101, 37, 180, 150), QRect(250, 150, 400, 400)};
    for (const QRect &area : areas) {
        for (int bandRows : {0, 7}) {
            for (const char *suffix : {"bmp", "png"}) {
                const QString path = target(QStringLiteral("region.%1").arg(suffix));
                ASSERT_TRUE(exportTo(path, view, bandRows, {}, area).ok);
                const QImage written = QImage(path).convertToFormat(QImage::Format_RGB32);
                const QImage cut = whole.copy(area & whole.rect());
                ASSERT_EQ(written.size(), cut.size()) << suffix;
                EXPECT_EQ(differingPixels(written, cut), 0) << suffix << " " << area.x() << "," << area.y();
            }
        }
    }
}

TEST_F(BitmapExport, ProgressCountsRowsAndCancelLeavesTheOldFile)
{
    const MapView view = viewAt(32, 1);
    std::vector<int64_t> reports;
    ASSERT_TRUE(exportTo(target("map.bmp"), view, 100, [&](int64_t done, int64_t total) {
                    EXPECT_EQ(total, 429);
                    reports.push_back(done);
                    return true;
                }).ok);
    EXPECT_EQ(reports, (std::vector<int64_t>{100, 200, 300, 400, 429}));

    QFile old(target("old.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the previous picture");
    old.close();
    const BitmapExportResult cancelled = exportTo(target("old.bmp"), view, 100, [](int64_t done, int64_t) {
        return done < 200;
    });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_FALSE(cancelled.ok);
    EXPECT_EQ(contents(target("old.bmp")), QByteArray("the previous picture"));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";

    const BitmapExportResult fresh = exportTo(target("new.bmp"), view, 100, [](int64_t, int64_t) {
        return false;
    });
    EXPECT_TRUE(fresh.cancelled);
    EXPECT_FALSE(QFileInfo::exists(target("new.bmp")));
}

TEST_F(BitmapExport, PicturesTooLargeForTheFormatAreRefusedBeforeWriting)
{
    // A 4096 x 4096 map at full zoom would be 135168 pixels square, about
    // 51 Gio: far beyond the 4 Gio a .bmp file can hold.
    scene.map.create(4096, 4096, 20, 13, 1, Grass);
    QFile old(target("big.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
    old.close();
    const BitmapExportResult refused = exportTo(target("big.bmp"), viewAt(32, 1));
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.cancelled);
    EXPECT_TRUE(refused.error.contains(QStringLiteral("trop grand"))) << refused.error.toStdString();
    EXPECT_TRUE(refused.error.contains(QStringLiteral("135"))) << refused.error.toStdString();
    EXPECT_EQ(contents(target("big.bmp")), QByteArray("keep me"));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files).size(), 1);

    // The limit itself: the whole file within 4 Gio - 1 byte.
    EXPECT_FALSE(bitmapSizeProblem(9900, 5577).has_value());
    EXPECT_FALSE(bitmapSizeProblem(37837, 37837).has_value()); // 4 294 953 598 bytes with headers
    EXPECT_TRUE(bitmapSizeProblem(37838, 37838).has_value());
    EXPECT_TRUE(bitmapSizeProblem(int64_t(1) << 31, 1).has_value());
    // A PNG holds the largest map at full zoom; its sides stop at 2^31 - 1.
    EXPECT_FALSE(pngSizeProblem(135168, 135168).has_value());
    EXPECT_FALSE(pngSizeProblem(0x7FFFFFFF, 1).has_value());
    const std::optional<QString> tooWide = pngSizeProblem(int64_t(1) << 31, 1);
    ASSERT_TRUE(tooWide.has_value());
    EXPECT_TRUE(tooWide->contains(QStringLiteral("2 147 483 647")) || tooWide->contains(QStringLiteral("2\u202F147")))
        << tooWide->toStdString();
}

TEST(PictureFormat, TheNameChoosesTheFormat)
{
    const struct {
        const char *name;
        std::optional<PictureFormat> format;
    } cases[] = {{"carte.bmp", PictureFormat::Bmp}, {"carte.PNG", PictureFormat::Png},
                 {"dossier.png/carte", PictureFormat::Bmp}, {"carte", PictureFormat::Bmp},
                 {"carte.jpg", std::nullopt},       {"carte.vr", std::nullopt},
                 {"carte.", std::nullopt},          {"carte.bmp.gz", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(pictureFormatForName(QString::fromUtf8(c.name), PictureFormat::Bmp), c.format) << c.name;
    EXPECT_EQ(pictureFormatForName(QStringLiteral("carte"), PictureFormat::Png), PictureFormat::Png);
}

TEST_F(BitmapExport, AFolderThatCannotBeWrittenIsReported)
{
    const BitmapExportResult failed = exportTo(target("no/such/folder/map.bmp"), viewAt(16, 1));
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.cancelled);
    EXPECT_FALSE(failed.error.isEmpty());
    EXPECT_TRUE(failed.error.contains(QStringLiteral("map.bmp"))) << failed.error.toStdString();
}
