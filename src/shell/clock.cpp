// Frame scheduling and the play clock.
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
bool FrameWanted = true;
int32_t PacedScreen = -1;
int64_t PacedSecond = 0;

// The end-of-game tally, falling pieces and the score award are quick motions a player watches.
bool SmoothMotionOnScreen() {
    if (ScreenState == ScreenGameOver) return true;
    if ((ScreenState == ScreenGame || ScreenState == ScreenSolver) && LastAward != 0) return true;
    return std::any_of(FallingPieces.begin(), FallingPieces.end(), [](const FallingPiece& p) { return p.inUse; });
}

// Screens whose picture changes only with the clock, the backdrop's drift and input. Every other
// screen has some slow animation of its own (bouncing pieces, a pulse, a caret, a wobble).
bool StillScreen() {
    switch (ScreenState) {
    case ScreenGame: return !CrystalBallActive;
    case ScreenMain:
    case ScreenPicker:
    case ScreenMessage:
    case ScreenConfirm: return true;
    default: return false;
    }
}

}  // namespace

void NoteInput() {
    LastInputMs = MillisecondClock();
    FrameWanted = true;
}

void RequestFrame() { FrameWanted = true; }

void PaceFrame() {
    const uint32_t now = MillisecondClock();
    FramePeriodMs = static_cast<int32_t>(now - FrameStampMs);
    FrameFactor = static_cast<float>(std::min(FramePeriodMs, kIdleFramePeriodMs)) * (1.0f / 30.0f);
    FrameStampMs = now;
    FrameWanted = ScreenState != PacedScreen;  // a new screen is drawn at once
    PacedScreen = ScreenState;
    PacedSecond = CalendarSeconds();
}

int32_t MillisecondsToNextFrame(int32_t msToNextSecond) {
    if (FrameWanted || ScreenState != PacedScreen) return 0;
    const uint32_t now = MillisecondClock();
    const auto since = static_cast<int32_t>(std::min<uint32_t>(now - FrameStampMs, 1u << 30));
    int32_t wait = 0;
    if (now - LastInputMs <= kIdleAfterMs || SmoothMotionOnScreen()) {
        wait = kActiveFrameGapMs - since;
        // Full rate ends with the quiet period; wake then to settle into the slower pace.
        if (!SmoothMotionOnScreen()) wait = std::min(wait, static_cast<int32_t>(kIdleAfterMs - (now - LastInputMs)) + 1);
    } else if (!StillScreen()) {
        wait = kIdleFramePeriodMs - since;
    } else {
        // The game's clock turns every second; elsewhere only the drift moves, every other second.
        const int64_t every = ScreenState == ScreenGame ? 1 : 2;
        const int64_t passed = CalendarSeconds() - PacedSecond;
        if (passed >= every || passed < 0) return 0;
        wait = msToNextSecond + static_cast<int32_t>(every - 1 - passed) * 1000;
    }
    return std::max(wait, 0);
}

void StartPlayClock() { PlayClockStart = CalendarSeconds(); }

int32_t PlayClockSeconds() { return static_cast<int32_t>(CalendarSeconds() - PlayClockStart); }

void ResumePlayClock() { PlayClockStart += PlayClockSeconds() - TimeUsed; }

}  // namespace tessaran
