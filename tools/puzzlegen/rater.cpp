// Drives the game's hint engine and solution counter over PlayBoard; nothing here reasons about
// the puzzle itself.
#include "rater.h"

#include "game/board.h"
#include "solver/hints.h"
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

bool AllKnown() {
    for (const Cell& cell : PlayBoard)
        if (!cell.known) return false;
    return true;
}

int PossibleCount(const Cell& cell) {
    int count = 0;
    for (int v = 1; v <= 9; ++v) count += cell.possible[v] != 0;
    return count;
}

// The open square a player would try a value in: the one with the fewest possibles.
int GuessSquare() {
    int best = -1, bestCount = 10;
    for (int index = 0; index < tessaran::kCellCount; ++index) {
        const Cell& cell = PlayBoard[static_cast<size_t>(index)];
        if (cell.known) continue;
        const int count = PossibleCount(cell);
        if (count < bestCount) {
            best = index;
            bestCount = count;
        }
    }
    return best;
}

}  // namespace

SolveTrace SimulatePlayer(const Grid& givens, const Grid& solution) {
    SolveTrace trace;
    LoadPlayBoard(givens);
    tessaran::ResetPossibles();
    tessaran::EliminatePossibles();
    while (!AllKnown()) {
        int open = 0, singles = 0;
        for (const Cell& cell : PlayBoard) {
            open += !cell.known;
            singles += !cell.known && PossibleCount(cell) == 1;
        }
        tessaran::Hint hint;
        if (tessaran::ApplyHint(hint)) {
            switch (hint.technique) {
            case tessaran::HintSingleValue:
                ++trace.singleValues;
                if (singles == 1 && open > 1) ++trace.narrowSteps;
                break;
            case tessaran::HintOnlyPlace: ++trace.onlyPlaces; break;
            default:
                if (hint.setSize == 2) ++trace.pairs;
                else if (hint.setSize == 3) ++trace.triples;
                else ++trace.quadruples;
                break;
            }
            continue;
        }
        const int index = GuessSquare();
        Cell& cell = PlayBoard[static_cast<size_t>(index)];
        cell.value = solution[static_cast<size_t>((index % 9) * 9 + index / 9)];
        cell.known = 1;
        tessaran::EliminatePossibles();
        ++trace.guesses;
    }
    trace.reachedSolution = true;
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row)
            if (Square(column, row).value != solution[static_cast<size_t>(row * 9 + column)])
                trace.reachedSolution = false;
    return trace;
}

GameVerdict GameCountSolutions(const Grid& givens) {
    LoadPlayBoard(givens);
    GameVerdict verdict;
    verdict.code = tessaran::CountSolutions(false);
    verdict.steps = tessaran::CountBoardSolutions(PlayBoard, false).steps;
    return verdict;
}

}  // namespace puzzlegen
