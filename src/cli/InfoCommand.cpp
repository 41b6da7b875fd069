// pelmorin-cli info MAP [--terrain]: one JSON object describing the map.
#include <CLI/CLI.hpp>
#include <charconv>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "map/CarteVarenthe.h"

namespace {

struct InfoOptions {
    std::string map;
    bool terrain = false;
};

nlohmann::ordered_json describe(const CarteVarenthe &map)
{
    nlohmann::ordered_json info;
    info["width"] = map.width;
    info["height"] = map.height;
    info["provinceWidth"] = map.provinceWidth;
    info["provinceHeight"] = map.provinceHeight;
    info["mapType"] = map.mapType;
    info["generatedAt"] = map.generatedAt;
    info["provinceCount"] = map.provinceCount;
    info["provinceNames"] = map.provinceNames;
    nlohmann::ordered_json elements = nlohmann::ordered_json::array();
    for (const Element &element : map.elements) {
        elements.push_back({{"kind", element.kind},
                            {"name", element.name},
                            {"x", element.x},
                            {"y", element.y},
                            {"number", element.number}});
    }
    info["elements"] = std::move(elements);
    nlohmann::ordered_json costs;
    costs["foot"] = map.costTables.footCost;
    costs["boat"] = map.costTables.boatCost;
    costs["wings"] = map.costTables.wingsCost;
    info["costTables"] = std::move(costs);
    return info;
}

// The terrain rows are written straight out: as JSON values, the cells of
// the largest map would take ten times the memory of the map itself.
void writeTerrain(std::ostream &out, const CarteVarenthe &map)
{
    std::string row;
    char number[16];
    out << "\"terrain\":[";
    for (int32_t y = 0; y < map.height; ++y) {
        row.clear();
        row += y == 0 ? "[" : ",[";
        const int32_t *cells = map.terrain.row(y);
        for (int32_t x = 0; x < map.width; ++x) {
            if (x > 0)
                row += ',';
            const auto [end, error] = std::to_chars(number, number + sizeof number, cells[x]);
            row.append(number, end);
        }
        row += ']';
        out << row;
    }
    out << ']';
}

int runInfo(const InfoOptions &options)
{
    CarteVarenthe map;
    if (!openMapOrReport(map, options.map))
        return CliFailure;
    std::string text = describe(map).dump();
    if (options.terrain) {
        text.pop_back(); // the closing brace
        std::cout << text << ',';
        writeTerrain(std::cout, map);
        std::cout << "}\n";
    } else {
        std::cout << text << '\n';
    }
    return CliSuccess;
}

} // namespace

CliCommand addInfoCommand(CLI::App &app)
{
    auto options = std::make_shared<InfoOptions>();
    CLI::App *command = app.add_subcommand("info", "Décrit une carte en JSON");
    command->add_option("MAP", options->map, "Carte à décrire (.vr)")->required();
    command->add_flag("--terrain", options->terrain, "Ajoute le numéro de tuile de chaque case, ligne par ligne");
    return {command, [options] { return runInfo(*options); }};
}
