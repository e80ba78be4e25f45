#include "profile.h"

#include "solver/rating.h"

namespace puzzlegen {

EngineProfile ProfilePuzzle(const Grid& givens, const Grid& solution) {
    using tessaran::Technique;
    EngineProfile profile;
    // Grid and ValueGrid share the row-by-row layout.
    const tessaran::LogicSolve path = tessaran::SolveLogically(givens);
    if (path.outcome != tessaran::LogicOutcome::Solved || path.end.values != solution) return profile;
    for (const tessaran::LogicStep& step : path.steps) {
        profile.searchingSteps += step.technique != Technique::Single;
        profile.hiddenSingles = profile.hiddenSingles || step.technique == Technique::HiddenSingle;
        profile.advanced = profile.advanced || tessaran::IsAdvanced(step.technique);
        profile.basic = profile.basic || (step.technique > Technique::HiddenSingle && !tessaran::IsAdvanced(step.technique));
    }
    const tessaran::LogicRating rating = tessaran::RateLogically(givens);
    if (!rating.solved) return profile;
    profile.solved = true;
    profile.rating = rating.rating;
    profile.hardest = rating.hardest;
    return profile;
}

}  // namespace puzzlegen
