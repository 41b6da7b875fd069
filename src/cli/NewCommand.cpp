// pelmorin-cli new OUT --preset world|city [--fill T]
// pelmorin-cli new OUT --size W,H [--provinces PW,PH] [--world] [--fill T]
// Creates a map as the new-map dialog would and saves it.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli/CliParser.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "map/CarteVarenthe.h"
#include "map/MapErrors.h"
#include "map/MapPresets.h"

namespace {

struct NewOptions {
    std::string output;
    std::string preset;
    std::string size;
    std::string provinces;
    bool world = false;
    int64_t fill = 0;
};

int runNew(const NewOptions &options)
{
    if (options.preset.empty() && options.size.empty())
        throw CLI::ValidationError("new", "--preset ou --size est nécessaire");
    const int32_t fill = checkTileNumber(options.fill, "--fill");
    NewMapRequest request;
    if (!options.preset.empty()) {
        request = presetRequest(options.preset == "world" ? WorldMapPreset : CityMapPreset, fill);
    } else {
        const std::vector<int32_t> size = parseIntegerList(options.size, 2, "--size");
        request.width = size[0];
        request.height = size[1];
        request.provinceWidth = 0;
        request.provinceHeight = 0;
        if (!options.provinces.empty()) {
            const std::vector<int32_t> provinces = parseIntegerList(options.provinces, 2, "--provinces");
            request.provinceWidth = provinces[0];
            request.provinceHeight = provinces[1];
        }
        request.mapType = options.world ? 1 : 0;
        request.fill = fill;
    }

    CarteVarenthe map;
    try {
        createMap(map, request);
    } catch (const MapCreateError &error) {
        throw CLI::ValidationError("new", error.what());
    }
    return saveMapOrReport(map, options.output) ? CliSuccess : CliFailure;
}

} // namespace

CliCommand addNewCommand(CLI::App &app)
{
    auto options = std::make_shared<NewOptions>();
    CLI::App *command = app.add_subcommand("new", "Crée une nouvelle carte, comme la boîte « Creer une nouvelle carte »");
    command->add_option("OUT", options->output, "Carte à écrire")->required();
    CLI::Option *preset = command->add_option("--preset", options->preset, "world : carte du Pelmorin, city : ville / province")
                              ->check(oneOf({"world", "city"}));
    CLI::Option *size = command->add_option("--size", options->size, "Largeur,hauteur en cases")->type_name("W,H");
    CLI::Option *provinces = command->add_option("--provinces", options->provinces, "Largeur,hauteur des provinces")->type_name("PW,PH");
    CLI::Option *world = command->add_flag("--world", options->world, "Carte du monde (type 1)");
    command->add_option("--fill", options->fill, "Tuile de chaque case (0 Vide, 100 Herbe, 103 Eaux profondes...)");
    preset->excludes(size)->excludes(provinces)->excludes(world);
    provinces->needs(size);
    world->needs(size);
    return {command, [options] { return runNew(*options); }};
}
