// The screen state machine: exactly one screen is shown, chosen by ScreenState. A dialog
// remembers its caller in ReturnState (the pause menu in PausedFromState); there is no stack.
// The three globals are read anywhere but changed only through the transitions below.
#pragma once

#include <cstdint>

namespace tessaran {

enum Screen : int32_t {
    ScreenGame = 0,
    ScreenMain = 3,
    ScreenPause = 4,
    ScreenScoreName = 5,
    ScreenPreferences = 6,
    ScreenConfirm = 7,
    ScreenQuit = 8,
    ScreenHelp = 9,
    ScreenMessage = 11,
    ScreenStartup = 13,
    ScreenAbout = 16,
    ScreenNewGame = 17,
    ScreenGameOver = 18,
    ScreenPlayerName = 26,
    ScreenPicker = 30,
    ScreenQuickHelp = 31,
    ScreenSolver = 34,
};

extern int32_t ScreenState;
extern int32_t ReturnState;
extern int32_t PausedFromState;

// Every transition drops the pending click and keys (MouseClicked, DialogKey, the text entry's
// queue), so nothing meant for one screen ever acts on the next.

// Shows `screen`; ReturnState and PausedFromState keep what they hold.
void GoToScreen(int32_t screen);
// Opens `dialog` over `returnTo`, where CloseDialog goes back.
void OpenDialog(int32_t dialog, int32_t returnTo);
void CloseDialog();
// The pause menu over the current screen, and back to that screen.
void OpenPauseScreen();
void ClosePauseScreen();
// Starts a new puzzle as "New Puzzle" does: the picker, the quick help, or the game; while a
// game is kept, first the question whether to abandon it.
void StartFromMainScreen();
// "Resume Puzzle" or R: the kept game goes on, or the message why it cannot.
void ResumeFromMainScreen();

}  // namespace tessaran
