// The screen selector, its transitions and the recorded input.
#include <cstdio>
#include <string>

#include "game/game_state.h"
#include "game/kept_game.h"
#include "game/pause.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "ui/focus.h"

namespace tessaran {

int32_t ScreenState = ScreenStartup;
int32_t ReturnState = ScreenMain;
int32_t PausedFromState = ScreenGame;

bool MouseClicked = false;
float ClickX = 0.0f, ClickY = 0.0f;
uint8_t DialogKey = 0;
int32_t HoverX = 0, HoverY = 0;

char MessageLine1[kMessageLineSize] = "";
char MessageLine2[kMessageLineSize] = "";
int32_t ConfirmKind = ConfirmEndGame;
char EntryTitle[56] = "";
char EntryPrompt[80] = "";
char* EntryTarget = nullptr;
uint8_t EntryEdited = 0;

namespace {

void DropPendingInput() {
    MouseClicked = false;
    DialogKey = 0;
    ClearEntryKeys();
}

// Where keys belong to the board or to typing, a shown ring waits for Tab before it lands.
bool RingLandsOn(int32_t screen) {
    return screen != ScreenGame && screen != ScreenSolver && screen != ScreenGameOver && screen != ScreenNewGame &&
           screen != ScreenScoreName && screen != ScreenPlayerName;
}

}  // namespace

void GoToScreen(int32_t screen) {
    ScreenState = screen;
    if (screen == ScreenMain) PutSolverGridAway();
    DropPendingInput();
    ResetFocusForScreen(RingLandsOn(screen));
}

void OpenDialog(int32_t dialog, int32_t returnTo) {
    ReturnState = returnTo;
    GoToScreen(dialog);
}

void CloseDialog() { GoToScreen(ReturnState); }

void OpenPauseScreen() {
    PausedFromState = ScreenState;
    GoToScreen(ScreenPause);
}

void ClosePauseScreen() { GoToScreen(PausedFromState); }

void StartFromMainScreen() {
    // A kept game is never dropped unasked.
    if (KeptGameWaiting()) {
        OpenConfirmation(ConfirmAbandonGame, ScreenMain);
        return;
    }
    if (!Prefs.pickRandomly && Prefs.difficulty != LevelChild)
        GoToScreen(ScreenPicker);
    else if (Prefs.showHelpAtStart)
        GoToScreen(ScreenQuickHelp);
    else
        GoToScreen(ScreenNewGame);
}

void ResumeFromMainScreen() {
    if (!KeptGameWaiting()) return;
    std::string problem;
    if (ResumeKeptGame(problem))
        GoToScreen(ScreenGame);
    else
        ShowKeptGameRefused(problem);
}

void ShowMessageScreen(const char* line1, const char* line2, int32_t returnTo) {
    // The lines may already be in place (a message composed earlier and shown later).
    if (line1 != MessageLine1) std::snprintf(MessageLine1, sizeof MessageLine1, "%s", line1);
    if (line2 != MessageLine2) std::snprintf(MessageLine2, sizeof MessageLine2, "%s", line2);
    OpenDialog(ScreenMessage, returnTo);
}

}  // namespace tessaran
