// The end-of-game summary's timeline: a panel slides in over the finished board, counts up the
// completion bonus, the time, the time bonus and the mistakes, then records the score. Rules only,
// so it can be tested; DrawSummary (summary.h) draws it over the game screen.
#pragma once

#include <cstdint>

namespace tessaran {

inline constexpr int32_t ParTimes[5] = {600, 1200, 1200, 2400, 3600};  // seconds, by level

// Timer values at which the four values appear and their awards are given.
inline constexpr float kSummaryCompletion = 200.0f, kSummaryTime = 300.0f, kSummaryBonus = 400.0f,
                       kSummaryMistakes = 500.0f, kSummaryEnd = 800.0f;

// (level + 1) x 1000.
int32_t CompletionBonus(int32_t level);
// trunc((par - seconds) / par x (level + 1) x 1000), and 0 when below 100.
int32_t RawTimeBonus(int32_t level, int32_t seconds);
// From the mistakes row on: doubled without mistakes, else divided by mistakes + 1.
int32_t AdjustedTimeBonus(int32_t raw, int32_t mistakes);
// The time bonus as the summary shows it at `timer`.
int32_t ShownTimeBonus(float timer);

// One frame of the timeline: the timer advances (a click skips 100), and every award whose time
// has come is given once, in order: completion bonus, time, time bonus, mistakes with the time
// bonus; after 800 the main screen and RecordScore. Returns the slide position s (0..100).
float AdvanceSummary(bool clicked);

}  // namespace tessaran
