// Frame pacing across the millisecond clock's wrap, the sleep boundary and idle players.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "platform/platform.h"
#include "shell/clock.h"

namespace tessaran {
namespace {

uint32_t FakeMillis = 0;
int Slept = -1;

// A frame ending at `at`; `active` says the player touched keyboard or mouse just before.
void Frame(uint32_t at, bool active = true) {
    Slept = -1;
    FakeMillis = at;
    if (active) NoteInput();
    PaceFrame();
}

TEST(ClockTest, PeriodSurvivesTheWrapShortFramesSleepAndAnIdlePlayerGetsSlowFrames) {
    SetClockOverrides([] { return FakeMillis; }, [] { return int64_t{0}; });
    SetSleepOverride([](int ms) { Slept = ms; });
    Frame(0xFFFFFFF0u);
    Frame(0x00000010u);  // 32 ms across the wrap
    EXPECT_EQ(FramePeriodMs, 32);
    EXPECT_FLOAT_EQ(FrameFactor, 32.0f / 30.0f);
    EXPECT_EQ(Slept, -1);
    Frame(0x00000010u + 19);
    EXPECT_EQ(Slept, 10);

    Frame(3000, false);  // over two seconds without input
    Frame(3030, false);  // 30 ms of drawing: sleep the rest of 100 ms
    EXPECT_EQ(Slept, 70);
    Frame(3130, false);
    EXPECT_FLOAT_EQ(FrameFactor, 100.0f / 30.0f);  // animations keep their speed
    FallingPieces[3].inUse = true;  // a wrong piece falling is watched: full rate
    Frame(3145, false);
    EXPECT_EQ(Slept, 10);
    FallingPieces[3].inUse = false;
    Frame(3155, true);  // any input restores full rate at once
    EXPECT_EQ(Slept, 10);
}

}  // namespace
}  // namespace tessaran
