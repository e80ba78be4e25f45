// Frame scheduling and the play clock. Animations multiply their per-frame step by FrameFactor,
// so their speed does not depend on the frame rate.
#pragma once

#include <cstdint>

namespace tessaran {

extern int32_t FramePeriodMs;   // milliseconds between the last two PaceFrame calls
extern float FrameFactor;       // FramePeriodMs / 30 (at most kIdleFramePeriodMs / 30)
extern uint32_t FrameStampMs;   // clock reading of the latest PaceFrame
extern int64_t PlayClockStart;  // calendar seconds at which the current game's clock started

// Measures the frame just ended (the unsigned difference survives the clock's wrap). A frame
// after a long rest moves animations no further than an idle-rate frame would, so nothing
// jumps when the picture wakes up.
void PaceFrame();
// Called by the input handlers for every event: the next frame is drawn at once, and frames
// run at full rate until the player has been still for kIdleAfterMs.
void NoteInput();
// Something outside the frame loop changed the picture: draw it at once.
void RequestFrame();

// How long the frame loop may wait for input before the next frame is due; 0 = draw now.
// A picture is redrawn only when it changes: at full rate for input, quick motions and the
// seconds after input; every kIdleFramePeriodMs for screens with a slow ambient animation;
// and for still screens once a calendar second on the game screen (its clock), every other
// second elsewhere (the backdrop's drift).
// `msToNextSecond` is how long until the calendar second changes.
int32_t MillisecondsToNextFrame(int32_t msToNextSecond);

inline constexpr uint32_t kIdleAfterMs = 2000;
inline constexpr int32_t kIdleFramePeriodMs = 100;
inline constexpr int32_t kActiveFrameGapMs = 10;  // rest between quick frames, as at full rate

void StartPlayClock();
int32_t PlayClockSeconds();
// Moves the play clock forward by the time a pause or question was open (TimeUsed was frozen then).
void ResumePlayClock();

}  // namespace tessaran
