// The puzzle picker's frame: a page of 200 numbers, won ones green, and the buttons under them.
#include "solver/picker.h"

#include <cstdio>

#include "game/game_state.h"
#include "profile/prefs.h"
#include "ui/backdrop.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

constexpr int32_t kNumberSize = 4;
constexpr float kNumberLeft = 5.0f, kNumberTop = 15.0f;
constexpr float kNumberPitchX = 4.5f, kNumberPitchY = 6.0f;
// The game's font is wide: a number is narrowed to leave this much room across between
// neighbours, so that 3- and 4-digit numbers stay apart.
constexpr float kNumberRoom = 3.7f;
constexpr int32_t kButtonSize = 5;
constexpr float kButtonY = 90.0f;
constexpr float kButtonReach = 1.5f;  // a button's frame reaches this far past its text
constexpr float kButtonGap = 2.0f;    // between the frames of neighbouring buttons

bool NumberClicked(int32_t k, int32_t index, bool won) {
    char label[12];
    std::snprintf(label, sizeof label, "%d", index + 1);
    SetTextSize(kNumberSize);
    const float width = TextWidthPercent(label);
    if (width > kNumberRoom) TextRenderer.SetWidthScale(kNumberRoom / width);
    const float x = kNumberLeft + kNumberPitchX * static_cast<float>(k % kPickerColumns);
    const float y = kNumberTop + kNumberPitchY * static_cast<float>(k / kPickerColumns);
    const bool clicked = DoSelectableItem(x, y, kNumberSize, label, false, won);
    TextRenderer.SetWidthScale(1.0f);
    return clicked;
}

}  // namespace

void PuzzlePicker() {
    // No board here: the backdrop fills the window, as it does behind the Child board.
    const int32_t level = Prefs.difficulty;
    Prefs.difficulty = LevelChild;
    SetBoardProjection();
    DrawColourBackdrop();
    Prefs.difficulty = level;

    SetTextColor(1.0f, 1.0f, 0.3f);
    SetTextSize(7);
    DrawTextCentred(5.0f, "Pick A Puzzle:");

    if (PickerPageStart < 0 || PickerPageStart >= kPuzzlesPerLevel || PickerPageStart % kPickerPageSize != 0)
        PickerPageStart = 0;
    for (int32_t k = 0; k < kPickerPageSize; ++k) {
        const int32_t index = PickerPageStart + k;
        if (NumberClicked(k, index, PuzzleWon(level, index))) {
            PickPuzzle(index);
            return;
        }
    }

    SetTextColor(0.5f, 1.0f, 0.5f);
    SetTextSize(5);
    DrawTextCentred(80.0f, "Green numbers are games you've already won.");

    // The four buttons in one row centred under the numbers, in their usual order.
    const char* const labels[4] = {"Reset games used", "Random", "Next 200", "Cancel"};
    SetTextSize(kButtonSize);
    float widths[4], total = 3.0f * kButtonGap;
    for (int i = 0; i < 4; ++i) {
        widths[i] = TextWidthPercent(labels[i]);
        total += widths[i] + 2.0f * kButtonReach;
    }
    float x = 50.0f - total * 0.5f + kButtonReach;
    bool clicked[4];
    for (int i = 0; i < 4; ++i) {
        clicked[i] = DoButton(x, kButtonY, kButtonSize, labels[i]);
        x += widths[i] + 2.0f * kButtonReach + kButtonGap;
    }
    if (clicked[0]) ResetGamesUsed();
    if (clicked[1]) PickRandomPuzzle();
    if (clicked[2]) NextPickerPage();
    if (clicked[3]) CancelPicker();
}

}  // namespace tessaran
