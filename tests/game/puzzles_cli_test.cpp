// tessaran-cli library, child and newgame, run as a player or a data check would run them (the
// end-to-end tests read whole libraries through it).
#include <gtest/gtest.h>

#include <algorithm>

#include "support/cli.h"

namespace tessaran::test {
namespace {

// Seed 1 draws 41 and 18467: game number 1 + 2 * 18467 = 36935, which seeds the Child generator
// or picks the library record. Arguments must parse whole and in range, or get a one-line
// message and a failure.
TEST(PuzzlesCli, DealsPinnedPuzzlesAndRejectsMalformedArgumentsInOneLine) {
    EXPECT_EQ(RunCli("child 4294967295").second, "4......2.1.....3 4231134231242413 3\n");
    EXPECT_EQ(RunCli("newgame 0 1").second, "36935 .....2.12.3.....\n");
    EXPECT_EQ(RunCli("newgame 1 1").second,
              "348 9865.72141.5.947.837421.9.5..387.596.97.25.81.51369427...15384941.7..6535.894617.\n");
    EXPECT_EQ(RunCli("newgame 4 1").second.substr(0, 4), "348 ");
    for (const char* args : {"child", "child -1", "child 4294967296", "child 12x", "child \" 7\"", "child +7",
                             "child 1 2", "newgame 5 1", "newgame 1", "newgame -0 1", "newgame 1 99999999999",
                             "library 31", "library", "library 030x", "library 30 1", "library \"\""}) {
        const auto [status, message] = RunCli(args, true);
        EXPECT_NE(status, 0) << args;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << args << ": " << message;
    }
}

}  // namespace
}  // namespace tessaran::test
