// Why no hint applies and why a grid is no good puzzle, from the logic engine and the complete
// search.
#include "solver/solver_why.h"

#include <cstdio>
#include <cstring>

#include "solver/logic.h"
#include "solver/solver.h"

namespace tessaran {

SolverWhyState SolverWhy;

namespace {

bool StatusIs(const char* status) { return std::strcmp(SolverState.statusText, status) == 0; }

ValueGrid CurrentGrid() { return GridFromBoard(PlayBoard); }

// "r2c9" or "row 4 value 6" (also column, section), as the complete search reports it.
void ReadRunsOut(const std::string& where) {
    SolverWhy.runsOutSquare = SolverWhy.runsOutUnit = -1;
    int a = 0, b = 0;
    char kind[16] = "";
    if (std::sscanf(where.c_str(), "r%dc%d", &a, &b) == 2) {
        SolverWhy.runsOutSquare = GridIndex(b - 1, a - 1);
    } else if (std::sscanf(where.c_str(), "%15s %d value %d", kind, &a, &b) == 3) {
        const int base = std::strcmp(kind, "row") == 0 ? 0 : std::strcmp(kind, "column") == 0 ? 9 : 18;
        SolverWhy.runsOutUnit = base + a - 1;
    }
}

}  // namespace

std::string WhyNoHint() {
    const ValueGrid grid = CurrentGrid();
    const GridExplanation explained = ExplainGrid(grid);
    if (explained.verdict == GridVerdict::None)
        return "The grid has no solution, so no hint can follow from it: " + explained.runsOut + " runs out.";
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
    ReadRunsOut(SolverWhy.explanation.runsOut);
    switch (SolverWhy.explanation.verdict) {
    case GridVerdict::Multiple: SolverWhy.view = WhyView::FirstSolution; break;
    case GridVerdict::None: SolverWhy.view = WhyView::RunsOut; break;
    case GridVerdict::Unique: SolverWhy.view = WhyView::Off; break;
    }
}

}  // namespace tessaran
