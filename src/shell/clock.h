// Frame pacing and the play clock. Animations multiply their per-frame step by FrameFactor,
// so their speed does not depend on the frame rate.
#pragma once

#include <cstdint>

namespace tessaran {

extern int32_t FramePeriodMs;   // milliseconds between the last two PaceFrame calls
extern float FrameFactor;       // FramePeriodMs / 30: 1.0 is one 30 ms step
extern uint32_t FrameStampMs;   // clock reading of the latest PaceFrame
extern int64_t PlayClockStart;  // calendar seconds at which the current game's clock started

// Measures the frame just ended (the unsigned difference survives the clock's wrap) and sleeps
// 10 ms after a frame shorter than 20 ms. Once the player has left keyboard and mouse alone for
// a while and nothing on screen needs smooth motion, frames are spaced to kIdleFramePeriodMs,
// so a game left open does not keep a processor core busy; FrameFactor keeps every animation
// at its speed.
void PaceFrame();
// Called by the input handlers for every event: full frame rate again at once.
void NoteInput();
inline constexpr uint32_t kIdleAfterMs = 2000;
inline constexpr int32_t kIdleFramePeriodMs = 100;
void StartPlayClock();
int32_t PlayClockSeconds();
// Moves the play clock forward by the time a pause or question was open (TimeUsed was frozen then).
void ResumePlayClock();

}  // namespace tessaran
