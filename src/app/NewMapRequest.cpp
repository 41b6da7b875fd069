#include "app/NewMapRequest.h"

#include "map/CarteVarenthe.h"

const MapPreset &mapPreset(int index)
{
    return mapPresets().at(static_cast<size_t>(index));
}

QString mapPresetCaption(int index)
{
    return QString::fromUtf8(mapPreset(index).caption);
}

const BaseTerrain &terrainChoice(int index)
{
    return baseTerrains().at(static_cast<size_t>(index));
}

QString terrainCaption(int index)
{
    return QString::fromUtf8(terrainChoice(index).caption);
}

int32_t integerOr(const QString &text, int32_t fallback)
{
    return fieldInteger(text.toStdString()).value_or(fallback);
}

NewMapRequest newMapRequestFrom(const QString &width, const QString &height, const QString &provinceWidth,
                                const QString &provinceHeight, int presetIndex, int terrainIndex)
{
    NewMapRequest request;
    request.width = integerOr(width, 20);
    request.height = integerOr(height, 13);
    request.provinceWidth = integerOr(provinceWidth, 0);
    request.provinceHeight = integerOr(provinceHeight, 0);
    request.mapType = presetIndex == WorldMapPreset ? 1 : 0;
    const int terrain = terrainIndex >= 0 && terrainIndex < TerrainChoiceCount ? terrainIndex : 0;
    request.fill = terrainChoice(terrain).tile;
    return request;
}

QString newMapRefusal(const NewMapRequest &request)
{
    // The same limits as the map document: the file format cannot hold a
    // side above MaxMapSide, and a map without cells has nothing to show.
    if (request.width < 1 || request.width > MaxMapSide)
        return QStringLiteral("La largeur de la carte doit être comprise entre 1 et %1 cases.").arg(MaxMapSide);
    if (request.height < 1 || request.height > MaxMapSide)
        return QStringLiteral("La hauteur de la carte doit être comprise entre 1 et %1 cases.").arg(MaxMapSide);
    if (request.provinceWidth < 0 || request.provinceHeight < 0)
        return QStringLiteral("Les dimensions des provinces ne peuvent pas être négatives.");
    return QString();
}

std::unique_ptr<CarteVarenthe> createNewMap(const NewMapRequest &request, const QString &fileName)
{
    auto document = std::make_unique<CarteVarenthe>();
    createMap(*document, request);
    document->fileName = fileName.toStdString();
    return document;
}
