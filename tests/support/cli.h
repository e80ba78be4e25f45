// tessaran-cli run as a player or a script runs it: the built program, named by TESSARAN_CLI.
#pragma once

#include <string>
#include <utility>

#include "support/temp_home.h"

namespace tessaran::test {

// Its exit status and standard output, or with `errors` its standard error instead.
inline std::pair<int, std::string> RunCli(const std::string& args, bool errors = false) {
    int status = -1;
    std::string out = RunCapture("'" TESSARAN_CLI "' " + args + (errors ? " 2>&1 >/dev/null" : " 2>/dev/null"), &status);
    return {status, std::move(out)};
}

}  // namespace tessaran::test
