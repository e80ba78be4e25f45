// The complete search: settles any grid, with no step limit, in well under a millisecond for
// the hardest known puzzles. Candidates are bit masks; singles are followed before every guess
// and the guess is made in the square with fewest candidates.
//
// This is not the game's step-limited count (search.h), whose step count decides what the
// status command and the puzzle generator report; it is what the solver screen falls back on
// where that count gives up, and what `why` answers with.
#pragma once

#include <string>
#include <vector>

#include "solver/grid.h"

namespace tessaran {

enum class GridVerdict { None, Unique, Multiple };

struct GridExplanation {
    GridVerdict verdict = GridVerdict::None;
    ValueGrid first{};           // the one solution, or the first of two
    ValueGrid second{};          // the second solution, when there are several
    std::vector<int> differing;  // grid indices where the two solutions differ
    // Where a grid without solution runs out: "r2c9" (a square left with no value) or
    // "row 4 value 6" (a unit left with no place for a value; also "column", "section").
    // When singles alone do not reach a dead end, the square the search branched on first:
    // every value it can take fails.
    std::string runsOut;
};

// Settles the grid completely: no solution (and where it runs out), one, or several (two of
// them and every square they differ in).
GridExplanation ExplainGrid(const ValueGrid& grid);

// 0, 1 or 2 (at least two) solutions; `first` receives the first one found.
int CountSolutionsCompletely(const ValueGrid& grid, ValueGrid* first = nullptr);

}  // namespace tessaran
