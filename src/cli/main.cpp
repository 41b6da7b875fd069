// pelmorin-cli: the headless work on map files, for scripts and map makers.
// Each subcommand lives in a file of its own and registers itself here.
#include <CLI/CLI.hpp>

#include "cli/Commands.h"

int main(int argc, char **argv)
{
    CLI::App app{"Pelmorin en ligne de commande : cartes Varenthe (.vr)", "pelmorin-cli"};
    app.require_subcommand(1);
    for (const CliCommandFactory &add : cliCommands())
        add(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        // CLI11 exits 0 for --help; every real usage error must be status 2.
        const int status = app.exit(e);
        return status == 0 ? 0 : 2;
    }
    return cliExitStatus();
}
