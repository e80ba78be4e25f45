// The solution search: a row-by-row backtracking count whose result and step count are fixed
// exactly, because the step limit decides which grids the game calls too difficult.
//
// What a step is (both the game and any reference must agree on this):
//  - positions run row by row from the first empty square (the floor) to the last square;
//  - each value tried in an empty square is one step (1..9, and the try that runs past 9 and
//    sends the search back), and each forward move over a given is one step;
//  - moving back over givens is free;
//  - after a solution the search carries on from the last empty square with its next value;
//  - the search stops at the second solution (or the first when asked to), when it backs up
//    past the floor, or when the step count would exceed the limit (code -1; the step that
//    would exceed it is counted, so steps is then limit + 1).
#pragma once

#include <cstdint>

#include "solver/grid.h"

namespace tessaran {

inline constexpr int64_t SearchLimit = 10'000'000;

enum SearchCode : int32_t {
    SearchTooDifficult = -1,
    SearchNoSolution = 0,
    SearchOneSolution = 1,
    SearchManySolutions = 2,
};

struct SearchResult {
    int32_t code = SearchNoSolution;  // a SearchCode
    int64_t steps = 0;
    ValueGrid solution{};             // the first solution found, when there is one
};

// The row-by-row search exactly as described above, givens taken on trust.
// stopAtFirst: return 1 at the first solution (the "fill" search).
SearchResult SearchGrid(const ValueGrid& grid, bool stopAtFirst, int64_t limit = SearchLimit);

// Whether two givens repeat a value in a row, column or section.
bool GivensConflict(const ValueGrid& grid);

// The game's count: a grid whose givens conflict has no solution (code 0, no steps);
// any other grid is searched by SearchGrid.
SearchResult CountGridSolutions(const ValueGrid& grid, bool stopAtFirst, int64_t limit = SearchLimit);

}  // namespace tessaran
