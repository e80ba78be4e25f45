// Drives the game's solution counter over PlayBoard; nothing here reasons about the puzzle itself.
#include "rater.h"

#include "game/board.h"
#include "solver/solver.h"

namespace puzzlegen {

namespace {

using tessaran::Cell;
using tessaran::CellIndex;
using tessaran::PlayBoard;

Cell& Square(int column, int row) { return PlayBoard[static_cast<size_t>(CellIndex(column, row))]; }

void LoadPlayBoard(const Grid& givens) {
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            Cell& cell = Square(column, row);
            tessaran::ResetCell(cell);
            cell.column = column;
            cell.row = row;
            cell.section = column / 3 + 3 * (row / 3);
            cell.activated = 1;
            cell.value = givens[static_cast<size_t>(row * 9 + column)];
            cell.known = cell.value != 0;
        }
}

}  // namespace

GameVerdict GameCountSolutions(const Grid& givens) {
    LoadPlayBoard(givens);
    GameVerdict verdict;
    const tessaran::SearchResult result = tessaran::CountBoardSolutions(PlayBoard, false);
    verdict.code = result.code;  // what CountSolutions answers, from the one search
    verdict.steps = result.steps;
    return verdict;
}

}  // namespace puzzlegen
