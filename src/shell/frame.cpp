// One frame: dispatch to the screen ScreenState selects, then the score and clock displays.
#include "shell/shell.h"

#include <GL/freeglut.h>

#include <cassert>
#include <cstdlib>

#include "audio/audio.h"
#include "game/board.h"
#include "game/game_screen.h"
#include "game/kept_game.h"
#include "game/pause_menu.h"
#include "game/puzzles.h"
#include "platform/platform.h"
#include "profile/main_screen.h"
#include "profile/prefs.h"
#include "profile/prefs_dialog.h"
#include "profile/stats.h"
#include "profile/summary.h"
#include "shell/clock.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "solver/help.h"
#include "solver/picker.h"
#include "solver/solver_screen.h"
#include "ui/dialogs.h"
#include "ui/focus.h"
#include "ui/widgets.h"

namespace tessaran {

bool OpenAudioAfterFirstFrame = false;

namespace {

// The first frame of the main loop finishes start-up and draws the main screen (or the message
// over it).
void StartupFrame() {
    for (Cell& cell : PlayBoard) {
        cell.activated = 0;
        cell.known = 0;
    }
    ApplyVolumes();
    if (Prefs.announcePlayer && Prefs.currentPlayer > 0) PendingPlayerNote = true;
    GoToScreen(ScreenMain);
    CheckKeptGameAtStart();
    // The screen start-up leads to shows in this first frame, not a frame later.
    if (ScreenState != ScreenStartup) RunScreen();
}

[[noreturn]] void QuitFrame() {
    Prefs.Save();
    std::exit(0);
}

}  // namespace

void RunScreen() {
    switch (ScreenState) {
    case ScreenStartup: StartupFrame(); break;
    case ScreenGame: DrawGameScreen(); break;
    case ScreenPause: DrawPauseMenu(); break;
    case ScreenConfirm: DrawConfirmDialog(); break;
    case ScreenGameOver:
        DrawGameScreen();
        DrawSummary();
        break;
    case ScreenMain: DrawMainScreen(); break;
    case ScreenScoreName:
    case ScreenPlayerName: DrawTextEntryDialog(); break;
    case ScreenPreferences: DrawPreferencesDialog(); break;
    case ScreenMessage: DrawMessageScreen(); break;
    case ScreenAbout: DrawAboutScreen(); break;
    case ScreenHelp: HelpScreen(); break;
    case ScreenPicker: PuzzlePicker(); break;
    case ScreenQuickHelp: QuickHelp(); break;
    case ScreenSolver: SolverFrame(); break;
    case ScreenNewGame: StartNewGame(); break;
    case ScreenQuit: QuitFrame();
    default: break;  // a state without a screen draws only the score and clock
    }
}

void RunFrame() {
    // A polite end (SIGTERM and the like) leaves through exit, which keeps a game in play.
    if (TerminationRequested()) std::exit(0);
    ServiceHoverSound();
    RestAudioWhenQuiet();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    [[maybe_unused]] const int32_t shown = ScreenState;
    BeginFocusFrame();
    RunScreen();
    EndFocusFrame();
    if (ScreenState != ScreenMessage && ScreenState != ScreenSolver) {
        DrawScoreDisplay();
        DrawClockDisplay();
    }
    // A click nothing claimed stays pending on its own screen, but it never presses a button on
    // the screen this frame moved to: every transition drops it.
    assert(ScreenState == shown || !MouseClicked);
    glutSwapBuffers();
    PaceFrame();
    if (OpenAudioAfterFirstFrame) {
        OpenAudioAfterFirstFrame = false;
        StartAudioInBackground();
    }
}

}  // namespace tessaran
