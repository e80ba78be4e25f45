// The solver screen, help pages, quick help and puzzle picker in the real window: real frames,
// the game's own input handlers, pixels read back.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <string>

#include "audio/sound.h"
#include "board/board_render.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "game/rules.h"
#include "profile/prefs.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "solver/help.h"
#include "solver/picker.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver/solver_screen.h"
#include "support/game_window.h"
#include "ui/backdrop.h"
#include "ui/text.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

int Count(int sound) { return static_cast<int>(std::count(W::Sounds().begin(), W::Sounds().end(), sound)); }

// A puzzle with one solution, row by row.
constexpr const char* kPuzzle =
    ".5..83.17...1..4..3.4..56.8....3...9.9.8245....6....7...9....5...729..861.36.72.4";

bool Magenta(const uint8_t* p) { return p[0] > 200 && p[1] < 130 && p[2] > 200; }
bool Yellow(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] < 90; }

// Share of the pixels in a percent rectangle that are mostly green (or, with `white`, mostly white).
double Share(const WindowPixels& f, float x0, float y0, float x1, float y1, bool white) {
    int hits = 0, all = 0;
    for (int y = static_cast<int>(y0 * 6); y <= static_cast<int>(y1 * 6); ++y)
        for (int x = static_cast<int>(x0 * 8); x <= static_cast<int>(x1 * 8); ++x, ++all) {
            const uint8_t* p = f.At(x, y);
            hits += white ? p[0] > 170 && p[1] > 170 && p[2] > 170 : p[1] > 150 && p[0] < 90;
        }
    return static_cast<double>(hits) / all;
}

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        ResetColourBackdrop();  // black, so the colours read back are the screen's own
        SolverState = SolverGlobals{};
        HelpPage = 0;
        HelpPageShown = kNoHelpPageShown;
        PickerPageStart = 0;
    }

    // The solver as the main screen's "Solver" button opens it.
    static void OpenSolverScreen() {
        OpenSolver();
        W::RunFrames(1);
    }
    static void TypeIn(const char* grid) {
        for (int i = 0; i < 81; ++i)
            if (grid[i] != '.') EnterSolverValue(i % 9, i / 9, grid[i] - '1');
        W::RunFrames(1);
    }
    // The pointer on square (column, row), then a click on one of its slots.
    static void ClickSlot(int column, int row, int slot) {
        W::MoveToBoard(static_cast<float>(column) + BoardShift(), static_cast<float>(row) + BoardShift());
        W::RunFrames(1);
        const BoardRect r = MarkSlotRect(column, row, slot);
        W::ClickBoard((r.x0 + r.x1) * 0.5f, (r.y0 + r.y1) * 0.5f);
        W::RunFrames(1);
    }
    // The pointer well away from the board and its buttons.
    static void PointAway() { W::MoveTo(790, 440); }
    static std::string Status() { return SolverState.statusText; }

    // The solver column's buttons: a point inside each label's text.
    static void ClickSolverButton(float x, float y) {
        W::ClickPercent(x, y + 1.6f);
        W::RunFrames(1);
    }
    static void GetAHint() { ClickSolverButton(78.0f, 22.0f); }
    static void Solve() { ClickSolverButton(96.0f, 28.0f); }
    static void PlayThisGame() { ClickSolverButton(78.0f, 28.0f); }
};

// ---- Solver ---------------------------------------------------------------------------------

TEST_F(ScreensTest, TypingAndErasingOnTheBoardKeepTheStatusCurrent) {
    OpenSolverScreen();
    EXPECT_EQ(Status(), "") << "a fresh solver shows no verdict";
    ClickSlot(2, 3, 4);
    EXPECT_EQ(At(2, 3).value * 10 + At(2, 3).known, 51);
    EXPECT_EQ(Status(), kStatusMultiple);
    ClickSlot(2, 3, 0);  // any slot of an entered square erases it
    EXPECT_FALSE(At(2, 3).known);

    // The number keys enter at the cursor square; a value its row already has is refused.
    W::MoveToBoard(3.0f, 3.0f);
    W::Key('7');
    EXPECT_EQ(At(3, 3).value, 7);
    W::MoveToBoard(5.0f, 3.0f);
    W::Key('7');
    EXPECT_FALSE(At(5, 3).known);
    EXPECT_EQ(Count(SoundBadMove), 1);

    ClickSlot(3, 3, 8);
    EXPECT_FALSE(At(3, 3).known);
    TypeIn(kPuzzle);
    EXPECT_EQ(Status(), kStatusGood);
}

TEST_F(ScreensTest, HintFramesSpinRoundExactlyTheSquaresTheHintNames) {
    OpenSolverScreen();
    TypeIn(kPuzzle);
    PointAway();
    GetAHint();
    ASSERT_TRUE(SolverState.showPossibles) << "the hint showed the possibles first";
    ASSERT_EQ(SolverState.markedCount, 1);
    const int c = SolverState.markedColumns[0], r = SolverState.markedRows[0];
    const float x = static_cast<float>(c), y = static_cast<float>(r);

    SpinAngle = -1.0f;  // the next frame turns it to 0: the frame stands square
    W::RunFrames(1);
    const WindowPixels f = W::Capture();
    const float bar = 0.525f;
    EXPECT_TRUE(Magenta(f.At(W::PixelX(x - bar), W::PixelY(y))));
    EXPECT_TRUE(Magenta(f.At(W::PixelX(x), W::PixelY(y + bar))));
    int unmarked = 0;
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row)
            if (column != c || row != r)
                unmarked += Magenta(f.At(W::PixelX(static_cast<float>(column) - bar), W::PixelY(static_cast<float>(row))));
    EXPECT_EQ(unmarked, 0);

    // The piece the sentence refers to is a candidate of the framed square on screen.
    const int32_t v = SolverState.hintValue;
    EXPECT_TRUE(At(c, r).marks[v - 1]);

    // An entry ends the hint: no frame is drawn from then on.
    ClickSlot(c, r, v - 1);
    EXPECT_EQ(At(c, r).value, v);
    PointAway();
    W::RunFrames(1);
    const WindowPixels after = W::Capture();
    EXPECT_FALSE(Magenta(after.At(W::PixelX(x - bar), W::PixelY(y))));
}

TEST_F(ScreensTest, SolveLocksPlayAndPlayThisGameStartsACountedGame) {
    Prefs.difficulty = LevelEvil;
    GameIndex = 5;
    OpenSolverScreen();
    TypeIn(kPuzzle);
    PointAway();
    Solve();
    EXPECT_EQ(Status(), kStatusSolved);
    EXPECT_TRUE(std::all_of(PlayBoard.begin(), PlayBoard.end(), [](const Cell& cell) { return cell.known != 0; }));
    PlayThisGame();
    EXPECT_EQ(ScreenState, ScreenSolver) << "a solved grid offers no game";

    // Erasing one square makes a puzzle again; the game hides exactly that square.
    ClickSlot(6, 6, 0);
    ASSERT_EQ(Status(), kStatusGood);
    PointAway();
    PlayThisGame();
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_TRUE(SolverGame);
    EXPECT_EQ(Prefs.gamesPlayed, 1);
    for (const Cell& cell : PlayBoard) EXPECT_EQ(cell.known != 0, cell.column != 6 || cell.row != 6);
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenGame) << "the game screen runs the new game";

    // Won from the keyboard: no library puzzle becomes green.
    W::MoveToBoard(6.0f, 6.0f);
    W::Key(13);  // open the square
    W::Key(static_cast<unsigned char>("!@#$%^&*("[At(6, 6).value - 1]));
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenGameOver);
    EXPECT_EQ(Prefs.wonGames[LevelEvil - 1][5], 0);
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEvil], 1);
}

TEST_F(ScreensTest, AtTheChildLevelTheSolverDrawsAndTakesTheWholeGrid) {
    Prefs.difficulty = LevelChild;
    OpenSolverScreen();
    ClickSlot(8, 8, 0);
    EXPECT_TRUE(At(8, 8).known) << "the bottom-right square takes entries";
    const WindowPixels f = W::Capture();
    // The 9 x 9 grid's section border left of column 6, where the Child board has none.
    EXPECT_TRUE(Yellow(f.At(W::PixelX(5.5f), W::PixelY(7.0f))));
    EXPECT_EQ(Prefs.difficulty, LevelChild);
}

// ---- Help ----------------------------------------------------------------------------------

TEST_F(ScreensTest, HelpButtonsAnswerAndItsExampleBoardCannotBePlayed) {
    ScreenState = ScreenHelp;
    W::RunFrames(1);
    for (int k = 1; k <= 10; ++k) {
        W::ClickPercent(62.0f, 93.4f);  // "Next"
        W::RunFrames(1);
        EXPECT_EQ(HelpPage, k % 10);
    }
    HelpPage = 6;
    W::RunFrames(1);
    EXPECT_TRUE(CrystalBallActive);
    W::Key(27);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_TRUE(std::none_of(PlayBoard.begin(), PlayBoard.end(), [](const Cell& c) { return c.known || c.activated; }));

    ScreenState = ScreenHelp;  // reopened at the page last read
    W::RunFrames(1);
    EXPECT_EQ(HelpPage, 6);
    W::ClickPercent(42.0f, 93.4f);  // "Finished"
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);

    // Real clicks on a page's example board play nothing.
    W::Sounds().clear();
    ScreenState = ScreenHelp;
    HelpPage = 4;
    W::RunFrames(1);
    const int32_t score = GameScore.Value();
    const std::vector<int> before(std::begin(At(4, 0).marks), std::end(At(4, 0).marks));
    for (int slot : {0, 4}) {  // a mark, then an assignment of the right piece
        if (slot == 4) W::SpecialKey(GLUT_KEY_SHIFT_L);
        const BoardRect r = MarkSlotRect(4, 0, slot);
        W::ClickBoard((r.x0 + r.x1) * 0.5f, (r.y0 + r.y1) * 0.5f);
        W::RunFrames(2);
    }
    EXPECT_EQ(GameScore.Value(), score);
    EXPECT_EQ(MistakeCount + At(4, 0).known, 0);
    EXPECT_EQ(std::vector<int>(std::begin(At(4, 0).marks), std::end(At(4, 0).marks)), before);
    EXPECT_EQ(Count(SoundGoodMove) + Count(SoundBadMove) + Count(SoundPop), 0);
    W::ClickPercent(62.0f, 93.4f);  // the buttons still answer
    W::RunFrames(1);
    EXPECT_EQ(HelpPage, 5);
}

TEST_F(ScreensTest, TheChildPageShowsTheSmallBoardWhateverTheLevelAndLastGame) {
    Prefs.difficulty = LevelHard;
    SolverGame = true;  // the last game came from the solver
    ScreenState = ScreenHelp;
    HelpPage = 7;
    W::RunFrames(1);
    WindowPixels f = W::Capture();
    // The Child board's left border stands at 2.0; the 9 x 9 board has column 2's middle there.
    EXPECT_TRUE(Yellow(f.At(W::PixelX(2.0f), W::PixelY(4.0f))));
    EXPECT_EQ(Prefs.difficulty, LevelHard);
    EXPECT_TRUE(SolverGame);

    Prefs.difficulty = LevelChild;
    HelpPage = 1;
    W::RunFrames(1);
    f = W::Capture();
    EXPECT_TRUE(Yellow(f.At(W::PixelX(5.5f), W::PixelY(7.0f)))) << "the other pages are 9 x 9";
}

TEST_F(ScreensTest, QuickHelpCanBeTurnedOffAndTheNextPuzzleStartsAtOnce) {
    Prefs.showHelpAtStart = 1;
    Prefs.pickRandomly = 1;
    Prefs.difficulty = LevelEasy;
    StartFromMainScreen();
    ASSERT_EQ(ScreenState, ScreenQuickHelp);
    W::RunFrames(1);
    W::ClickPercent(32.0f, 77.4f);  // "Don't show this again"
    W::RunFrames(1);
    EXPECT_EQ(Prefs.showHelpAtStart, 0);
    EXPECT_EQ(ScreenState, ScreenNewGame);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenGame);
}

// ---- Picker --------------------------------------------------------------------------------

// The middle of the picker's button `i` (0 "Reset games used", 1 "Random", 2 "Next 200",
// 3 "Cancel"), laid out as the picker lays out its row.
void ClickPickerButton(int i) {
    const char* const labels[4] = {"Reset games used", "Random", "Next 200", "Cancel"};
    TextRenderer.SetWidthScale(1.0f);
    SetTextSize(5);
    float total = 6.0f, x[4];
    for (const char* label : labels) total += TextWidthPercent(label) + 3.0f;
    float left = 50.0f - total * 0.5f + 1.5f;
    for (int k = 0; k < 4; ++k) {
        x[k] = left + TextWidthPercent(labels[k]) * 0.5f;
        left += TextWidthPercent(labels[k]) + 5.0f;
    }
    W::ClickPercent(x[i], 92.0f);
    W::RunFrames(1);
}

TEST_F(ScreensTest, PickerPagesWonNumbersAndTheChoice) {
    Prefs.difficulty = LevelHard;
    Prefs.wonGames[LevelHard - 1][0] = 1;
    Prefs.wonGames[LevelMedium - 1][1] = 1;  // another level's win is not shown here
    ScreenState = ScreenPicker;
    W::RunFrames(1);
    WindowPixels f = W::Capture();
    EXPECT_GT(Share(f, 5, 15.5f, 7, 18.5f, false), 0.03) << "1 is won";
    EXPECT_GT(Share(f, 9.5f, 15.5f, 11.5f, 18.5f, true), 0.03) << "2 is not won at this level";
    EXPECT_LT(Share(f, 9.5f, 15.5f, 11.5f, 18.5f, false), 0.005);

    ClickPickerButton(0);
    EXPECT_EQ(Prefs.wonGames[LevelHard - 1][0], 0);
    W::RunFrames(1);
    f = W::Capture();
    EXPECT_LT(Share(f, 5, 15.5f, 7, 18.5f, false), 0.005) << "white at once";

    // The first number of the last row of the second page is 381, puzzle index 380; with the
    // quick help off it starts at once.
    ClickPickerButton(2);
    Prefs.showHelpAtStart = 0;
    Prefs.pickRandomly = 0;  // as it is whenever the picker is shown
    W::ClickPercent(6.0f, 15.0f + 6.0f * 9 + 1.6f);
    W::RunFrames(1);
    EXPECT_EQ(PickedPuzzle, 380);
    EXPECT_EQ(ScreenState, ScreenNewGame);
    W::RunFrames(1);
    EXPECT_EQ(GameIndex, 380);
    EXPECT_EQ(ScreenState, ScreenGame);

    ScreenState = ScreenPicker;
    W::RunFrames(1);
    ClickPickerButton(3);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(PickerPageStart, 200) << "the page is kept for the next visit";
}

}  // namespace
}  // namespace tessaran::test
