#include "cli/CliSupport.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <iostream>

#include "map/CarteVarenthe.h"
#include "map/CityLookup.h"
#include "map/MapErrors.h"
#include "map/MapFileHeader.h"

std::vector<int32_t> parseIntegerList(const std::string &text, size_t count, const std::string &option)
{
    std::vector<int32_t> values;
    const char *p = text.data();
    const char *end = text.data() + text.size();
    while (values.size() < count) {
        int32_t value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || next == p)
            break;
        values.push_back(value);
        p = next;
        if (values.size() < count) {
            if (p == end || *p != ',')
                break;
            ++p;
        }
    }
    if (values.size() != count || p != end) {
        std::string shape;
        for (size_t i = 0; i < count; ++i)
            shape += i == 0 ? "N" : ",N";
        throw CLI::ValidationError(option, "« " + text + " » : " + std::to_string(count)
                                               + " entiers séparés par des virgules attendus (" + shape + ")");
    }
    return values;
}

int32_t checkTileNumber(int64_t tile, const std::string &option)
{
    if (tile < 0 || tile > 5999)
        throw CLI::ValidationError(option, "numéro de tuile " + std::to_string(tile) + " hors de 0 à 5999");
    return static_cast<int32_t>(tile);
}

CellArgument parseCellArgument(const std::string &text, const std::string &option)
{
    const std::vector<int32_t> values = parseIntegerList(text, 2, option);
    return CellArgument{values[0], values[1]};
}

void requireOnMap(const CellArgument &cell, const std::string &option, const CarteVarenthe &map)
{
    if (!map.contains(cell.x, cell.y))
        throw CLI::ValidationError(option, std::to_string(cell.x) + "," + std::to_string(cell.y)
                                               + " : la case est hors de la carte (" + std::to_string(map.width)
                                               + " x " + std::to_string(map.height) + " cases)");
}

namespace {

std::string joinedNames(const std::vector<std::string> &names)
{
    std::string text;
    for (const std::string &name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

CellArgument cityArgument(const std::string &text, const std::string &option, const CarteVarenthe &map)
{
    const std::vector<const Element *> cities = findCities(map, text);
    if (cities.size() == 1)
        return CellArgument{cities.front()->x, cities.front()->y};
    const std::vector<std::string> close = closeCityNames(map, text);
    if (cities.empty())
        throw CLI::ValidationError(option, "« " + text + " » : aucune ville de ce nom ni de ce numéro"
                                               + (close.empty() ? "" : " ; villes proches : " + joinedNames(close)));
    throw CLI::ValidationError(option, "« " + text + " » désigne " + std::to_string(cities.size())
                                           + " villes : " + joinedNames(close) + (cities.size() > close.size() ? "..." : "")
                                           + " ; précisez le nom ou donnez le numéro");
}

bool openMapOrReport(CarteVarenthe &document, const std::string &path)
{
    try {
        document.open(path);
        return true;
    } catch (const MapError &error) {
        std::cerr << path << " : " << error.what() << '\n';
    } catch (const std::bad_alloc &) {
        std::cerr << path << " : " << MapFileMemoryMessage << '\n';
    }
    return false;
}

bool saveMapOrReport(CarteVarenthe &document, const std::string &path)
{
    try {
        document.save(path);
        return true;
    } catch (const MapError &error) {
        // The writer's messages name the file themselves.
        std::cerr << error.what() << '\n';
    } catch (const std::bad_alloc &) {
        std::cerr << path << " : " << MapFileMemoryMessage << '\n';
    }
    return false;
}
