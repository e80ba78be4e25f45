// Candidate analysis, solution counting and the puzzle status of the shared board; the solver's
// globals. Only known squares count as filled; the search itself lives in search.h.
#pragma once

#include <cstdint>

#include "game/board.h"
#include "solver/search.h"

namespace tessaran {

inline constexpr int kSolverTextSize = 200;
// A quadruple can remove at most 4 values from each of the 5 other squares of its unit, and a
// square is listed once for each value it loses.
inline constexpr int kMaxMarked = 20;
// markedCount while no hint is on display (after an entry on the solver screen).
inline constexpr int32_t kNoHintShown = 99;

// The solver's part of the program state, shared by the search, the hints and the solver screen.
struct SolverGlobals {
    char statusText[kSolverTextSize] = "";  // the status line of the solver screen
    bool playLocked = true;                 // "Play this Game" and "Solve" are not offered
    bool showPossibles = false;             // possibles shown as marks; kept between visits
    char hintText[kSolverTextSize] = "";    // the hint sentence ('@' breaks the line)
    int32_t hintValue = 0;                  // piece shown beside the sentence; 0 = none
    int32_t markedCount = kNoHintShown;     // entries in the marked list; 99 = no hint shown
    int32_t markedColumns[kMaxMarked] = {};
    int32_t markedRows[kMaxMarked] = {};
};
extern SolverGlobals SolverState;

inline constexpr const char* kStatusIllegal = "Status: Illegal puzzle; no solutions exist.";
inline constexpr const char* kStatusGood = "Status: Good puzzle - a single solution exists.";
inline constexpr const char* kStatusMultiple = "Status: Bad puzzle - multiple solutions exist.";
inline constexpr const char* kStatusTooDifficult = "Error: Solutions too difficult to calculate.";
inline constexpr const char* kStatusSolved = "Status: Puzzle is solved.";

// Every square of PlayBoard gets all ten possible flags set.
void ResetPossibles();
// Narrows the possibles of PlayBoard from its known squares (never sets a flag) and copies
// them into the marks.
void EliminatePossibles();
// Recomputes the possibles of PlayBoard and reports whether some row, column or section has a
// value with no place left (playing CRYSTALOVER). Clears all marks unless possibles are shown.
bool FindDeadEnd();
// Counts the solutions of PlayBoard's known squares: 0, 1, 2 (at least two) or -1 (too many
// steps). With fill, stops at the first solution and writes its values into PlayBoard.
// Givens that repeat a value in a unit mean no solution.
int CountSolutions(bool fill);
// The solver screen's count: CountSolutions, and where its step limit gives up, the complete
// search (complete.h), so that every grid a player types in is settled: 0, 1 or 2 (at least
// two), never -1. With fill, as CountSolutions. The status command and the puzzle generator keep
// the step-limited count.
int SettleSolutions(bool fill);
// Same as CountSolutions, with the step count and the solution, and any board.
SearchResult CountBoardSolutions(const Board& board, bool fill, int64_t limit = SearchLimit);
// Whether the value at (column, row) of `board` repeats among the other squares of its row,
// its column or the given section that hold a value. Reads values only, not `known`.
bool IsPlacementLegal(const Board& board, int column, int row, int section);
// Classifies PlayBoard into statusText and playLocked.
void UpdatePuzzleStatus();

}  // namespace tessaran
