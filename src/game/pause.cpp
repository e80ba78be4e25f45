// Pausing and the confirmation question's answers.
#include "game/pause.h"

#include "game/game_state.h"
#include "profile/scores.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "solver/picker.h"

namespace tessaran {

namespace {

// A game in play lies under the question: asked from the game, or from a pause menu over it.
// Only such a game has a score to record; the solver's grid is not a game.
bool GameUnderQuestion() {
    return ReturnState == ScreenGame || (ReturnState == ScreenPause && PausedFromState == ScreenGame);
}

void AnswerYes() {
    switch (ConfirmKind) {
    case ConfirmEndGame:
    case ConfirmQuit: {
        const bool recorded = GameUnderQuestion();
        GoToScreen(ConfirmKind == ConfirmEndGame ? ScreenMain : ScreenQuit);
        if (recorded) RecordScore();  // may open the name entry over the new state
        break;
    }
    case ConfirmClearScores:
        ClearLevelScores();
        GoToScreen(ScreenMain);
        break;
    case ConfirmResetPlayer:
        ResetCurrentPlayer();
        CloseDialog();
        break;
    case ConfirmResetGamesUsed:
        ResetGamesUsed();
        CloseDialog();
        break;
    default: CloseDialog(); break;
    }
}

void AnswerNo() {
    if (ReturnState == ScreenGame) ResumePlayClock();
    if (ConfirmKind == ConfirmClearScores)
        GoToScreen(ScreenMain);
    else
        CloseDialog();
}

}  // namespace

void PauseGame() {
    OpenPauseScreen();
    TimeUsed = PlayClockSeconds();
}

void ResumeFromPause() {
    ClosePauseScreen();
    if (ScreenState == ScreenGame) ResumePlayClock();
}

void OpenConfirmation(int32_t kind, int32_t returnTo) {
    OpenDialog(ScreenConfirm, returnTo);
    ConfirmKind = kind;
}

void AnswerConfirmation(bool yes) {
    if (yes)
        AnswerYes();
    else
        AnswerNo();
}

}  // namespace tessaran
