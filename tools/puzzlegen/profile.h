// What the game's logic engine makes of a puzzle: the techniques its own path takes (what
// `tessaran-cli teach` shows, and what the levels are sorted by) and the engine-effort rating.
#pragma once

#include <cstdint>

#include "checker.h"
#include "solver/logic.h"

namespace puzzlegen {

struct EngineProfile {
    bool solved = false;          // the engine's path ends on the solution, without a trial
    bool hiddenSingles = false;   // that path takes at least one hidden single
    bool basic = false;           // ... a subset, pointing or claiming
    bool advanced = false;        // ... an advanced technique (fish, wings, chains)
    int rating = 0;               // RateLogically: the level's stored rating grows with it
    int searchingSteps = 0;       // steps of the engine's path past single values: breaks ties
    tessaran::Technique hardest = tessaran::Technique::Single;  // the rating's hardest step
};

// The order of difficulty within a level: the rating, then the searching steps.
inline int64_t DifficultyKey(const EngineProfile& p) { return int64_t{p.rating} * 1000 + p.searchingSteps; }

EngineProfile ProfilePuzzle(const Grid& givens, const Grid& solution);

}  // namespace puzzlegen
