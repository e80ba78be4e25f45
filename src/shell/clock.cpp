// Frame pacing and the play clock.
#include "shell/clock.h"

#include <algorithm>

#include "game/game_state.h"
#include "platform/platform.h"
#include "shell/screens.h"

namespace tessaran {

int32_t FramePeriodMs = 0;
float FrameFactor = 1.0f;
uint32_t FrameStampMs = 0;
int64_t PlayClockStart = 0;

namespace {

uint32_t LastInputMs = 0;
int32_t LastSleepMs = 0;

// The end-of-game tally and falling pieces are quick motions a player watches.
bool SmoothMotionOnScreen() {
    if (ScreenState == ScreenGameOver) return true;
    return std::any_of(FallingPieces.begin(), FallingPieces.end(), [](const FallingPiece& p) { return p.inUse; });
}

}  // namespace

void NoteInput() { LastInputMs = MillisecondClock(); }

void PaceFrame() {
    uint32_t now = MillisecondClock();
    FramePeriodMs = static_cast<int32_t>(now - FrameStampMs);
    FrameFactor = static_cast<float>(FramePeriodMs) * (1.0f / 30.0f);
    FrameStampMs = now;
    int32_t work = FramePeriodMs - LastSleepMs;  // the frame's own drawing time
    LastSleepMs = 0;
    if (now - LastInputMs > kIdleAfterMs && !SmoothMotionOnScreen()) {
        if (work < kIdleFramePeriodMs) LastSleepMs = kIdleFramePeriodMs - work;
    } else if (FramePeriodMs < 20) {
        LastSleepMs = 10;
    }
    if (LastSleepMs > 0) SleepMilliseconds(LastSleepMs);
}

void StartPlayClock() { PlayClockStart = CalendarSeconds(); }

int32_t PlayClockSeconds() { return static_cast<int32_t>(CalendarSeconds() - PlayClockStart); }

void ResumePlayClock() { PlayClockStart += PlayClockSeconds() - TimeUsed; }

}  // namespace tessaran
