#pragma once
// A program folder of solid colour tiles in ".\img\1\" and ".\img\250.bmp", its tile library, a map and settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>

#include "map/CarteVarenthe.h"
#include "settings/AppSettings.h"
#include "render/MapRenderer.h"
#include "render/MapView.h"
#include "render/ScaledTileCache.h"
#include "render/TileLibrary.h"
#include "settings/ProgramFolder.h"

namespace rendertest {

inline constexpr int Grass = 100;
inline constexpr int Water = 103;
inline constexpr int Mountain = 105;
inline constexpr int Sand = 106;
// A zone tile read from the aspect folder rather than made by the program.
inline constexpr int CustomZone = 300;

inline QRgb tileColour(int tile)
{
    return tile == Grass ? qRgb(40, 160, 60) : tile == Water ? qRgb(20, 60, 200) : tile == Mountain ? qRgb(130, 110, 90)
         : tile == Sand ? qRgb(230, 210, 140) : tile == CustomZone ? qRgb(200, 30, 220) : qRgb(0, 0, 0);
}
inline QRgb layerChangeColour() { return qRgb(250, 120, 10); }

inline void writeSolidBitmap(const QString &path, QRgb colour, QSize size = QSize(32, 32))
{
    QDir().mkpath(QFileInfo(path).path());
    QImage tile(size, QImage::Format_RGB888);
    tile.fill(colour);
    ASSERT_TRUE(tile.save(path, "BMP")) << path.toStdString();
}

class Scene {
public:
    Scene()
    {
        EXPECT_TRUE(folder.isValid());
        for (int tile : {Grass, Water, Mountain, Sand, CustomZone})
            writeSolidBitmap(folder.filePath(QStringLiteral("img/1/%1.bmp").arg(tile)), tileColour(tile));
        writeSolidBitmap(folder.filePath(QStringLiteral("img/250.bmp")), layerChangeColour());
        ProgramFolder::setPath(folder.path());
        library.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
        tiles = std::make_unique<ScaledTileCache>(library);
        // Tests about times and names switch them back on.
        settings.showTimes = false;
        settings.showProvinceNames = false;
    }
    ~Scene() { ProgramFolder::setPath(QString()); }

    void writeTile(const QString &relativePath, QRgb colour, QSize size = QSize(32, 32))
    {
        writeSolidBitmap(folder.filePath(relativePath), colour, size);
    }

    // Filled with a colour the renderer never draws, so that untouched pixels show.
    static QImage canvas(int width, int height, QRgb colour = qRgb(1, 2, 3))
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    QImage render(const MapView &view, int width, int height) { return renderPieces(view, width, height, {}); }

    // Drawn piece by piece on a canvas of another colour; whole when no piece is given.
    QImage renderPieces(const MapView &view, int width, int height, std::initializer_list<QRect> pieces)
    {
        QImage image = canvas(width, height, pieces.size() ? qRgb(9, 8, 7) : qRgb(1, 2, 3));
        if (pieces.size() == 0)
            RenderMap(image, image.rect(), view, map, settings, *tiles);
        for (const QRect &piece : pieces)
            RenderMap(image, piece, view, map, settings, *tiles);
        return image;
    }

    // The whole map at scroll 0, as the export draws it.
    QImage renderWhole(const MapView &view)
    {
        return render(view, static_cast<int>(view.mapPixelWidth(map.width)),
                      static_cast<int>(view.mapPixelHeight(map.height)));
    }

    QTemporaryDir folder;
    TileLibrary library;
    std::unique_ptr<ScaledTileCache> tiles;
    CarteVarenthe map;
    AppSettings settings;
};

inline MapView viewAt(int cellSize, int gridGap, int scrollX = 0, int scrollY = 0)
{
    return MapView{cellSize, gridGap, scrollX, scrollY};
}

inline QRgb pixel(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

// Pixels where two pictures differ, for messages.
inline int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += (a.pixel(x, y) | 0xFF000000u) != (b.pixel(x, y) | 0xFF000000u);
    return count;
}

// A picture against tests/render/data/<name>.png, pixel for pixel; PELMORIN_UPDATE_GOLDEN=1 rewrites it, to review.
inline void expectGolden(const QImage &image, const QString &name)
{
    const QString path = QStringLiteral(PELMORIN_SOURCE_DIR "/tests/render/data/%1.png").arg(name);
    if (qEnvironmentVariable("PELMORIN_UPDATE_GOLDEN") == QStringLiteral("1")) {
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_TRUE(image.convertToFormat(QImage::Format_RGB888).save(path, "PNG")) << path.toStdString();
        return;
    }
    const QImage golden(path);
    ASSERT_FALSE(golden.isNull()) << "no golden picture " << path.toStdString();
    EXPECT_EQ(differingPixels(image, golden.convertToFormat(QImage::Format_RGB32)), 0) << name.toStdString();
}

} // namespace rendertest
