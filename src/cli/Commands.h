#pragma once
// Registry of pelmorin-cli subcommands. A subcommand file defines a factory
// that adds its CLI::App subcommand and registers it with
// `static const bool registered = registerCliCommand(addXxxCommand);`.
// Handlers report through setCliExitStatus: 0 success, 1 a map that cannot be
// read or written, 2 bad arguments.
#include <functional>
#include <vector>

namespace CLI {
class App;
}

using CliCommandFactory = std::function<void(CLI::App &)>;

bool registerCliCommand(CliCommandFactory factory);
const std::vector<CliCommandFactory> &cliCommands();

void setCliExitStatus(int status);
int cliExitStatus();
