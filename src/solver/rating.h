// How hard a grid is for a person who solves it with the logic engine's techniques: the effort of
// the engine's path, cheapest technique first, each step weighed by the difficulty of its
// technique and the hardest step weighed most. A grid the engine cannot finish without a trial
// has no rating. Weights and how they were found: tools/puzzlegen/README.md.
#pragma once

#include "solver/grid.h"
#include "solver/logic.h"

namespace tessaran {

struct LogicRating {
    bool solved = false;  // false: stuck (a trial is needed) or a dead end
    int rating = 0;       // 0 when not solved
    Technique hardest = Technique::Single;  // the technique of the hardest step taken
};

// Difficulty of one step: its technique's, and for chains and forcing chains more with every
// square they pass through or branch they follow.
int StepDifficulty(const LogicStep& step);

LogicRating RateLogically(const ValueGrid& values);

}  // namespace tessaran
