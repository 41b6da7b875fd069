#include "app/NewMapRequest.h"

#include <array>

#include "map/CarteVarenthe.h"

const MapPreset &mapPreset(int index)
{
    static const std::array<MapPreset, MapPresetCount> presets = {{
        {QStringLiteral("Carte du Pelmorin"), true, 300, 169, 20, 13},
        {QStringLiteral("Carte de ville / de province"), true, 20, 13, 0, 0},
        {QStringLiteral("Personnaliser"), false, 0, 0, 0, 0},
    }};
    return presets.at(static_cast<size_t>(index));
}

const TerrainChoice &terrainChoice(int index)
{
    static const std::array<TerrainChoice, TerrainChoiceCount> choices = {{
        {QStringLiteral("Vide"), 0},
        {QStringLiteral("Herbe"), 100},
        {QStringLiteral("Eaux profondes"), 103},
        {QStringLiteral("Rivières"), 104},
        {QStringLiteral("Montagnes"), 105},
        {QStringLiteral("Plage / Désert"), 106},
        {QStringLiteral("Neige / Glace"), 107},
    }};
    return choices.at(static_cast<size_t>(index));
}

int32_t integerOr(const QString &text, int32_t fallback)
{
    bool ok = false;
    const int32_t value = text.trimmed().toInt(&ok, 10);
    return ok ? value : fallback;
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
    request.fillTerrain = terrainChoice(terrain).tile;
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
    document->create(request.width, request.height, request.provinceWidth, request.provinceHeight, request.mapType,
                     request.fillTerrain);
    document->fileName = fileName.toStdString();
    return document;
}
