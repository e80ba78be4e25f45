// The solution search: exact step counts and results, the step limit, conflicting givens, and the
// fast search agreeing step for step with the plain reference on thousands of grids.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <tuple>

#include "solver/search.h"
#include "solver_support.h"
#include "support/reference_search.h"

namespace tessaran::test {
namespace {

// Searches with both and expects the same code, steps and solution; returns the fast result.
SearchResult Checked(const ValueGrid& grid, bool fill, int64_t limit = SearchLimit) {
    const SearchResult fast = SearchGrid(grid, fill, limit), plain = reference::CountSolutions(grid, fill, limit);
    EXPECT_EQ(std::tuple(fast.code, fast.steps, fast.code < 1 ? ValueGrid{} : fast.solution),
              std::tuple(plain.code, plain.steps, plain.code < 1 ? ValueGrid{} : plain.solution))
        << FormatGrid(grid) << " fill " << fill;
    return fast;
}

TEST(Search, ExactStepsAndAnswers) {
    // One empty square (the first's answer is 6, the last's 4): its tries, a step for each given
    // passed after it, and without fill the remaining tries and the one past 9.
    const std::string solved = kSolvedGrid, first = "." + solved.substr(1), last = solved.substr(0, 80) + ".";
    // Steps -1: not pinned.
    const struct { std::string grid; bool fill; int code; int64_t steps; std::string solution; } cases[] = {
        {first, true, SearchOneSolution, 86, solved},  {first, false, SearchOneSolution, 90, solved},
        {last, true, SearchOneSolution, 4, solved},    {last, false, SearchOneSolution, 10, solved},
        {solved, false, SearchOneSolution, 0, solved}, {GoodPuzzle(), false, SearchOneSolution, 2145, solved},
        {std::string(81, '.'), false, SearchManySolutions, 3735,
         "123456789456789123789123456214365897365897214897214365531642978642978531978531642"},
        {DataLines("serg_multisolution_first100.txt")[0], false, SearchManySolutions, -1, ""},
        {Exhausting(), false, SearchTooDifficult, SearchLimit + 1, ""},
        {Exhausting(), true, SearchTooDifficult, SearchLimit + 1, ""},
    };
    for (const auto& c : cases) {
        const SearchResult r = Checked(Grid(c.grid), c.fill);
        EXPECT_EQ(r.code, c.code) << c.grid;
        EXPECT_EQ(c.steps < 0 ? -1 : r.steps, c.steps) << c.grid;
        EXPECT_EQ(c.solution.empty() ? "" : FormatGrid(r.solution), c.solution) << c.grid;
    }
    // Mended: two squares of row 0 swapped in a solved grid make clashes in columns 0 and 4 that
    // balance out; the search alone completes the grid, but the count must refuse it.
    const ValueGrid swapped = Grid("85246391797816..3..1.97..2.825....497.1.24563.3.51.87..693...5154...138.1.365.29.");
    EXPECT_EQ(Checked(swapped, false).code, SearchOneSolution);
    EXPECT_TRUE(GivensConflict(swapped));
    for (const bool fill : {false, true}) EXPECT_EQ(CountGridSolutions(swapped, fill).code, SearchNoSolution);
}

TEST(Search, PublishedAnswersAndTheLimitOnEveryEdgeCase) {
    int longChecked = 0;
    for (const EdgeCase& edge : EdgeCases()) {
        const SearchResult full = SearchGrid(Grid(edge.grid), false);
        if (full.code == SearchTooDifficult) continue;
        EXPECT_EQ(full.code, std::min(edge.solutions, 2)) << edge.source;
        if (full.steps > 1'000'000) {  // the longest searches, step for step
            Checked(Grid(edge.grid), false);
            ++longChecked;
        } else if (full.steps <= 200'000) {
            // A search that needs S steps finishes with a limit of S and runs out with S - 1.
            EXPECT_EQ(Checked(Grid(edge.grid), false, full.steps).code, full.code) << edge.source;
            EXPECT_EQ(Checked(Grid(edge.grid), false, full.steps - 1).code, SearchTooDifficult) << edge.source;
        }
    }
    EXPECT_GE(longChecked, 2);
}

// A solved grid relabelled and perhaps transposed (both keep it valid), then thinned out,
// sometimes with stray givens added that may clash or dead-end.
ValueGrid MakeGrid(std::mt19937& rng) {
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    std::array<uint8_t, 10> relabel{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::shuffle(relabel.begin() + 1, relabel.end(), rng);
    const bool transpose = pick(0, 1) == 1;
    const int kind = pick(0, 9), keep = kind < 8 ? pick(30, 95) : 0;
    ValueGrid grid{};
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const auto v = static_cast<size_t>(kSolvedGrid[transpose ? GridIndex(r, c) : GridIndex(c, r)] - '0');
            if (pick(0, 99) < keep) grid[static_cast<size_t>(GridIndex(c, r))] = relabel[v];
        }
    for (int s = kind >= 6 ? pick(1, 6) : 0; s > 0; --s) {
        ValueGrid trial = grid;
        trial[static_cast<size_t>(pick(0, 80))] = static_cast<uint8_t>(pick(1, 9));
        if (kind == 9 || !GivensConflict(trial)) grid = trial;
    }
    return grid;
}

TEST(Search, FastMatchesPlainOnGeneratedGrids) {
    std::mt19937 rng(20240611);
    std::map<int, int> codes;
    for (int i = 0; i < 3000 && !HasFailure(); ++i) {
        const ValueGrid grid = MakeGrid(rng);
        for (const bool fill : {false, true}) {
            const SearchResult r = Checked(grid, fill, 20'000);  // a low limit, so running out is compared too
            if (!fill) ++codes[GivensConflict(grid) ? 99 : r.code];
        }
    }
    // Every outcome, and grids with clashing givens, must have been exercised.
    for (const int code : {-1, 0, 1, 2, 99}) EXPECT_GE(codes[code], 20) << "too few grids with code " << code;
}

}  // namespace
}  // namespace tessaran::test
