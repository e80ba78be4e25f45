// Cells, the three board instances and their geometry.
#include "game/board.h"

#include "game/random.h"
#include "platform/platform.h"

namespace tessaran {

Board PlayBoard;
Board BackupBoard;
Board ScratchBoard;

Cell::Cell() : row(-99), column(-99), section(-99) { ResetCell(*this); }

void ResetCell(Cell& cell) {
    cell.value = 0;
    cell.guess = 0;
    for (auto& p : cell.possible) p = 1;
    for (auto& m : cell.marks) m = 0;
    cell.activated = 0;
    cell.known = 0;
    cell.flip = rand() % 2;
}

void ClearBoard(Board& board) {
    for (Cell& cell : board) ResetCell(cell);
}

void SetUpBoardGeometry() {
    for (int k = 0; k < 9; ++k)
        for (int i = 0; i < 9; ++i) PlayBoard[static_cast<size_t>(k * 9 + i)].column = k;
    for (int k = 0; k < 9; ++k)
        for (int i = k; i < kCellCount; i += 9) PlayBoard[static_cast<size_t>(i)].row = k;
    for (int b = 0; b < 3; ++b)
        for (int s = 0; s < 3; ++s)
            for (int c = 3 * b; c < 3 * b + 3; ++c)
                for (int r = 3 * s; r < 3 * s + 3; ++r)
                    PlayBoard[static_cast<size_t>(CellIndex(c, r))].section = b + 3 * s;
    srand(static_cast<uint32_t>(CalendarSeconds()));
}

void CopyBoard(const Board& from, Board& to) { to = from; }

}  // namespace tessaran
