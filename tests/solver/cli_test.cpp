// tessaran-cli status and hints, run as a player would: grids on standard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "solver_support.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

using Result = std::pair<std::string, int>;

// Runs `tessaran-cli command` with `input` on standard input; returns its output and exit status.
Result RunCli(const std::string& command, const std::string& input) {
    const std::string folder = MakeTempFolder("tessaran-cli");
    std::ofstream(folder + "/in.txt", std::ios::binary) << input;
    FILE* pipe = popen(("'" TESSARAN_CLI "' " + command + " < '" + folder + "/in.txt'").c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
    const int raw = pipe ? pclose(pipe) : -1;
    RemoveTree(folder);
    return {output, WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
}

TEST(Cli, StatusReportsBadLinesAndReadsOnAndHintsExplain) {
    std::string zeros = GoodPuzzle();
    std::replace(zeros.begin(), zeros.end(), '.', '0');
    const std::string solved = kSolvedGrid;
    const std::string input = GoodPuzzle() + "\n" + std::string(81, '.') + "\r\n123\n" + zeros + "\n" +
                              std::string(80, '.') + "x\n55" + std::string(79, '.') + "\n" + solved + "\n";
    EXPECT_EQ(RunCli("status", input), std::pair("1 2145 " + solved + "\n2 3735 -\n" +
                                                     "error line 3: 3 characters, want 81\n1 2145 " + solved + "\n" +
                                                     "error line 5: character 81 is 'x', want 1-9, '.' or '0'\n" +
                                                     "0 0 -\n1 0 " + solved + "\n",  // clashing givens, then solved
                                                 1));
    const std::string deadEnd = "12345678." + std::string(35, '.') + "9" + std::string(36, '.');
    EXPECT_EQ(RunCli("status", Exhausting() + "\n" + deadEnd + "\n"), (Result{"-1 10000001 -\n0 0 -\n", 0}));

    // Hints explain their way through an easy puzzle, and are stuck on an empty grid.
    const auto [output, status] = RunCli("hints", GoodPuzzle() + "\n" + std::string(81, '.') + "\n");
    EXPECT_EQ(status, 0);
    const std::string end = std::string("solved\t") + kSolvedGrid + "\n";
    ASSERT_NE(output.find(end), std::string::npos) << output;
    EXPECT_EQ(output.find("single-value\t"), 0u) << output;
    EXPECT_NE(output.find("\tThe marked square has only one possible value left:\n"), std::string::npos);
    EXPECT_EQ(output.substr(output.find(end) + end.size()), "stuck\t" + std::string(81, '.') + "\n");
}

}  // namespace
}  // namespace tessaran::test
