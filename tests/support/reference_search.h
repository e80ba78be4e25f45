// The solution search written plainly from its rules, square by square, as the yardstick the
// game's fast search must match in result and step count. Not part of the game.
#pragma once

#include <cstdint>

#include "game/board.h"
#include "solver/search.h"

namespace tessaran::reference {

// Whether the value of (column, row) repeats among the other squares of its row, its column or
// the given section that hold a value at least 1. Scans at most 24 squares.
bool IsPlacementLegal(const Board& board, int column, int row, int section);

// The row-by-row count on a private copy of `board` (which needs its geometry): code 0, 1, 2 or
// -1, the steps used, and the first solution found (fill: stop there).
SearchResult CountSolutions(const Board& board, bool fill, int64_t limit = SearchLimit);

// The same on a value grid, through a board built from it.
SearchResult CountSolutions(const ValueGrid& grid, bool fill, int64_t limit = SearchLimit);

}  // namespace tessaran::reference
