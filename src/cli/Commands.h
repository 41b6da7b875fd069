#pragma once
// The pelmorin-cli subcommands. Each file adds its subcommand to the parser
// and hands back how to run it; `main` lists them, parses the arguments,
// runs the one chosen and turns whatever escapes into a French message.
#include <functional>

namespace CLI {
class App;
}

// What a command returns to the shell.
enum CliExitStatus {
    CliSuccess = 0,
    CliFailure = 1,      // a map that cannot be read or written, no memory, no output
    CliBadArguments = 2, // refused before anything was written
    CliSomeIgnored = 3,  // done, with some edits ignored (cells off the map)
};

// Runs a parsed command. Bad values found while running throw
// CLI::ValidationError, which `main` reports as bad arguments.
using CliCommandRun = std::function<int()>;

struct CliCommand {
    CLI::App *app = nullptr;
    CliCommandRun run;
};

CliCommand addInfoCommand(CLI::App &parent);
CliCommand addNewCommand(CLI::App &parent);
CliCommand addEditCommand(CLI::App &parent);
CliCommand addConvertCommand(CLI::App &parent);
CliCommand addRouteCommand(CLI::App &parent);
CliCommand addMatrixCommand(CLI::App &parent);
#ifdef PELMORIN_WITH_RENDER
CliCommand addRenderCommand(CLI::App &parent);
#endif
