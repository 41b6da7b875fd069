// The map or a region exported as .bmp or .png in bands, never leaving half a file behind.
#include "RendererTestScene.h"

#include <QFile>
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

    QImage exported(const char *suffix, const MapView &view, int bandRows, const std::optional<QRect> &area = {})
    {
        const QString path = target(QStringLiteral("picture.%1").arg(suffix));
        EXPECT_TRUE(exportTo(path, view, bandRows, {}, area).ok);
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A little-endian (BMP) or big-endian (PNG) field of a file's header.
    static uint32_t field(const QByteArray &bytes, int offset, int size, bool bigEndian = false)
    {
        uint32_t value = 0;
        for (int i = 0; i < size; ++i)
            value = (value << 8) | static_cast<uint8_t>(bytes[offset + (bigEndian ? i : size - 1 - i)]);
        return value;
    }

    void keepOldFile(const QString &name, const QByteArray &text)
    {
        QFile old(target(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(text);
    }

    Scene scene;
    QTemporaryDir output;
};

} // namespace

TEST_F(BitmapExport, HeadersGiveTheFileSizeAndTrueColour)
{
    const MapView view = viewAt(MapView::cellSizeForZoom(50), 1);
    ASSERT_TRUE(exportTo(target("half.bmp"), view).ok && exportTo(target("half.png"), view).ok);
    const QByteArray bmp = contents(target("half.bmp")), png = contents(target("half.png"));
    ASSERT_TRUE(bmp.size() >= 54 && png.size() >= 26);
    EXPECT_EQ(std::tuple(bmp.left(2), field(bmp, 28, 2), field(bmp, 2, 4), bmp.size()),
              std::tuple(QByteArray("BM"), 24u, uint32_t(bmp.size()), 54 + 221 * 1020));
    EXPECT_EQ(std::tuple(png.mid(12, 4), field(png, 16, 4, true), field(png, 20, 4, true), int(png[24]), int(png[25])),
              std::tuple(QByteArray("IHDR"), 340u, 221u, 8, 2));
    EXPECT_EQ(mapPictureSize(scene.map, view), QSize(340, 221));
}

TEST_F(BitmapExport, BandsAndRegionsGiveExactlyThePictureRenderedAtOnce)
{
    for (bool boxes : {false, true}) {
        scene.settings.timesBackground = boxes;
        scene.settings.namesBackground = boxes;
        for (int cell : {32, 16, 5}) {
            const MapView view = viewAt(cell, 1, 123, 45); // the window's scroll plays no part
            const QImage whole = scene.renderWhole(viewAt(cell, 1));
            for (int bandRows : {0, 1, 7, 40})
                for (const char *suffix : {"bmp", "png"})
                    EXPECT_EQ(differingPixels(exported(suffix, view, bandRows), whole), 0)
                        << suffix << ", cell " << cell << ", bands of " << bandRows;
        }
    }
    // Cells, then a view's pixels that cut through cells, names and times.
    const MapView view = viewAt(16, 1);
    const QImage whole = scene.renderWhole(view);
    for (const QRect &area : {cellsPictureArea(view, 3, 2, 5, 4), cellsPictureArea(view, 19, 12, 1, 1),
                              QRect(101, 37, 180, 150), QRect(250, 150, 400, 400)})
        for (int bandRows : {0, 7})
            for (const char *suffix : {"bmp", "png"})
                EXPECT_EQ(differingPixels(exported(suffix, view, bandRows, area), whole.copy(area & whole.rect())), 0)
                    << suffix << " " << area.x() << "," << area.y();
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

    keepOldFile("old.bmp", "the previous picture");
    const BitmapExportResult cancelled =
        exportTo(target("old.bmp"), view, 100, [](int64_t done, int64_t) { return done < 200; });
    EXPECT_TRUE(cancelled.cancelled && !cancelled.ok);
    EXPECT_EQ(contents(target("old.bmp")), QByteArray("the previous picture"));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

TEST_F(BitmapExport, PicturesTooLargeForTheFormatAreRefusedBeforeWriting)
{
    // 135168 pixels square, about 51 Gio: far beyond the 4 Gio a .bmp file can hold.
    scene.map.create(4096, 4096, 20, 13, 1, Grass);
    keepOldFile("big.bmp", "keep me");
    const BitmapExportResult refused = exportTo(target("big.bmp"), viewAt(32, 1));
    EXPECT_FALSE(refused.ok || refused.cancelled);
    EXPECT_TRUE(refused.error.contains(QStringLiteral("trop grand")) && refused.error.contains(QStringLiteral("135")))
        << refused.error.toStdString();
    EXPECT_EQ(contents(target("big.bmp")), QByteArray("keep me"));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files).size(), 1);

    // A .bmp within 4 Gio - 1 byte (37837 square is 4 294 953 598 bytes); PNG sides up to 2^31 - 1.
    EXPECT_FALSE(bitmapSizeProblem(37837, 37837).has_value());
    EXPECT_TRUE(bitmapSizeProblem(37838, 37838).has_value());
    EXPECT_TRUE(bitmapSizeProblem(int64_t(1) << 31, 1).has_value());
    EXPECT_FALSE(pngSizeProblem(135168, 135168).has_value() || pngSizeProblem(0x7FFFFFFF, 1).has_value());
    EXPECT_TRUE(pngSizeProblem(int64_t(1) << 31, 1).has_value());
}

TEST(PictureFormat, TheNameChoosesTheFormat)
{
    const std::pair<const char *, std::optional<PictureFormat>> cases[] = {
        {"carte.bmp", PictureFormat::Bmp},         {"carte.PNG", PictureFormat::Png},
        {"dossier.png/carte", PictureFormat::Bmp}, {"carte", PictureFormat::Bmp},
        {"carte.jpg", std::nullopt},               {"carte.", std::nullopt},
        {"carte.bmp.gz", std::nullopt}};
    for (const auto &[name, format] : cases)
        EXPECT_EQ(pictureFormatForName(QString::fromUtf8(name), PictureFormat::Bmp), format) << name;
    EXPECT_EQ(pictureFormatForName(QStringLiteral("carte"), PictureFormat::Png), PictureFormat::Png);
}
