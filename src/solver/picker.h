// The puzzle picker's screen and where it places its numbers and buttons.
#pragma once

#include <cstdint>

#include "solver/picker_actions.h"

namespace tessaran {

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
