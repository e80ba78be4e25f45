// The subcommands of tessaran-cli; each file in src/cli adds its own to the registry.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "solver/grid.h"

namespace tessaran {

struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

// All registered commands.
std::vector<CliCommand>& CliCommands();
// Registers a command at static-initialisation time.
struct CliRegistration {
    CliRegistration(const char* name, const char* usage, int (*run)(const std::vector<std::string>&));
};

// Calls `each` for every good grid on standard input, one 81-character grid a line; a bad line
// is reported in its place ("error line N: ...") and skipped. Returns the exit status.
int ForEachGrid(const char* command, const std::vector<std::string>& args,
                const std::function<void(const ValueGrid&)>& each);

}  // namespace tessaran
