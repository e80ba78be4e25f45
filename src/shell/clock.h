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
// 10 ms after a frame shorter than 20 ms.
void PaceFrame();
void StartPlayClock();
int32_t PlayClockSeconds();
// Moves the play clock forward by the time a pause or question was open (TimeUsed was frozen then).
void ResumePlayClock();

}  // namespace tessaran
