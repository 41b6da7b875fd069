#include "AssetWriter.h"

#include "TileSet.h"

#include <QDir>
#include <QPainter>
#include <stdexcept>

void writeAllAssets(const QString &programFolder)
{
    const QString img = programFolder + QStringLiteral("/img");
    writeAspectFolder(img + QStringLiteral("/1"), Season::Summer);
    writeAspectFolder(img + QStringLiteral("/4"), Season::Winter);
    writeLayerChangeMarker(img + QStringLiteral("/250.bmp"));
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
