// The registry of tessaran-cli subcommands.
#include "cli/commands.h"

namespace tessaran {

std::vector<CliCommand>& CliCommands() {
    static std::vector<CliCommand> commands;
    return commands;
}

CliRegistration::CliRegistration(const char* name, const char* usage,
                                 int (*run)(const std::vector<std::string>&)) {
    CliCommands().push_back({name, usage, run});
}

}  // namespace tessaran
