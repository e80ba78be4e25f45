// The solver screen, help pages, quick help and puzzle picker in the real window: real frames,
// the game's own input handlers, pixels read back.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "board/board_render.h"
#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "solver/help.h"
#include "solver/picker.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver/solver_screen.h"
#include "solver_support.h"
#include "support/game_window.h"
#include "ui/backdrop.h"
#include "ui/text.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

bool Magenta(const uint8_t* p) { return p[0] > 200 && p[1] < 130 && p[2] > 200; }
bool Yellow(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] < 90; }
// Whether a yellow section border is drawn at board point (x, y).
bool BorderAt(float x, float y) { return Yellow(W::Capture().At(W::PixelX(x), W::PixelY(y))); }

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        ResetColourBackdrop();  // black, so the colours read back are the screen's own
        HelpPage = 0;
        PickerPageStart = 0;
    }
    // The pointer on square (column, row), then a click on one of its slots.
    static void ClickSlot(int column, int row, int slot) {
        W::MoveToBoard(static_cast<float>(column) + BoardShift(), static_cast<float>(row) + BoardShift());
        W::RunFrames(1);
        W::ClickSlot(column, row, slot);
    }
    // A point inside a label of the solver's button column, the pointer well away from the board.
    static void SolverButton(float x, float y) {
        W::MoveTo(790, 440);
        W::ClickPercent(x, y + 1.6f);
        W::RunFrames(1);
    }
};

TEST_F(ScreensTest, SolverTakesEntriesShowsHintsAndStartsACountedGame) {
    Prefs.difficulty = LevelChild;  // the solver is 9 x 9 whatever the level
    OpenSolver();
    W::RunFrames(1);
    EXPECT_TRUE(BorderAt(5.5f, 7.0f)) << "the 9 x 9 section border, where the Child board has none";
    ClickSlot(8, 8, 4);
    W::MoveToBoard(8.0f, 5.0f);
    W::Key('5');  // the number keys enter at the cursor square: refused, column 8 has its 5
    EXPECT_EQ(At(8, 8).value * 10 + At(8, 5).known, 50);
    EXPECT_EQ(W::Sounds(), std::vector<int>{SoundBadMove});
    ClickSlot(8, 8, 0);  // any slot of an entered square erases it

    const std::string puzzle = GoodPuzzle();
    for (int i = 0; i < 81; ++i)
        if (puzzle[static_cast<size_t>(i)] != '.') EnterSolverValue(i % 9, i / 9, puzzle[static_cast<size_t>(i)] - '1');
    SolverButton(78.0f, 22.0f);  // "Get a Hint"
    ASSERT_EQ(SolverState.markedCount, 1);
    SpinAngle = -1.0f;  // the next frame turns it to 0: the frame stands square
    const WindowPixels f = W::Drawn();
    int framed = 0;  // squares with the left bar of a frame: only the hinted one
    for (int p = 0; p < 81; ++p)
        framed += Magenta(f.At(W::PixelX(static_cast<float>(p % 9) - 0.525f), W::PixelY(static_cast<float>(p / 9))));
    EXPECT_EQ(framed, 1);
    SolverButton(78.0f, 28.0f);  // "Play this Game"
    EXPECT_EQ(Prefs.gamesPlayed, 1);
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenGame) << "the game screen runs the new game";
    // Mended: at the Child level the solver and its game fell back to the 4 x 4 board.
    EXPECT_EQ(Prefs.difficulty, LevelChild);
    EXPECT_FALSE(ChildLayout());
    EXPECT_EQ(BoardSideInUse(), 9);
    ScreenState = ScreenQuickHelp;  // before the next game: a Child game, so no 9 x 9 grid behind
    W::RunFrames(1);
    EXPECT_FALSE(BorderAt(5.5f, 8.0f)) << "the quick help shows the small board";
    StartNewGame();
    EXPECT_TRUE(ChildLayout()) << "the next new game is a Child game again";
}

TEST_F(ScreensTest, HelpPagesTurnLeaveCleanAndTheirBoardsCannotBePlayed) {
    Prefs.difficulty = LevelHard;
    SolverGame = true;  // the Child page is small whatever the level and the last game
    ScreenState = ScreenHelp;
    for (int k = 1; k <= 10; ++k) {
        W::RunFrames(1);
        EXPECT_TRUE(k != 8 || BorderAt(2.0f, 4.0f)) << "the Child page's board has its left border at 2";
        W::ClickPercent(62.0f, 93.4f);  // "Next"
        W::RunFrames(1);
        EXPECT_EQ(HelpPage, k % 10);
    }
    HelpPage = kHelpCrystalPage;
    W::RunFrames(1);
    ASSERT_TRUE(CrystalBallActive);
    W::Key(27);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_TRUE(std::none_of(PlayBoard.begin(), PlayBoard.end(), [](const Cell& c) { return c.known || c.activated; }));

    ScreenState = ScreenHelp;
    HelpPage = 4;
    W::RunFrames(1);
    W::Sounds().clear();
    const int32_t score = GameScore.Value();
    ClickSlot(4, 0, 0);  // a mark, then an assignment of the right piece
    W::SpecialKey(GLUT_KEY_SHIFT_L);
    ClickSlot(4, 0, 4);
    EXPECT_EQ(GameScore.Value(), score);
    EXPECT_EQ(MistakeCount, 0);
    EXPECT_EQ(At(4, 0).known, 0);
    EXPECT_EQ(At(4, 0).marks[0], 0);
    EXPECT_TRUE(W::Sounds().empty());
}

// Share of the pixels in a percent rectangle that are mostly green.
double Green(float x0, float y0, float x1, float y1) {
    const WindowPixels f = W::Capture();
    int hits = 0, all = 0;
    for (int y = static_cast<int>(y0 * 6); y <= static_cast<int>(y1 * 6); ++y)
        for (int x = static_cast<int>(x0 * 8); x <= static_cast<int>(x1 * 8); ++x, ++all)
            hits += f.At(x, y)[1] > 150 && f.At(x, y)[0] < 90;
    return static_cast<double>(hits) / all;
}

TEST_F(ScreensTest, PickerShowsThisLevelsWinsAndStartsTheChosenPuzzleAfterTheQuickHelp) {
    Prefs.difficulty = LevelHard;
    Prefs.wonGames[LevelHard - 1][0] = 1;
    Prefs.wonGames[LevelMedium - 1][1] = 1;  // another level's win is not shown here
    ScreenState = ScreenPicker;
    W::RunFrames(1);
    EXPECT_GT(Green(5, 15.5f, 7, 18.5f), 0.03) << "1 is won";
    EXPECT_LT(Green(9.5f, 15.5f, 11.5f, 18.5f), 0.005) << "2 is not won at this level";

    // The first number of the last row of the second page is 381, puzzle index 380; the quick
    // help comes first, and turned off there the puzzle starts at once.
    PickerPageStart = 200;
    Prefs.pickRandomly = 0;  // as it is whenever the picker is shown
    W::ClickPercent(6.0f, 15.0f + 6.0f * 9 + 1.6f);
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenQuickHelp);
    W::ClickPercent(32.0f, 77.4f);  // "Don't show this again"
    W::RunFrames(2);
    EXPECT_EQ(Prefs.showHelpAtStart, 0);
    EXPECT_EQ(GameIndex, 380);
    EXPECT_EQ(ScreenState, ScreenGame);
}

// "Reset games used" asks first and "No" keeps every win; "Cancel" backs out of "Just one more
// game" as well, so the next ordinary game does not end the program.
TEST_F(ScreensTest, PickerAsksBeforeResettingWinsAndCancelDisarmsOneMoreGame) {
    Prefs.difficulty = LevelHard;
    Prefs.pickRandomly = 0;
    Prefs.wonGames[LevelHard - 1][0] = 1;
    const auto clickButton = [](int32_t button) {
        const PickerPlace place = PickerButtonPlace(button);
        W::ClickPercent(place.x + place.width * 0.5f, place.y + 2.5f);
        W::RunFrames(1);
    };
    ScreenState = ScreenMain;
    W::RunFrames(1);
    W::Key('j');
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenPicker);
    ASSERT_TRUE(OneMoreGame);

    for (const unsigned char answer : {'n', 'y'}) {
        clickButton(0);
        ASSERT_EQ(ScreenState, ScreenConfirm);
        EXPECT_STREQ(ConfirmQuestion(ConfirmKind), "Really reset the games used at this level?");
        EXPECT_TRUE(PuzzleWon(LevelHard, 0)) << "nothing is reset before the answer";
        W::Key(answer);
        W::RunFrames(1);
        EXPECT_EQ(ScreenState, ScreenPicker);
        EXPECT_EQ(PuzzleWon(LevelHard, 0), answer == 'n');
    }
    clickButton(3);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_FALSE(OneMoreGame);
}

// The layout is measured as a window of each size measures it: text sizes are whole pixels of
// the window's height, so the font's width in percent varies a little from size to size.
TEST_F(ScreensTest, PickerNumbersStandApartAndItsButtonsKeepClearOfTheScoreAtEverySize) {
    const int32_t width = TextRefWidth, height = TextRefHeight;
    const PercentRect score = ScoreDisplayArea();
    for (const auto& [w, h] : {std::pair{400, 300}, {640, 480}, {720, 540}, {800, 600}, {1024, 768}, {1920, 1440}}) {
        TextRefWidth = w;
        TextRefHeight = h;
        for (const int32_t page : {0, 800}) {
            for (int32_t k = 0; k < kPickerPageSize; ++k) {
                const PickerPlace place = PickerNumberPlace(k, page + k);
                if (k % kPickerColumns + 1 == kPickerColumns) {
                    EXPECT_LE(place.x + place.width, 99.5f) << w << " " << page + k + 1;
                    continue;
                }
                const PickerPlace next = PickerNumberPlace(k + 1, page + k + 1);
                EXPECT_GE(next.x - (place.x + place.width), 1.0f) << w << " " << page + k + 1;
            }
        }
        float right = 0.0f;
        for (int32_t b = 0; b < kPickerButtonCount; ++b) {
            const PickerPlace place = PickerButtonPlace(b);
            EXPECT_GT(place.x - kPickerButtonReach, right) << w << " button " << b;
            right = place.x + place.width + kPickerButtonReach;
            // The row's frames reach down into the displays' band, so only across may they part.
            EXPECT_GT(place.y + static_cast<float>(kPickerButtonSize), score.top);
        }
        EXPECT_LT(right, score.left) << w;
    }
    TextRefWidth = width;
    TextRefHeight = height;
}

}  // namespace
}  // namespace tessaran::test
