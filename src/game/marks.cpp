// Pencil-mark helpers: matching pieces, clashing trials, filled and cleaned marks. No drawing;
// the board renderer reads the sets these return.
#include "game/marks.h"

#include <algorithm>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/undo.h"

namespace tessaran {

namespace {

std::size_t Index(int column, int row) { return static_cast<std::size_t>(CellIndex(column, row)); }

bool InGrid(int column, int row) {
    const int side = BoardSideInUse();
    return column >= 0 && column < side && row >= 0 && row < side;
}

// Calls visit(column, row) for every square of the grid in use.
template <typename Visit>
void ForEachSquare(Visit visit) {
    const int side = BoardSideInUse();
    for (int c = 0; c < side; ++c)
        for (int r = 0; r < side; ++r) visit(c, r);
}

}  // namespace

int ShownSymbol(const Board& board, int column, int row) {
    const Cell& cell = board[Index(column, row)];
    if (!cell.known) return 0;
    return CrystalBallActive && CrystalGuessed[Index(column, row)] ? cell.guess : cell.value;
}

bool SameUnit(int column1, int row1, int column2, int row2) {
    const int section = ChildLayout() ? 2 : 3;
    return column1 == column2 || row1 == row2 ||
           (column1 / section == column2 / section && row1 / section == row2 / section);
}

SquareSet MatchingSquares(const Board& board, int column, int row) {
    SquareSet set;
    if (!InGrid(column, row)) return set;
    const int symbol = ShownSymbol(board, column, row);
    if (symbol == 0) return set;
    ForEachSquare([&](int c, int r) {
        if (ShownSymbol(board, c, r) == symbol) set.set(Index(c, r));
    });
    return set;
}

SquareSet ConflictingTrials(const Board& board) {
    SquareSet set;
    if (!CrystalBallActive) return set;
    ForEachSquare([&](int c, int r) {
        if (!CrystalGuessed[Index(c, r)]) return;
        const int symbol = ShownSymbol(board, c, r);
        if (symbol == 0) return;  // touched by marks only
        ForEachSquare([&](int c2, int r2) {
            if ((c2 != c || r2 != r) && SameUnit(c, r, c2, r2) && ShownSymbol(board, c2, r2) == symbol)
                set.set(Index(c, r));
        });
    });
    return set;
}

std::array<bool, 9> DirectCandidates(const Board& board, int column, int row) {
    std::array<bool, 9> open{};
    std::fill_n(open.begin(), BoardSideInUse(), true);
    ForEachSquare([&](int c, int r) {
        if ((c == column && r == row) || !SameUnit(column, row, c, r)) return;
        const int symbol = ShownSymbol(board, c, r);
        if (symbol >= 1 && symbol <= 9) open[static_cast<std::size_t>(symbol - 1)] = false;
    });
    return open;
}

bool FillMarks() {
    BeginUndoStep();  // one notes change: one undo takes the whole fill back
    bool changed = false;
    ForEachSquare([&](int c, int r) {
        Cell& cell = PlayBoard[Index(c, r)];
        if (cell.known) return;
        const std::array<bool, 9> open = DirectCandidates(PlayBoard, c, r);
        bool differs = !cell.activated;
        for (std::size_t k = 0; k < open.size(); ++k) {
            const uint8_t mark = open[k] ? 1 : 0;
            differs = differs || cell.marks[k] != mark;
            cell.marks[k] = mark;
        }
        cell.activated = 1;
        if (!differs) return;
        changed = true;
        if (CrystalBallActive) CrystalGuessed[Index(c, r)] = true;
    });
    EndUndoStep();
    if (changed) PlaySound(SoundPop);
    return changed;
}

bool RemoveRuledOutMarks(int column, int row, int symbol) {
    if (!InGrid(column, row) || symbol < 1 || symbol > BoardSideInUse()) return false;
    const std::size_t k = static_cast<std::size_t>(symbol - 1);
    bool cleared = false;
    ForEachSquare([&](int c, int r) {
        Cell& cell = PlayBoard[Index(c, r)];
        if (cell.known || !cell.activated || !cell.marks[k] || !SameUnit(column, row, c, r)) return;
        cell.marks[k] = 0;
        cleared = true;
    });
    return cleared;
}

}  // namespace tessaran
