#include "AssetWriter.h"

#include "OverviewPicture.h"
#include "ReleaseNotes.h"
#include "TileSet.h"
#include "WorldGenerator.h"
#include "map/CarteVarenthe.h"

#include <QDir>
#include <map>
#include <QPainter>
#include <stdexcept>

void writeAllAssets(const QString &programFolder)
{
    const QString img = programFolder + QStringLiteral("/img");
    writeAspectFolder(img + QStringLiteral("/1"), Season::Summer);
    writeAspectFolder(img + QStringLiteral("/4"), Season::Winter);
    writeLayerChangeMarker(img + QStringLiteral("/250.bmp"));

    CarteVarenthe world;
    generateSampleWorld(world);
    writeSampleWorld(world, programFolder + QStringLiteral("/pelmorin.vr"), sampleWorldDate());
    writeOverviewPicture(world, img + QStringLiteral("/minipelmorin.bmp"));
    writeReleaseNotes(programFolder + QStringLiteral("/notes.txt"));
}

void writeContactSheet(const QString &path)
{
    const auto &tiles = aspectTiles();
    constexpr int PerRow = 20;
    constexpr int Pitch = 2 * TilePixels + 4;
    const int rows = (static_cast<int>(tiles.size()) + PerRow - 1) / PerRow;
    QImage sheet(PerRow * Pitch * 2 + 16, rows * Pitch, QImage::Format_RGB32);
    sheet.fill(QColor(60, 60, 60));
    QPainter painter(&sheet);
    for (int season = 0; season < 2; ++season) {
        for (size_t i = 0; i < tiles.size(); ++i) {
            const QImage tile = drawAspectTile(tiles[i], season == 0 ? Season::Summer : Season::Winter);
            const int x = season * (PerRow * Pitch + 16) + static_cast<int>(i % PerRow) * Pitch;
            const int y = static_cast<int>(i / PerRow) * Pitch;
            painter.drawImage(QRect(x, y, 2 * TilePixels, 2 * TilePixels), tile);
        }
    }
    painter.end();
    if (!sheet.save(path, "PNG"))
        throw std::runtime_error("Impossible d'écrire " + path.toStdString());
}

void writeWorldPreview(const QString &path, int cellPixels)
{
    CarteVarenthe world;
    generateSampleWorld(world);
    std::map<int32_t, QImage> scaled;
    for (const TileEntry &entry : aspectTiles())
        scaled[entry.number] = drawAspectTile(entry, Season::Summer)
                                   .scaled(cellPixels, cellPixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage preview(world.width * cellPixels, world.height * cellPixels, QImage::Format_RGB32);
    preview.fill(Qt::black);
    QPainter painter(&preview);
    for (int32_t y = 0; y < world.height; ++y)
        for (int32_t x = 0; x < world.width; ++x) {
            const auto tile = scaled.find(world.terrainAt(x, y));
            if (tile != scaled.end())
                painter.drawImage(x * cellPixels, y * cellPixels, tile->second);
        }
    painter.setPen(QColor(0, 0, 0, 90));
    for (int32_t index = 0; index < world.provinceLayoutCount(); ++index) {
        const int32_t row = index / world.provincesPerRow();
        const int32_t column = index % world.provincesPerRow();
        const int32_t left = column * world.provinceWidth + (row % 2 == 1 ? ProvinceShift : 0);
        painter.drawRect(left * cellPixels, row * world.provinceHeight * cellPixels, world.provinceWidth * cellPixels,
                         world.provinceHeight * cellPixels);
    }
    painter.end();
    if (!preview.save(path, "PNG"))
        throw std::runtime_error("Impossible d'écrire " + path.toStdString());
}
