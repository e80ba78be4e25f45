// The subcommands of tessaran-cli; each file in src/cli adds its own to the registry.
#pragma once

#include <string>
#include <vector>

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

}  // namespace tessaran
