// pelmorin-cli edit IN -o OUT [--paint X,Y,T]... [--city X,Y,NUMBER,NAME]...
// Applies the edits in the order given, as the palette and the map maker
// would, and saves the result.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "map/CarteVarenthe.h"
#include "map/CityEdits.h"
#include "map/PaletteEdit.h"
#include "map/Windows1252.h"

namespace {

struct EditOptions {
    std::string input;
    std::string output;
    std::vector<std::string> paints;
    std::vector<std::string> cities;
    CLI::Option *paintOption = nullptr;
    CLI::Option *cityOption = nullptr;
};

struct Edit {
    bool city = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t value = 0; // the tile painted, or the city's number
    std::string name;
};

Edit parseCity(const std::string &text)
{
    // The name is everything after the third comma, commas included.
    size_t cut = std::string::npos;
    size_t from = 0;
    for (int commas = 0; commas < 3; ++commas) {
        cut = text.find(',', from);
        if (cut == std::string::npos)
            break;
        from = cut + 1;
    }
    if (cut == std::string::npos)
        throw CLI::ValidationError("--city", "« " + text + " » : X,Y,NUMERO,NOM attendu");
    const std::vector<int32_t> numbers = parseIntegerList(text.substr(0, cut), 3, "--city");
    Edit edit;
    edit.city = true;
    edit.x = numbers[0];
    edit.y = numbers[1];
    edit.value = numbers[2];
    // The name as the map file will hold it: what Windows-1252 cannot write
    // becomes '?' now rather than at the next save.
    edit.name = cp1252ToUtf8(utf8ToCp1252(text.substr(cut + 1)));
    return edit;
}

int runEdit(const EditOptions &options, const std::vector<CLI::Option *> &order)
{
    // Every argument is checked before the map is read.
    std::vector<Edit> edits;
    size_t nextPaint = 0;
    size_t nextCity = 0;
    for (const CLI::Option *option : order) {
        if (option == options.paintOption && nextPaint < options.paints.size()) {
            const std::vector<int32_t> values = parseIntegerList(options.paints[nextPaint++], 3, "--paint");
            edits.push_back(Edit{false, values[0], values[1], checkTileNumber(values[2], "--paint"), {}});
        } else if (option == options.cityOption && nextCity < options.cities.size()) {
            edits.push_back(parseCity(options.cities[nextCity++]));
        }
    }

    CarteVarenthe map;
    if (!openMapOrReport(map, options.input))
        return CliFailure;
    bool ignored = false;
    for (const Edit &edit : edits) {
        if (!map.contains(edit.x, edit.y)) {
            std::cerr << "Case " << edit.x << "," << edit.y << " hors de la carte (" << map.width << " x "
                      << map.height << ") : modification ignorée.\n";
            ignored = true;
            continue;
        }
        if (edit.city)
            placeCity(map, edit.x, edit.y, edit.value, edit.name);
        else
            ApplyPaletteTile(map, edit.x, edit.y, edit.value);
    }
    if (!saveMapOrReport(map, options.output))
        return CliFailure;
    // Scripts must be able to tell a map that holds every edit from one
    // that does not.
    return ignored ? CliSomeIgnored : CliSuccess;
}

} // namespace

CliCommand addEditCommand(CLI::App &app)
{
    auto options = std::make_shared<EditOptions>();
    CLI::App *command = app.add_subcommand("edit", "Peint des tuiles et place des villes, dans l'ordre donné");
    command->add_option("IN", options->input, "Carte à lire")->required();
    command->add_option("-o,--output", options->output, "Carte à écrire (peut être IN)")->required();
    options->paintOption = command->add_option("--paint", options->paints,
                                               "Peint la tuile T sur la case X,Y comme la palette")
                               ->allow_extra_args(false)
                               ->type_name("X,Y,T");
    options->cityOption = command->add_option("--city", options->cities,
                                              "Place une ville de ce numéro et de ce nom")
                              ->allow_extra_args(false)
                              ->type_name("X,Y,NUMERO,NOM");
    command->footer("Code de sortie 3 : carte enregistrée, mais des modifications ont été ignorées (cases hors "
                    "de la carte).\n");
    return {command, [options, command] { return runEdit(*options, command->parse_order()); }};
}
