// The puzzle picker's frame: a page of 200 numbers, won ones green, and the buttons under them.
#include "solver/picker.h"

#include <cstdio>
#include <cstring>

#include "game/game_screen.h"
#include "game/game_state.h"
#include "profile/prefs.h"
#include "ui/backdrop.h"
#include "ui/focus.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

constexpr float kNumberLeft = 5.0f, kNumberTop = 15.0f;
constexpr float kNumberPitchX = 4.5f, kNumberPitchY = 6.0f;
// The game's font is wide: a number is narrowed where needed to keep this much clear room
// before its right-hand neighbour, so that neighbours never read as one number.
constexpr float kNumberGap = 1.3f;
constexpr float kRightEdge = 99.5f;
constexpr float kButtonY = 90.0f;
constexpr float kButtonX[kPickerButtonCount] = {5.0f, 29.0f, 43.0f, 60.0f};
constexpr float kButtonGap = 1.0f;  // between the frames of neighbouring buttons
constexpr const char* kButtonLabels[kPickerButtonCount] = {"Reset games used", "Random", "Next 200", "Cancel"};

// `text` at `size` and width `base`, narrowed further where it would be wider than `room`.
PickerPlace Fitted(float x, float y, int32_t size, const char* text, float base, float room) {
    SetTextSize(size);
    TextWidth width(base);
    const float fitted = width.Fit(text, room);
    return PickerPlace{x, y, fitted, width.Scale()};
}

void NumberLabel(int32_t index, char (&label)[12]) { std::snprintf(label, sizeof label, "%d", index + 1); }

bool NumberClicked(int32_t k, int32_t index, bool won) {
    char label[12];
    NumberLabel(index, label);
    const PickerPlace place = PickerNumberPlace(k, index);
    TextWidth width(place.widthScale);
    return DoSelectableItem(place.x, place.y, kPickerNumberSize, label, false, won);
}

bool ButtonClicked(int32_t button) {
    const PickerPlace place = PickerButtonPlace(button);
    TextWidth width(place.widthScale);
    return DoButton(place.x, place.y, kPickerButtonSize, kButtonLabels[button]);
}

}  // namespace

PickerPlace PickerNumberPlace(int32_t k, int32_t index) {
    char label[12];
    NumberLabel(index, label);
    const int32_t column = k % kPickerColumns;
    const float x = kNumberLeft + kNumberPitchX * static_cast<float>(column);
    const float y = kNumberTop + kNumberPitchY * static_cast<float>(k / kPickerColumns);
    // "1000", the only four digits, ends the last row with no neighbour: it may reach the edge.
    const bool alone = column + 1 == kPickerColumns && std::strlen(label) > 3;
    const float room = alone ? kRightEdge - x : kNumberPitchX - kNumberGap;
    return Fitted(x, y, kPickerNumberSize, label, 1.0f, room);
}

// The buttons stand where the layout puts them, in the narrower width the screens were drawn
// for, each narrowed further only if it would reach its neighbour or the score and clock.
PickerPlace PickerButtonPlace(int32_t button) {
    const float x = kButtonX[button];
    const float limit = button + 1 < kPickerButtonCount ? kButtonX[button + 1] - kPickerButtonReach
                                                        : ScoreDisplayArea().left;
    const float room = limit - kButtonGap - kPickerButtonReach - x;
    return Fitted(x, kButtonY, kPickerButtonSize, kButtonLabels[button], kDesignTextWidth, room);
}

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

    bool clicked[kPickerButtonCount];
    for (int32_t i = 0; i < kPickerButtonCount; ++i) clicked[i] = ButtonClicked(i);
    if (clicked[0]) AskToResetGamesUsed();
    if (clicked[1]) PickRandomPuzzle();
    if (clicked[2]) NextPickerPage();
    if (clicked[3] || FocusBackPressed()) CancelPicker();
}

}  // namespace tessaran
