// Frame pacing and the play clock.
#include "shell/clock.h"

#include "game/game_state.h"
#include "platform/platform.h"

namespace tessaran {

int32_t FramePeriodMs = 0;
float FrameFactor = 1.0f;
uint32_t FrameStampMs = 0;
int64_t PlayClockStart = 0;

void PaceFrame() {
    uint32_t now = MillisecondClock();
    FramePeriodMs = static_cast<int32_t>(now - FrameStampMs);
    FrameFactor = static_cast<float>(FramePeriodMs) * (1.0f / 30.0f);
    FrameStampMs = now;
    if (FramePeriodMs < 20) SleepMilliseconds(10);
}

void StartPlayClock() { PlayClockStart = CalendarSeconds(); }

int32_t PlayClockSeconds() { return static_cast<int32_t>(CalendarSeconds() - PlayClockStart); }

void ResumePlayClock() { PlayClockStart += PlayClockSeconds() - TimeUsed; }

}  // namespace tessaran
