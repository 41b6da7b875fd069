#include "WorldGenerator.h"

#include "PlaceNames.h"
#include "RoadPlanner.h"
#include "WorldSettlements.h"
#include "WorldTerrain.h"
#include "WorldTiles.h"
#include "map/CarteVarenthe.h"

#include <QFile>
#include <QtEndian>
#include <stdexcept>

namespace {

// 1 December 2026 at midnight: the release of this version.
constexpr int32_t ReleaseDate = 1796083200;

// Byte offset of `generatedAt` in a map file's header.
constexpr qint64 GeneratedAtOffset = 12;

} // namespace

void generateSampleWorld(CarteVarenthe &map)
{
    map.create(SampleWorldWidth, SampleWorldHeight, 20, 13, 1, WorldTile::Sea);
    const WorldRelief relief = sculptWorldTerrain(map);
    carveRivers(map, relief);
    scatterFeatures(map);
    const std::vector<CityPlace> cities = foundCities(map, SampleWorldCities);
    addReefs(map);
    buildRoads(map, cities);

    PlaceNames names(2026);
    nameCities(map, cities, names);
    markZones(map, cities);

    // Province names, row by row; a province that is mostly sea is named as
    // a sea.
    for (int32_t index = 0; index < map.provinceLayoutCount(); ++index) {
        const int32_t row = index / map.provincesPerRow();
        const int32_t column = index % map.provincesPerRow();
        const int32_t left = column * map.provinceWidth + (row % 2 == 1 ? ProvinceShift : 0);
        const int32_t top = row * map.provinceHeight;
        int land = 0;
        int cells = 0;
        for (int32_t y = top; y < top + map.provinceHeight; ++y) {
            for (int32_t x = left; x < left + map.provinceWidth; ++x) {
                ++cells;
                const int32_t code = map.terrainAt(x, y);
                if (code != WorldTile::Sea && code != WorldTile::Reef && code != WorldTile::Port && code != 0)
                    ++land;
            }
        }
        map.provinceNames.push_back(names.province(land * 4 < cells));
    }
}

void writeSampleWorld(const CarteVarenthe &map, const QString &path, int32_t generatedAt)
{
    CarteVarenthe copy = map;
    copy.save(path.toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(GeneratedAtOffset))
        throw std::runtime_error("Impossible de dater " + path.toStdString());
    const qint32 stamp = qToLittleEndian(generatedAt);
    if (file.write(reinterpret_cast<const char *>(&stamp), sizeof stamp) != sizeof stamp)
        throw std::runtime_error("Impossible de dater " + path.toStdString());
}

int32_t sampleWorldDate()
{
    bool ok = false;
    const qint64 epoch = qEnvironmentVariableIntValue("SOURCE_DATE_EPOCH", &ok);
    if (ok && epoch > 0 && epoch <= INT32_MAX)
        return static_cast<int32_t>(epoch);
    return ReleaseDate;
}
