// tessaran-cli status and hints, run as a player would: grids on standard input.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "solver/search.h"
#include "solver_support.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

// Runs `tessaran-cli command` with `input` on standard input; returns its output and status.
std::string RunCli(const std::string& command, const std::string& input, int* status) {
    const std::string folder = MakeTempFolder("tessaran-cli");
    const std::string inputPath = folder + "/in.txt";
    {
        std::ofstream(inputPath, std::ios::binary) << input;
    }
    const std::string line = std::string("'") + TESSARAN_CLI + "' " + command + " < '" + inputPath + "'";
    FILE* pipe = popen(line.c_str(), "r");
    std::string output;
    char buffer[4096];
    size_t got;
    while (pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int raw = pipe ? pclose(pipe) : -1;
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    RemoveTree(folder);
    return output;
}

TEST(CliStatus, OneLinePerInputLineWithBadLinesReported) {
    const std::string unique = EdgeCases()[0].grid;
    std::string zeros = unique;
    for (char& ch : zeros)
        if (ch == '.') ch = '0';
    const std::string input = unique + "\n" + std::string(81, '.') + "\r\n" + "123\n" + zeros + "\n" +
                              std::string(80, '.') + "x\n" + "55" + std::string(79, '.') + "\n" + kSolvedGrid + "\n";
    int status = 0;
    const std::string output = RunCli("status", input, &status);
    const std::string solved = kSolvedGrid;
    const SearchResult empty = SearchGrid(ValueGrid{}, false);
    EXPECT_EQ(output, "1 2145 " + solved + "\n" +                              //
                          "2 " + std::to_string(empty.steps) + " -\n" +        //
                          "error line 3: 3 characters, want 81\n" +            //
                          "1 2145 " + solved + "\n" +                          //
                          "error line 5: character 81 is 'x', want 1-9, '.' or '0'\n" +
                          "0 0 -\n" +                                          // clashing givens
                          "1 0 " + solved + "\n");
    EXPECT_EQ(status, 1);
}

TEST(CliStatus, ExhaustedAndDeadEnd) {
    std::string exhausting;
    for (const EdgeCase& edge : EdgeCases())
        if (edge.source.find("naive_backtracking_killer_2") != std::string::npos) exhausting = edge.grid;
    const std::string deadEnd = "12345678." + std::string(27, '.') + "........9" + std::string(36, '.');
    int status = 0;
    EXPECT_EQ(RunCli("status", exhausting + "\n" + deadEnd + "\n", &status), "-1 10000001 -\n0 0 -\n");
    EXPECT_EQ(status, 0);
}

TEST(CliHints, ExplainsItsWayThroughAnEasyPuzzle) {
    int status = 0;
    const std::string output = RunCli("hints", EdgeCases()[0].grid + "\n" + std::string(81, '.') + "\n", &status);
    EXPECT_EQ(status, 0);
    const std::string end = std::string("solved\t") + kSolvedGrid + "\n";
    ASSERT_NE(output.find(end), std::string::npos) << output;
    EXPECT_EQ(output.find("single-value\t"), 0u) << output;
    EXPECT_NE(output.find("\tThe marked square has only one possible value left:\n"), std::string::npos);
    EXPECT_EQ(output.substr(output.find(end) + end.size()), "stuck\t" + std::string(81, '.') + "\n");
}

}  // namespace
}  // namespace tessaran::test
