// Candidate analysis, the puzzle status, and the solver screen's ways in and its entries.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/sound.h"
#include "game/game_state.h"
#include "shell/screens.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver_support.h"

namespace tessaran::test {
namespace {

// Row 0 holds 1..8 and column 8 a 9 lower down: row 0 has no place for its 9.
const char* const kDeadEnd =
    "12345678." "........." "........." "........." "........9" "........." "........." "........." ".........";
// No unit is short of a value, yet the search finds no solution (in 31 steps).
const char* const kNoSolution =
    ".5...39..6781.2.3..1..7.62.82...6.49.9.82..63436....7...9.48.5154...1386.836....4";

Cell& At(int column, int row) { return PlayBoard[static_cast<size_t>(CellIndex(column, row))]; }

std::string Status() { return SolverState.statusText; }

// A 17-given grid that runs the search out of steps.
std::string Exhausting() {
    for (const EdgeCase& edge : EdgeCases())
        if (edge.source.find("naive_backtracking_killer_2") != std::string::npos) return edge.grid;
    return {};
}

using StatusTest = SolverTest;

TEST_F(StatusTest, EachClassOfGrid) {
    struct Case {
        std::string grid;
        const char* status;
        bool locked;
    };
    const std::vector<EdgeCase> edges = EdgeCases();
    std::string clashing = edges[0].grid;
    clashing[0] = '5';  // row 0 already holds a 5
    std::string wrongFull = kSolvedGrid;
    std::swap(wrongFull[0], wrongFull[1]);  // every square known, two columns broken
    const Case cases[] = {
        {std::string(81, '.'), kStatusMultiple, true},
        {kSolvedGrid, kStatusSolved, true},
        {kDeadEnd, kStatusIllegal, true},
        {kNoSolution, kStatusIllegal, true},
        {clashing, kStatusIllegal, true},
        {wrongFull, kStatusIllegal, true},
        {edges[0].grid, kStatusGood, false},
        {DataLines("serg_multisolution_first100.txt")[0], kStatusMultiple, true},
        {Exhausting(), kStatusTooDifficult, true},
    };
    for (const Case& c : cases) {
        Load(c.grid);
        SolverState.playLocked = !c.locked;
        UpdatePuzzleStatus();
        EXPECT_EQ(Status(), c.status) << c.grid;
        EXPECT_EQ(SolverState.playLocked, c.locked) << c.grid;
    }
}

TEST_F(StatusTest, DeadEndSoundsOncePerUpdate) {
    Load(kDeadEnd);
    EXPECT_TRUE(FindDeadEnd());
    UpdatePuzzleStatus();
    UpdatePuzzleStatus();
    EXPECT_EQ(RecordedSounds(), (std::vector<int>{SoundCrystalOver, SoundCrystalOver, SoundCrystalOver}));
    RecordedSounds().clear();
    Load(kNoSolution);
    UpdatePuzzleStatus();
    EXPECT_TRUE(RecordedSounds().empty()) << "only a dead end found without searching sounds";
}

TEST_F(StatusTest, OnlyAFinishedCountFillsTheBoard) {
    const std::string puzzle = EdgeCases()[0].grid;
    Load(puzzle);
    EXPECT_EQ(CountSolutions(true), 1);
    for (int p = 0; p < kCellCount; ++p) {
        const Cell& cell = At(p % 9, p / 9);
        EXPECT_EQ(cell.value, kSolvedGrid[p] - '0');
        EXPECT_EQ(cell.known, puzzle[static_cast<size_t>(p)] != '.');
    }
    // Too difficult, no solution: nothing written, even with fill.
    for (const std::string& grid : {Exhausting(), std::string(kNoSolution)}) {
        Load(grid);
        const Board before = PlayBoard;
        EXPECT_LE(CountSolutions(true), 0);
        EXPECT_EQ(std::memcmp(&before, &PlayBoard, sizeof before), 0) << grid;
    }
    // Non-known squares may hold anything; the search ignores them.
    At(0, 0).value = 7;
    EXPECT_EQ(CountSolutions(false), 0);
}

TEST_F(StatusTest, EliminationAndPlacement) {
    Load(kDeadEnd);
    Forbid(4, 4, 2);  // as a hint would
    EliminatePossibles();
    const Cell& cell = At(4, 4);
    // 2 forbidden by hand, 5 by column 4, 9 by row 4; 1 still open.
    for (int v : {1, 2, 5, 9}) EXPECT_EQ(cell.possible[v], v == 1) << v;
    EXPECT_EQ(cell.marks[0] * 2 + cell.marks[1], 2);
    // A known square keeps exactly its own value.
    const Cell& given = At(8, 4);
    for (int v = 1; v <= 9; ++v) EXPECT_EQ(given.possible[v], v == 9) << v;
    ResetPossibles();
    EXPECT_EQ(cell.possible[2], 1);

    // Placement legality, against known squares and values alike.
    At(8, 0).value = 9;  // clashes with (8, 4) in column 8, whether known or not
    EXPECT_FALSE(IsPlacementLegal(PlayBoard, 8, 0, 2));
    At(8, 0).value = 5;  // row 0 has a 5
    EXPECT_FALSE(IsPlacementLegal(PlayBoard, 8, 0, 2));
    At(8, 0).value = 0;
    EXPECT_TRUE(IsPlacementLegal(PlayBoard, 8, 0, 2)) << "an empty square clashes with nothing";
    At(4, 1).value = 2;  // section 1 holds 4, 5 and 6; the 2 of row 0 is elsewhere
    EXPECT_TRUE(IsPlacementLegal(PlayBoard, 4, 1, 1));
    At(4, 1).value = 4;
    EXPECT_FALSE(IsPlacementLegal(PlayBoard, 4, 1, 1));
    EXPECT_TRUE(IsPlacementLegal(PlayBoard, 4, 1, 4)) << "the section tested is the one passed";
}

using SolverEntryTest = SolverTest;

TEST_F(SolverEntryTest, EnterRefuseEraseAndUnlock) {
    OpenSolver();
    SolverState.showPossibles = true;
    EnterSolverValue(0, 0, 4);  // a 5 at the top left
    EXPECT_EQ(At(0, 0).value * 10 + At(0, 0).known, 51);
    EXPECT_EQ(Status(), kStatusMultiple);
    EXPECT_EQ(At(1, 0).marks[4], 0) << "the marks show the possibles";
    EXPECT_EQ(At(1, 1).possible[5], 0);

    SolverState.markedCount = 3;
    EnterSolverValue(4, 0, 4);  // another 5 in row 0: refused
    EXPECT_EQ(At(4, 0).value | At(4, 0).known, 0);
    EXPECT_EQ(RecordedSounds(), std::vector<int>{SoundBadMove});
    EXPECT_EQ(SolverState.markedCount, kNoHintShown);
    EXPECT_STREQ(SolverState.hintText, "Click to add a value.@Click again to erase a value");

    EnterSolverValue(0, 0, 8);  // any slot of a known square erases it
    EXPECT_EQ(At(0, 0).value | At(0, 0).known, 0);
    EXPECT_EQ(At(1, 0).possible[5] + At(1, 0).marks[4], 2);

    EnterSolverValue(9, 0, 0);  // off the board: nothing happens
    EnterSolverValue(0, 0, 9);
    EXPECT_FALSE(At(0, 0).known);

    // Entering a whole good puzzle unlocks play.
    OpenSolver();
    RecordedSounds().clear();
    const std::string puzzle = EdgeCases()[0].grid;
    for (int p = 0; p < kCellCount; ++p)
        if (puzzle[static_cast<size_t>(p)] != '.') EnterSolverValue(p % 9, p / 9, puzzle[static_cast<size_t>(p)] - '1');
    EXPECT_EQ(Status(), kStatusGood);
    EXPECT_FALSE(SolverState.playLocked);
    EXPECT_TRUE(RecordedSounds().empty());
}

TEST_F(SolverEntryTest, OpenSolverForgetsTheLastVisit) {
    std::strcpy(SolverState.statusText, kStatusGood);
    SolverState.playLocked = false;
    SolverState.markedCount = 2;
    SolverState.hintValue = 7;
    SolverState.showPossibles = true;
    Load(kSolvedGrid);
    ScreenState = ScreenMain;
    OpenSolver();
    EXPECT_EQ(ScreenState, ScreenSolver);
    EXPECT_STREQ(SolverState.statusText, "");
    EXPECT_TRUE(SolverState.playLocked);
    EXPECT_EQ(SolverState.markedCount, kNoHintShown);
    EXPECT_EQ(SolverState.hintValue, 0);
    EXPECT_TRUE(SolverState.showPossibles) << "kept between visits";
    EXPECT_STREQ(SolverState.hintText, "Click to add a value.@Click again to erase a value");
    for (int i = 0; i < kCellCount; ++i) {
        const Cell& cell = PlayBoard[static_cast<size_t>(i)];
        EXPECT_EQ(cell.value | cell.known, 0);
        EXPECT_TRUE(cell.activated);
        EXPECT_EQ(cell.column * 9 + cell.row, i);
        EXPECT_EQ(cell.marks[3], 1) << "possibles shown on entry";
    }
}

TEST_F(SolverEntryTest, MoveGameToSolverKeepsWhatThePlayerSees) {
    // A game: every square holds its answer; the givens and one found square are known.
    const std::string puzzle = EdgeCases()[0].grid;
    LoadSolverGrid(Grid(kSolvedGrid), PlayBoard);
    for (int p = 0; p < kCellCount; ++p) {
        Cell& cell = At(p % 9, p / 9);
        cell.known = puzzle[static_cast<size_t>(p)] != '.';
        cell.activated = 0;
        cell.marks[0] = 1;  // a pencil mark
    }
    At(0, 0).known = 1;  // found by the player
    SolverState.showPossibles = false;
    SolverState.markedCount = 1;
    MoveGameToSolver();
    EXPECT_EQ(ScreenState, ScreenSolver);
    EXPECT_TRUE(SolverState.showPossibles);
    EXPECT_EQ(SolverState.markedCount, kNoHintShown);
    EXPECT_EQ(Status(), kStatusGood);
    for (const Cell& cell : PlayBoard) {
        EXPECT_TRUE(cell.activated);
        if (!cell.known) {
            EXPECT_EQ(cell.value, 0);
        }
        for (int v = 1; v <= 9; ++v) EXPECT_EQ(cell.marks[v - 1], cell.possible[v]);
    }
    EXPECT_EQ(At(0, 0).value, 6);

    // Crystal Ball trials are dropped: a trial's answer must not appear.
    LoadSolverGrid(Grid(kSolvedGrid), PlayBoard);
    for (Cell& cell : PlayBoard) cell.known = 0;
    BackupBoard = PlayBoard;
    CrystalBallActive = true;
    At(3, 3).known = 1;  // a trial: known, showing a guess, holding the answer
    At(3, 3).guess = 1;
    MoveGameToSolver();
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_EQ(At(3, 3).value | At(3, 3).known, 0);
}

}  // namespace
}  // namespace tessaran::test
