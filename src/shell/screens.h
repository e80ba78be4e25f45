// The screen state machine: exactly one screen is shown, chosen by ScreenState. A dialog
// remembers its caller in ReturnState (the pause menu in PausedFromState); there is no stack.
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

}  // namespace tessaran
