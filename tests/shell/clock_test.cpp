// Frame pacing across the millisecond clock's wrap, and when the frame loop draws at all.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "platform/platform.h"
#include "shell/clock.h"
#include "shell/screens.h"

namespace tessaran {
namespace {

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
}  // namespace tessaran
