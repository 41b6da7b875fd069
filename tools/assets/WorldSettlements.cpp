#include "WorldSettlements.h"

#include "PlaceNames.h"
#include "TileArt.h"
#include "WorldTiles.h"
#include "map/CarteVarenthe.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace WorldTile;

bool buildable(int32_t code)
{
    return code == Grass || code == Forest || code == Hills || code == Sand || code == Snow;
}

bool near(const CarteVarenthe &map, int32_t x, int32_t y, int32_t code, int32_t radius)
{
    for (int32_t dy = -radius; dy <= radius; ++dy)
        for (int32_t dx = -radius; dx <= radius; ++dx)
            if (map.terrainAt(x + dx, y + dy) == code)
                return true;
    return false;
}

constexpr int Dx[] = {1, 0, -1, 0};
constexpr int Dy[] = {0, 1, 0, -1};

} // namespace

std::vector<CityPlace> foundCities(CarteVarenthe &map, int count)
{
    struct Site {
        int32_t x, y;
        double score;
        bool coastal;
    };
    std::vector<Site> sites;
    for (int32_t y = 4; y < map.height - 4; ++y) {
        for (int32_t x = 4; x < map.width - 4; ++x) {
            const int32_t code = map.terrainAt(x, y);
            if (!buildable(code))
                continue;
            bool coastal = false;
            for (int d = 0; d < 4; ++d)
                coastal = coastal || map.terrainAt(x + Dx[d], y + Dy[d]) == Sea;
            double score = artUnit(121, x, y);
            if (coastal)
                score += 0.55;
            if (near(map, x, y, River, 2))
                score += 0.45;
            if (code == Grass)
                score += 0.2;
            if (code == Snow)
                score -= 0.3;
            sites.push_back({x, y, score, coastal});
        }
    }
    std::stable_sort(sites.begin(), sites.end(), [](const Site &a, const Site &b) { return a.score > b.score; });

    // Cities keep their distances; the spacing shrinks until enough fit.
    std::vector<CityPlace> cities;
    for (double spacing = 17; spacing >= 6 && static_cast<int>(cities.size()) < count; spacing -= 1) {
        cities.clear();
        for (const Site &site : sites) {
            bool free = true;
            for (const CityPlace &city : cities) {
                if (std::hypot(city.x - site.x, city.y - site.y) < spacing) {
                    free = false;
                    break;
                }
            }
            if (free)
                cities.push_back({site.x, site.y, static_cast<int32_t>(cities.size()) + 1, site.coastal});
            if (static_cast<int>(cities.size()) == count)
                break;
        }
    }
    for (const CityPlace &city : cities) {
        map.terrain.at(city.x, city.y) = Town;
        if (!city.coastal)
            continue;
        for (int d = 0; d < 4; ++d) {
            if (map.terrainAt(city.x + Dx[d], city.y + Dy[d]) == Sea) {
                map.terrain.at(city.x + Dx[d], city.y + Dy[d]) = Port;
                break;
            }
        }
    }
    return cities;
}

void nameCities(CarteVarenthe &map, const std::vector<CityPlace> &cities, PlaceNames &names)
{
    for (const CityPlace &city : cities) {
        Element element;
        element.kind = ElementCity;
        element.name = names.city(city.coastal);
        element.number = city.number;
        map.SetCellElement(city.x, city.y, element);
    }
}

void markZones(CarteVarenthe &map, const std::vector<CityPlace> &cities)
{
    // Each zone is a small block of cells beside a city, on open ground.
    struct ZoneKind {
        int32_t number;
        const char *name;
    };
    const ZoneKind kinds[] = {{253, "Zone habitable"}, {254, "Zone religieuse"}, {255, "Zone commerciale"}, {256, ""}};
    int placed = 0;
    for (size_t i = 0; i < cities.size() && placed < 8; i += 3) {
        const CityPlace &city = cities[i];
        const ZoneKind &kind = kinds[placed % 4];
        // The block lies two cells east and south of the city, on land.
        int cells = 0;
        for (int32_t dy = 1; dy <= 2; ++dy) {
            for (int32_t dx = 2; dx <= 3; ++dx) {
                const int32_t code = map.terrainAt(city.x + dx, city.y + dy);
                cells += code != Sea && code != Port && code != Reef && code != 0
                         && map.elementAt(city.x + dx, city.y + dy) == nullptr;
            }
        }
        if (cells < 4)
            continue;
        for (int32_t dy = 1; dy <= 2; ++dy) {
            for (int32_t dx = 2; dx <= 3; ++dx) {
                Element zone;
                zone.kind = ElementZone;
                zone.name = kind.name;
                zone.number = kind.number;
                map.SetCellElement(city.x + dx, city.y + dy, zone);
            }
        }
        ++placed;
    }
}

void addReefs(CarteVarenthe &map)
{
    for (int32_t y = 3; y < map.height - 3; ++y) {
        for (int32_t x = 3; x < map.width - 3; ++x) {
            if (map.terrainAt(x, y) != Sea || artHash(3, x, y) % 1000 >= 25)
                continue;
            // Reefs lie offshore in open water: two cells off the coast, and
            // never in front of a port.
            if (near(map, x, y, Port, 4))
                continue;
            bool offshore = true;
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx)
                    offshore = offshore && map.terrainAt(x + dx, y + dy) == Sea;
            if (offshore && near(map, x, y, Sand, 3))
                map.terrain.at(x, y) = Reef;
        }
    }
}
