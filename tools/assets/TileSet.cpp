#include "TileSet.h"

#include "BuildingArt.h"
#include "RoadArt.h"
#include "TerrainArt.h"

#include <QDir>
#include <stdexcept>

QImage drawAspectTile(const TileEntry &entry, Season season)
{
    switch (entry.category) {
    case TileCategory::Terrain: return drawTerrainTile(entry.number, season);
    case TileCategory::Road: return drawRoadTile(entry.number, season);
    case TileCategory::Feature: return drawFeatureTile(entry.number, season);
    case TileCategory::ZoneEraser: return drawZoneEraserTile();
    default: return drawBuildingTile(entry, season);
    }
}

void saveBitmap(const QImage &image, const QString &path)
{
    // Qt writes images of 32 bits per pixel as 24-bit bitmaps, the format
    // every tile file has.
    if (!image.save(path, "BMP"))
        throw std::runtime_error("Impossible d'écrire " + path.toStdString());
}

void writeAspectFolder(const QString &folder, Season season)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error("Impossible de créer le dossier " + folder.toStdString());
    for (const TileEntry &entry : aspectTiles())
        saveBitmap(drawAspectTile(entry, season), folder + QLatin1Char('/') + tileFileName(entry.number));
}

void writeLayerChangeMarker(const QString &path)
{
    saveBitmap(drawLayerChangeMarker(), path);
}
