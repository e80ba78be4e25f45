// The solver screen's answers to "why": why no hint applies, and why a grid is not a good
// puzzle (two of its solutions side by side, or where a grid without one runs out). No drawing.
#pragma once

#include <string>

#include "solver/complete.h"

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
