// The summary's timeline: each award given once, at its timer value, whatever the frame rate
// or the clicks that skip ahead.
#include <algorithm>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "profile/summary_timeline.h"
#include "shell/clock.h"
#include "shell/screens.h"

namespace tessaran {

namespace {

int32_t SummaryLevel() { return std::clamp(Prefs.difficulty, 0, kLevelCount - 1); }

}  // namespace

int32_t CompletionBonus(int32_t level) { return (std::clamp(level, 0, kLevelCount - 1) + 1) * 1000; }

int32_t RawTimeBonus(int32_t level, int32_t seconds) {
    level = std::clamp(level, 0, kLevelCount - 1);
    const double par = ParTimes[level];
    const double bonus = (par - seconds) / par * (level + 1) * 1000.0;
    // A game slower than its par time earns nothing (and a huge time must not overflow).
    if (bonus < 100.0) return 0;
    return static_cast<int32_t>(bonus);
}

int32_t AdjustedTimeBonus(int32_t raw, int32_t mistakes) {
    if (mistakes == 0) return raw * 2;
    return static_cast<int32_t>(raw / (mistakes + 1.0));
}

int32_t ShownTimeBonus(float timer) {
    const int32_t raw = RawTimeBonus(SummaryLevel(), TimeUsed);
    return timer > kSummaryMistakes ? AdjustedTimeBonus(raw, MistakeCount) : raw;
}

float AdvanceSummary(bool clicked) {
    SummaryTimer += FrameFactor * 1.5f;
    if (clicked) SummaryTimer += 100.0f;
    if (SummaryTimer < 100.0f) SummaryTimer += FrameFactor;
    const float t = SummaryTimer;
    const int32_t level = SummaryLevel();

    if (t > kSummaryCompletion && SummaryStage == 0) {
        SummaryStage = 1;
        AddToScore(CompletionBonus(level));
        PlaySound(SoundPop);
    }
    if (t > kSummaryTime && SummaryStage == 1) {
        SummaryStage = 2;
        PlaySound(SoundPop);
    }
    if (t > kSummaryBonus && SummaryStage == 2) {
        SummaryStage = 3;
        PlaySound(SoundPop);
    }
    if (t > kSummaryMistakes && SummaryStage == 3) {
        SummaryStage = 4;
        PlaySound(MistakeCount == 0 ? SoundGoodMove : SoundBadMove);
        if (!SolverGame) AddToScore(ShownTimeBonus(t));
    }
    if (t > kSummaryEnd && SummaryStage == 4) {
        GoToScreen(ScreenMain);
        RecordScore();
    }
    return std::min(t, 100.0f);
}

}  // namespace tessaran
