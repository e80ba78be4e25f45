// tessaran-cli status and hints, run as a player would: grids on standard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "solver_support.h"
#include "support/cli.h"

namespace tessaran::test {
namespace {

using Result = std::pair<std::string, int>;

// Runs `tessaran-cli command` with `input` on standard input; returns its output and exit status.
Result RunCli(const std::string& command, const std::string& input) {
    const std::string folder = MakeTempFolder("tessaran-cli");
    std::ofstream(folder + "/in.txt", std::ios::binary) << input;
    auto [status, output] = test::RunCli(command + " < '" + folder + "/in.txt'");
    RemoveTree(folder);
    return {output, status};
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

    // A full grid whose values clash is not solved: hints agrees with status.
    std::string clashing = kSolvedGrid;
    std::swap(clashing[0], clashing[9]);
    EXPECT_EQ(RunCli("status", clashing + "\n"), (Result{"0 0 -\n", 0}));
    EXPECT_EQ(RunCli("hints", clashing + "\n"), (Result{"stuck\t" + clashing + "\n", 0}));
}

// The command line names pieces by digit, whatever the game window calls them: its hints and
// teach output stay exactly as recorded (by this program, before the window named the pieces).
TEST(Cli, HintsAndTeachOutputIsPinned) {
    const std::vector<std::string> top95 = DataLines("norvig_top95.txt");
    ASSERT_GT(top95.size(), 13u);
    auto pinned = [](const char* name) {
        std::string text;
        for (const std::string& line : DataLines(name)) text += line + "\n";
        return text;
    };
    EXPECT_EQ(RunCli("hints", top95[3] + "\n" + top95[5] + "\n"), (Result{pinned("cli_pinned_hints.txt"), 0}));
    EXPECT_EQ(RunCli("teach", top95[13] + "\n"), (Result{pinned("cli_pinned_teach.txt"), 0}));
}

TEST(Cli, RatePrintsTheRatingAndHardestTechniqueOrUnsolved) {
    std::string last = kSolvedGrid;
    last[40] = '.';
    EXPECT_EQ(RunCli("rate", last + "\n" + std::string(81, '.') + "\nxyz\n"),
              (Result{"1665 hidden-single\nunsolved\nerror line 3: 3 characters, want 81\n", 1}));
}

TEST(Cli, TeachPrintsEveryStepAndHowItEnds) {
    const std::string clash = "55" + std::string(79, '.');
    const auto [output, status] =
        RunCli("teach", GoodPuzzle() + "\n" + std::string(81, '.') + "\n" + clash + "\n");
    EXPECT_EQ(status, 0);
    const std::string solved = std::string("solved ") + kSolvedGrid + "\n";
    const size_t end = output.find(solved);
    ASSERT_NE(end, std::string::npos) << output;
    // Every step line: a technique, placements or -, eliminations or -, and a sentence.
    for (size_t at = 0; at < end;) {
        const size_t next = output.find('\n', at);
        const std::string line = output.substr(at, next - at);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3) << line;
        EXPECT_TRUE(line.rfind("single\tr", 0) == 0 || line.rfind("hidden-single\tr", 0) == 0) << line;
        at = next + 1;
    }
    EXPECT_EQ(output.substr(end + solved.size()),
              "stuck " + std::string(81, '.') + "\n" +
                  "deadend\t-\t-\tThe 5 appears twice in row 1: an earlier entry is wrong.\n" + "deadend " + clash + "\n");
}

TEST(Cli, WhySettlesEveryGrid) {
    const auto [output, status] =
        RunCli("why", GoodPuzzle() + "\n" + Exhausting() + "\nxyz\n" + "55" + std::string(79, '.') + "\n" +
                          "12" + std::string(79, '.') + "\n");
    EXPECT_EQ(status, 1);
    const std::vector<std::string> lines = [&] {
        std::vector<std::string> all;
        for (size_t at = 0, next; (next = output.find('\n', at)) != std::string::npos; at = next + 1)
            all.push_back(output.substr(at, next - at));
        return all;
    }();
    ASSERT_EQ(lines.size(), 5u) << output;
    EXPECT_EQ(lines[0], std::string("unique ") + kSolvedGrid);
    EXPECT_EQ(lines[1].rfind("unique ", 0), 0u);  // past the status command's step limit
    EXPECT_EQ(lines[2], "error line 3: 3 characters, want 81");
    EXPECT_EQ(lines[3], "none r1c2");
    // Two solutions of the givens, and every square where they differ, in reading order.
    ASSERT_EQ(lines[4].rfind("multiple ", 0), 0u);
    const std::string first = lines[4].substr(9, 81), second = lines[4].substr(91, 81);
    EXPECT_EQ(first.substr(0, 2), "12");
    EXPECT_EQ(second.substr(0, 2), "12");
    std::string differing;
    for (int s = 0; s < 81; ++s)
        if (first[static_cast<size_t>(s)] != second[static_cast<size_t>(s)])
            differing += (differing.empty() ? "r" : ",r") + std::to_string(s / 9 + 1) + "c" + std::to_string(s % 9 + 1);
    EXPECT_EQ(lines[4].substr(173), differing);
    EXPECT_FALSE(differing.empty());
}

}  // namespace
}  // namespace tessaran::test
