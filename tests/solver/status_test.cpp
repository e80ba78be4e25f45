// The puzzle status for each class of grid, the count that fills the board, and a game moved to
// the solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver_support.h"

namespace tessaran::test {
namespace {

// Row 0 holds 1..8 and column 8 a 9 lower down: row 0 has no place for its 9.
const std::string kDeadEnd = "12345678." + std::string(35, '.') + "9" + std::string(36, '.');
// No unit is short of a value, yet the search finds no solution.
const std::string kNoSolution =
    ".5...39..6781.2.3..1..7.62.82...6.49.9.82..63436....7...9.48.5154...1386.836....4";

using StatusTest = SolverTest;

// A dead end found without searching sounds, once per update; a failed search is silent. Only a
// count that finds a solution writes it into the board.
TEST_F(StatusTest, EachClassOfGridHasItsTextLockSoundAndFill) {
    const std::string puzzle = GoodPuzzle();
    std::string clashing = puzzle, wrongFull = kSolvedGrid;
    clashing[0] = '5';                      // row 0 already holds a 5
    std::swap(wrongFull[0], wrongFull[1]);  // every square known, two columns broken
    const struct { std::string grid; const char* status; size_t sounds; } cases[] = {
        {std::string(81, '.'), kStatusMultiple, 0}, {kSolvedGrid, kStatusSolved, 0}, {kDeadEnd, kStatusIllegal, 1},
        {kNoSolution, kStatusIllegal, 0},           {clashing, kStatusIllegal, 1},  {wrongFull, kStatusIllegal, 1},
        {DataLines("serg_multisolution_first100.txt")[0], kStatusMultiple, 0},
        {puzzle, kStatusGood, 0},
    };
    for (const auto& c : cases) {
        Load(c.grid);
        PlayedSounds().clear();
        const bool good = c.status == std::string(kStatusGood);
        SolverState.playLocked = good;
        UpdatePuzzleStatus();
        EXPECT_STREQ(SolverState.statusText, c.status) << c.grid;
        EXPECT_EQ(SolverState.playLocked, !good) << c.grid;
        EXPECT_EQ(PlayedSounds(), std::vector<int>(c.sounds, SoundCrystalOver)) << c.grid;
        const Board before = PlayBoard;
        const int found = CountSolutions(true);  // stops at the first solution
        EXPECT_EQ(found == 1, c.status != std::string(kStatusIllegal));
        EXPECT_TRUE(found == 1 || std::memcmp(&before, &PlayBoard, sizeof before) == 0) << c.grid;
    }
    // The good puzzle, last, had its answer written in, its givens still the only known squares.
    for (int p = 0; p < kCellCount; ++p)
        EXPECT_EQ(At(p % 9, p / 9).value * 10 + At(p % 9, p / 9).known,
                  (kSolvedGrid[p] - '0') * 10 + (puzzle[static_cast<size_t>(p)] != '.'));
    EXPECT_STREQ(kStatusTooDifficult, "Error: Solutions too difficult to calculate.");
}

TEST_F(StatusTest, MoveGameToSolverKeepsWhatThePlayerSeesAndDropsTrials) {
    // A game: every square holds its answer; the givens and one found square are known.
    LoadSolverGrid(Grid(kSolvedGrid), PlayBoard);
    const std::string puzzle = GoodPuzzle();
    for (Cell& cell : PlayBoard) {
        cell.known = puzzle[static_cast<size_t>(GridIndex(cell.column, cell.row))] != '.' || !(cell.column | cell.row);
        cell.activated = 0;
        cell.marks[0] = 1;  // a pencil mark
    }
    // A Crystal Ball trial is known and holds the answer: it must not reach the solver as an entry.
    BackupBoard = PlayBoard;
    CrystalBallActive = true;
    At(3, 3).known = 1;
    At(3, 3).guess = 1;
    SolverState.markedCount = 1;
    MoveGameToSolver();
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_EQ(At(3, 3).value | At(3, 3).known, 0);
    EXPECT_EQ(ScreenState, ScreenSolver);
    EXPECT_TRUE(SolverState.showPossibles);
    EXPECT_STREQ(SolverState.statusText, kStatusGood);
    EXPECT_EQ(SolverState.markedCount, kNoHintShown);
    EXPECT_EQ(At(0, 0).value, 6);
    for (const Cell& cell : PlayBoard) {
        EXPECT_TRUE(cell.activated && (cell.known || cell.value == 0));
        EXPECT_TRUE(std::equal(cell.marks, cell.marks + 9, cell.possible + 1)) << "the marks show the possibles";
    }
}

}  // namespace
}  // namespace tessaran::test
