#include "map/MapPresets.h"

#include <charconv>

#include "map/CarteVarenthe.h"

const std::array<MapPreset, MapPresetCount> &mapPresets()
{
    static const std::array<MapPreset, MapPresetCount> presets = {{
        {"Carte du Pelmorin", true, 300, 169, 20, 13, 1},
        {"Carte de ville / de province", true, 20, 13, 0, 0, 0},
        {"Personnaliser", false, 0, 0, 0, 0, 0},
    }};
    return presets;
}

const std::array<BaseTerrain, BaseTerrainCount> &baseTerrains()
{
    static const std::array<BaseTerrain, BaseTerrainCount> terrains = {{
        {"Vide", 0},
        {"Herbe", 100},
        {"Eaux profondes", 103},
        {"Rivières", 104},
        {"Montagnes", 105},
        {"Plage / Désert", 106},
        {"Neige / Glace", 107},
    }};
    return terrains;
}

NewMapRequest presetRequest(int preset, int32_t fill)
{
    NewMapRequest request;
    if (preset == WorldMapPreset || preset == CityMapPreset) {
        const MapPreset &chosen = mapPresets()[static_cast<size_t>(preset)];
        request.width = chosen.width;
        request.height = chosen.height;
        request.provinceWidth = chosen.provinceWidth;
        request.provinceHeight = chosen.provinceHeight;
        request.mapType = chosen.mapType;
    }
    request.fill = fill;
    return request;
}

std::optional<int32_t> fieldInteger(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void createMap(CarteVarenthe &document, const NewMapRequest &request)
{
    document.create(request.width, request.height, request.provinceWidth, request.provinceHeight,
                    request.mapType, request.fill);
}
