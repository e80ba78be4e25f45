// Every screen by keyboard alone, in the real window through the game's own key handlers: a
// puzzle picked and started, a preference changed, a question answered, the solver's buttons,
// the help pages, both menus, a name typed, the about screen; and the ring as drawn.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdlib>
#include <cstring>

#include "game/game_state.h"
#include "game/puzzles.h"
#include "profile/menus.h"
#include "profile/prefs.h"
#include "profile/stats.h"
#include "shell/screens.h"
#include "solver/help_pages.h"
#include "solver/picker.h"
#include "solver/solver.h"
#include "support/game_window.h"
#include "ui/focus.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

constexpr unsigned char kTab = 9, kEnter = 13, kEscape = 27, kSpace = 32;

// A key, then two frames: a screen the key opened has had its first frame, where the ring lands.
void Press(unsigned char key, int frames = 2) {
    W::Key(key);
    W::RunFrames(frames);
}

void Arrow(int key) {
    W::SpecialKey(key);
    W::RunFrames(2);
}

// Tab until the ring is on the widget that covers (x, y), in percent of the window.
bool TabTo(float x, float y) {
    for (int i = 0; i < 40; ++i) {
        const FocusRect& r = WidgetFocus.focusedRect;
        if (WidgetFocus.focused != 0 && r.x0 <= x && x <= r.x1 && r.y0 <= y && y <= r.y1) return true;
        Press(kTab);
    }
    return false;
}

// Pixels of the ring's bright line along the top of the focused widget.
int RingPixels() {
    const WindowPixels f = W::Capture();
    const FocusRect& r = WidgetFocus.focusedRect;
    int n = 0;
    for (int y = static_cast<int>((r.y0 - 1.2f) * 6.0f); y <= static_cast<int>(r.y0 * 6.0f); ++y)
        for (int x = static_cast<int>(r.x0 * 8.0f); x <= static_cast<int>(r.x1 * 8.0f); ++x) {
            const uint8_t* p = f.At(x, y);
            n += p[0] > 230 && std::abs(p[1] - 204) < 30 && p[2] < 70;
        }
    return n;
}

class KeyboardWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        PickerPageStart = 0;
        HelpPage = 0;
        PendingPlayerNote = false;
        Prefs.difficulty = LevelEasy;
        Prefs.pickRandomly = 0;
        Prefs.showHelpAtStart = 1;
        W::RunFrames(1);
    }
};

TEST_F(KeyboardWalkTest, APuzzleIsPickedPlayedPausedAndMovedToTheSolverWithKeysAlone) {
    EXPECT_EQ(RingPixels(), 0) << "no ring before Tab";
    ASSERT_TRUE(TabTo(83, 27)) << "New Puzzle";
    W::RunFrames(1);
    EXPECT_GT(RingPixels(), 40) << "the ring is drawn round the focused button";
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenPicker);

    // The ring lands on "1"; the arrows walk the grid; a mouse player's click would hide it.
    Arrow(GLUT_KEY_RIGHT);
    Arrow(GLUT_KEY_RIGHT);
    Arrow(GLUT_KEY_DOWN);
    Press(kEnter);
    EXPECT_EQ(PickedPuzzle, 22) << "number 23, two right and one down from 1";
    ASSERT_EQ(ScreenState, ScreenQuickHelp);
    Press(kEnter);  // the ring is on "OK"
    ASSERT_EQ(ScreenState, ScreenGame);
    EXPECT_EQ(GameIndex, 22);

    // In the game the board keeps Enter and the arrows; Tab and Space reach the buttons.
    Press(kTab);
    EXPECT_NE(WidgetFocus.focused, 0u);
    Press(kEscape);
    ASSERT_EQ(ScreenState, ScreenPause);

    // A question from the pause menu: the ring starts on "No", and Esc backs out as "No" does.
    ASSERT_TRUE(TabTo(84, 35)) << "End This Game (E)";
    Press(kSpace);
    ASSERT_EQ(ScreenState, ScreenConfirm);
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenPause) << "Enter on the preferred answer, No";
    ASSERT_TRUE(TabTo(84, 35));
    Press(kEnter);
    Press(kEscape);
    ASSERT_EQ(ScreenState, ScreenPause);

    // Preferences over the pause menu: a radio option by arrow and Space, then Esc as "Finished".
    ASSERT_TRUE(TabTo(84, 51)) << "Game Preferences";
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenPreferences);
    Arrow(GLUT_KEY_DOWN);
    Press(kSpace);
    EXPECT_EQ(Prefs.pieceStyle, 1) << "Use Numbers only";
    Press(kEscape);
    ASSERT_EQ(ScreenState, ScreenPause);

    ASSERT_TRUE(TabTo(84, 59)) << "Move to Solver";
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenSolver);
    EXPECT_TRUE(SolverState.showPossibles);
    Press(kTab);  // "Change Symbols", the column's first
    Press(kSpace);
    EXPECT_EQ(Prefs.pieceStyle, 2);
    Press(kTab);
    Press(kSpace);
    EXPECT_FALSE(SolverState.showPossibles) << "Hide Possibles";
    Press(kEnter);
    EXPECT_FALSE(SolverState.showPossibles) << "Enter stays the board's: the relabelled button is not pressed";
    ASSERT_TRUE(TabTo(87, 36)) << "Return to Main Screen";
    Press(kSpace);
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(KeyboardWalkTest, HelpMenusANameAndTheAboutScreenWithKeysAlone) {
    ASSERT_TRUE(TabTo(81, 48)) << "Help";
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenHelp);
    Press(kEnter);  // the ring lands on "Next"
    Press(kSpace);
    EXPECT_EQ(HelpPage, 2);
    Press(kEscape);
    ASSERT_EQ(ScreenState, ScreenMain);

    // The Difficulty menu: the list takes the keyboard on the level in play, Esc closes it.
    ASSERT_TRUE(TabTo(78, 34)) << "Difficulty";
    Press(kEnter, 7);
    ASSERT_TRUE(DifficultyMenu.open);
    Press(kEscape, 7);
    EXPECT_EQ(Prefs.difficulty, LevelEasy);
    Press(kEnter, 7);
    Arrow(GLUT_KEY_DOWN);
    Press(kEnter, 7);
    EXPECT_EQ(Prefs.difficulty, LevelMedium);
    Press(kEnter, 7);  // the ring is back on the title: the menu opens again
    Arrow(GLUT_KEY_UP);
    Press(kSpace, 7);
    EXPECT_EQ(Prefs.difficulty, LevelEasy);

    // The Player menu: the first profile, its reminder answered, then its name typed.
    ASSERT_TRUE(TabTo(6, 7)) << "Player";
    Press(kEnter, 7);
    Arrow(GLUT_KEY_DOWN);
    Press(kEnter, 2);
    EXPECT_EQ(Prefs.currentPlayer, 1);
    ASSERT_EQ(ScreenState, ScreenMessage) << "Please Note";
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenMain);
    ASSERT_TRUE(TabTo(32, 7)) << "Show My Scores";
    Press(kEnter);
    ASSERT_TRUE(ShowMyScores);
    ASSERT_TRUE(TabTo(29, 77)) << "Change Player Name";
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenPlayerName);
    for (const char c : {'A', 'd', 'a', ' ', 'L'}) W::Key(static_cast<unsigned char>(c));
    Press(kEnter);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.playerName[0], "Ada L") << "Space and Enter belong to the typing";

    ASSERT_TRUE(TabTo(90, 55)) << "About Tessaran";
    Press(kEnter);
    ASSERT_EQ(ScreenState, ScreenAbout);
    Press(kEscape);
    EXPECT_EQ(ScreenState, ScreenMain);

    // A click hides the ring; Enter then has no widget to press.
    W::Click(10, 590);
    W::RunFrames(1);
    EXPECT_EQ(WidgetFocus.focused, 0u);
    Press(kEnter);
    EXPECT_EQ(ScreenState, ScreenMain);
}

}  // namespace
}  // namespace tessaran
