// Pencil-mark helpers on PlayBoard: which squares match the cursor's piece, which Crystal Ball
// trials clash, filling marks and clearing the marks a placement rules out. They read only
// what the board shows (known squares and trials), never the solution of a hidden square.
#pragma once

#include <array>
#include <bitset>

#include "game/board.h"

namespace tessaran {

using SquareSet = std::bitset<kCellCount>;  // bit CellIndex(column, row)

// The piece a square shows: a known square's value, a Crystal Ball trial's guess; 0 for a
// square that shows no piece.
int ShownSymbol(const Board& board, int column, int row);

// True when two squares of the grid in use share a row, a column or a section.
bool SameUnit(int column1, int row1, int column2, int row2);

// The squares showing the same piece as square (column, row), itself included; empty when it
// shows none or lies off the grid in use.
SquareSet MatchingSquares(const Board& board, int column, int row);

// Crystal Ball trials that share a unit with an equal piece, known or tried; empty outside the
// mode.
SquareSet ConflictingTrials(const Board& board);

// For each symbol slot, whether no shown piece in the square's row, column or section holds it.
std::array<bool, 9> DirectCandidates(const Board& board, int column, int row);

// The fill-marks action: opens every empty square of the grid in use and marks exactly its
// direct candidates. Costs nothing; in Crystal Ball mode changed squares count as touched.
// One step of the undo history. Returns whether any square changed.
bool FillMarks();

// Clears mark `symbol` from every opened square sharing a unit with (column, row): what a right
// placement there rules out. Returns whether any mark was cleared.
bool RemoveRuledOutMarks(int column, int row, int symbol);

}  // namespace tessaran
