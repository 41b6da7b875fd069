#include "settings/ConfigOpenMaps.h"

#include "map/CarteVarenthe.h"
#include "settings/ConfigFile.h"
#include "settings/SettingRanges.h"

namespace {

const QString OpenMaps = QStringLiteral("Cartes Ouvertes");

} // namespace

QList<ConfigEntry> readOpenMapList(const ConfigFile &config)
{
    return config.readSection(OpenMaps);
}

MapWindowPlacement readMapWindowPlacement(const ConfigFile &config, const QString &key)
{
    MapWindowPlacement placement;
    placement.zoomPercent =
        clampSetting(config.readInteger(key, QStringLiteral("Echelle"), 100), MinZoomSetting, MaxZoomSetting);
    placement.windowState = config.readInteger(key, QStringLiteral("Etat Fenetre"), 0);
    if (placement.windowState < 0 || placement.windowState > 2)
        placement.windowState = 0;
    // No map is wider or taller than MaxMapSide cells.
    placement.centreColumn = clampSetting(config.readInteger(key, QStringLiteral("x"), 0), 0, MaxMapSide - 1);
    placement.centreRow = clampSetting(config.readInteger(key, QStringLiteral("y"), 0), 0, MaxMapSide - 1);
    return placement;
}

void writeOpenMapList(ConfigFile &config, const QList<OpenMapRecord> &windowsMostRecentFirst)
{
    config.eraseSection(OpenMaps);
    for (qsizetype i = windowsMostRecentFirst.size() - 1; i >= 0; --i) {
        const OpenMapRecord &window = windowsMostRecentFirst[i];
        if (window.untitled)
            continue;
        const QString key = QStringLiteral("Carte %1").arg(i);
        config.writeString(OpenMaps, key, window.fileName);
        config.writeInteger(key, QStringLiteral("Echelle"), window.placement.zoomPercent);
        config.writeInteger(key, QStringLiteral("Etat Fenetre"), window.placement.windowState);
        config.writeInteger(key, QStringLiteral("x"), window.placement.centreColumn);
        config.writeInteger(key, QStringLiteral("y"), window.placement.centreRow);
    }
}
