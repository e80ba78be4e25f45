// The message and text-entry screens in the real window: their exits, what they draw and where.
// (The about screen, the summary and a typed name are played through end to end elsewhere.)
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "support/game_window.h"
#include "ui/text.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

// Saves land in the window's scratch folder.
class DialogsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        PendingPersonalBest = PendingPlayerNote = false;
        HighlightRow = kNoHighlight;
        ClearEntryKeys();
    }
};

// Pixels of a text colour (within 40 per channel) in a rectangle of the window, in percent.
int CountColour(const WindowPixels& f, float x0, float y0, float x1, float y1, int r, int g, int b) {
    int n = 0;
    for (int y = static_cast<int>(y0 * 6.0f); y < static_cast<int>(y1 * 6.0f); ++y)
        for (int x = static_cast<int>(x0 * 8.0f); x < static_cast<int>(x1 * 8.0f); ++x) {
            const uint8_t* p = f.At(x, y);
            n += std::abs(p[0] - r) < 40 && std::abs(p[1] - g) < 40 && std::abs(p[2] - b) < 40;
        }
    return n;
}

TEST_F(DialogsWindowTest, TheMessageScreenReturnsOnOkAndQuitsAfterOneMoreGame) {
    ShowMessageScreen("Congratulations!", "This is your #1 personal high score, Ruko!", ScreenMain);
    const WindowPixels f = W::Drawn();
    EXPECT_GT(CountColour(f, 30, 30, 70, 36, 255, 255, 128), 100) << "the first line, yellow, at 30 %";
    EXPECT_GT(CountColour(f, 20, 40, 80, 45, 128, 255, 255), 100) << "the second line, cyan, at 40 %";
    SetTextSize(5);
    W::ClickPercent(49.0f + TextWidthPercent("OK") * 0.5f, 52.0f);  // "OK", size 5, at (49 %, 50 %)
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);

    OneMoreGame = true;
    ShowMessageScreen("You said one more game...", "Tessaran will now quit, but nobody will know if you start again!",
                      ScreenMain);
    W::RunFrames(1);
    W::Key(13);
    W::RunFrames(1);  // the quit state runs on the next frame, which this test never draws
    EXPECT_EQ(ScreenState, ScreenQuit);
}

TEST_F(DialogsWindowTest, ALongSecondLineIsWrappedInsideTheWindow) {
    ShowMessageScreen("Please Note:  You are playing as A name of exactly twenty-nine.",
                      "All games and scores will be recorded under this player profile as well as on the main high "
                      "score list.",
                      ScreenMain);
    const WindowPixels f = W::Drawn();
    EXPECT_EQ(CountColour(f, 0, 34, 2, 48, 128, 255, 255), 0) << "nothing cut at the left edge";
    EXPECT_EQ(CountColour(f, 98, 34, 100, 48, 128, 255, 255), 0) << "nothing cut at the right edge";
    EXPECT_GT(CountColour(f, 10, 44.6f, 90, 47, 128, 255, 255), 30) << "a second line below";
}

TEST_F(DialogsWindowTest, TheEntryShowsTheOfferedNameThenTheTypedOneInItsBox) {
    Prefs.currentPlayer = 1;
    ScreenState = ScreenMain;
    OpenChangePlayerName();
    W::RunFrames(1);
    // Offered: blue (0.2, 0.8, 1.0); typed: green (0.3, 1.0, 0.5); both at 50 % in the box.
    EXPECT_GT(CountColour(W::Capture(), 25, 50, 50, 58, 51, 204, 255), 40);
    W::Key('Q');
    const WindowPixels f = W::Drawn();
    EXPECT_EQ(CountColour(f, 25, 50, 50, 58, 51, 204, 255), 0);
    EXPECT_GT(CountColour(f, 25, 50, 50, 58, 77, 255, 128), 20);
    EXPECT_GT(CountColour(f, 20, 49, 55, 61, 77, 255, 255), 30) << "the box outline";
    W::Key(27);
    W::RunFrames(1);
    EXPECT_STREQ(Prefs.playerName[0], "Ruko");
}

}  // namespace
}  // namespace tessaran::test
