// The message, about and text-entry screens and the summary panel in the real window: their exits,
// what they draw and where.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/game_state.h"
#include "game/rules.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "profile/summary.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "support/game_window.h"
#include "support/temp_home.h"
#include "ui/dialogs.h"
#include "ui/text.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

class DialogsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        folder = MakeTempFolder("tessaran-dialogs");
        PrefPath = folder + "/Tessaran Prefs.10W";
        PendingPersonalBest = false;
        PendingPlayerNote = false;
        HighlightRow = kNoHighlight;
        ClearEntryKeys();
    }
    void TearDown() override {
        PrefPath.clear();
        RemoveTree(folder);
    }
    std::string folder;
};

void ClickOk(float x, float y, int size) {
    SetTextSize(size);
    W::ClickPercent(x + TextWidthPercent("OK") * 0.5f, y + static_cast<float>(size) * 0.4f);
}

// Pixels of a text colour (within 40 per channel) in a rectangle of the window, in percent.
int CountColour(const WindowPixels& f, float x0, float y0, float x1, float y1, int r, int g, int b) {
    int n = 0;
    for (int y = static_cast<int>(y0 * 6.0f); y < static_cast<int>(y1 * 6.0f); ++y)
        for (int x = static_cast<int>(x0 * 8.0f); x < static_cast<int>(x1 * 8.0f); ++x) {
            const uint8_t* p = f.At(x, y);
            if (std::abs(p[0] - r) < 40 && std::abs(p[1] - g) < 40 && std::abs(p[2] - b) < 40) ++n;
        }
    return n;
}

TEST_F(DialogsWindowTest, TheMessageScreenReturnsOnOkOrEnterAndQuitsAfterOneMoreGame) {
    ShowMessageScreen("Congratulations!", "This is your #1 personal high score, Ruko!", ScreenMain);
    W::RunFrames(1);
    const WindowPixels f = W::Capture();
    EXPECT_GT(CountColour(f, 30, 30, 70, 36, 255, 255, 128), 100) << "the first line, yellow, at 30 %";
    EXPECT_GT(CountColour(f, 20, 40, 80, 45, 128, 255, 255), 100) << "the second line, cyan, at 40 %";
    ClickOk(49.0f, 50.0f, 5);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);

    ShowMessageScreen("a", "b", ScreenPause);
    W::RunFrames(1);
    W::Key('x');  // not an answer
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMessage);
    W::Key(13);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenPause);

    OneMoreGame = true;
    ShowMessageScreen("You said one more game...", "Tessaran will now quit, but nobody will know if you start again!",
                      ScreenMain);
    W::RunFrames(1);
    W::Key(13);
    W::RunFrames(1);  // the quit state runs on the next frame, which this test never draws
    EXPECT_EQ(ScreenState, ScreenQuit);
    OneMoreGame = false;
    ScreenState = ScreenMain;
}

TEST_F(DialogsWindowTest, ALongSecondLineIsWrappedInsideTheWindow) {
    ShowMessageScreen("Please Note:  You are playing as A name of exactly twenty-nine.",
                      "All games and scores will be recorded under this player profile as well as on the main high "
                      "score list.",
                      ScreenMain);
    W::RunFrames(1);
    const WindowPixels f = W::Capture();
    EXPECT_EQ(CountColour(f, 0, 34, 2, 48, 128, 255, 255), 0) << "nothing cut at the left edge";
    EXPECT_EQ(CountColour(f, 98, 34, 100, 48, 128, 255, 255), 0) << "nothing cut at the right edge";
    EXPECT_GT(CountColour(f, 10, 36, 90, 41, 128, 255, 255), 50);
    EXPECT_GT(CountColour(f, 10, 44.6f, 90, 47, 128, 255, 255), 30) << "a second line below";
}

TEST_F(DialogsWindowTest, TheAboutScreenReturnsOnOkAndItsLogoPulseRestartsAfter100) {
    ScreenState = ScreenAbout;
    ScreenTimer = 99.5f;
    W::RunFrames(1);
    EXPECT_EQ(ScreenTimer, 0.0f);
    W::RunFrames(10);
    EXPECT_FLOAT_EQ(ScreenTimer, 10.0f);
    const WindowPixels f = W::Capture();
    EXPECT_GT(f.Brightness(W::PixelX(3.0f), W::PixelY(0.1f), W::PixelX(5.0f), W::PixelY(0.7f)), 60.0)
        << "the logo at the top, centred on 4";
    SetTextSize(6);
    ClickOk(37.0f - TextWidthPercent("OK") * 0.5f, 91.0f, 6);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(DialogsWindowTest, TheEntryShowsTheOfferedNameThenTheTypedOneInItsBox) {
    Prefs.currentPlayer = 1;
    ScreenState = ScreenMain;
    OpenChangePlayerName();
    W::RunFrames(1);
    // Offered: blue (0.2, 0.8, 1.0); typed: green (0.3, 1.0, 0.5); both at 50 % in the box.
    EXPECT_GT(CountColour(W::Capture(), 25, 50, 50, 58, 51, 204, 255), 40);
    W::Key('Q');
    W::RunFrames(1);
    const WindowPixels f = W::Capture();
    EXPECT_EQ(CountColour(f, 25, 50, 50, 58, 51, 204, 255), 0);
    EXPECT_GT(CountColour(f, 25, 50, 50, 58, 77, 255, 128), 20);
    EXPECT_GT(CountColour(f, 20, 49, 55, 61, 77, 255, 255), 30) << "the box outline";
    W::Key(27);
    W::RunFrames(1);
    EXPECT_STREQ(Prefs.playerName[0], "Ruko");
}

TEST_F(DialogsWindowTest, TheSummaryPanelSlidesInFromTheRightAndStops) {
    W::StartGame(LevelEasy, 3);
    for (Cell& cell : PlayBoard) cell.known = 1;
    W::RunFrames(1);  // the board finds itself complete: the summary starts
    ASSERT_EQ(ScreenState, ScreenGameOver);
    const WindowPixels early = W::Capture();
    W::RunFrames(60);
    EXPECT_GE(SummaryTimer, 100.0f);
    const WindowPixels settled = W::Capture();
    // The panel's dark face covers the middle of the board once it has arrived.
    const double middleEarly = early.Difference(settled, W::PixelX(1.5f), W::PixelY(2.5f), W::PixelX(2.5f), W::PixelY(3.5f));
    EXPECT_GT(middleEarly, 0.5) << "the left of the board changes as the panel arrives";
    W::RunFrames(20);
    const double still = settled.Difference(W::Capture(), W::PixelX(1.0f), W::PixelY(3.8f), W::PixelX(1.6f), W::PixelY(4.4f));
    EXPECT_LT(still, 0.05) << "the panel has stopped";
    // Clicks skip ahead: the summary ends and records the score.
    for (int i = 0; i < 10 && ScreenState == ScreenGameOver; ++i) {
        W::ClickPercent(40.0f, 40.0f);
        W::RunFrames(1);
    }
    EXPECT_EQ(ScreenState, ScreenScoreName);
    EXPECT_GT(Prefs.hsScore[LevelEasy][0], 2000);
}

}  // namespace
}  // namespace tessaran::test
