// Every way between screens, without a window: each row reaches a screen, acts once, and expects
// the screen globals, the board layout, and no click or key left over for the screen it lands on.
// Then frame pacing across the millisecond clock's wrap, and when the frame loop draws at all.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/pause.h"
#include "game/puzzles.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "solver/help.h"
#include "solver/picker.h"
#include "solver/solver_entry.h"
#include "solver/solver_screen.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

using Action = std::function<void()>;

struct Row {
    const char* name;
    int32_t level;
    Action arrive;  // from the main screen to where the action starts
    Action act;
    int32_t screen, returnTo, pausedFrom;
    bool childLayout;
};

// Test names and failures show the row's name.
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

constexpr int32_t M = ScreenMain, G = ScreenGame, S = ScreenSolver, P = ScreenPause, C = ScreenConfirm;

void Nothing() {}
void Solver() { OpenSolver(); }
void SolverPaused() {
    OpenSolver();
    PauseGame();
}
void SolverPausedPrefs() {
    SolverPaused();
    OpenDialog(ScreenPreferences, ScreenPause);
}
void Game() { GoToScreen(ScreenNewGame), StartNewGame(); }
void GamePaused() {
    Game();
    PauseGame();
}
// A game from the solver has ended: its board stays 9 x 9 until the next new game.
void AfterSolverGame() {
    OpenSolver();
    SolverGame = SolverGridInUse = true;
    GoToScreen(ScreenGame);
}

const Row kRows[] = {
    // The openers of a new game.
    {"new puzzle: the picker", LevelMedium, Nothing, StartFromMainScreen, ScreenPicker, M, G, false},
    {"new puzzle at Child: the quick help", LevelChild, [] { Prefs.showHelpAtStart = 1; }, StartFromMainScreen,
     ScreenQuickHelp, M, G, true},
    {"new puzzle at Child without help", LevelChild, Nothing, StartFromMainScreen, ScreenNewGame, M, G, true},
    {"a number picked", LevelHard, [] { GoToScreen(ScreenPicker); }, [] { PickPuzzle(7); }, ScreenNewGame, M, G,
     false},
    {"the picker cancelled", LevelHard, [] { GoToScreen(ScreenPicker); }, CancelPicker, M, M, G, false},
    {"quick help's OK", LevelChild, [] { GoToScreen(ScreenQuickHelp); }, [] { QuickHelpChoice(false); },
     ScreenNewGame, M, G, true},
    {"the new game starts", LevelChild, [] { GoToScreen(ScreenNewGame); }, StartNewGame, G, M, G, true},
    {"help finished", LevelEasy, [] { GoToScreen(ScreenHelp); }, LeaveHelp, M, M, G, false},

    // The solver and the dialogs over it, at the Child level: the grid stays 9 x 9 throughout.
    {"solver opened", LevelChild, Nothing, Solver, S, M, G, false},
    {"solver paused", LevelChild, Solver, PauseGame, P, M, S, false},
    {"preferences over the solver's pause", LevelChild, SolverPaused,
     [] { OpenDialog(ScreenPreferences, ScreenPause); }, ScreenPreferences, P, S, false},
    {"preferences finished", LevelChild, SolverPausedPrefs, CloseDialog, P, P, S, false},
    {"solver resumed", LevelChild, SolverPaused, ResumeFromPause, S, M, S, false},
    {"end asked in the solver", LevelChild, Solver, [] { OpenConfirmation(ConfirmEndGame, ScreenSolver); }, C, S,
     G, false},
    {"end in the solver: no", LevelChild, [] { Solver(), OpenConfirmation(ConfirmEndGame, ScreenSolver); },
     [] { AnswerConfirmation(false); }, S, S, G, false},
    {"end in the solver: yes", LevelChild, [] { Solver(), OpenConfirmation(ConfirmEndGame, ScreenSolver); },
     [] { AnswerConfirmation(true); }, M, S, G, true},
    {"quit asked from the solver's pause", LevelChild, SolverPaused,
     [] { OpenConfirmation(ConfirmQuit, ScreenPause); }, C, P, S, false},
    {"quit from the solver's pause: no", LevelChild, [] { SolverPaused(), OpenConfirmation(ConfirmQuit, ScreenPause); },
     [] { AnswerConfirmation(false); }, P, P, S, false},
    {"quit from the solver's pause: yes", LevelChild,
     [] { SolverPaused(), OpenConfirmation(ConfirmQuit, ScreenPause); }, [] { AnswerConfirmation(true); },
     ScreenQuit, P, S, false},
    {"solver left", LevelChild, Solver, LeaveSolver, M, M, G, true},
    {"main screen after a game from the solver", LevelChild, AfterSolverGame, [] { GoToScreen(ScreenMain); }, M, M,
     G, false},
    {"a new game after one from the solver", LevelChild, AfterSolverGame,
     [] { GoToScreen(ScreenMain), GoToScreen(ScreenNewGame), StartNewGame(); }, G, M, G, true},

    // A game, its pause and its questions.
    {"game paused", LevelChild, Game, PauseGame, P, M, G, true},
    {"game moved to the solver", LevelChild, GamePaused, MoveGameToSolver, S, M, G, false},
    {"end a game: yes", LevelEasy, [] { Game(), OpenConfirmation(ConfirmEndGame, ScreenGame); },
     [] { AnswerConfirmation(true); }, M, G, G, false},
    {"end from the pause: no", LevelChild, [] { GamePaused(), OpenConfirmation(ConfirmEndGame, ScreenPause); },
     [] { AnswerConfirmation(false); }, P, P, G, true},
    {"game won", LevelChild, Game, CountGameWon, ScreenGameOver, M, G, true},

    // The main screen's dialogs.
    {"clear scores: no", LevelEasy, [] { OpenConfirmation(ConfirmClearScores, ScreenMain); },
     [] { AnswerConfirmation(false); }, M, M, G, false},
    {"reset player: yes", LevelEasy, [] { OpenConfirmation(ConfirmResetPlayer, ScreenMain); },
     [] { AnswerConfirmation(true); }, M, M, G, false},
    {"player name asked", LevelEasy, Nothing, OpenChangePlayerName, ScreenPlayerName, M, G, false},
    {"player name kept", LevelEasy, OpenChangePlayerName, ConfirmTextEntry, M, M, G, false},
    {"player name cancelled", LevelEasy, OpenChangePlayerName, CancelTextEntry, M, M, G, false},
    {"a message", LevelEasy, Nothing, [] { ShowMessageScreen("a", "b", ScreenMain); }, ScreenMessage, M, G, false},
    {"one more game over", LevelEasy, [] { OneMoreGame = true; }, RecordScore, ScreenMessage, M, G, false},
};

class TransitionTest : public TempHomeTest, public ::testing::WithParamInterface<Row> {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        PrefPath = home + "/Tessaran Prefs.10W";
        SetSoundPlayer([](int) {});
        SetDefaults(Prefs);
        Prefs.showHelpAtStart = 0;
        Prefs.pickRandomly = 0;
        Prefs.currentPlayer = 1;
        ResetGameScore();
        SolverGame = SolverGridInUse = OneMoreGame = false;
        ScreenState = ScreenStartup;
        ReturnState = ScreenMain;
        PausedFromState = ScreenGame;
        GoToScreen(ScreenMain);
        TakeSnapshot();
    }
    void TearDown() override {
        SetSoundPlayer(nullptr);
        OneMoreGame = false;
        TempHomeTest::TearDown();
    }
};

TEST_P(TransitionTest, LandsOnItsScreenWithNothingPending) {
    const Row& row = GetParam();
    Prefs.difficulty = row.level;
    row.arrive();
    // A click, a dialog key and a typed key wait for the screen the action leaves.
    MouseClicked = true;
    DialogKey = 'Y';
    QueueEntryKey('x');
    row.act();
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ScreenState, row.screen);
    EXPECT_EQ(ReturnState, row.returnTo);
    EXPECT_EQ(PausedFromState, row.pausedFrom);
    EXPECT_EQ(ChildLayout(), row.childLayout);
    uint8_t key = 0;
    EXPECT_FALSE(MouseClicked);
    EXPECT_EQ(DialogKey, 0);
    EXPECT_FALSE(NextEntryKey(key));
}

INSTANTIATE_TEST_SUITE_P(Screens, TransitionTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& param) { return "row" + std::to_string(param.index); });

// ---- Frame pacing ---------------------------------------------------------------------------

uint32_t FakeMillis = 0;
int64_t FakeSeconds = 0;

// A frame ending at `at`; `active` says the player touched keyboard or mouse just before.
void Frame(uint32_t at, bool active = true) {
    FakeMillis = at;
    if (active) NoteInput();
    PaceFrame();
}

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClockOverrides([] { return FakeMillis; }, [] { return FakeSeconds; });
        ScreenState = ScreenMain;
        CrystalBallActive = false;
        LastAward = 0;
    }
    void TearDown() override { SetClockOverrides(nullptr, nullptr); }
    static int32_t WaitAt(uint32_t at) {
        FakeMillis = at;
        return MillisecondsToNextFrame(400);
    }
};

TEST_F(ClockTest, PeriodSurvivesTheWrapAndAFrameAfterARestMovesNoFurtherThanAnIdleOne) {
    Frame(0xFFFFFFF0u);
    Frame(0x00000010u);  // 32 ms across the wrap
    EXPECT_EQ(FramePeriodMs, 32);
    EXPECT_FLOAT_EQ(FrameFactor, 32.0f / 30.0f);
    Frame(0x00000010u + 100);
    EXPECT_FLOAT_EQ(FrameFactor, 100.0f / 30.0f);
    Frame(0x00000010u + 1100, false);  // a second at rest
    EXPECT_EQ(FramePeriodMs, 1000);
    EXPECT_FLOAT_EQ(FrameFactor, 100.0f / 30.0f);
}

TEST_F(ClockTest, FramesAreDueForInputMotionAndTheClockNotOtherwise) {
    Frame(10000);
    Frame(10020);
    EXPECT_EQ(WaitAt(10023), 7);  // just after input: full rate
    RequestFrame();
    EXPECT_EQ(WaitAt(10024), 0);
    Frame(10030, false);

    // At rest a still screen waits for the calendar second to turn twice (only the backdrop
    // drifts); the game screen, whose clock shows seconds, for it to turn once.
    Frame(12100, false);
    EXPECT_EQ(WaitAt(12150), 1400);
    ++FakeSeconds;
    EXPECT_EQ(WaitAt(12160), 400);
    ++FakeSeconds;
    EXPECT_EQ(WaitAt(12500), 0);
    Frame(12510, false);
    EXPECT_EQ(WaitAt(12520), 1400);

    ScreenState = ScreenGame;  // a screen changed outside a frame is drawn at once
    EXPECT_EQ(WaitAt(12530), 0);
    Frame(12535, false);
    EXPECT_EQ(WaitAt(12536), 0);  // and once more, as a screen that changed in a frame is
    Frame(12540, false);
    EXPECT_EQ(WaitAt(12550), 400);
    FallingPieces[3].inUse = true;  // a wrong piece falling is watched: full rate
    EXPECT_EQ(WaitAt(12550), 0);
    FallingPieces[3].inUse = false;
    LastAward = 50;  // so is the score award
    EXPECT_EQ(WaitAt(12545), 5);
    LastAward = 0;
    CrystalBallActive = true;  // the crystal ball's wobble: a slow animation, idle rate
    EXPECT_EQ(WaitAt(12600), 40);
    CrystalBallActive = false;
    ScreenState = ScreenPause;  // bouncing pieces
    Frame(12690, false);
    Frame(12700, false);
    EXPECT_EQ(WaitAt(12750), 50);

    ScreenState = ScreenGame;
    Frame(12800, false);
    FakeMillis = 13000;
    NoteInput();  // input is drawn at once
    EXPECT_EQ(WaitAt(13000), 0);
}

}  // namespace
}  // namespace tessaran::test
