// Why no hint applies and why a grid is no good puzzle, from the logic engine and the complete
// search.
#include "solver/solver_why.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "game/game_hint.h"
#include "solver/logic.h"
#include "solver/solver.h"

namespace tessaran {

SolverWhyState SolverWhy;
SolverHintShape SolverHintPattern;

namespace {

bool StatusIs(const char* status) { return std::strcmp(SolverState.statusText, status) == 0; }

ValueGrid CurrentGrid() { return GridFromBoard(PlayBoard); }

struct RunsOut {
    int square = -1;  // grid index, or -1
    int unit = -1;    // 0..26, or -1
    int value = 0;    // the value the unit has no place for
};

// "r2c9" or "row 4 value 6" (also column, section), as the complete search reports it.
RunsOut ReadRunsOut(const std::string& where) {
    RunsOut out;
    int a = 0, b = 0;
    char kind[16] = "";
    if (std::sscanf(where.c_str(), "r%dc%d", &a, &b) == 2) {
        out.square = GridIndex(b - 1, a - 1);
    } else if (std::sscanf(where.c_str(), "%15s %d value %d", kind, &a, &b) == 3) {
        const int base = std::strcmp(kind, "row") == 0 ? 0 : std::strcmp(kind, "column") == 0 ? 9 : 18;
        out.unit = base + a - 1;
        out.value = b;
    }
    return out;
}

// Where the grid runs out, as a clause for the player.
std::string RunsOutClause(const std::string& where) {
    const RunsOut out = ReadRunsOut(where);
    if (out.square >= 0) return "nothing can go in square " + SquareName(out.square);
    if (out.unit >= 0) return PieceMark(out.value, "the") + " has no place left in " + UnitName(out.unit);
    return where + " runs out";
}

int LogicUnit(int unitType, int column, int row) {
    if (unitType == UnitRow) return row;
    if (unitType == UnitColumn) return 9 + column;
    if (unitType == UnitSection) return 18 + SectionOf(column, row);
    return -1;
}

bool InLogicUnit(int unit, int column, int row) {
    return unit < 9 ? row == unit : unit < 18 ? column == unit - 9 : SectionOf(column, row) == unit - 18;
}

unsigned Possibles(const Cell& cell) {
    unsigned mask = 0;
    for (int v = 1; v <= 9; ++v)
        if (cell.possible[v]) mask |= 1u << v;
    return mask;
}

// n squares of `pool` whose possibles together hold exactly n values.
bool FindSet(const std::vector<int>& pool, std::size_t from, int n, unsigned seen, std::vector<int>& set) {
    if (static_cast<int>(set.size()) == n) return std::popcount(seen) == n;
    for (std::size_t i = from; i < pool.size(); ++i) {
        const int s = pool[i];
        set.push_back(s);
        if (FindSet(pool, i + 1, n, seen | Possibles(PlayBoard[static_cast<std::size_t>(CellIndex(s % 9, s / 9))]), set))
            return true;
        set.pop_back();
    }
    return false;
}

}  // namespace

void NoteSolverHint(const Hint& hint) {
    SolverHintPattern = SolverHintShape{};
    if (hint.markedCount <= 0 || hint.technique == HintSingleValue) return;
    const int unit = LogicUnit(hint.unit, hint.markedColumns[0], hint.markedRows[0]);
    SolverHintPattern.unit = unit;
    if (hint.technique != HintSubset || unit < 0) return;
    std::vector<int> pool;
    for (int s = 0; s < kCellCount; ++s) {
        const int c = s % 9, r = s / 9;
        const Cell& cell = PlayBoard[static_cast<std::size_t>(CellIndex(c, r))];
        if (cell.known || !InLogicUnit(unit, c, r)) continue;
        bool marked = false;
        for (int k = 0; k < hint.markedCount; ++k) marked |= hint.markedColumns[k] == c && hint.markedRows[k] == r;
        const int count = std::popcount(Possibles(cell));
        if (!marked && count >= 2 && count <= hint.setSize) pool.push_back(s);
    }
    std::vector<int> set;
    if (FindSet(pool, 0, hint.setSize, 0, set)) SolverHintPattern.set = set;
}

std::string WhyNoHint() {
    const ValueGrid grid = CurrentGrid();
    const GridExplanation explained = ExplainGrid(grid);
    if (explained.verdict == GridVerdict::None)
        return SayPieces("The grid has no solution, so no hint can follow from it: " + RunsOutClause(explained.runsOut) +
                         ".",
                         PieceNamingShown());
    LogicStep step;
    const LogicGrid logic = MakeLogicGrid(grid);
    if (FindLogicStep(logic, step) && step.technique != Technique::DeadEnd)
        return std::string("The next step needs a harder technique (") + TechniqueName(step.technique) +
               "); play the grid as a game and press H to learn it.";
    return "No technique applies: the next step needs a trial. The Crystal Ball is the way to try one.";
}

void ExplainNoHint() {
    if (std::strcmp(SolverState.hintText, "No hints found.") != 0) return;
    const std::string text = "No hints found. " + WhyNoHint();
    std::snprintf(SolverState.hintText, sizeof SolverState.hintText, "%s", text.c_str());
}

bool WhyOffered() { return StatusIs(kStatusMultiple) || StatusIs(kStatusIllegal); }

WhyView CurrentWhyView() {
    if (SolverWhy.view != WhyView::Off && SolverWhy.grid != CurrentGrid()) SolverWhy.view = WhyView::Off;
    return SolverWhy.view;
}

const char* WhyLabel() {
    switch (CurrentWhyView()) {
    case WhyView::FirstSolution: return "Second Solution";
    case WhyView::SecondSolution: return "First Solution";
    case WhyView::RunsOut: return "Hide Why";
    case WhyView::Off: break;
    }
    return StatusIs(kStatusMultiple) ? "Two Solutions" : "Why No Solution";
}

void ToggleWhy() {
    const WhyView view = CurrentWhyView();
    if (view == WhyView::FirstSolution) {
        SolverWhy.view = WhyView::SecondSolution;
        return;
    }
    if (view == WhyView::SecondSolution) {
        SolverWhy.view = WhyView::FirstSolution;
        return;
    }
    if (view == WhyView::RunsOut) {
        SolverWhy.view = WhyView::Off;
        return;
    }
    SolverWhy.grid = CurrentGrid();
    SolverWhy.explanation = ExplainGrid(SolverWhy.grid);
    const RunsOut out = ReadRunsOut(SolverWhy.explanation.runsOut);
    SolverWhy.runsOutSquare = out.square;
    SolverWhy.runsOutUnit = out.unit;
    switch (SolverWhy.explanation.verdict) {
    case GridVerdict::Multiple: SolverWhy.view = WhyView::FirstSolution; break;
    case GridVerdict::None: SolverWhy.view = WhyView::RunsOut; break;
    case GridVerdict::Unique: SolverWhy.view = WhyView::Off; break;
    }
}

}  // namespace tessaran
