// The puzzle picker's rules: the numbers of a level's 1000 puzzles, 200 to a page, won ones in
// green, and what its buttons do. PuzzlePicker (picker.h) draws and calls them.
#pragma once

#include <cstdint>

namespace tessaran {

inline constexpr int32_t kPickerPageSize = 200;
inline constexpr int32_t kPickerColumns = 20;

extern int32_t PickerPageStart;  // index of the first puzzle on the page: 0, 200, .., 800; kept

// Whether the player has won puzzle `index` at `level` (false for the Child level and for
// anything out of range).
bool PuzzleWon(int32_t level, int32_t index);
// A number clicked: the puzzle is chosen and the game starts, after the quick help if it is on.
void PickPuzzle(int32_t index);
// "Random": any of the 1000, from the one random generator.
void PickRandomPuzzle();
// "Next 200": the fifth page is followed by the first.
void NextPickerPage();
// "Reset games used": asks first; "Yes" forgets the wins of the current level only.
void AskToResetGamesUsed();
void ResetGamesUsed();
// "Cancel": back to the main screen, and "Just one more game" no longer armed.
void CancelPicker();

}  // namespace tessaran
