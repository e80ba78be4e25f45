// tessaran-cli library, child and newgame, run as a player or a data check would run them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
    int status;
    std::string out;
};

// Runs the CLI with `args`; `stream` 1 captures standard output, 2 standard error.
CliRun RunCli(const std::string& args, int stream = 1) {
    const std::string command = std::string(TESSARAN_CLI) + " " + args +
                                (stream == 1 ? " 2>/dev/null" : " 2>&1 >/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, ""};
    std::string out;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(PuzzlesCli, ChildAndNewGameDealThePinnedPuzzles) {
    EXPECT_EQ(RunCli("child 0").out, ".1.....1.2.....4 3142243142131324 4\n");
    EXPECT_EQ(RunCli("child 4294967295").out, "4......2.1.....3 4231134231242413 3\n");
    EXPECT_EQ(RunCli("newgame 0 1").out, "36935 .....2.12.3.....\n");
    // Library levels: the first draw after seeding with the game number picks the puzzle.
    for (const char* level : {"1", "2", "3", "4"}) {
        const CliRun run = RunCli(std::string("newgame ") + level + " 1");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.substr(0, 4), "348 ") << level;
        EXPECT_EQ(run.out.size(), 4u + 81u + 1u) << level;
    }
}

TEST(PuzzlesCli, MalformedArgumentsAreRejectedInOneLine) {
    for (const char* args : {"child", "child -1", "child 4294967296", "child 12x", "child \" 7\"", "child +7",
                             "child 1 2", "newgame 5 1", "newgame 1", "newgame -0 1", "newgame 1 99999999999",
                             "library 31", "library", "library 030x", "library 30 1", "library \"\""}) {
        const CliRun run = RunCli(args, 2);
        EXPECT_NE(run.status, 0) << args;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << args << ": " << run.out;
    }
}

// With the libraries built in, every record must be a well-formed line whose givens agree with
// its solution; without them the command says so and fails.
TEST(PuzzlesCli, LibrariesListWellFormedRecords) {
    for (const char* library : {"0", "12", "20", "30", "99"}) {
        const CliRun run = RunCli(std::string("library ") + library);
        if (run.status == 1 && run.out.empty()) {
            EXPECT_NE(RunCli(std::string("library ") + library, 2).out.find("not built into"), std::string::npos)
                << library;
            continue;
        }
        ASSERT_EQ(run.status, 0) << library;
        std::istringstream lines(run.out);
        std::string line;
        int expected = 0;
        while (std::getline(lines, line)) {
            std::istringstream fields(line);
            int index = -1, rating = 0;
            std::string givens, solution;
            fields >> index >> rating >> givens >> solution;
            ASSERT_EQ(index, expected++) << line;
            ASSERT_EQ(givens.size(), 81u) << line;
            ASSERT_EQ(solution.size(), 81u) << line;
            for (std::size_t i = 0; i < 81; ++i) {
                ASSERT_TRUE(solution[i] >= '1' && solution[i] <= '9') << line;
                ASSERT_TRUE(givens[i] == '.' || givens[i] == solution[i]) << line;
            }
        }
        EXPECT_EQ(expected, std::string(library) == "0" ? 1 : 1000) << library;
    }
}

}  // namespace
