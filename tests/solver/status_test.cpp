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

using StatusTest = SolverTest;

TEST_F(StatusTest, EachClassOfGrid) {
    struct Case {
        std::string grid;
        const char* status;
        bool locked;
    };
    const std::vector<EdgeCase> edges = EdgeCases();
    std::string exhausting;
    for (const EdgeCase& edge : edges)
        if (edge.source.find("naive_backtracking_killer_2") != std::string::npos) exhausting = edge.grid;
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
        {exhausting, kStatusTooDifficult, true},
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

TEST_F(StatusTest, FillWritesTheSolutionAndLeavesKnownAlone) {
    const std::vector<EdgeCase> edges = EdgeCases();
    Load(edges[0].grid);
    EXPECT_EQ(CountSolutions(true), 1);
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            const Cell& cell = At(column, row);
            EXPECT_EQ(cell.value, kSolvedGrid[GridIndex(column, row)] - '0');
            EXPECT_EQ(cell.known, edges[0].grid[static_cast<size_t>(GridIndex(column, row))] != '.');
        }
}

TEST_F(StatusTest, UnfinishedCountsLeaveTheBoardAlone) {
    // Too difficult, no solution, several solutions: nothing written, even with fill.
    std::string exhausting;
    for (const EdgeCase& edge : EdgeCases())
        if (edge.source.find("naive_backtracking_killer_2") != std::string::npos) exhausting = edge.grid;
    for (const std::string& grid : {exhausting, std::string(kNoSolution)}) {
        Load(grid);
        const Board before = PlayBoard;
        EXPECT_LE(CountSolutions(true), 0);
        EXPECT_EQ(std::memcmp(&before, &PlayBoard, sizeof before), 0) << grid;
    }
    // Non-known squares may hold anything; the search ignores them.
    Load(kNoSolution);
    At(0, 0).value = 7;
    EXPECT_EQ(CountSolutions(false), 0);
}

TEST_F(StatusTest, MarksFollowShowPossibles) {
    Load(EdgeCases()[0].grid);
    SolverState.showPossibles = false;
    UpdatePuzzleStatus();
    for (const Cell& cell : PlayBoard)
        for (uint8_t mark : cell.marks) ASSERT_EQ(mark, 0);
    SolverState.showPossibles = true;
    UpdatePuzzleStatus();
    for (const Cell& cell : PlayBoard)
        for (int v = 1; v <= 9; ++v) ASSERT_EQ(cell.marks[v - 1], cell.possible[v]);
}

TEST_F(StatusTest, EliminationKeepsEarlierEliminations) {
    Load(kDeadEnd);
    Forbid(4, 4, 2);  // as a hint would
    EliminatePossibles();
    const Cell& cell = At(4, 4);
    EXPECT_EQ(cell.possible[2], 0);
    EXPECT_EQ(cell.possible[5], 0) << "row 0 is not this square's row, but column 4 holds a 5";
    EXPECT_EQ(cell.possible[9], 0) << "row 4 holds a 9";
    EXPECT_EQ(cell.possible[1], 1);
    EXPECT_EQ(cell.marks[0], 1);
    EXPECT_EQ(cell.marks[1], 0);
    // A known square keeps exactly its own value.
    const Cell& given = At(8, 4);
    for (int v = 1; v <= 9; ++v) EXPECT_EQ(given.possible[v], v == 9) << v;
    ResetPossibles();
    EXPECT_EQ(cell.possible[2], 1);
}

TEST_F(StatusTest, PlacementLegality) {
    Load(kDeadEnd);
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

TEST_F(SolverEntryTest, EnterRefuseAndErase) {
    OpenSolver();
    SolverState.showPossibles = true;
    EnterSolverValue(0, 0, 4);  // a 5 at the top left
    EXPECT_EQ(At(0, 0).value, 5);
    EXPECT_TRUE(At(0, 0).known);
    EXPECT_EQ(Status(), kStatusMultiple);
    EXPECT_EQ(At(1, 0).marks[4], 0) << "the marks show the possibles";
    EXPECT_EQ(At(1, 1).possible[5], 0);

    SolverState.markedCount = 3;
    EnterSolverValue(4, 0, 4);  // another 5 in row 0: refused
    EXPECT_EQ(At(4, 0).value, 0);
    EXPECT_FALSE(At(4, 0).known);
    EXPECT_EQ(RecordedSounds(), std::vector<int>{SoundBadMove});
    EXPECT_EQ(SolverState.markedCount, kNoHintShown);
    EXPECT_STREQ(SolverState.hintText, "Click to add a value.@Click again to erase a value");

    EnterSolverValue(0, 0, 8);  // any slot of a known square erases it
    EXPECT_EQ(At(0, 0).value, 0);
    EXPECT_FALSE(At(0, 0).known);
    EXPECT_EQ(At(1, 0).possible[5], 1);
    EXPECT_EQ(At(1, 0).marks[4], 1);

    EnterSolverValue(9, 0, 0);  // off the board: nothing happens
    EnterSolverValue(0, 0, 9);
    EXPECT_FALSE(At(0, 0).known);
}

TEST_F(SolverEntryTest, EnteringAPuzzleUnlocksPlay) {
    OpenSolver();
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
        EXPECT_FALSE(cell.known);
        EXPECT_EQ(cell.value, 0);
        EXPECT_TRUE(cell.activated);
        EXPECT_EQ(cell.column, i / 9);
        EXPECT_EQ(cell.row, i % 9);
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
}

TEST_F(SolverEntryTest, MoveGameToSolverDropsCrystalBallTrials) {
    LoadSolverGrid(Grid(kSolvedGrid), PlayBoard);
    for (Cell& cell : PlayBoard) cell.known = 0;
    BackupBoard = PlayBoard;
    CrystalBallActive = true;
    At(3, 3).known = 1;  // a trial: known, showing a guess, holding the answer
    At(3, 3).guess = 1;
    MoveGameToSolver();
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_FALSE(At(3, 3).known);
    EXPECT_EQ(At(3, 3).value, 0) << "the answer of a hidden square must not appear";
}

}  // namespace
}  // namespace tessaran::test
