// The solution search: exact step counts on hand-counted grids, each class of grid, the limit,
// and the fast search agreeing with the plain reference on thousands of grids.
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

// One empty square: its tries, plus a step for each given passed after it; after the solution,
// the remaining tries and the one past 9. The first square's answer is 6, the last one's 4.
TEST(SearchSteps, CountedByHandOnOneEmptySquare) {
    for (const auto& [position, fill, steps] :
         {std::tuple{0, true, 86}, {0, false, 90}, {80, true, 4}, {80, false, 10}}) {
        std::string text = kSolvedGrid;
        text[static_cast<size_t>(position)] = '.';
        const Both both = Search(Grid(text), fill);
        EXPECT_EQ(both.fast.code, SearchOneSolution);
        EXPECT_EQ(both.fast.steps, steps) << position << " fill " << fill;
        ExpectSame(both.fast, both.plain, text);
        EXPECT_EQ(FormatGrid(both.fast.solution), kSolvedGrid);
    }
}

TEST(SearchClasses, KnownAnswers) {
    // Solved: no steps. Empty: the second solution turns up at once. Unique: the published answer.
    const std::string empty = "123456789456789123789123456214365897365897214897214365531642978642978531978531642";
    const struct {
        std::string grid;
        int code;
        int64_t steps;
        std::string solution;
    } cases[] = {
        {kSolvedGrid, SearchOneSolution, 0, kSolvedGrid},
        {std::string(81, '.'), SearchManySolutions, 3735, empty},
        {EdgeCases()[0].grid, SearchOneSolution, 2145, kSolvedGrid},
        {DataLines("serg_multisolution_first100.txt")[0], SearchManySolutions, -1, ""},
    };
    for (const auto& c : cases) {
        const Both both = Search(Grid(c.grid), false);
        EXPECT_EQ(both.fast.code, c.code) << c.grid;
        if (c.steps >= 0) {
            EXPECT_EQ(both.fast.steps, c.steps) << c.grid;
        }
        if (!c.solution.empty()) {
            EXPECT_EQ(FormatGrid(both.fast.solution), c.solution) << c.grid;
        }
        ExpectSame(both.fast, both.plain, c.grid);
    }
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
        EXPECT_EQ(CountGridSolutions(grid, false).code, SearchNoSolution) << text;
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

TEST(SearchLimit, StopsJustPastTheLimit) {
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

    // A search that needs S steps finishes with a limit of S and runs out with S - 1.
    for (const EdgeCase& edge : EdgeCases()) {
        if (edge.solutions > 100) continue;
        const SearchResult full = SearchGrid(Grid(edge.grid), false, 200'000);
        if (full.code == SearchTooDifficult) continue;
        for (const int64_t limit : {full.steps, full.steps - 1}) {
            const Both at = Search(Grid(edge.grid), false, limit);
            ExpectSame(at.fast, at.plain, edge.source);
            EXPECT_EQ(at.fast.code, limit == full.steps ? full.code : SearchTooDifficult) << edge.source;
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
