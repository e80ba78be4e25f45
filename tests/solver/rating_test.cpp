// The engine-effort rating: figures checked by hand, the order of puzzles whose hardest steps are
// known, no rating where a trial is needed, and agreement with the engine on when a puzzle needs
// an advanced technique (the generator's levels rest on it).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "solver/logic.h"
#include "solver/rating.h"
#include "solver_support.h"

namespace tessaran::test {
namespace {

TEST(Rating, HandCheckedFigures) {
    const LogicRating solved = RateLogically(Grid(kSolvedGrid));
    EXPECT_TRUE(solved.solved);
    EXPECT_EQ(solved.rating, 0);

    // One open square: a single hidden single of difficulty 15, counted once as the hardest step
    // (110 times) and once as a step.
    std::string one = kSolvedGrid;
    one[40] = '.';
    const LogicRating last = RateLogically(Grid(one));
    EXPECT_TRUE(last.solved);
    EXPECT_EQ(last.hardest, Technique::HiddenSingle);
    EXPECT_EQ(last.rating, 111 * 15);

    // Two more open squares add two steps of the same kind, not a harder one.
    std::string three = one;
    three[0] = three[80] = '.';
    EXPECT_EQ(RateLogically(Grid(three)).rating, 110 * 15 + 3 * 15);
}

TEST(Rating, OrdersPuzzlesByTheirHardestStep) {
    const std::vector<std::string> top95 = DataLines("norvig_top95.txt");
    ASSERT_GE(top95.size(), 47u);
    // Lines of the list, from the easiest hardest step to the hardest.
    const std::vector<std::pair<int, Technique>> ladder = {
        {1, Technique::Pointing}, {18, Technique::HiddenPair}, {47, Technique::XYWing},
        {13, Technique::XChain},  {8, Technique::Aic},         {7, Technique::ForcingChain}};
    int previous = RateLogically(Grid(GoodPuzzle())).rating;
    for (const auto& [line, hardest] : ladder) {
        SCOPED_TRACE("line " + std::to_string(line));
        const LogicRating rated = RateLogically(Grid(top95[static_cast<size_t>(line - 1)]));
        ASSERT_TRUE(rated.solved);
        EXPECT_EQ(rated.hardest, hardest);
        EXPECT_GT(rated.rating, previous);
        previous = rated.rating;
    }
}

TEST(Rating, NoRatingWhereTheEngineNeedsATrialOrTheGridIsWrong) {
    const std::vector<std::string> tour = DataLines("magictour_top1465.txt");
    ASSERT_GE(tour.size(), 2u);
    for (const std::string& grid : {tour[1], std::string(81, '.'), "55" + std::string(79, '.')}) {
        const LogicRating rated = RateLogically(Grid(grid));
        EXPECT_FALSE(rated.solved) << grid;
        EXPECT_EQ(rated.rating, 0) << grid;
    }
}

// The rating takes techniques in its own order; it must finish exactly when the engine's own path
// does, and need an advanced technique only where that path does too, so a puzzle the engine
// teaches without one never rates as needing one. (The converse fails now and then: the engine
// sometimes reaches for a chain where basic steps in another order would do.)
TEST(Rating, NeedsAdvancedStepsOnlyWhereTheEngineDoes) {
    std::vector<std::string> grids = DataLines("norvig_top95.txt");
    const std::vector<std::string> tour = DataLines("magictour_top1465.txt");
    grids.insert(grids.end(), tour.begin(), tour.begin() + 150);
    for (const std::string& text : grids) {
        const ValueGrid grid = Grid(text);
        const LogicSolve path = SolveLogically(grid);
        const LogicRating rated = RateLogically(grid);
        ASSERT_EQ(rated.solved, path.outcome == LogicOutcome::Solved) << text;
        if (!rated.solved) continue;
        bool advanced = false;
        for (const LogicStep& step : path.steps) advanced = advanced || IsAdvanced(step.technique);
        EXPECT_TRUE(advanced || !IsAdvanced(rated.hardest)) << text;
    }
}

}  // namespace
}  // namespace tessaran::test
