// The game screen, pause menu and confirmation question in the real window: real frames, the
// game's own input handlers, pixels read back.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <utility>
#include <cstring>

#include "audio/sound.h"
#include "board/board_render.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "solver/solver_entry.h"
#include "support/game_window.h"
#include "ui/dialogs.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

constexpr char kShifted[] = "!@#$%^&*(";

Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

// First square in board order that is closed (neither shown nor opened).
bool FindClosed(int& column, int& row, int skip = 0) {
    for (const Cell& cell : PlayBoard) {
        if (cell.column >= BoardSideInUse() || cell.row >= BoardSideInUse()) continue;
        if (!cell.known && !cell.activated && skip-- == 0) {
            column = cell.column;
            row = cell.row;
            return true;
        }
    }
    return false;
}

int Count(int sound) { return static_cast<int>(std::count(W::Sounds().begin(), W::Sounds().end(), sound)); }

int FallingInUse() {
    return static_cast<int>(
        std::count_if(FallingPieces.begin(), FallingPieces.end(), [](const FallingPiece& p) { return p.inUse; }));
}

// A text button's middle, for a label drawn at (x, y) percent in `size` at the design width.
void ClickButton(float x, float y, int size, const char* label) {
    SetTextSize(size);
    UseDesignTextWidth();
    const float width = TextWidthPercent(label);
    UsePlainTextWidth();
    W::ClickPercent(x + width * 0.5f, y + static_cast<float>(size) * 0.4f);
}

class PlayScreenTest : public ::testing::Test {
protected:
    void SetUp() override { W::Reset(); }

    // Points at square (c, r) and lets a frame see it.
    void PointAt(int column, int row) {
        W::MoveToBoard(static_cast<float>(column) + BoardShift(), static_cast<float>(row) + BoardShift());
        W::RunFrames(1);
    }
    void OpenByClick(int column, int row) {
        PointAt(column, row);
        W::ClickBoard(static_cast<float>(column) + BoardShift(), static_cast<float>(row) + BoardShift());
        W::RunFrames(1);
    }
    void ClickSlot(int column, int row, int slot, bool shift) {
        const BoardRect rect = MarkSlotRect(column, row, slot);
        if (shift) W::SpecialKey(GLUT_KEY_SHIFT_L);  // as freeglut reports the Shift key going down
        W::ClickBoard((rect.x0 + rect.x1) * 0.5f, (rect.y0 + rect.y1) * 0.5f);
        W::RunFrames(1);
    }
};

// ---- Opening, marking, assigning --------------------------------------------------------------

TEST_F(PlayScreenTest, ASquareOpensByClickAndByEnterAndIsMagnifiedFromTheNextFrame) {
    W::StartGame(LevelEasy, 5);
    Prefs.startAllMarked = 1;
    int c, r;
    ASSERT_TRUE(FindClosed(c, r));
    OpenByClick(c, r);
    EXPECT_EQ(At(c, r).activated, 1);
    EXPECT_EQ(std::count(At(c, r).marks, At(c, r).marks + 9, 1), 9) << "a click applies startAllMarked";
    EXPECT_EQ(Count(SoundPop), 1);
    W::RunFrames(1);
    // The yellow rim of the magnified square stands 0.58 from the centre, beyond the square itself.
    const WindowPixels frame = W::Capture();
    const uint8_t* rim = frame.At(W::PixelX(static_cast<float>(c) + 0.58f), W::PixelY(static_cast<float>(r)));
    EXPECT_TRUE(rim[0] > 200 && rim[1] > 200 && rim[2] < 80);

    int c2, r2;
    ASSERT_TRUE(FindClosed(c2, r2));
    PointAt(c2, r2);
    W::Key(13);
    EXPECT_EQ(At(c2, r2).activated, 1);
    EXPECT_EQ(std::count(At(c2, r2).marks, At(c2, r2).marks + 9, 1), 0) << "Enter opens without marks";
    EXPECT_EQ(Count(SoundPop), 2);
    W::Key(13);  // already open: nothing
    EXPECT_EQ(Count(SoundPop), 2);
}

TEST_F(PlayScreenTest, MarksToggleBySlotClickAndDigitKeyWithoutScoring) {
    W::StartGame(LevelEasy, 5);
    int c, r;
    ASSERT_TRUE(FindClosed(c, r));
    OpenByClick(c, r);
    ClickSlot(c, r, 4, false);
    EXPECT_EQ(At(c, r).marks[4], 1);
    ClickSlot(c, r, 4, false);
    EXPECT_EQ(At(c, r).marks[4], 0);
    W::Key('3');
    EXPECT_EQ(At(c, r).marks[2], 1);
    W::Key('3');
    EXPECT_EQ(At(c, r).marks[2], 0);
    EXPECT_EQ(GameScore.Value() | MistakeCount | At(c, r).known, 0);
    EXPECT_EQ(Count(SoundPop), 5);  // the opening and four toggles
}

TEST_F(PlayScreenTest, ShiftClickAndShiftedDigitsAssignRightAndWrong) {
    W::StartGame(LevelEasy, 5);
    int c, r;
    ASSERT_TRUE(FindClosed(c, r));
    OpenByClick(c, r);
    const int right = At(c, r).value - 1;
    const int wrong = (right + 1) % 9;

    ClickSlot(c, r, wrong, true);
    EXPECT_EQ(GameScore.Value(), -500);
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_EQ(At(c, r).known, 0);
    EXPECT_EQ(FallingInUse() + Count(SoundBadMove), 2);
    const float startY = FallingPieces[0].y;
    W::RunFrames(40);
    EXPECT_GT(FallingPieces[0].y, startY + 1.0f) << "the wrong piece falls";
    EXPECT_FALSE(AssignMode) << "Shift was released before these frames";

    ClickSlot(c, r, wrong, false);  // no Shift: a mark, not a second wrong piece
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_EQ(At(c, r).marks[wrong], 1);

    ClickSlot(c, r, right, true);
    EXPECT_EQ(At(c, r).known, 1);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(Count(SoundGoodMove), 1);

    // The keyboard: shifted digits assign, over the cursor square.
    int c2, r2;
    ASSERT_TRUE(FindClosed(c2, r2));
    PointAt(c2, r2);
    const int v = At(c2, r2).value;
    W::Key(static_cast<unsigned char>(kShifted[v % 9]));
    EXPECT_EQ(MistakeCount, 2);
    EXPECT_EQ(At(c2, r2).activated, 1) << "a key opens the square it acts on";
    W::Key(static_cast<unsigned char>(kShifted[v - 1]));
    EXPECT_EQ(At(c2, r2).known, 1);
    EXPECT_EQ(GameScore.Value(), -800);
    W::Key(static_cast<unsigned char>(kShifted[v % 9]));  // known now: nothing more
    EXPECT_EQ(MistakeCount, 2);
}

TEST_F(PlayScreenTest, AltDigitsAssignAndFlippedDigitsMark) {
    W::StartGame(LevelEasy, 5);
    int c, r;
    ASSERT_TRUE(FindClosed(c, r));
    PointAt(c, r);
    W::SpecialKey(GLUT_KEY_ALT_L);  // as freeglut reports Alt going down
    W::Key(static_cast<unsigned char>('0' + At(c, r).value));
    EXPECT_EQ(At(c, r).known, 1);
    EXPECT_EQ(GameScore.Value(), 100);
    EXPECT_FALSE(AssignMode);

    // Flipped number keys follow the number pad; known squares ignore digits.
    W::Reset();  // lets Alt go
    W::StartGame(LevelEasy, 5);
    Prefs.flipNumberKeys = 1;
    ASSERT_TRUE(FindClosed(c, r));
    PointAt(c, r);
    W::Key('7');
    EXPECT_EQ(At(c, r).marks[0], 1);
    W::Key('1');
    EXPECT_EQ(At(c, r).marks[6], 1);
    W::Key('5');
    EXPECT_EQ(At(c, r).marks[4], 1);

    const auto given = std::find_if(PlayBoard.begin(), PlayBoard.end(), [](const Cell& cell) { return cell.known; });
    PointAt(given->column, given->row);
    const Board before = PlayBoard;
    W::Key('2');
    W::Key('@');
    EXPECT_EQ(std::memcmp(&before, &PlayBoard, sizeof before), 0);
}

// ---- Crystal Ball ---------------------------------------------------------------------------

TEST_F(PlayScreenTest, CrystalBallEntersCommitsAndCancelsThroughTheIconAndButton) {
    W::StartGame(LevelEasy, 5);
    const float iconX = 9.2f, iconY = 6.4f;
    int c, r;
    ASSERT_TRUE(FindClosed(c, r));
    OpenByClick(c, r);

    W::ClickBoard(iconX, iconY);
    W::RunFrames(1);
    ASSERT_TRUE(CrystalBallActive);
    EXPECT_EQ(Count(SoundCrystal), 1);
    ClickSlot(c, r, At(c, r).value - 1, true);  // a right trial: shown, not judged
    EXPECT_EQ(At(c, r).known, 1);
    EXPECT_EQ(GameScore.Value(), 0);
    W::RunFrames(1);
    // The trial square's dark green background shows beside its piece.
    const WindowPixels trial = W::Capture();
    const uint8_t* green = trial.At(W::PixelX(static_cast<float>(c) - 0.45f), W::PixelY(static_cast<float>(r) + 0.45f));
    EXPECT_GT(green[1], green[0] + 20);

    ClickButton(85.0f, 77.0f, 4, "Commit Changes");
    W::RunFrames(1);
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_EQ(GameScore.Value(), 100);
    EXPECT_EQ(At(c, r).known, 1);

    // A second trial, cancelled with the icon: everything since entering is undone.
    int c2, r2;
    ASSERT_TRUE(FindClosed(c2, r2));
    W::ClickBoard(iconX, iconY);
    W::RunFrames(1);
    ASSERT_TRUE(CrystalBallActive);
    OpenByClick(c2, r2);
    ClickSlot(c2, r2, At(c2, r2).value % 9, true);
    EXPECT_EQ(At(c2, r2).known, 1);
    W::ClickBoard(iconX, iconY);
    W::RunFrames(1);
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_EQ(At(c2, r2).known + At(c2, r2).activated, 0);
    EXPECT_EQ(Count(SoundCrystalOver), 1);
    EXPECT_EQ(GameScore.Value(), 100);

    // A wrong trial committed costs and groans, but is no mistake.
    W::ClickBoard(iconX, iconY);
    W::RunFrames(1);
    OpenByClick(c2, r2);
    ClickSlot(c2, r2, At(c2, r2).value % 9, true);
    ClickButton(85.0f, 77.0f, 4, "Commit Changes");
    W::RunFrames(1);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(At(c2, r2).known, 0);
    EXPECT_EQ(Count(SoundArgh) + FallingInUse(), 2);
    EXPECT_EQ(MistakeCount, 0);
}

// ---- Pause and the clock ----------------------------------------------------------------------

TEST_F(PlayScreenTest, PausingStopsTheClockAndResumingDoesNotCountThePause) {
    W::StartGame(LevelMedium, 12);
    W::PlaySeconds() += 10;
    W::RunFrames(1);
    EXPECT_EQ(PlayClockSeconds(), 10);

    W::ClickPercent(87.5f, 26.0f);  // "Pause (Esc)", centred on the panel
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenPause);
    EXPECT_EQ(TimeUsed, 10);
    W::PlaySeconds() += 300;
    W::RunFrames(2);
    W::Key(27);
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_EQ(PlayClockSeconds(), 10);

    W::Key('p');
    W::PlaySeconds() += 60;
    W::RunFrames(1);
    // The menu's buttons share one column; 84 % lies within every one of them.
    W::ClickPercent(84.0f, 26.5f);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_EQ(PlayClockSeconds(), 10);
}

TEST_F(PlayScreenTest, ThePauseMenuHidesThePuzzle) {
    W::StartGame(LevelMedium, 12);
    CursorColumn = CursorRow = -1;
    W::RunFrames(1);
    const WindowPixels game = W::Capture();
    W::Key('P');
    W::RunFrames(1);
    const WindowPixels paused = W::Capture();
    // Given squares show pieces in the game; behind the menu only the grid is left, and the
    // bouncing pieces cover only a few of those squares.
    int shown = 0, hidden = 0;
    for (const Cell& cell : PlayBoard) {
        if (!cell.known) continue;
        ++shown;
        const int x = W::PixelX(static_cast<float>(cell.column)), y = W::PixelY(static_cast<float>(cell.row));
        if (paused.Brightness(x - 10, y - 10, x + 10, y + 10) < game.Brightness(x - 10, y - 10, x + 10, y + 10) * 0.6)
            ++hidden;
    }
    ASSERT_GT(shown, 20);
    EXPECT_GT(hidden, shown * 2 / 3);
}

// ---- The confirmation question ------------------------------------------------------------------

TEST_F(PlayScreenTest, EndingFromTheGameAnsweredNoThenYes) {
    W::StartGame(LevelEasy, 8);
    W::PlaySeconds() += 30;
    W::RunFrames(1);
    W::Key('e');
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenConfirm);
    EXPECT_EQ(ConfirmKind, ConfirmEndGame);
    EXPECT_EQ(ReturnState, ScreenGame);
    W::PlaySeconds() += 45;
    // A click beside both answers does nothing and is not kept.
    W::ClickPercent(10.0f, 90.0f);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenConfirm);
    EXPECT_FALSE(MouseClicked);
    ClickButton(42.0f, 48.0f, 5, "No");
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_EQ(PlayClockSeconds(), 30);

    W::Key('q');
    ASSERT_EQ(ScreenState, ScreenConfirm);
    EXPECT_EQ(ConfirmKind, ConfirmQuit);
    W::Key('n');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenGame);

    W::Key('A');
    W::RunFrames(1);
    ClickButton(31.0f, 48.0f, 5, "Yes");
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(PlayScreenTest, TheQuestionFromThePauseMenuReturnsToThePauseMenuWithTheClockStillStopped) {
    W::StartGame(LevelEasy, 8);
    W::PlaySeconds() += 20;
    W::RunFrames(1);
    W::Key(27);
    W::RunFrames(1);
    W::ClickPercent(84.0f, 34.5f);  // "End This Game (E)"
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenConfirm);
    EXPECT_EQ(ReturnState, ScreenPause);
    W::PlaySeconds() += 100;
    W::Key('n');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenPause);
    EXPECT_EQ(TimeUsed, 20);
    W::RunFrames(1);
    EXPECT_EQ(PlayClockSeconds(), 120) << "the clock is corrected only when the game resumes";
    W::Key('P');
    EXPECT_EQ(PlayClockSeconds(), 20);

    W::Key('P');
    W::Key('e');
    ASSERT_EQ(ScreenState, ScreenConfirm);
    W::Key('y');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(PlayScreenTest, EndingFromTheSolverRecordsNoScore) {
    // The last game's score, already recorded, must not enter the tables a second time.
    W::StartGame(LevelEasy, 8);
    AddToScore(4000);
    OpenSolver();
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenSolver);
    W::Key('e');
    ASSERT_EQ(ScreenState, ScreenConfirm);
    W::Key('y');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(Prefs.hsScore[LevelEasy][0], 0);
}

TEST_F(PlayScreenTest, QuittingWithATableScoreAsksForTheNameBeforeQuitting) {
    W::StartGame(LevelEasy, 8);
    AddToScore(4000);
    W::Key('Q');
    W::RunFrames(1);
    W::Key('Y');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenScoreName);
    EXPECT_EQ(ReturnState, ScreenQuit) << "the name entry leads on to the quit";
    EXPECT_EQ(Prefs.hsScore[LevelEasy][0], 4000);
}

// ---- Winning -------------------------------------------------------------------------------

TEST_F(PlayScreenTest, AChildGameSolvedWithTheMouseAloneSwitchesToTheSummary) {
    W::StartGame(LevelChild, 1234);
    ASSERT_EQ(BoardSideInUse(), 4);
    W::PlaySeconds() += 200;
    int c, r;
    while (FindClosed(c, r)) {
        OpenByClick(c, r);
        ASSERT_EQ(At(c, r).activated, 1);
        ClickSlot(c, r, At(c, r).value - 1, true);
        ASSERT_EQ(At(c, r).known, 1) << c << "," << r;
        W::RunFrames(1);
    }
    EXPECT_EQ(ScreenState, ScreenGameOver);
    EXPECT_EQ(MistakeCount, 0);
    EXPECT_EQ(At(5, 5).known, 0) << "squares outside the 4 x 4 grid are not part of the game";
    EXPECT_EQ(TimeUsed, 200);
    W::PlaySeconds() += 50;
    W::RunFrames(2);
    EXPECT_EQ(TimeUsed, 200);
    EXPECT_EQ(Count(SoundGameWon), 1) << "the win is counted once";
}

TEST_F(PlayScreenTest, ANineTimesShownSymbolIsCrossedInTheSidePanel) {
    W::StartGame(LevelEasy, 5);
    CursorColumn = CursorRow = -1;
    float x, y;
    SidePanelSlotCentre(6, x, y);  // symbol 7
    W::RunFrames(1);
    const WindowPixels before = W::Capture();
    for (Cell& cell : PlayBoard)
        if (cell.value == 7) cell.known = 1;
    W::RunFrames(1);
    const WindowPixels after = W::Capture();
    // The cross lies over the lower right of the piece.
    const int px = W::PixelX(x + 0.15f), py = W::PixelY(y + 0.15f);
    EXPECT_TRUE(after.At(px, py)[0] > 150 && after.At(px, py)[1] < 90);
    EXPECT_GT(after.Difference(before, px - 6, py - 6, px + 6, py + 6), 0.3);
}

// ---- Input that must do nothing --------------------------------------------------------------

TEST_F(PlayScreenTest, StrayInputChangesNothing) {
    W::StartGame(LevelEasy, 5);
    int c, r;
    ASSERT_TRUE(FindClosed(c, r));
    PointAt(c, r);
    const Board before = PlayBoard;
    for (int button : {GLUT_RIGHT_BUTTON, GLUT_MIDDLE_BUTTON}) {
        W::Click(W::PixelX(static_cast<float>(c)), W::PixelY(static_cast<float>(r)), button);
        W::Click(W::PixelX(9.2f), W::PixelY(6.4f), button);  // the Crystal Ball icon
        W::RunFrames(1);
    }
    for (unsigned char key : {'x', 'Z', '0', ' ', '\t'}) W::Key(key);
    W::RunFrames(1);
    // Poses change at random while squares are drawn; everything else must stay.
    Board after = PlayBoard;
    Board expected = before;
    for (int i = 0; i < kCellCount; ++i) after[static_cast<size_t>(i)].flip = expected[static_cast<size_t>(i)].flip = 0;
    EXPECT_EQ(std::memcmp(&expected, &after, sizeof after), 0);
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_TRUE(W::Sounds().empty());

    // The arrows never leave the grid in use; a digit with the cursor off the grid does nothing.
    for (int i = 0; i < 20; ++i) {
        W::SpecialKey(GLUT_KEY_RIGHT);
        W::SpecialKey(GLUT_KEY_DOWN);
    }
    EXPECT_EQ(CursorColumn * 10 + CursorRow, 88);
    W::SpecialKey(GLUT_KEY_SHIFT_L);  // a modifier alone moves nothing
    W::SpecialKey(GLUT_KEY_F5);
    EXPECT_EQ(CursorColumn, 8);
    W::StartGame(LevelChild, 99);
    W::SpecialKey(GLUT_KEY_RIGHT);
    EXPECT_EQ(CursorColumn * 10 + CursorRow, 33);
    W::MoveToBoard(9.0f, 3.0f);
    EXPECT_GT(CursorColumn, 3);
    const Board child = PlayBoard;
    W::Key('1');
    W::Key('!');
    EXPECT_EQ(std::memcmp(&child, &PlayBoard, sizeof child), 0);
}

TEST_F(PlayScreenTest, AClickNoControlTookIsNotReplayedOnTheNextScreen) {
    W::StartGame(LevelEasy, 5);
    CursorColumn = CursorRow = -1;
    // Empty panel space in the game, where the pause menu's "End This Game (E)" will be.
    W::ClickPercent(84.0f, 34.5f);
    W::RunFrames(1);
    W::Key('p');
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenPause);

    // Nor when the key comes before any frame has seen the click.
    W::Key('p');
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenGame);
    W::ClickPercent(84.0f, 34.5f);
    W::Key('p');
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenPause);
}

// The real window resized through GLUT, down to a couple of pixels and back.
TEST_F(PlayScreenTest, ResizingTheWindowKeepsFourByThreeAndPlayGoesOn) {
    W::StartGame(LevelEasy, 5);
    const auto resize = [](int w, int h) {
        glutReshapeWindow(w, h);
        for (int i = 0; i < 20; ++i) {  // our reshape handler asks for a second resize
            glutMainLoopEvent();
            W::RunFrames(1);
        }
        return std::pair{glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
    };
    EXPECT_EQ(resize(1000, 600), (std::pair{800, 600}));
    EXPECT_EQ(resize(2, 1), (std::pair{4, 3}));
    W::MoveTo(1, 1);
    W::Click(2, 2);
    W::Key(13);
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_EQ(resize(kGameWindowWidth, kGameWindowHeight), (std::pair{kGameWindowWidth, kGameWindowHeight}));
    glViewport(0, 0, kGameWindowWidth, kGameWindowHeight);
}

TEST(AspectFitTest, KeepsFourByThreeForAnySizeWithoutZeroes) {
    int w = 0, h = 0;
    for (auto [iw, ih] : {std::pair{0, 0}, {1, 1}, {1, 5000}, {5000, 1}, {-3, -7}}) {
        AspectFit(iw, ih, w, h);
        EXPECT_TRUE(w > 0 && h > 0);
        EXPECT_NEAR(static_cast<double>(w) / h, 4.0 / 3.0, 0.34) << iw << "x" << ih;
    }
}

}  // namespace
}  // namespace tessaran::test
