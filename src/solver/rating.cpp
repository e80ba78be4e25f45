#include "solver/rating.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#include "solver/logic_internal.h"

namespace tessaran {

namespace {

// Calibrated against human-oriented ratings of random minimal puzzles (tools/puzzlegen/README.md).
constexpr std::array<int, kTechniqueCount> kDifficulty = {
    0,   // DeadEnd
    17,  // Single
    15,  // HiddenSingle
    19,  // NakedPair
    32,  // NakedTriple
    50,  // NakedQuad
    18,  // Pointing
    22,  // Claiming
    23,  // HiddenPair
    40,  // HiddenTriple
    54,  // HiddenQuad
    24,  // XWing
    38,  // Swordfish
    52,  // Jellyfish
    33,  // XYWing
    37,  // XYZWing
    48,  // WWing
    43,  // XChain
    60,  // XYChain
    64,  // Aic
    91,  // ForcingChain
};
// Added per square a chain passes through beyond four, and per branch of a forcing chain beyond two.
constexpr int kChainSquare = 3;
constexpr int kForcingBranch = 12;
// The hardest step counts this many times more; every step also adds its own difficulty once.
constexpr int kHardestWeight = 110;

bool IsChain(Technique t) { return t == Technique::XChain || t == Technique::XYChain || t == Technique::Aic; }

// A value with one place left, sections first: a person scans for these before counting a
// square's candidates, so the rating prefers them to the engine's naked single.
bool FindHiddenSingleFirst(const LogicGrid& grid, LogicStep& step) {
    using logic::Geo;
    for (const int unit : {18, 19, 20, 21, 22, 23, 24, 25, 26, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
                           16, 17})
        for (int v = 1; v <= 9; ++v) {
            const unsigned places = logic::PlacesIn(grid, unit, v);
            if (std::popcount(places) != 1) continue;
            const int square = Geo().units[unit][std::countr_zero(places)];
            step = LogicStep{};
            step.technique = Technique::HiddenSingle;
            step.units = {unit};
            step.placements = {{square, v}};
            return true;
        }
    return false;
}

// The engine's techniques in the order a person reaches for them: singles by how easily they are
// seen, then every basic technique before any advanced one, so that the rating's path needs an
// advanced step exactly when the engine's own does.
bool FindRatingStep(const LogicGrid& grid, LogicStep& step) {
    using namespace logic;
    step = LogicStep{};
    if (FindDeadEnd(grid, step)) return true;
    if (IsSolved(grid)) return false;
    return FindHiddenSingleFirst(grid, step) || FindSingle(grid, step) || FindPointing(grid, step) ||
           FindClaiming(grid, step) || FindNakedSubset(grid, 2, step) || FindHiddenSubset(grid, 2, step) ||
           FindNakedSubset(grid, 3, step) || FindHiddenSubset(grid, 3, step) || FindNakedSubset(grid, 4, step) ||
           FindHiddenSubset(grid, 4, step) || FindFish(grid, 2, step) || FindXYWing(grid, step) ||
           FindFish(grid, 3, step) || FindXYZWing(grid, step) || FindWWing(grid, step) || FindFish(grid, 4, step) ||
           FindXChain(grid, step) || FindXYChain(grid, step) || FindAic(grid, step) || FindForcingChain(grid, step);
}

}  // namespace

int StepDifficulty(const LogicStep& step) {
    int difficulty = kDifficulty[static_cast<size_t>(step.technique)];
    const int squares = static_cast<int>(step.pattern.size());
    if (IsChain(step.technique)) difficulty += kChainSquare * std::max(0, squares - 4);
    if (step.technique == Technique::ForcingChain) difficulty += kForcingBranch * std::max(0, squares - 2);
    return difficulty;
}

LogicRating RateLogically(const ValueGrid& values) {
    LogicRating result;
    LogicGrid grid = MakeLogicGrid(values);
    LogicStep step;
    int hardest = 0;
    int total = 0;
    while (FindRatingStep(grid, step)) {
        if (step.technique == Technique::DeadEnd) return LogicRating{};
        const int difficulty = StepDifficulty(step);
        total += difficulty;
        if (difficulty > hardest) {
            hardest = difficulty;
            result.hardest = step.technique;
        }
        ApplyLogicStep(grid, step);
    }
    if (!IsSolved(grid)) return LogicRating{};
    result.solved = true;
    result.rating = kHardestWeight * hardest + total;
    return result;
}

}  // namespace tessaran
