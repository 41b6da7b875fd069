// pelmorin-cli: the headless work on map files, for scripts and map makers.
// Each subcommand lives in a file of its own; this lists them, runs the one
// asked for and makes sure that whatever happens the shell gets a French
// message and a status it can act on.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <new>

#include "cli/CliParser.h"
#include "cli/Commands.h"
#include "map/MapErrors.h"
#include "map/MapFileHeader.h"
#include "map/WriteFailure.h"

namespace {

// Output that did not reach its file (a full disk, a closed pipe) would
// leave a script with half an answer and status 0.
int finishOutput(int status)
{
    std::cout.flush();
    const bool lost = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!lost)
        return status;
    std::cerr << "Impossible d'écrire la sortie standard : " << writeFailureReason(errno != 0 ? errno : EIO)
              << ".\n";
    return status == CliSuccess ? CliFailure : status;
}

int run(int argc, char **argv)
{
    CLI::App app{"Pelmorin en ligne de commande : cartes Varenthe (.vr)", "pelmorin-cli"};
    useFrenchParser(app);
    app.require_subcommand(1);
    app.set_version_flag("--version", "pelmorin-cli " PELMORIN_VERSION, "Affiche la version et quitte");
    const std::vector<CliCommand> commands = {
        addInfoCommand(app), addNewCommand(app), addEditCommand(app), addConvertCommand(app), addRouteCommand(app),
        addMatrixCommand(app),
#ifdef PELMORIN_WITH_RENDER
        addRenderCommand(app),
#endif
    };
    for (const CliCommand &command : commands) {
        command.app->group("Commandes ");
        // A subcommand's help flag is made before it takes the option group.
        command.app->get_help_ptr()->group("Options ");
    }
    try {
        app.parse(argc, argv);
        for (const CliCommand &command : commands) {
            if (command.app->parsed())
                return command.run();
        }
        return CliBadArguments;
    } catch (const CLI::ParseError &error) {
        // --help ends here too, with status 0; every real refusal is 2.
        return app.exit(error) == 0 ? CliSuccess : CliBadArguments;
    }
}

} // namespace

int main(int argc, char **argv)
{
    int status = CliFailure;
    try {
        status = run(argc, argv);
    } catch (const std::bad_alloc &) {
        std::cerr << MapFileMemoryMessage << '\n';
    } catch (const MapError &error) {
        std::cerr << error.what() << '\n';
    } catch (...) {
        // The library's own texts are English; the user gets ours.
        std::cerr << "Erreur imprévue : la commande n'a pas pu aboutir.\n";
    }
    return finishOutput(status);
}
