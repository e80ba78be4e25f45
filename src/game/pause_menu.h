// The two screens that interrupt play: the pause menu and the yes/no confirmation question
// (which also serves the main screen's "clear scores" and "reset player"). While either is open
// over a game the play clock is frozen in TimeUsed; going back to the game moves the clock's
// start forward by the time they were open.
#pragma once

#include <cstdint>

namespace tessaran {

void DrawPauseMenu();      // frame work of state 4
void DrawConfirmDialog();  // frame work of state 7

// From the game or the solver: freeze the clock, open the pause menu over the current screen.
void PauseGame();
// Back to the screen the pause menu was opened from, without counting the pause.
void ResumeFromPause();
// Opens question `kind` (ConfirmKind); "No" goes back to `returnTo`. From the game or the
// solver the caller freezes the clock first.
void OpenConfirmation(int32_t kind, int32_t returnTo);

}  // namespace tessaran
