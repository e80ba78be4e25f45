// tessaran-cli: the game's rules and data from the command line, for players and for checks.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

void Usage() {
    std::fputs("usage: tessaran-cli COMMAND [ARGS]\n", stderr);
    for (const auto& command : tessaran::CliCommands()) std::fprintf(stderr, "  %s\n", command.usage);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        Usage();
        return 2;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& command : tessaran::CliCommands()) {
        if (std::strcmp(argv[1], command.name) == 0) return command.run(args);
    }
    std::fprintf(stderr, "tessaran-cli: unknown command '%s'\n", argv[1]);
    Usage();
    return 2;
}
