// Candidate analysis and the puzzle status of PlayBoard; the solver's globals live here.
#include "solver/solver.h"

#include <cstdio>

#include "audio/sound.h"
#include "solver/complete.h"

namespace tessaran {

SolverGlobals SolverState;

namespace {

// Geometry from the storage index, so a board copied before its geometry was set still works.
constexpr int ColumnOfIndex(int index) { return index / 9; }
constexpr int RowOfIndex(int index) { return index % 9; }
constexpr int SectionOfIndex(int index) { return ColumnOfIndex(index) / 3 + 3 * (RowOfIndex(index) / 3); }

bool HasValue(const Cell& cell) { return cell.value >= 1 && cell.value <= 9; }

void SetStatus(const char* text, bool locked) {
    std::snprintf(SolverState.statusText, sizeof SolverState.statusText, "%s", text);
    SolverState.playLocked = locked;
}

}  // namespace

void ResetPossibles() {
    for (Cell& cell : PlayBoard)
        for (auto& flag : cell.possible) flag = 1;
}

void EliminatePossibles() {
    for (int i = 0; i < kCellCount; ++i) {
        Cell& cell = PlayBoard[static_cast<size_t>(i)];
        if (cell.known) {
            for (int v = 1; v <= 9; ++v) cell.possible[v] = 0;
            if (cell.value >= 0 && cell.value <= 9) cell.possible[cell.value] = 1;
        } else {
            const int column = ColumnOfIndex(i), row = RowOfIndex(i), section = SectionOfIndex(i);
            for (int j = 0; j < kCellCount; ++j) {
                const Cell& other = PlayBoard[static_cast<size_t>(j)];
                if (!other.known || !HasValue(other)) continue;
                if (ColumnOfIndex(j) == column || RowOfIndex(j) == row || SectionOfIndex(j) == section)
                    cell.possible[other.value] = 0;
            }
        }
        for (int v = 1; v <= 9; ++v) cell.marks[v - 1] = cell.possible[v];
    }
}

bool FindDeadEnd() {
    ResetPossibles();
    EliminatePossibles();
    int counts[27][10] = {};  // rows, then columns, then sections
    for (int i = 0; i < kCellCount; ++i) {
        const Cell& cell = PlayBoard[static_cast<size_t>(i)];
        const int units[3] = {RowOfIndex(i), 9 + ColumnOfIndex(i), 18 + SectionOfIndex(i)};
        for (int v = 1; v <= 9; ++v) {
            const bool countsHere = cell.known ? cell.value == v : cell.possible[v] != 0;
            if (!countsHere) continue;
            for (const int unit : units) ++counts[unit][v];
        }
    }
    bool deadEnd = false;
    for (int unit = 0; unit < 27 && !deadEnd; ++unit)
        for (int v = 1; v <= 9; ++v)
            if (counts[unit][v] == 0) {
                deadEnd = true;
                break;
            }
    if (!SolverState.showPossibles)
        for (Cell& cell : PlayBoard)
            for (auto& mark : cell.marks) mark = 0;
    if (deadEnd) PlaySound(SoundCrystalOver);
    return deadEnd;
}

SearchResult CountBoardSolutions(const Board& board, bool fill, int64_t limit) {
    return CountGridSolutions(GridFromBoard(board), fill, limit);
}

namespace {

void FillSolution(const ValueGrid& solution) {
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row)
            PlayBoard[static_cast<size_t>(CellIndex(column, row))].value =
                solution[static_cast<size_t>(GridIndex(column, row))];
}

}  // namespace

int CountSolutions(bool fill) {
    const SearchResult result = CountBoardSolutions(PlayBoard, fill);
    if (fill && result.code == SearchOneSolution) FillSolution(result.solution);
    return result.code;
}

int SettleSolutions(bool fill) {
    const int code = CountSolutions(fill);
    if (code != SearchTooDifficult) return code;
    ValueGrid first{};
    const int found = CountSolutionsCompletely(GridFromBoard(PlayBoard), &first);
    // Filling stops at the first solution, as the step-limited fill does.
    if (fill && found >= 1) {
        FillSolution(first);
        return SearchOneSolution;
    }
    return found;
}

bool IsPlacementLegal(const Board& board, int column, int row, int section) {
    const int32_t v = board[static_cast<size_t>(CellIndex(column, row))].value;
    auto clashes = [&](int c, int r) {
        if (c == column && r == row) return false;
        const int32_t other = board[static_cast<size_t>(CellIndex(c, r))].value;
        return other >= 1 && other == v;
    };
    for (int i = 0; i < 9; ++i)
        if (clashes(i, row) || clashes(column, i)) return false;
    const int left = 3 * (section % 3), top = 3 * (section / 3);
    for (int c = left; c < left + 3; ++c)
        for (int r = top; r < top + 3; ++r)
            if (clashes(c, r)) return false;
    return true;
}

void UpdatePuzzleStatus() {
    bool illegal = true;
    if (FindDeadEnd()) {
        SetStatus(kStatusIllegal, true);
    } else {
        switch (SettleSolutions(false)) {
        case SearchOneSolution:
            SetStatus(kStatusGood, false);
            illegal = false;
            break;
        case SearchManySolutions:
            SetStatus(kStatusMultiple, true);
            illegal = false;
            break;
        case SearchTooDifficult:
            SetStatus(kStatusTooDifficult, true);
            illegal = false;
            break;
        default:
            SetStatus(kStatusIllegal, true);
            break;
        }
    }
    // A full grid whose values clash is not solved, whatever it looks like.
    if (illegal) return;
    for (const Cell& cell : PlayBoard)
        if (!cell.known) return;
    SetStatus(kStatusSolved, true);
}

}  // namespace tessaran
