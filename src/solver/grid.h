// A plain grid of values for the search and the tools; rows first, as puzzles are written,
// unlike the board, which is stored column by column.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/board.h"

namespace tessaran {

// Element row * 9 + column: 0 = empty, 1..9 = a given (a known square).
using ValueGrid = std::array<uint8_t, kCellCount>;

inline constexpr int GridIndex(int column, int row) { return row * 9 + column; }
inline constexpr int SectionOf(int column, int row) { return column / 3 + 3 * (row / 3); }

// 81 characters row by row: '1'..'9' given, '.' or '0' empty. On failure the grid is left
// untouched and `reason` says what was wrong.
bool ParseGrid(const std::string& text, ValueGrid& grid, std::string* reason = nullptr);
// 81 characters, '.' for empty squares.
std::string FormatGrid(const ValueGrid& grid);

// The known squares of a board; a known square whose value is not 1..9 counts as empty.
ValueGrid GridFromBoard(const Board& board);
// The grid as a solver grid: every cell reset and opened, geometry set, givens known.
// Fills all 81 cells, so the result needs no other geometry.
void LoadSolverGrid(const ValueGrid& grid, Board& board);

}  // namespace tessaran
