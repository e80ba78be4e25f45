// The solver screen's answers to "why": why no hint applies, and why a grid is not a good
// puzzle (two of its solutions side by side, or where a grid without one runs out). No drawing.
#pragma once

#include <string>

#include <vector>

#include "solver/complete.h"
#include "solver/hints.h"

namespace tessaran {

// What the solver screen shows of a grid that is not a good puzzle.
enum class WhyView { Off, FirstSolution, SecondSolution, RunsOut };

struct SolverWhyState {
    WhyView view = WhyView::Off;
    ValueGrid grid{};                 // the grid the explanation belongs to
    GridExplanation explanation;
    int runsOutSquare = -1;           // grid index of the square left with no value, or -1
    int runsOutUnit = -1;             // unit 0..26 (rows, columns, sections) left without a place, or -1
};
extern SolverWhyState SolverWhy;

// What the solver's hint sentence is about, drawn around it: the unit it names and, for a
// subset, the squares of the set (grid indices). Empty for a single value.
struct SolverHintShape {
    int unit = -1;  // 0..26: rows, columns, sections
    std::vector<int> set;
};
extern SolverHintShape SolverHintPattern;
// After "Get a Hint" or "Apply Hint": the unit and set of the hint just shown.
void NoteSolverHint(const Hint& hint);

// Why the solver's hints find nothing on a grid that is not full: it has gone wrong (where), or
// a harder technique is the next step (which), or the next step is a trial.
std::string WhyNoHint();
// "Get a Hint" and "Apply Hint" with nothing found: the sentence goes on to say why.
void ExplainNoHint();

// Whether the grid on the solver screen has several solutions or none, so "why" is offered.
bool WhyOffered();
// The button's label for the view it leads to.
const char* WhyLabel();
// Several solutions: off -> first -> second -> first ...; none: off <-> where it runs out.
void ToggleWhy();
// The view on display, or Off when the grid has changed since.
WhyView CurrentWhyView();

}  // namespace tessaran
