// How a grid reaches the solver screen and how entries change it; the screen itself only draws
// and calls these. No drawing here.
#pragma once

namespace tessaran {

inline constexpr const char* kSolverInstructions = "Click to add a value.@Click again to erase a value";

// From the main screen: an empty 9 x 9 grid, every square open, nothing left of an earlier visit.
void OpenSolver();
// From the pause menu: the givens and the squares the player found become entered values.
// Crystal Ball trials are discarded first, so the solver never shows a hidden square's answer.
void MoveGameToSolver();
// A slot (0..8) of square (column, row) clicked, or a number key, on the solver screen: erases a
// known square, or enters slot + 1 unless it repeats in the row, column or section.
void EnterSolverValue(int column, int row, int slot);
// The hint overlay belongs to the grid it was found on: any change of the grid takes it down.
void ClearHintOverlay();

}  // namespace tessaran
