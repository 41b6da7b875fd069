// pelmorin-cli convert IN OUT: any generation of map file to version 3.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "map/CarteVarenthe.h"

namespace {

struct ConvertOptions {
    std::string input;
    std::string output;
};

} // namespace

CliCommand addConvertCommand(CLI::App &app)
{
    auto options = std::make_shared<ConvertOptions>();
    CLI::App *command = app.add_subcommand("convert", "Réécrit une carte de tout format au format actuel (version 3)");
    command->add_option("IN", options->input, "Carte à lire")->required();
    command->add_option("OUT", options->output, "Carte à écrire")->required();
    return {command, [options] {
                CarteVarenthe map;
                if (!openMapOrReport(map, options->input) || !saveMapOrReport(map, options->output))
                    return CliFailure;
                return CliSuccess;
            }};
}
