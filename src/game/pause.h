// Interrupting play: the pause menu and the yes/no confirmation question (which also serves the
// main screen's "clear scores" and "reset player"), as rules. While either is open over a game
// the play clock is frozen in TimeUsed; going back to the game moves the clock's start forward
// by the time they were open. The screens themselves are in pause_menu.h.
#pragma once

#include <cstdint>

namespace tessaran {

// From the game or the solver: freeze the clock, open the pause menu over the current screen.
void PauseGame();
// Back to the screen the pause menu was opened from, without counting the pause.
void ResumeFromPause();
// Opens question `kind` (ConfirmKind); "No" goes back to `returnTo`. From the game or the
// solver the caller freezes the clock first.
void OpenConfirmation(int32_t kind, int32_t returnTo);
// The answer to the open question. Every answer leaves the question, so it is never answered
// twice; ending a game in play records its score, which may open the name entry.
void AnswerConfirmation(bool yes);
// A game in play lies under the question: asked from the game, or from a pause menu over it.
bool GameUnderQuestion();
// "Finish Later" to the quit question: the game is kept as it stands and the program ends
// without recording a score.
void FinishGameLater();

}  // namespace tessaran
