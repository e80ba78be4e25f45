// The main screen with its menus, score panel, name entry and preferences, then the game screen,
// pause menu and confirmation question, hints through every level, and the pencil-mark helpers,
// in the real window: real frames, the game's own input handlers, pixels read back. Last, the
// board drawn in batches against each piece drawn on its own, pixel for pixel.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>

#include "audio/sound.h"
#include "board/board_render.h"
#include "board/pieces.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/mark_settings.h"
#include "profile/menus.h"
#include "profile/prefs.h"
#include "profile/prefs_dialog.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "solver/solver_entry.h"
#include "support/game_window.h"
#include "support/temp_home.h"
#include "ui/backdrop.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

// The first square in board order that is neither shown nor opened, or null.
Cell* Closed() {
    const auto it = std::find_if(PlayBoard.begin(), PlayBoard.end(), [](const Cell& c) {
        return c.column < BoardSideInUse() && c.row < BoardSideInUse() && !c.known && !c.activated;
    });
    return it == PlayBoard.end() ? nullptr : &*it;
}
int Count(int sound) { return static_cast<int>(std::count(W::Sounds().begin(), W::Sounds().end(), sound)); }
float X(const Cell& c) { return static_cast<float>(c.column) + BoardShift(); }
float Y(const Cell& c) { return static_cast<float>(c.row) + BoardShift(); }

void PointAt(const Cell& cell) {
    W::MoveToBoard(X(cell), Y(cell));
    W::RunFrames(1);
}
void OpenByClick(const Cell& cell) {
    PointAt(cell);
    W::ClickBoard(X(cell), Y(cell));
    W::RunFrames(1);
}
void ClickSlot(const Cell& cell, int slot, bool shift) {
    if (shift) W::SpecialKey(GLUT_KEY_SHIFT_L);  // as freeglut reports the Shift key going down
    W::ClickSlot(cell.column, cell.row, slot);
}
float LabelWidth(int size, const char* label, float widthScale = kDesignTextWidth) {
    TextWidth width(widthScale);
    SetTextSize(size);
    return TextWidthPercent(label);
}
// Clicks the middle of a label drawn at (x, y) percent in `size` and runs a frame, `times` over.
void ClickLabel(float x, float y, int size, const char* label, float widthScale = kDesignTextWidth, int times = 1) {
    for (int i = 0; i < times; ++i) {
        W::ClickPercent(x + LabelWidth(size, label, widthScale) * 0.5f, y + static_cast<float>(size) * 0.4f);
        W::RunFrames(1);
    }
}
void OpenMenu(DropDownMenu& menu) {
    W::RunFrames(6);  // a menu that just closed finishes shrinking first
    ClickLabel(menu.x, menu.y, 5, menu.title);
    W::RunFrames(6);  // the list grows for 100 / 20 frames
}
void ClickEntry(const DropDownMenu& menu, int i) {
    const float indent = (menu.hasChecks ? 1.5f : 0.0f) + (menu.hasPictures ? 3.0f : 0.0f);
    ClickLabel(menu.x + indent, menu.y + 5.7f + 4.0f * static_cast<float>(i), 4, menu.entries[i].label);
}
float PrefsX() { return 87.5f - LabelWidth(5, "Game Preferences") * 0.5f; }
void ClickFinished(int times = 1) {
    ClickLabel(37.5f - LabelWidth(6, "Finished") * 0.5f, 82.0f, 6, "Finished", kDesignTextWidth, times);
}

// The window at the main screen, with the preferences file in a scratch folder.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        folder = MakeTempFolder("tessaran-front");
        PrefPath = folder + "/Tessaran Prefs.10W";
        PendingPersonalBest = PendingPlayerNote = ShowMyScores = false;
        HighlightRow = kNoHighlight;
        DifficultyMenu = PlayerMenu = DropDownMenu{};
        BuildMenus();
        MenuCommand = ConfirmKind = 0;
        ClearEntryKeys();
        W::RunFrames(1);
        ASSERT_EQ(ScreenState, ScreenMain);
    }
    void TearDown() override {
        PrefPath.clear();
        RemoveTree(folder);
    }
    std::string folder;
};

// ---- The main screen ------------------------------------------------------------------------

TEST_F(ScreenTest, MenusChooseALevelAndAProfileAndOneLeftOpenShieldsNoOtherScreen) {
    OpenMenu(PlayerMenu);
    ClickEntry(PlayerMenu, 2);
    EXPECT_EQ(Prefs.currentPlayer, 2);
    EXPECT_STREQ(MessageLine1, "Please Note:  You are playing as Quor.") << "a new profile's reminder";
    W::Key(13);
    W::RunFrames(1);

    OpenMenu(DifficultyMenu);
    ClickEntry(DifficultyMenu, 4);
    EXPECT_EQ(Prefs.difficulty, LevelEvil);
    OpenMenu(DifficultyMenu);  // left open while a key leaves the screen
    Prefs.showHelpAtStart = 0;
    W::Key('N');
    W::RunFrames(2);
    ASSERT_EQ(ScreenState, ScreenGame);
    W::ClickPercent(87.5f, 26.0f);  // "Pause (Esc)"
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenPause);
}

// Buttons clicked on five frames running act once: the later clicks land on the screen the
// first one opened, where nothing lies under them, and go no further.
TEST_F(ScreenTest, RapidRepeatedClicksActOnceAndWithoutAProfileOnlyClearingIsOffered) {
    ClickLabel(PrefsX(), 39.0f, 5, "Game Preferences", kDesignTextWidth, 5);
    EXPECT_EQ(ScreenState, ScreenPreferences);
    ClickFinished(5);
    EXPECT_EQ(ScreenState, ScreenMain);

    ShowMyScores = true;
    Prefs.hsScore[LevelMedium][0] = 700;
    W::RunFrames(1);
    EXPECT_FALSE(ShowMyScores) << "no profile: forced back to the overall table";
    ClickLabel(56.0f, 5.0f, 5, "Reset Player");  // "Clear These Scores" lies there instead
    ASSERT_EQ(ScreenState, ScreenConfirm);
    EXPECT_EQ(ConfirmKind, ConfirmClearScores);
    ClickLabel(42.0f, 48.0f, 5, "No", 1.0f, 5);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 700);
}

TEST_F(ScreenTest, KeysTypedFasterThanFramesAreAllKeptAndEscapeOrOkEndTheRename) {
    Prefs.currentPlayer = 4;
    ShowMyScores = true;
    BuildMenus();
    W::RunFrames(1);
    ClickLabel(27.0f, 75.0f, 5, "Change Player Name");
    ASSERT_EQ(ScreenState, ScreenPlayerName);
    for (unsigned char c : std::string("Zo\xEB")) W::Key(c);
    W::Key(27);  // in the same frame
    W::RunFrames(1);
    EXPECT_STREQ(Prefs.playerName[3], "Tupa");

    ClickLabel(27.0f, 75.0f, 5, "Change Player Name");
    for (unsigned char c : std::string("Zo\xEB")) W::Key(c);
    ClickLabel(30.0f, 65.0f, 6, "OK", 1.0f);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(PlayerMenu.entries[4].label, "Zo\xEB");
    EXPECT_EQ(ReadText(PrefPath).compare(offsetof(PrefsRecord, playerName) + 3 * kNameSlot, 4,
                                         std::string("Zo\xEB", 4)), 0);
}

TEST_F(ScreenTest, PreferencesChangeByClickAndFinishedSavesAndReturns) {
    ClickLabel(PrefsX(), 39.0f, 5, "Game Preferences");
    ASSERT_EQ(ScreenState, ScreenPreferences);
    W::ClickPercent(19.0f, 35.0f);  // the box left of "Digits and pictures"
    W::RunFrames(1);
    for (int i = 0; i < 8; ++i) {  // volume 70 takes six presses to 100 and no more
        W::ClickPercent(18.0f, 71.0f);
        W::RunFrames(1);
    }
    EXPECT_EQ(Prefs.pieceStyle, 2);
    EXPECT_EQ(Prefs.soundVolume, 100);
    ClickFinished();
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(ReadText(PrefPath), std::string(reinterpret_cast<const char*>(Prefs.Bytes()), kPrefsSize));
}

// ---- Play -----------------------------------------------------------------------------------

TEST_F(ScreenTest, SquaresOpenMagnifiedTakeMarksAndAssignmentsAwardOrCost) {
    W::StartGame(LevelEasy, 5);
    Prefs.startAllMarked = 1;
    Cell& cell = *Closed();
    OpenByClick(cell);
    EXPECT_EQ(std::count(cell.marks, cell.marks + 9, 1), 9) << "a click applies startAllMarked";
    // The yellow rim of the magnified square stands 0.58 from the centre, beyond the square itself.
    const WindowPixels frame = W::Drawn();
    const uint8_t* rim = frame.At(W::PixelX(X(cell) - BoardShift() + 0.58f), W::PixelY(Y(cell) - BoardShift()));
    EXPECT_TRUE(rim[0] > 200 && rim[1] > 200 && rim[2] < 80);
    const int right = cell.value - 1, wrong = cell.value % 9;
    ClickSlot(cell, wrong, false);
    EXPECT_EQ(cell.marks[wrong], 0) << "a click toggles a mark";

    ClickSlot(cell, wrong, true);
    EXPECT_EQ(GameScore.Value(), -500);
    EXPECT_EQ(MistakeCount + Count(SoundBadMove), 2);
    W::RunFrames(1);
    EXPECT_FALSE(AssignMode) << "Shift was released before this frame";
    ClickSlot(cell, right, true);
    EXPECT_EQ(cell.known, 1);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(LastAward, 100) << "the award pops up beside the score";

    Cell& next = *Closed();
    PointAt(next);
    W::SpecialKey(GLUT_KEY_ALT_L);  // Alt going down after the last frame still counts
    W::Key(static_cast<unsigned char>('0' + next.value));
    EXPECT_EQ(next.known, 1);
    EXPECT_EQ(GameScore.Value(), -300);
}

TEST_F(ScreenTest, PausingStopsTheClockHidesThePuzzleAndABackwardsCalendarShowsNoTime) {
    W::StartGame(LevelMedium, 12);
    CursorColumn = CursorRow = -1;
    const WindowPixels zero = W::Drawn();
    W::PlaySeconds() += 10;
    W::RunFrames(1);
    W::ClickPercent(87.5f, 26.0f);  // "Pause (Esc)"
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenPause);
    const WindowPixels paused = W::Drawn();
    W::Key('e');  // the question asked from the pause menu must not show the puzzle either
    ASSERT_EQ(ScreenState, ScreenConfirm);
    const WindowPixels asked = W::Drawn();
    W::Key('n');
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenPause);
    W::PlaySeconds() += 300;
    W::Key(27);
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_EQ(PlayClockSeconds(), 10) << "the pause is not counted";

    // Given squares show pieces in the game; behind the menu and its question only the grid is left.
    const WindowPixels game = W::Drawn();
    int shown = 0, hidden = 0, hiddenAsked = 0;
    for (const Cell& cell : PlayBoard) {
        if (!cell.known) continue;
        ++shown;
        const int x = W::PixelX(static_cast<float>(cell.column)), y = W::PixelY(static_cast<float>(cell.row));
        const double bright = game.Brightness(x - 10, y - 10, x + 10, y + 10);
        hidden += paused.Brightness(x - 10, y - 10, x + 10, y + 10) < bright * 0.6;
        hiddenAsked += asked.Brightness(x - 10, y - 10, x + 10, y + 10) < bright * 0.6;
    }
    ASSERT_GT(shown, 20);
    EXPECT_GT(hidden, shown * 2 / 3);
    EXPECT_GT(hiddenAsked, shown * 2 / 3);

    // The clock's digits: "00:10" differs from "00:00"; a calendar set back shows "00:00" again.
    const auto digits = [&zero](const WindowPixels& f) { return f.Difference(zero, 712, 490, 796, 545); };
    EXPECT_GT(digits(game), 0.01);
    W::PlaySeconds() -= 700;
    EXPECT_LT(digits(W::Drawn()), 0.002);
}

TEST_F(ScreenTest, TheQuestionReturnsWhereItWasAskedAndYesEndsTheGame) {
    W::StartGame(LevelEasy, 8);
    W::PlaySeconds() += 30;
    W::RunFrames(1);
    W::Key('e');
    ASSERT_EQ(ScreenState, ScreenConfirm);
    W::PlaySeconds() += 45;
    ClickLabel(42.0f, 48.0f, 5, "No");
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_EQ(PlayClockSeconds(), 30);

    W::Key(27);
    W::RunFrames(1);
    W::ClickPercent(84.0f, 34.5f);  // "End This Game (E)" in the pause menu
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenConfirm);
    W::Key('n');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenPause);
    W::Key('e');
    ClickLabel(31.0f, 48.0f, 5, "Yes");
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(ScreenTest, EndingFromTheSolverRecordsNoScoreButQuittingAsksForTheTableName) {
    // The last game's score, already recorded, must not enter the tables a second time.
    W::StartGame(LevelEasy, 8);
    AddToScore(4000);
    OpenSolver();
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenSolver);
    W::Key('e');
    W::Key('y');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(Prefs.hsScore[LevelEasy][0], 0);

    W::StartGame(LevelEasy, 8);
    AddToScore(4000);
    W::Key('Q');
    W::Key('Y');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenScoreName);
    EXPECT_EQ(ReturnState, ScreenQuit) << "the name entry leads on to the quit";
    EXPECT_EQ(Prefs.hsScore[LevelEasy][0], 4000);
}

TEST_F(ScreenTest, AChildGameKeepsToItsGridAndIsWonOnceWithTheMouseAlone) {
    W::StartGame(LevelChild, 1234);
    ASSERT_EQ(BoardSideInUse(), 4);
    for (int i = 0; i < 6; ++i) {
        W::SpecialKey(GLUT_KEY_RIGHT);
        W::SpecialKey(GLUT_KEY_DOWN);
    }
    EXPECT_EQ(CursorColumn * 10 + CursorRow, 33) << "the arrows stay on the grid in use";
    W::PlaySeconds() += 200;
    while (Cell* cell = Closed()) {
        OpenByClick(*cell);
        ClickSlot(*cell, cell->value - 1, true);
        ASSERT_EQ(cell->known, 1) << cell->column << "," << cell->row;
        W::RunFrames(1);
    }
    EXPECT_EQ(ScreenState, ScreenGameOver);
    EXPECT_EQ(PlayBoard[static_cast<std::size_t>(CellIndex(5, 5))].known, 0) << "off the 4 x 4 grid";
    W::PlaySeconds() += 50;
    W::RunFrames(2);
    EXPECT_EQ(TimeUsed, 200);
    EXPECT_EQ(Count(SoundGameWon), 1) << "the win is counted once";
}

TEST_F(ScreenTest, AClickNoControlTookIsNotReplayedOnTheNextScreen) {
    W::StartGame(LevelEasy, 5);
    CursorColumn = CursorRow = -1;
    // Empty panel space in the game, where the pause menu's "End This Game (E)" will be.
    W::ClickPercent(84.0f, 34.5f);
    W::RunFrames(1);
    W::Key('p');
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenPause);
    W::Key('p');  // nor when the key comes before any frame has seen the click
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenGame);
    W::ClickPercent(84.0f, 34.5f);
    W::Key('p');
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenPause);
}

TEST(AspectFitTest, KeepsFourByThreeForAnySizeWithoutZeroes) {
    int w = 0, h = 0;
    for (auto [iw, ih] : {std::pair{0, 0}, {1, 1}, {1, 5000}, {5000, 1}, {-3, -7}}) {
        AspectFit(iw, ih, w, h);
        EXPECT_TRUE(w > 0 && h > 0);
        EXPECT_NEAR(static_cast<double>(w) / h, 4.0 / 3.0, 0.34) << iw << "x" << ih;
    }
}

Cell& At(int square) { return PlayBoard[static_cast<std::size_t>(CellIndex(square % 9, square / 9))]; }


// ---- Hints ----------------------------------------------------------------------------------

// Share of the square's pixels that changed between two frames.
double SquareChange(const WindowPixels& a, const WindowPixels& b, int square) {
    const float x = static_cast<float>(square % 9), y = static_cast<float>(square / 9);
    return a.Difference(b, W::PixelX(x - 0.45f), W::PixelY(y - 0.45f), W::PixelX(x + 0.45f), W::PixelY(y + 0.45f));
}

TEST(HintScreen, KeyAndButtonGoThroughEveryLevelAndApply) {
    W::Reset();
    W::StartGame(LevelMedium, 41);
    W::MoveTo(2, 2);  // the pointer off the board: no magnified square in the way
    const WindowPixels before = W::Drawn();
    ASSERT_EQ(ScreenState, ScreenGame);

    W::Key('h');
    const WindowPixels look = W::Drawn();
    ASSERT_EQ(ShownHint.level, 1);
    ASSERT_EQ(ShownHint.kind, HintKind::Step);
    EXPECT_EQ(GameScore.Value(), -kHintCost);
    ASSERT_FALSE(ShownHint.step.units.empty());
    int tinted = -1;  // an empty square of the first unit: tinted now
    for (int s : UnitSquares(ShownHint.step.units[0]))
        if (!At(s).known) tinted = s;
    ASSERT_GE(tinted, 0);
    EXPECT_GT(SquareChange(before, look, tinted), 0.5) << "the unit to look at is tinted";
    // The box over the side panel says it.
    EXPECT_GT(before.Difference(look, W::PixelX(9.6f), W::PixelY(3.6f), W::PixelX(10.7f), W::PixelY(5.3f)), 0.3);

    W::ClickPercent(87.5f, 39.0f);  // "Hint (H)", taken in the panel after the board is drawn
    W::RunFrames(1);
    const WindowPixels pattern = W::Drawn();
    ASSERT_EQ(ShownHint.level, 2);
    const int square = ShownHint.step.placements.empty() ? ShownHint.step.pattern[0] : ShownHint.step.placements[0].square;
    EXPECT_GT(SquareChange(look, pattern, ShownHint.step.pattern[0]), 0.05) << "the pattern is framed";

    W::Key('H');
    const WindowPixels whole = W::Drawn();
    ASSERT_EQ(ShownHint.level, 3);
    ASSERT_TRUE(HintApplicable());
    EXPECT_EQ(GameScore.Value(), -3 * kHintCost);
    EXPECT_EQ(HintLevelsUsed, 3);
    ASSERT_FALSE(ShownHint.step.placements.empty());
    EXPECT_GT(SquareChange(pattern, whole, square), 0.2) << "the piece it places is shown";

    W::ClickPercent(87.5f, 39.0f);  // now "Apply (H)"
    W::RunFrames(1);
    EXPECT_TRUE(At(square).known);
    EXPECT_FALSE(HintOnDisplay());
    EXPECT_EQ(GameScore.Value(), -3 * kHintCost);
    EXPECT_EQ(MistakeCount, 0);
}

TEST(HintScreen, AWrongPieceSaysWhyInThePanel) {
    W::Reset();
    W::StartGame(LevelMedium, 41);
    // A closed square and a piece its row already shows.
    int square = -1, clash = 0;
    for (int s = 0; s < 81 && square < 0; ++s) {
        if (At(s).known) continue;
        for (int c = 0; c < 9; ++c)
            if (At(s / 9 * 9 + c).known) {
                square = s;
                clash = At(s / 9 * 9 + c).value;
                break;
            }
    }
    ASSERT_GE(square, 0);
    W::MoveToBoard(static_cast<float>(square % 9), static_cast<float>(square / 9));
    const WindowPixels before = W::Drawn();
    W::Key(static_cast<unsigned char>("!@#$%^&*("[clash - 1]));
    const WindowPixels after = W::Drawn();
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_NE(WrongMoveExplanation.text.find("There is already"), std::string::npos) << WrongMoveExplanation.text;
    EXPECT_GT(before.Difference(after, W::PixelX(9.6f), W::PixelY(3.6f), W::PixelX(10.7f), W::PixelY(5.3f)), 0.3);
    W::RunFrames(200);  // six seconds later the panel is back
    EXPECT_TRUE(WrongMoveExplanation.text.empty());
}

Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

// ---- Pencil-mark helpers --------------------------------------------------------------------

// The pixel at (dx, dy) board units from the centre of square (column, row).
const uint8_t* Near(const WindowPixels& f, int column, int row, float dx, float dy) {
    return f.At(W::PixelX(static_cast<float>(column) + dx), W::PixelY(static_cast<float>(row) + dy));
}
bool Highlit(const uint8_t* p) { return p[0] > 80 && p[1] > 80 && p[2] < p[0]; }
bool Red(const uint8_t* p) { return p[0] > 200 && p[1] < 90 && p[2] < 140; }
bool Pale(const uint8_t* p) { return p[0] > 180 && p[1] > 220 && p[2] > 180; }


class MarksScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        config = MakeTempFolder("tessaran-marks");
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);  // the switches are remembered here
        W::Reset();
        W::RunFrames(1);
    }
    void TearDown() override { RemoveTree(config); }
    std::string config;
};

TEST_F(MarksScreenTest, HighlightOutlineAndConflictFrameFallOnTheirSquares) {
    W::StartGame(LevelEasy, 5);
    // A given, another copy of its piece, and a given of another piece.
    int kc = -1, kr = -1, mc = -1, mr = -1, nc = -1, nr = -1;
    for (const Cell& cell : PlayBoard) {
        if (!cell.known) continue;
        if (kc < 0) {
            kc = cell.column, kr = cell.row;
        } else if (cell.value == At(kc, kr).value && mc < 0) {
            mc = cell.column, mr = cell.row;
        } else if (cell.value != At(kc, kr).value && nc < 0) {
            nc = cell.column, nr = cell.row;
        }
    }
    ASSERT_TRUE(mc >= 0 && nc >= 0);
    W::MoveToBoard(static_cast<float>(kc), static_cast<float>(kr));
    W::Key('f');
    const WindowPixels lit = W::Drawn();
    EXPECT_TRUE(Highlit(Near(lit, mc, mr, 0.44f, 0.44f))) << "the other copy";
    EXPECT_FALSE(Highlit(Near(lit, nc, nr, 0.44f, 0.44f))) << "another piece";
    // Every opened square marking the piece shows it on the highlight; the others do not.
    const int v = At(kc, kr).value, slot = v - 1;
    int marked = 0, unmarked = 0;
    for (const Cell& cell : PlayBoard) {
        if (cell.known) continue;
        ASSERT_TRUE(cell.activated) << "F opened every empty square";
        const float dx = 0.3f * static_cast<float>(slot % 3 - 1) - 0.14f, dy = 0.3f * static_cast<float>(slot / 3 - 1) - 0.14f;
        const bool shown = Highlit(Near(lit, cell.column, cell.row, dx, dy));
        EXPECT_EQ(shown, cell.marks[slot] == 1) << cell.column << "," << cell.row;
        (cell.marks[slot] ? marked : unmarked) += 1;
    }
    EXPECT_GT(marked * unmarked, 0);
    MarkOptions.highlightMatches = false;
    EXPECT_FALSE(Highlit(Near(W::Drawn(), mc, mr, 0.44f, 0.44f)));

    // Crystal Ball: a copy of the given in its row clashes; a right trial far away does not.
    W::ClickBoard(9.2f, 6.4f);
    W::RunFrames(1);
    ASSERT_TRUE(CrystalBallActive);
    int uc = -1, vc = -1, vr = -1;
    for (int c = 0; c < 9 && uc < 0; ++c)
        if (!At(c, kr).known) uc = c;
    for (const Cell& cell : PlayBoard)
        if (!cell.known && vc < 0 && cell.row / 3 != kr / 3 && cell.column / 3 != uc / 3) vc = cell.column, vr = cell.row;
    ASSERT_TRUE(uc >= 0 && vc >= 0);
    for (auto [c, r, symbol] : {std::tuple{uc, kr, v}, {vc, vr, At(vc, vr).value}}) {
        W::MoveToBoard(static_cast<float>(c), static_cast<float>(r));
        W::RunFrames(1);
        W::SpecialKey(GLUT_KEY_SHIFT_L);
        W::Key(static_cast<unsigned char>('0' + symbol));
    }
    W::MoveToBoard(10.0f, 8.0f);  // no cursor square to cover them
    const WindowPixels trials = W::Drawn();
    EXPECT_TRUE(Red(Near(trials, uc, kr, 0.45f, 0.0f))) << "the clash is framed";
    EXPECT_FALSE(Red(Near(trials, vc, vr, 0.45f, 0.0f)));
    EXPECT_TRUE(Pale(Near(trials, vc, vr, 0.455f, -0.42f))) << "the first dash of the trial's outline";
    EXPECT_FALSE(Pale(Near(trials, vc, vr, 0.455f, -0.32f))) << "and the gap after it";
    MarkOptions.showConflicts = false;
    const WindowPixels quiet = W::Drawn();
    EXPECT_FALSE(Red(Near(quiet, uc, kr, 0.45f, 0.0f)));
    EXPECT_TRUE(Pale(Near(quiet, uc, kr, 0.455f, -0.42f))) << "still a trial";
}

TEST_F(MarksScreenTest, ThePencilMarkPageSwitchesAndRemembersItsSettings) {
    ReturnState = ScreenMain;
    ScreenState = ScreenPreferences;
    W::RunFrames(1);
    float finishedRight, marksWidth;
    {
        TextWidth design(kDesignTextWidth);
        SetTextSize(6);
        finishedRight = 37.5f + TextWidthPercent("Finished") * 0.5f;
        SetTextSize(4);
        marksWidth = TextWidthPercent("Pencil Marks...");
    }
    W::ClickPercent(finishedRight + 4.0f + marksWidth * 0.5f, 85.0f);
    W::RunFrames(1);
    ASSERT_TRUE(ShowingMarkPage);
    W::ClickPercent(19.0f, 41.0f);  // the box of "Show conflicts"
    W::RunFrames(1);
    W::ClickPercent(19.0f, 52.0f);  // the box of "Remove marks a placed piece rules out"
    W::RunFrames(1);
    EXPECT_EQ(MarkOptions.showConflicts + MarkOptions.autoRemoveMarks * 2 + MarkOptions.highlightMatches * 4, 6);
    W::ClickPercent(37.5f, 85.0f);  // "Back"
    W::RunFrames(1);
    EXPECT_FALSE(ShowingMarkPage);
    MarkOptions = MarkSettings{};
    LoadMarkSettings();
    EXPECT_EQ(MarkOptions.showConflicts + MarkOptions.autoRemoveMarks * 2 + MarkOptions.highlightMatches * 4, 6)
        << "remembered in the settings store";
    EXPECT_EQ(ScreenState, ScreenPreferences);
}

// ---- Batched board drawing ------------------------------------------------------------------

// One game frame from the same state and the same random numbers, drawn one way or the other.
WindowPixels Frame(bool fast) {
    const auto colour = BackdropColour;
    const auto drift = BackdropDrift;
    const NinthPiece ninth = NinthPieceState;
    UseFastPieceDrawing(fast);
    srand(7);
    W::RunFrames(1);
    UseFastPieceDrawing(true);
    BackdropColour = colour;
    BackdropDrift = drift;
    NinthPieceState = ninth;
    return W::Capture();
}

int DifferingPixels(const WindowPixels& a, const WindowPixels& b) {
    return static_cast<int>(a.Difference(b, 0, 0, a.width - 1, a.height - 1, 1) * a.width * a.height + 0.5);
}

TEST(BoardDrawingTest, BatchedBoardMatchesPieceByPieceDrawingInEveryStyle) {
    W::Reset();
    W::StartGame(LevelMedium, 3);
    // Every open square shows marks, some left out; a few trials; matches highlighted; the
    // cursor on a given, so the side panel shows its piece and the dimmed ones.
    int given = -1;
    for (std::size_t i = 0; i < PlayBoard.size(); ++i) {
        Cell& cell = PlayBoard[i];
        if (cell.known) {
            if (given < 0 || cell.value == 9) given = static_cast<int>(i);
            continue;
        }
        cell.activated = 1;
        for (std::size_t k = 0; k < std::size(cell.marks); ++k) cell.marks[k] = (i + k) % 4 != 0;
    }
    MarkOptions.highlightMatches = true;
    CursorColumn = PlayBoard[static_cast<std::size_t>(given)].column;
    CursorRow = PlayBoard[static_cast<std::size_t>(given)].row;
    NinthPieceState.angle = 17.0f;
    W::RunFrames(2);
    for (int style = 0; style <= 2; ++style) {
        Prefs.pieceStyle = style;
        NinthPieceState.angle = 17.0f + static_cast<float>(style);  // the arm turned: cells made anew
        const WindowPixels slow = Frame(false);
        const WindowPixels fast = Frame(true);
        EXPECT_LE(DifferingPixels(slow, fast), 4) << "piece style " << style;
    }
}

}  // namespace
}  // namespace tessaran::test
