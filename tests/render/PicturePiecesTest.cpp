// A picture drawn in pieces is the whole picture: the strips a scroll uncovers, and the bands and regions of an
// export to .bmp or .png, which never leaves half a file behind.
#include "RendererTestScene.h"

#include <QFile>

#include "render/BitmapExport.h"
#include "render/PictureFormat.h"
#include "render/PngExport.h"

using namespace rendertest;

namespace {

class PictureExport : public ::testing::Test {
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
        return ExportMapPictureAs(*pictureFormatForName(path, PictureFormat::Bmp), path, scene.map, view,
                                  scene.settings, scene.tiles, progress, bandRows, area);
    }

    QImage exported(const char *suffix, const MapView &view, int bandRows, const std::optional<QRect> &area = {})
    {
        const QString path = target(QStringLiteral("picture.%1").arg(suffix));
        EXPECT_TRUE(exportTo(path, view, bandRows, {}, area).ok);
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

    QByteArray contents(const QString &name) const
    {
        QFile file(target(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void keepOldFile(const QString &name, const QByteArray &text)
    {
        QFile old(target(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write(text) == text.size());
    }

    Scene scene;
    QTemporaryDir output;
};

// A little-endian (BMP) or big-endian (PNG) field of a file's header.
uint32_t field(const QByteArray &bytes, int offset, int size, bool bigEndian = false)
{
    uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | static_cast<uint8_t>(bytes[offset + (bigEndian ? i : size - 1 - i)]);
    return value;
}

} // namespace

TEST(ScrollingMap, APictureDrawnInPiecesIsTheWholePicture)
{
    Scene scene;
    // Names wider than a province at small zoom, zones, a route with times, several terrains.
    scene.map.create(60, 39, 20, 13, 1, Grass);
    scene.map.provinceNames = {"Montagnes du Nord", "Val", "Ile aux Marins", "Delta du Couchant",
                               "Basses Terres", "Sable", "Hautes Forets"};
    for (int y = 0; y < scene.map.height; ++y) {
        for (int x = 0; x < scene.map.width; ++x) {
            if ((x * 7 + y * 3) % 11 == 0)
                scene.map.terrain.at(x, y) = Water;
            else if ((x + y * 5) % 13 == 0)
                scene.map.terrain.at(x, y) = Mountain;
            scene.map.routeTime[OnFoot].at(x, y) = (x * 37 + y * 101) % 7000;
            if (x % 3 == 0)
                scene.map.routeTime[Afloat].at(x, y) = (x * 13 + y * 17) % 900;
        }
    }
    for (int i = 0; i < 30; ++i)
        scene.map.routeMark.at(5 + i, 4 + i / 2) = i % 7 == 0 ? MarkLayerChange : MarkOnRoute;
    scene.map.SetCellElement(12, 6, Element{ElementZone, "", 0, 0, 253});
    // Cities whose names cross the pieces' edges at the larger cell sizes.
    scene.map.SetCellElement(12, 2, Element{ElementCity, "Brurières", 0, 0, 1});
    scene.map.SetCellElement(8, 5, Element{ElementCity, "Port-Noron", 0, 0, 2});
    scene.settings.showTimes = true;
    scene.settings.showProvinceNames = true;
    const int w = 300, h = 200;
    for (bool boxes : {false, true}) {
        scene.settings.timesBackground = boxes;
        scene.settings.namesBackground = !boxes;
        scene.settings.provinceNamesThatFit = boxes;
        scene.settings.showCityNames = boxes;
        for (int cell : {32, 9, 1}) {
            const MapView view{cell, 1, 2 * (cell + 1) + 5 + 33, cell + 4};
            const QImage whole = scene.render(view, w, h);
            for (const QPoint move : {QPoint(33, 0), QPoint(-33, 0), QPoint(0, 33), QPoint(17, -12),
                                      QPoint(-40, 25), QPoint(500, 0), QPoint(320, 210)}) {
                // The column strip, the row strip and the rest a move by (dx, dy) leaves.
                const int dx = move.x(), dy = move.y(), columns = std::min(std::abs(dx), w);
                const int rows = std::min(std::abs(dy), h), restLeft = dx >= 0 ? 0 : columns;
                const QRect column(dx >= 0 ? w - columns : 0, 0, columns, h);
                const QRect row(restLeft, dy >= 0 ? h - rows : 0, w - columns, rows);
                const QRect rest(restLeft, dy >= 0 ? 0 : rows, w - columns, h - rows);
                EXPECT_EQ(differingPixels(scene.render(view, w, h, {column, row, rest}), whole), 0)
                    << "pieces of a move by " << dx << "," << dy << " at cell " << cell;
            }
        }
    }
}

TEST_F(PictureExport, BandsAndRegionsGiveExactlyThePictureRenderedAtOnce)
{
    for (bool boxes : {false, true}) {
        scene.settings.timesBackground = boxes;
        scene.settings.namesBackground = boxes;
        for (int cell : {32, 16, 5}) {
            const MapView view{cell, 1, 123, 45}; // the window's scroll plays no part
            const QImage whole = scene.renderWhole(MapView{cell, 1});
            for (int bandRows : {0, 1, 7, 40})
                for (const char *suffix : {"bmp", "png"})
                    EXPECT_EQ(differingPixels(exported(suffix, view, bandRows), whole), 0)
                        << suffix << ", cell " << cell << ", bands of " << bandRows;
        }
    }
    // Cells, then a view's pixels that cut through cells, names and times.
    const MapView view{16, 1};
    const QImage whole = scene.renderWhole(view);
    for (const QRect &area : {cellsPictureArea(view, 3, 2, 5, 4), cellsPictureArea(view, 19, 12, 1, 1),
                              QRect(101, 37, 180, 150), QRect(250, 150, 400, 400)})
        for (int bandRows : {0, 7})
            for (const char *suffix : {"bmp", "png"})
                EXPECT_EQ(differingPixels(exported(suffix, view, bandRows, area), whole.copy(area & whole.rect())), 0)
                    << suffix << " " << area.x() << "," << area.y();
}

TEST_F(PictureExport, HeadersProgressCancelAndPicturesTooLargeLeaveNoHalfFile)
{
    const MapView half{MapView::cellSizeForZoom(50), 1};
    ASSERT_TRUE(exportTo(target("half.bmp"), half).ok && exportTo(target("half.png"), half).ok);
    const QByteArray bmp = contents("half.bmp"), png = contents("half.png");
    ASSERT_TRUE(bmp.size() >= 54 && png.size() >= 26);
    EXPECT_EQ(std::tuple(bmp.left(2), field(bmp, 28, 2), field(bmp, 2, 4), bmp.size()),
              std::tuple(QByteArray("BM"), 24u, uint32_t(bmp.size()), 54 + 221 * 1020));
    EXPECT_EQ(std::tuple(png.mid(12, 4), field(png, 16, 4, true), field(png, 20, 4, true), int(png[24]), int(png[25])),
              std::tuple(QByteArray("IHDR"), 340u, 221u, 8, 2));
    EXPECT_EQ(mapPictureSize(scene.map, half), QSize(340, 221));

    SCOPED_TRACE("progress by rows; a cancel leaves the old file");
    const MapView full{32, 1};
    std::vector<int64_t> reports;
    ASSERT_TRUE(exportTo(target("map.bmp"), full, 100, [&](int64_t done, int64_t total) {
                    EXPECT_EQ(total, 429);
                    reports.push_back(done);
                    return true;
                }).ok);
    EXPECT_EQ(reports, (std::vector<int64_t>{100, 200, 300, 400, 429}));
    keepOldFile("old.bmp", "the previous picture");
    const BitmapExportResult cancelled =
        exportTo(target("old.bmp"), full, 100, [](int64_t done, int64_t) { return done < 200; });
    EXPECT_TRUE(cancelled.cancelled && !cancelled.ok);
    EXPECT_EQ(contents("old.bmp"), QByteArray("the previous picture"));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files).size(), 4) << "no temporary file is left";

    SCOPED_TRACE("too large for the format: refused before writing");
    // 135168 pixels square, about 51 Gio: far beyond the 4 Gio a .bmp file can hold.
    scene.map.create(4096, 4096, 20, 13, 1, Grass);
    keepOldFile("big.bmp", "keep me");
    const BitmapExportResult refused = exportTo(target("big.bmp"), full);
    EXPECT_FALSE(refused.ok || refused.cancelled);
    EXPECT_TRUE(refused.error.contains(QStringLiteral("trop grand")) && refused.error.contains(QStringLiteral("135")))
        << refused.error.toStdString();
    EXPECT_EQ(contents("big.bmp"), QByteArray("keep me"));
    EXPECT_EQ(QDir(output.path()).entryList(QDir::Files).size(), 5);
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
