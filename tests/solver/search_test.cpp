// The solution search: exact step counts on hand-counted grids, each class of grid, the limit,
// and the fast search agreeing with the plain reference on thousands of grids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <array>
#include <map>
#include <random>

#include "solver/search.h"
#include "solver_support.h"
#include "support/reference_search.h"

namespace tessaran::test {
namespace {

struct Both {
    SearchResult fast, plain;
};

Both Search(const ValueGrid& grid, bool fill, int64_t limit = SearchLimit) {
    return {SearchGrid(grid, fill, limit), reference::CountSolutions(grid, fill, limit)};
}

void ExpectSame(const SearchResult& fast, const SearchResult& plain, const std::string& what) {
    EXPECT_EQ(fast.code, plain.code) << what;
    EXPECT_EQ(fast.steps, plain.steps) << what;
    if (fast.code >= 1 && plain.code >= 1) {
        EXPECT_EQ(FormatGrid(fast.solution), FormatGrid(plain.solution)) << what;
    }
}

std::string WithSquare(std::string grid, int position, char value) {
    grid[static_cast<size_t>(position)] = value;
    return grid;
}

// One empty square: its tries, plus a step for each given passed after it; after the solution,
// the remaining tries and the one past 9.
TEST(SearchSteps, CountedByHandOnOneEmptySquare) {
    const std::string solved = kSolvedGrid;
    // First square empty (its answer is 6): 6 tries + 80 givens passed; then 7, 8, 9 and 10.
    const ValueGrid first = Grid(WithSquare(solved, 0, '.'));
    for (const auto& [fill, steps, code] : {std::tuple{true, 86, 1}, std::tuple{false, 90, 1}}) {
        const Both both = Search(first, fill);
        EXPECT_EQ(both.fast.code, code);
        EXPECT_EQ(both.fast.steps, steps) << "fill " << fill;
        ExpectSame(both.fast, both.plain, "first square empty");
        EXPECT_EQ(FormatGrid(both.fast.solution), solved);
    }
    // Last square empty (answer 4): 4 tries; then 5..9 and 10, with nothing to pass.
    const ValueGrid last = Grid(WithSquare(solved, 80, '.'));
    EXPECT_EQ(Search(last, true).fast.steps, 4);
    const Both both = Search(last, false);
    EXPECT_EQ(both.fast.steps, 10);
    ExpectSame(both.fast, both.plain, "last square empty");
}

TEST(SearchSteps, BackingUpOverGivensIsFree) {
    // Row 0 empty but its last square: each pass over that given costs a step only forward.
    std::string text = kSolvedGrid;
    for (int p = 0; p < 8; ++p) text[static_cast<size_t>(p)] = '.';
    const Both both = Search(Grid(text), false);
    EXPECT_EQ(both.fast.code, SearchOneSolution);
    ExpectSame(both.fast, both.plain, "row 0 open");
}

TEST(SearchClasses, KnownAnswers) {
    // Complete grid: one solution, no steps.
    Both both = Search(Grid(kSolvedGrid), false);
    EXPECT_EQ(both.fast.code, SearchOneSolution);
    EXPECT_EQ(both.fast.steps, 0);
    ExpectSame(both.fast, both.plain, "solved");

    // Empty grid: the second solution turns up at once.
    both = Search(Grid(std::string(81, '.')), false);
    EXPECT_EQ(both.fast.code, SearchManySolutions);
    EXPECT_EQ(both.fast.steps, 3735);
    EXPECT_EQ(FormatGrid(both.fast.solution),
              "123456789456789123789123456214365897365897214897214365531642978642978531978531642");
    ExpectSame(both.fast, both.plain, "empty");

    // Unique, with the published solution.
    const std::vector<EdgeCase> edges = EdgeCases();
    both = Search(Grid(edges[0].grid), false);
    EXPECT_EQ(both.fast.code, SearchOneSolution);
    EXPECT_EQ(both.fast.steps, 2145);
    EXPECT_EQ(FormatGrid(both.fast.solution), kSolvedGrid);
    ExpectSame(both.fast, both.plain, "unique");

    // Several solutions.
    const std::string several = DataLines("serg_multisolution_first100.txt")[0];
    both = Search(Grid(several), false);
    EXPECT_EQ(both.fast.code, SearchManySolutions);
    ExpectSame(both.fast, both.plain, "several");
}

TEST(SearchClasses, ConflictingGivensHaveNoSolution) {
    auto twoGivens = [](int a, int b, char value) {
        std::string text(81, '.');
        text[static_cast<size_t>(a)] = text[static_cast<size_t>(b)] = value;
        return text;
    };
    const std::string rowClash = twoGivens(0, 3, '5');       // row 0, columns 0 and 3
    const std::string columnClash = twoGivens(0, 27, '7');   // column 0, rows 0 and 3
    const std::string sectionClash = twoGivens(0, 10, '3');  // section 0, (0, 0) and (1, 1)
    for (const std::string& text : {rowClash, columnClash, sectionClash}) {
        const ValueGrid grid = Grid(text);
        EXPECT_TRUE(GivensConflict(grid)) << text;
        const SearchResult counted = CountGridSolutions(grid, false);
        EXPECT_EQ(counted.code, SearchNoSolution) << text;
        EXPECT_EQ(counted.steps, 0);
        EXPECT_EQ(CountGridSolutions(grid, true).code, SearchNoSolution);
    }
    // Two squares of row 0 swapped in a solved grid: the clashes in columns 0 and 4 balance out,
    // so the unchecked search completes the grid and would call it a good puzzle.
    const ValueGrid swapped =
        Grid("85246391797816..3..1.97..2.825....497.1.24563.3.51.87..693...5154...138.1.365.29.");
    EXPECT_TRUE(GivensConflict(swapped));
    EXPECT_EQ(SearchGrid(swapped, false).code, SearchOneSolution);
    EXPECT_EQ(reference::CountSolutions(swapped, false).code, SearchOneSolution);
    EXPECT_EQ(CountGridSolutions(swapped, false).code, SearchNoSolution);
    EXPECT_EQ(CountGridSolutions(swapped, true).code, SearchNoSolution);

    // A unique puzzle stays unique; one clashing given added to it makes it unsolvable.
    const ValueGrid puzzle = Grid(EdgeCases()[0].grid);
    EXPECT_FALSE(GivensConflict(puzzle));
    EXPECT_EQ(CountGridSolutions(puzzle, false).code, SearchOneSolution);
    ValueGrid clashing = puzzle;
    clashing[0] = 5;  // row 0 already holds a 5
    EXPECT_TRUE(GivensConflict(clashing));
    EXPECT_EQ(CountGridSolutions(clashing, false).code, SearchNoSolution);
}

TEST(SearchLimit, ExhaustingGridStopsJustPastTheLimit) {
    // A 17-given grid with an empty first row: hostile to a row-by-row search.
    const std::vector<EdgeCase> edges = EdgeCases();
    const auto killer = std::find_if(edges.begin(), edges.end(), [](const EdgeCase& e) {
        return e.source.find("naive_backtracking_killer_2") != std::string::npos;
    });
    ASSERT_NE(killer, edges.end());
    const ValueGrid grid = Grid(killer->grid);
    const Both both = Search(grid, false);
    EXPECT_EQ(both.fast.code, SearchTooDifficult);
    EXPECT_EQ(both.fast.steps, SearchLimit + 1);
    ExpectSame(both.fast, both.plain, "killer");
    EXPECT_EQ(SearchGrid(grid, true).code, SearchTooDifficult);
}

TEST(SearchLimit, ExactBoundary) {
    // A search that needs S steps finishes with a limit of S and runs out with S - 1.
    for (const EdgeCase& edge : EdgeCases()) {
        if (edge.solutions > 100) continue;
        const ValueGrid grid = Grid(edge.grid);
        const SearchResult full = SearchGrid(grid, false, 200'000);
        if (full.code == SearchTooDifficult) continue;
        for (const int64_t limit : {full.steps, full.steps - 1}) {
            const Both both = Search(grid, false, limit);
            ExpectSame(both.fast, both.plain, edge.source);
            if (limit == full.steps) {
                EXPECT_EQ(both.fast.code, full.code);
            } else {
                EXPECT_EQ(both.fast.code, SearchTooDifficult);
                EXPECT_EQ(both.fast.steps, full.steps);
            }
        }
    }
}

// Grids for the agreement test: a solved grid relabelled and shuffled in the ways that keep it
// valid, then thinned out, sometimes with stray givens added (which may clash or dead-end).
class GridMaker {
public:
    explicit GridMaker(uint32_t seed) : rng_(seed) {}

    ValueGrid Next() {
        ValueGrid solved = Shuffled(Grid(kSolvedGrid));
        ValueGrid grid{};
        const int kind = Pick(0, 9);
        const double keep = kind < 8 ? 0.3 + 0.65 * Unit() : 0.0;
        for (int p = 0; p < kCellCount; ++p)
            if (Unit() < keep) grid[static_cast<size_t>(p)] = solved[static_cast<size_t>(p)];
        // Stray givens: some clash, the others are legal but usually leave no solution.
        const int strays = kind >= 6 ? Pick(1, 6) : 0;
        const bool clash = kind == 9;
        for (int s = 0; s < strays; ++s) {
            ValueGrid trial = grid;
            trial[static_cast<size_t>(Pick(0, 80))] = static_cast<uint8_t>(Pick(1, 9));
            if (clash || !GivensConflict(trial)) grid = trial;
        }
        return grid;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    double Unit() { return std::uniform_real_distribution<double>(0.0, 1.0)(rng_); }

    ValueGrid Shuffled(const ValueGrid& in) {
        std::array<uint8_t, 10> relabel{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        std::shuffle(relabel.begin() + 1, relabel.end(), rng_);
        std::array<int, 9> rows{}, columns{};
        Order(rows);
        Order(columns);
        const bool transpose = Pick(0, 1) == 1;
        ValueGrid out{};
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c) {
                const int from = transpose ? GridIndex(rows[r], columns[c]) : GridIndex(columns[c], rows[r]);
                out[static_cast<size_t>(GridIndex(c, r))] = relabel[in[static_cast<size_t>(from)]];
            }
        return out;
    }

    // Bands shuffled, and lines within each band.
    void Order(std::array<int, 9>& lines) {
        std::array<int, 3> bands{0, 1, 2};
        std::shuffle(bands.begin(), bands.end(), rng_);
        for (int b = 0; b < 3; ++b) {
            std::array<int, 3> within{0, 1, 2};
            std::shuffle(within.begin(), within.end(), rng_);
            for (int k = 0; k < 3; ++k) lines[static_cast<size_t>(3 * b + k)] = 3 * bands[b] + within[k];
        }
    }

    std::mt19937 rng_;
};

TEST(SearchAgreement, FastMatchesPlainOnGeneratedGrids) {
    constexpr uint32_t kSeed = 20240611;
    constexpr int kGrids = 3000;
    constexpr int64_t kLimit = 20'000;  // low, so running out is compared too
    SCOPED_TRACE("seed " + std::to_string(kSeed));
    GridMaker maker(kSeed);
    std::map<int, int> codes;
    int mismatches = 0;
    for (int i = 0; i < kGrids && mismatches < 5; ++i) {
        const ValueGrid grid = maker.Next();
        for (const bool fill : {false, true}) {
            const Both both = Search(grid, fill, kLimit);
            const bool same = both.fast.code == both.plain.code && both.fast.steps == both.plain.steps &&
                              (both.fast.code < 1 || both.fast.solution == both.plain.solution);
            if (!same) {
                ++mismatches;
                ADD_FAILURE() << "grid " << i << " fill " << fill << ": " << FormatGrid(grid) << " fast "
                              << both.fast.code << "/" << both.fast.steps << " plain " << both.plain.code << "/"
                              << both.plain.steps;
            }
            if (!fill) ++codes[GivensConflict(grid) ? 99 : both.fast.code];
        }
    }
    // Every outcome, and grids with clashing givens, must have been exercised.
    for (const int code : {-1, 0, 1, 2, 99}) EXPECT_GE(codes[code], 20) << "too few grids with code " << code;
    std::printf("outcomes (99 = clashing givens):");
    for (const auto& [code, count] : codes) std::printf(" %d:%d", code, count);
    std::printf("\n");
}

TEST(SearchAgreement, LongSearchesAtTheFullLimit) {
    // The published answers, and the longest searches of the edge cases, step for step.
    int checked = 0;
    for (const EdgeCase& edge : EdgeCases()) {
        const SearchResult fast = SearchGrid(Grid(edge.grid), false);
        if (fast.code != SearchTooDifficult) {
            EXPECT_EQ(fast.code, std::min(edge.solutions, 2)) << edge.source;
        }
        if (fast.steps > 1'000'000 && fast.code != SearchTooDifficult) {
            ExpectSame(fast, reference::CountSolutions(Grid(edge.grid), false), edge.source);
            ++checked;
        }
    }
    EXPECT_GE(checked, 2);
}

}  // namespace
}  // namespace tessaran::test
