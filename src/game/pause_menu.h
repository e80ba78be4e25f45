// The two screens that interrupt play: the pause menu and the yes/no confirmation question.
// What their answers do is in pause.h.
#pragma once

#include <cstdint>

namespace tessaran {

void DrawPauseMenu();      // frame work of state 4
void DrawConfirmDialog();  // frame work of state 7

}  // namespace tessaran
