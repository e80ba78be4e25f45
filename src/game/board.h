// The shared model of a puzzle: cells, the 81-cell board and its fixed geometry.
// Boards are stored column by column: the square at column c, row r is element c * 9 + r.
// Sections are numbered c / 3 + 3 * (r / 3), left to right, then top to bottom.
// The Child level uses the 4 x 4 corner (c, r < 4) of the same board, with 2 x 2 sections.
#pragma once

#include <array>
#include <cstdint>

namespace tessaran {

inline constexpr int kBoardSide = 9;
inline constexpr int kCellCount = 81;
inline constexpr int kChildSide = 4;

inline constexpr int CellIndex(int column, int row) { return column * 9 + row; }

// The characters the pieces are, symbol 1..9 at index symbol - 1. The player profiles start out
// with their names, profile p beside piece p.
inline constexpr const char* kPieceNames[kBoardSide] = {"Ruko",     "Quor",  "Fernwick",   "Tupa",   "Marigold",
                                                        "Hortense", "Thorn", "Dunderhead", "Barnaby"};

struct Cell {
    int32_t value;         // symbol that belongs here, 1..9; 0 = none (solver: the entered value)
    int32_t guess;         // Crystal Ball trial symbol, 0 = none
    int32_t row;           // 0..8, -99 until the geometry is set
    int32_t column;        // 0..8, -99 until the geometry is set
    int32_t section;       // 0..8, -99 until the geometry is set
    uint8_t possible[10];  // candidate flags by symbol 1..9 (index 0 set with the others, never read)
    uint8_t marks[9];      // pencil marks, flag i for symbol i + 1
    uint8_t activated;     // opened: its mark grid is drawn and clickable
    uint8_t known;         // shows a piece: a given, a found symbol or a trial
    int32_t flip;          // which of the piece's two poses is drawn

    Cell();  // as ResetCell, with the geometry at -99 (consumes one random number)
};

using Board = std::array<Cell, kCellCount>;

extern Board PlayBoard;     // the puzzle in play and the solver's grid; everything on screen reads it
extern Board BackupBoard;   // snapshot taken when Crystal Ball mode starts
extern Board ScratchBoard;  // working copy for the hint engine

// value, guess := 0; possible all set; marks, activated, known := 0; flip := rand() % 2.
// The geometry is left alone.
void ResetCell(Cell& cell);
// ResetCell on all 81 cells in index order: exactly 81 random numbers.
void ClearBoard(Board& board);
// Row, column and section of every PlayBoard cell; reseeds the random generator from the clock.
void SetUpBoardGeometry();
void CopyBoard(const Board& from, Board& to);

}  // namespace tessaran
