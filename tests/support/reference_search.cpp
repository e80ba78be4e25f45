// The plain row-by-row search: one loop pass per step, squares scanned for every try.
#include "support/reference_search.h"

namespace tessaran::reference {

namespace {

// Position p visits the square at row p / 9, column p % 9.
Cell& At(Board& board, int p) { return board[static_cast<size_t>(CellIndex(p % 9, p / 9))]; }

}  // namespace

bool IsPlacementLegal(const Board& board, int column, int row, int section) {
    const int32_t v = board[static_cast<size_t>(CellIndex(column, row))].value;
    for (int c = 0; c < 9; ++c) {
        const int32_t other = board[static_cast<size_t>(CellIndex(c, row))].value;
        if (c != column && other >= 1 && other == v) return false;
    }
    for (int r = 0; r < 9; ++r) {
        const int32_t other = board[static_cast<size_t>(CellIndex(column, r))].value;
        if (r != row && other >= 1 && other == v) return false;
    }
    for (int c = 3 * (section % 3); c < 3 * (section % 3) + 3; ++c)
        for (int r = 3 * (section / 3); r < 3 * (section / 3) + 3; ++r) {
            if (c == column && r == row) continue;
            const int32_t other = board[static_cast<size_t>(CellIndex(c, r))].value;
            if (other >= 1 && other == v) return false;
        }
    return true;
}

SearchResult CountSolutions(const Board& board, bool fill, int64_t limit) {
    SearchResult result;
    Board copy = board;
    for (Cell& cell : copy)
        if (!cell.known) cell.value = 0;
    auto solutionOf = [&copy] {
        ValueGrid grid{};
        for (int p = 0; p < kCellCount; ++p) grid[static_cast<size_t>(p)] = static_cast<uint8_t>(At(copy, p).value);
        return grid;
    };

    int floor = 0;
    while (floor < kCellCount && At(copy, floor).known) ++floor;
    if (floor == kCellCount) {
        result.code = SearchOneSolution;
        result.solution = solutionOf();
        return result;
    }

    int64_t steps = 0;
    int found = 0;
    int position = floor;
    for (;;) {
        ++steps;
        if (steps > limit) {
            result.code = SearchTooDifficult;
            result.steps = steps;
            return result;
        }
        Cell& cell = At(copy, position);
        bool complete = false;
        bool lastWasFree = false;
        bool stepBack = false;
        if (cell.known) {
            ++position;
            if (position <= 80) continue;
            complete = true;
        } else {
            ++cell.value;
            if (cell.value <= 9) {
                if (!IsPlacementLegal(copy, position % 9, position / 9, cell.section)) continue;
                ++position;
                if (position <= 80) continue;
                complete = true;
                lastWasFree = true;
            } else {
                cell.value = 0;
                stepBack = true;
            }
        }
        if (complete) {
            ++found;
            if (found == 1) result.solution = solutionOf();
            if (fill) {
                result.code = SearchOneSolution;
                result.steps = steps;
                return result;
            }
            if (found > 1) {
                result.code = SearchManySolutions;
                result.steps = steps;
                return result;
            }
            if (lastWasFree)
                position = 80;
            else
                stepBack = true;
        }
        if (stepBack) {
            --position;
            while (position >= 0 && At(copy, position).known) --position;
            if (position < floor) {
                result.code = found;
                result.steps = steps;
                return result;
            }
        }
    }
}

SearchResult CountSolutions(const ValueGrid& grid, bool fill, int64_t limit) {
    Board board;
    LoadSolverGrid(grid, board);
    return CountSolutions(board, fill, limit);
}

}  // namespace tessaran::reference
