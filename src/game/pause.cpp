// Pausing and the confirmation question's answers.
#include "game/pause.h"

#include <string>

#include "game/game_state.h"
#include "game/kept_game.h"
#include "profile/scores.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "solver/picker_actions.h"
#include "solver/solver_actions.h"

namespace tessaran {

namespace {

// After "Yes" to abandoning the kept game, the new game the player asked for goes ahead.
void AbandonAndStart() {
    const int32_t from = ReturnState;
    std::string problem;
    if (!AbandonKeptGame(problem)) {
        ShowKeptGameRefused(problem);
        return;
    }
    // A high-score name or a message comes first; the player starts again from there.
    if (ScreenState != ScreenMain || PendingPersonalBest) return;
    if (from == ScreenSolver) {
        GoToScreen(ScreenSolver);
        PlaySolverGame();
    } else {
        StartFromMainScreen();
    }
}

void AnswerYes() {
    switch (ConfirmKind) {
    case ConfirmEndGame:
    case ConfirmQuit: {
        const bool recorded = GameUnderQuestion();
        if (recorded) EndGameInPlay();
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
    case ConfirmAbandonGame: AbandonAndStart(); break;
    default: CloseDialog(); break;
    }
}

void AnswerNo() {
    if (ConfirmKind == ConfirmAbandonGame) OneMoreGame = false;  // J asked for a game that is not coming
    if (ReturnState == ScreenGame) ResumePlayClock();
    if (ConfirmKind == ConfirmClearScores)
        GoToScreen(ScreenMain);
    else
        CloseDialog();
}

}  // namespace

// Only a game in play has a score to record; the solver's grid is not a game.
bool GameUnderQuestion() {
    return ReturnState == ScreenGame || (ReturnState == ScreenPause && PausedFromState == ScreenGame);
}

void FinishGameLater() {
    SaveGameInPlay();
    GoToScreen(ScreenQuit);
}

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
