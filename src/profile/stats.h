// Statistics of started and won games, and the run-time state of the score panel and summary.
// Every game counts overall; with a profile in use it also counts under that profile.
#pragma once

#include <cstdint>

namespace tessaran {

extern bool ShowMyScores;       // the panel shows the player page; forced off without a profile
extern int32_t HighlightRow;    // rank of the overall table drawn highlighted; 99 = none
extern bool PendingPlayerNote;  // the main screen owes the "Please Note" reminder
extern float SummaryTimer;      // end-of-game summary animation, 0 when a game is won
extern int32_t SummaryStage;    // 0..4, the summary's awards given so far

inline constexpr int32_t kNoHighlight = 99;

// Counts a game that starts at the current difficulty (overall, and under the current player).
void CountGameStarted();
// A game just won: the win sound, the summary screen, the won flag of a library puzzle (not
// for a game started from the solver), the frozen clock and, without mistakes or hints, an
// error-free win.
void CountGameWon();

}  // namespace tessaran
