// The puzzle picker: the numbers of a level's 1000 puzzles, 200 to a page, won ones in green.
// The choices are plain rules (picker_actions.cpp); PuzzlePicker draws and calls them.
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

// Where a number or a button of the page is drawn, in percent of the window at its text size:
// the text's left edge, top and width, and the width scale that narrows it to that width.
struct PickerPlace {
    float x, y, width, widthScale;
};
inline constexpr int32_t kPickerNumberSize = 4;
inline constexpr int32_t kPickerButtonSize = 5;
inline constexpr int32_t kPickerButtonCount = 4;
inline constexpr float kPickerButtonReach = 1.5f;  // a button's frame reaches this far past its text
// Number k of the page (0..199), showing puzzle `index` + 1.
PickerPlace PickerNumberPlace(int32_t k, int32_t index);
// Button 0..3: "Reset games used", "Random", "Next 200", "Cancel".
PickerPlace PickerButtonPlace(int32_t button);

// One frame of ScreenState 30.
void PuzzlePicker();

}  // namespace tessaran
