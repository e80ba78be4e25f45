// Hint techniques in their fixed order with their texts and marked squares, what getting and
// applying a hint does to the board, and whole puzzles solved by hints alone; the puzzle status
// for each class of grid, the count that fills the board, and a game moved to the solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

#include "solver/hints.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver_support.h"

namespace tessaran::test {
namespace {

std::string OnlyIn(const char* unit) {
    return std::string("The marked square is the only possibility in its ") + unit + " for this type:";
}
std::string SetIn(const char* set) {
    return std::string("There is a ") + set + " that lets you eliminate possibilities from the marked squares.";
}

using HintTest = SolverTest;

TEST_F(HintTest, TechniquesComeInTheirFixedOrder) {
    auto rowAndColumn = [] {  // column 0 takes 7 only at (0, 4); row 6 takes 2 only at (8, 6)
        for (int r = 0; r < 9; ++r) Forbid(0, r, r == 4 ? 0 : 7);
        for (int c = 0; c < 8; ++c) Forbid(c, 6, 2);
    };
    // What sets the possibles up; the hint's name, text, value and marked count; the first squares
    // marked, (column, row).
    const struct {
        std::function<void()> setUp;
        const char* name;
        std::string text;
        int value, count;
        std::vector<std::pair<int, int>> marked;
    } cases[] = {
        // A single value beats an earlier only place (7 at (0, 0)); the leftmost column first; a
        // square with no value at all is passed over.
        {[] { for (int c = 1; c < 9; ++c) Forbid(c, 0, 7); Allow(2, 0, {4}); Allow(1, 8, {6}); Allow(1, 3, {}); },
         "single-value", "The marked square has only one possible value left:", 6, 1, {{1, 8}}},
        // Rows before columns before sections, whatever the board order.
        {rowAndColumn, "only-place-row", OnlyIn("row"), 2, 1, {{8, 6}}},
        {[&] { rowAndColumn(); At(7, 6).possible[2] = 1; }, "only-place-column", OnlyIn("column"), 7, 1, {{0, 4}}},
        {[] { for (int p = 0; p < 9; ++p) Forbid(6 + p % 3, 6 + p / 3, p == 6 ? 0 : 5); },
         "only-place-section", OnlyIn("section"), 5, 1, {{6, 8}}},
        // A known 9 in row 2 is no place for the row's 9.
        {[] {
             Load(std::string(18, '.') + "9" + std::string(62, '.'));
             for (int c = 1; c < 9; ++c) Forbid(c, 2, c == 6 ? 0 : 9);
         },
         "only-place-row", OnlyIn("row"), 9, 1, {{6, 2}}},
        // Subsets: board order, a square once for each value it loses.
        {[] { Allow(1, 2, {4, 6}); Allow(5, 2, {4, 6}); Allow(7, 2, {4, 5}); },
         "pair-row", SetIn("pair set in this row"), 0, 13,
         {{0, 2}, {0, 2}, {2, 2}, {2, 2}, {3, 2}, {3, 2}, {4, 2}, {4, 2}, {6, 2}, {6, 2}, {7, 2}, {8, 2}, {8, 2}}},
        // A pair in row 0 that removes nothing gives way to the next unit's pair.
        {[] { for (int c = 0; c < 9; ++c) Allow(c, 0, {3, 4, 5, 6, 7, 8, 9});
              Allow(0, 0, {1, 2}); Allow(4, 0, {1, 2}); Allow(2, 5, {8, 9}); Allow(2, 7, {8, 9}); },
         "pair-column", SetIn("pair set in this column"), 0, 14, {{2, 0}}},
        {[] { Allow(6, 1, {1, 2}); Allow(6, 4, {2, 3}); Allow(6, 8, {1, 3}); },
         "triple-column", SetIn("triple set in this column"), 0, 18, {}},
    };
    for (const auto& c : cases) {
        LoadOpen();
        c.setUp();
        const Board before = PlayBoard;
        Hint hint;
        ASSERT_TRUE(GetHint(hint)) << c.name;
        EXPECT_EQ(std::memcmp(&before, &PlayBoard, sizeof before), 0) << "a hint request changed the board";
        EXPECT_STREQ(HintName(hint), c.name);
        EXPECT_EQ(SolverState.hintText, c.text) << c.name;
        EXPECT_EQ(SolverState.hintValue, c.value) << c.name;
        EXPECT_EQ(SolverState.markedCount, c.count) << c.name;
        for (size_t k = 0; k < c.marked.size(); ++k)
            EXPECT_EQ(std::pair(SolverState.markedColumns[k], SolverState.markedRows[k]), c.marked[k]) << c.name;
    }
}

TEST_F(HintTest, ApplyingRemovesValuesFromPossiblesAndMarksWithinTheMarkedList) {
    Allow(1, 2, {4, 6});
    Allow(5, 2, {4, 6});
    Allow(7, 2, {4, 5});
    At(0, 2).marks[3] = 1;
    EXPECT_TRUE(ApplyHint());
    EXPECT_EQ(SolverState.markedCount, 13) << "the same hint as Get a Hint shows";
    EXPECT_EQ(At(0, 2).possible[4], 0);
    EXPECT_EQ(At(0, 2).marks[3], 0);
    EXPECT_EQ(At(0, 2).possible[6], 0);
    EXPECT_EQ(At(7, 2).possible[5], 1) << "the rest untouched";
    EXPECT_EQ(At(1, 2).possible[4], 1) << "the rest untouched";
    EXPECT_EQ(At(1, 3).possible[4], 1) << "the rest untouched";

    // Four squares of row 0 share 1..4; the other five lose 20 values, more than the list holds.
    LoadOpen();
    for (int c = 0; c < 4; ++c) Allow(c, 0, {c + 1, (c + 1) % 4 + 1});
    ASSERT_TRUE(ApplyHint());
    EXPECT_EQ(SolverState.hintText, SetIn("quadruple set in this row"));
    EXPECT_EQ(SolverState.markedCount, kMaxMarked);
    for (int p = 0; p < 20; ++p) EXPECT_EQ(At(4 + p / 4, 0).possible[p % 4 + 1], 0);

    LoadOpen();
    EXPECT_FALSE(GetHint());
    EXPECT_STREQ(SolverState.hintText, "No hints found.");
    EXPECT_EQ(SolverState.markedCount, 0);
    EXPECT_EQ(SolverState.hintValue, 0);
    Load(kSolvedGrid);
    EXPECT_FALSE(ApplyHint());
    EXPECT_STREQ(SolverState.hintText, "Puzzle is solved.");
}

// Applies hints until none is left; returns the grid reached and the hints used.
std::pair<std::string, int> SolveByHints(const std::string& puzzle) {
    LoadSolverGrid(Grid(puzzle), PlayBoard);
    ResetPossibles();
    EliminatePossibles();
    int count = 0;
    while (count < 1000 && ApplyHint()) ++count;
    return {FormatGrid(GridFromBoard(PlayBoard)), count};
}

TEST_F(HintTest, HintsSolveAnEasyPuzzleAndNeverContradictAHardOne) {
    // One hint for each of its 47 open squares.
    EXPECT_EQ(SolveByHints(GoodPuzzle()), std::pair(std::string(kSolvedGrid), 47));
    // On hard puzzles the hints may stall, but whatever they place keeps the one solution.
    int solved = 0, stalled = 0;
    for (const std::string& puzzle : DataLines("norvig_top95.txt")) {
        const std::string reached = SolveByHints(puzzle).first;
        const SearchResult check = CountGridSolutions(Grid(reached), false, 50'000'000);
        if (check.code == SearchTooDifficult) continue;
        EXPECT_EQ(check.code, SearchOneSolution) << puzzle << " became " << reached;
        ++(reached.find('.') == std::string::npos ? solved : stalled);
    }
    EXPECT_GE(solved * stalled, 1) << "some solved, some stalled";
}

// ---- Puzzle status --------------------------------------------------------------------------

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
    EXPECT_EQ(std::tuple(At(3, 3).value, At(3, 3).known, At(0, 0).value), std::tuple(0, 0, 6));
    EXPECT_EQ(std::tuple(ScreenState, SolverState.showPossibles, SolverState.markedCount),
              std::tuple(ScreenSolver, true, kNoHintShown));
    EXPECT_STREQ(SolverState.statusText, kStatusGood);
    for (const Cell& cell : PlayBoard) {
        EXPECT_TRUE(cell.activated && (cell.known || cell.value == 0));
        EXPECT_TRUE(std::equal(cell.marks, cell.marks + 9, cell.possible + 1)) << "the marks show the possibles";
    }
}

}  // namespace
}  // namespace tessaran::test
