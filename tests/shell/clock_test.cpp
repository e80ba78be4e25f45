// Frame pacing across the clock's wrap, the sleep boundary, and the paused play clock.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "platform/platform.h"
#include "shell/clock.h"

namespace tessaran {
namespace {

uint32_t FakeMillis = 0;
int64_t FakeSeconds = 0;
int Slept = -1;

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetClockOverrides([] { return FakeMillis; }, [] { return FakeSeconds; });
        SetSleepOverride([](int ms) { Slept = ms; });
    }
    void TearDown() override {
        SetClockOverrides(nullptr, nullptr);
        SetSleepOverride(nullptr);
    }
    // A frame ending at `at`; `active` says the player touched keyboard or mouse just before.
    void Frame(uint32_t at, bool active = true) {
        Slept = -1;
        FakeMillis = at;
        if (active) NoteInput();
        PaceFrame();
    }
};

TEST_F(ClockTest, PeriodSurvivesTheWrapAndShortFramesSleep) {
    Frame(0xFFFFFFF0u);
    Frame(0x00000010u);  // 32 ms across the wrap
    EXPECT_EQ(FramePeriodMs, 32);
    EXPECT_FLOAT_EQ(FrameFactor, 32.0f / 30.0f);
    EXPECT_EQ(Slept, -1);

    Frame(0x00000010u + 19);
    EXPECT_EQ(FramePeriodMs, 19);
    EXPECT_EQ(Slept, 10);

    Frame(0x00000010u + 19 + 20);
    EXPECT_EQ(FramePeriodMs, 20);
    EXPECT_EQ(Slept, -1);
}

TEST_F(ClockTest, AnIdlePlayerGetsSlowFramesUntilTheNextInput) {
    Frame(1000);
    Frame(1017, false);  // input 17 ms ago: full rate
    EXPECT_EQ(Slept, 10);
    Frame(3100, false);  // over two seconds without input, and this frame was long anyway
    EXPECT_EQ(Slept, -1);
    Frame(3130, false);  // 30 ms of drawing: sleep the rest of 100 ms
    EXPECT_EQ(Slept, 70);
    Frame(3230, false);
    EXPECT_EQ(Slept, 70);
    EXPECT_FLOAT_EQ(FrameFactor, 100.0f / 30.0f);  // animations keep their speed

    FallingPieces[3].inUse = true;  // a wrong piece falling is watched: full rate
    Frame(3245, false);
    EXPECT_EQ(Slept, 10);
    FallingPieces[3].inUse = false;

    Frame(3255, true);  // any input restores full rate at once
    EXPECT_EQ(Slept, 10);
}

TEST_F(ClockTest, APauseIsNotCountedWhenPlayResumes) {
    FakeSeconds = 1000;
    StartPlayClock();
    FakeSeconds = 1065;
    TimeUsed = PlayClockSeconds();  // paused at 65 s
    FakeSeconds = 1365;             // five minutes in the pause menu
    ResumePlayClock();
    EXPECT_EQ(PlayClockSeconds(), 65);
}

}  // namespace
}  // namespace tessaran
