#pragma once
// A program folder of solid colour tiles in ".\img\1\" and ".\img\250.bmp", its tile library, a map and settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "map/CarteVarenthe.h"
#include "render/MapRenderer.h"
#include "settings/ProgramFolder.h"

namespace rendertest {

inline constexpr int Grass = 100, Water = 103, Mountain = 105, Sand = 106;
inline constexpr int CustomZone = 300; // a zone tile read from the aspect folder rather than made by the program

inline QRgb tileColour(int tile)
{
    return tile == Grass ? qRgb(40, 160, 60) : tile == Water ? qRgb(20, 60, 200) : tile == Mountain ? qRgb(130, 110, 90)
         : tile == Sand ? qRgb(230, 210, 140) : tile == CustomZone ? qRgb(200, 30, 220) : qRgb(0, 0, 0);
}
inline QRgb layerChangeColour() { return qRgb(250, 120, 10); }
inline QRgb pixel(const QImage &image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

// Filled with a colour the renderer never draws, so that untouched pixels show.
inline QImage canvas(int width, int height, QRgb colour = qRgb(1, 2, 3))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class Scene {
public:
    Scene()
    {
        EXPECT_TRUE(folder.isValid());
        for (int tile : {Grass, Water, Mountain, Sand, CustomZone})
            writeTile(QStringLiteral("img/1/%1.bmp").arg(tile), tileColour(tile));
        writeTile(QStringLiteral("img/250.bmp"), layerChangeColour());
        ProgramFolder::setPath(folder.path());
        library.SelectAspectFolder(QStringLiteral(".\\img\\1\\"));
        // Tests about times and names switch them back on.
        settings.showTimes = false;
        settings.showProvinceNames = false;
    }
    ~Scene() { ProgramFolder::setPath(QString()); }

    void writeTile(const QString &relativePath, QRgb colour, QSize size = QSize(32, 32))
    {
        const QString path = folder.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).path());
        QImage tile(size, QImage::Format_RGB888);
        tile.fill(colour);
        ASSERT_TRUE(tile.save(path, "BMP")) << path.toStdString();
    }

    // Drawn piece by piece on a canvas of another colour; whole when no piece is given.
    QImage render(const MapView &view, int width, int height, std::initializer_list<QRect> pieces = {})
    {
        QImage image = canvas(width, height, pieces.size() ? qRgb(9, 8, 7) : qRgb(1, 2, 3));
        if (pieces.size() == 0)
            RenderMap(image, image.rect(), view, map, settings, tiles);
        for (const QRect &piece : pieces)
            RenderMap(image, piece, view, map, settings, tiles);
        return image;
    }

    // The whole map at scroll 0, as the export draws it.
    QImage renderWhole(const MapView &view)
    {
        return render(view, int(view.mapPixelWidth(map.width)), int(view.mapPixelHeight(map.height)));
    }

    QTemporaryDir folder;
    TileLibrary library;
    ScaledTileCache tiles{library};
    CarteVarenthe map;
    AppSettings settings;
};

// Pixels where two pictures differ, for messages.
inline int differingPixels(const QImage &a, const QImage &b)
{
    int count = a.size() == b.size() ? 0 : -1;
    for (int y = 0; count >= 0 && y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += pixel(a, x, y) != pixel(b, x, y);
    return count;
}

// A picture against tests/render/data/<name>.png, pixel for pixel; PELMORIN_UPDATE_GOLDEN=1 rewrites it, to review.
inline void expectGolden(const QImage &image, const QString &name)
{
    const QString path = QStringLiteral(PELMORIN_SOURCE_DIR "/tests/render/data/%1.png").arg(name);
    if (qEnvironmentVariable("PELMORIN_UPDATE_GOLDEN") == QStringLiteral("1")) {
        EXPECT_TRUE(image.convertToFormat(QImage::Format_RGB888).save(path, "PNG")) << path.toStdString();
        return;
    }
    const QImage golden(path);
    ASSERT_FALSE(golden.isNull()) << "no golden picture " << path.toStdString();
    EXPECT_EQ(differingPixels(image, golden.convertToFormat(QImage::Format_RGB32)), 0) << name.toStdString();
}

} // namespace rendertest
