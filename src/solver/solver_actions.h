// What the solver screen's buttons do to the shared board and the solver state. Plain rules, no
// drawing; the screen (solver_screen.h) draws and calls them.
#pragma once

#include <cstdint>

namespace tessaran {

// A shared angle in degrees that animated screens advance by FrameFactor each frame; it turns
// the solver's marked-square frames.
extern float SpinAngle;

// "Change Symbols": the player's piece style cycles pictures, digits only, pictures with digits.
void ChangeSymbols();
// "Show Possibles" / "Hide Possibles".
void ToggleSolverPossibles();
// "Get a Hint" and "Apply Hint": the possibles are shown first, so the marks on screen are the
// candidates the hint reasons about. A hint that completes the grid also updates the status.
void ShowSolverHint();
void ApplySolverHint();
// "Play this Game": the entered squares become the givens of a new game counted as started,
// with a fresh score, mistake count and clock. Refused (false) unless the grid has exactly one
// solution and some square is still open.
bool PlaySolverGame();
// "Solve": every square shows its value of the one solution; the status then locks play.
// Refused (false) while play is locked.
bool SolveSolverGrid();
// "Return to Main Screen": the board is left as it is.
void LeaveSolver();

// Whether the buttons "Play this Game" and "Solve" are offered.
bool SolverPlayOffered();

}  // namespace tessaran
