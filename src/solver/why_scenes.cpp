// tessaran-shot scenes of the solver's answers to "why": two solutions of a grid with several,
// where a grid without one runs out, and why no hint applies.
#include <cstring>

#include "game/game_state.h"
#include "game/rules.h"
#include "shot/scene.h"
#include "solver/hints.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver/solver_screen.h"
#include "solver/solver_why.h"

namespace tessaran::shot {
namespace {

// A library puzzle typed in, less its last `dropped` givens, with no cursor square.
void TypeIn(int32_t level, int index, int dropped) {
    TypeInPuzzle(level, index, dropped);
    CursorColumn = CursorRow = -1;
}

void TwoSolutions() {
    TypeIn(LevelEvil, 3, 4);
    ToggleWhy();
}

void SecondSolution() {
    TwoSolutions();
    ToggleWhy();
}

// A value typed where the puzzle's own logic cannot take it: legal, but nothing solves it.
void NoSolution() {
    TypeIn(LevelMedium, 7, 0);
    for (int i = 0; i < kCellCount; ++i) {
        if (PlayBoard[static_cast<std::size_t>(i)].known) continue;
        for (int k = 0; k < 9; ++k) {
            ActOnSymbol(i / 9, i % 9, k);
            if (!PlayBoard[static_cast<std::size_t>(i)].known) continue;
            if (SettleSolutions(false) == 0) {
                UpdatePuzzleStatus();
                ToggleWhy();
                return;
            }
            ActOnSymbol(i / 9, i % 9, k);  // a second click erases it
        }
    }
}

// The solver's own hints run dry on an Evil puzzle: the sentence says why.
void NoHint() {
    for (int index = 0; index < 50; ++index) {
        TypeIn(LevelEvil, index, 0);
        for (int k = 0; k < kCellCount; ++k)
            if (!ApplyHint()) break;
        ShowSolverHint();
        if (std::strncmp(SolverState.hintText, "No hints found.", 15) == 0) return;
    }
}

}  // namespace

TESSARAN_SHOT_SCENE(solver_two_solutions, "solver-two-solutions",
                    "a grid with several solutions: the first of two, the squares they differ in framed",
                    TwoSolutions, WindowFrame);
TESSARAN_SHOT_SCENE(solver_second_solution, "solver-second-solution", "the same grid toggled to its second solution",
                    SecondSolution, WindowFrame);
TESSARAN_SHOT_SCENE(solver_no_solution, "solver-no-solution", "a grid without solution: where it runs out",
                    NoSolution, WindowFrame);
TESSARAN_SHOT_SCENE(solver_no_hint, "solver-no-hint", "the solver's hints run dry and say why", NoHint,
                    WindowFrame);

}  // namespace tessaran::shot
