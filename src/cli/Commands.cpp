#include "cli/Commands.h"

namespace {

std::vector<CliCommandFactory> &registry()
{
    static std::vector<CliCommandFactory> commands;
    return commands;
}

int exitStatus = 0;

} // namespace

bool registerCliCommand(CliCommandFactory factory)
{
    registry().push_back(std::move(factory));
    return true;
}

const std::vector<CliCommandFactory> &cliCommands()
{
    return registry();
}

void setCliExitStatus(int status)
{
    exitStatus = status;
}

int cliExitStatus()
{
    return exitStatus;
}
