// The puzzle libraries as the game carries them: counts, givens, single solutions by the game's own
// counter, ratings, no repeated puzzle, the techniques each level demands, and the help pages'
// demonstration puzzle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "game/board.h"
#include "game/puzzles.h"
#include "platform/platform.h"
#include "rater.h"
#include "solver/solver.h"

namespace tessaran {
namespace {

struct Library {
    int number;
    const char* name;
    int records, minGivens, maxGivens, minRating, maxRating;
};

constexpr Library kLibraries[] = {{30, "LEVEL30", 1000, 59, 60, 21, 22},   {20, "LEVEL20", 1000, 39, 40, 41, 296},
                                  {12, "LEVEL12", 1000, 23, 24, 101, 199}, {99, "LEVEL99", 1000, 23, 24, 201, 960},
                                  {0, "LEVEL0", 1, 24, 24, 761, 761}};

const char* const kRegenerate =
    " (regenerate with: tessaran-puzzlegen --seed 2026 --out data/levels, see tools/puzzlegen/README.md)";

// Every record straight from the embedded bytes (so the layout itself is checked), then through
// the game's loader, counter and hint engine, and the generator's simulated player.
TEST(PuzzleLibraries, EveryRecordKeepsItsLevelsGuarantees) {
    SetUpBoardGeometry();
    std::set<std::string> seen;
    int total = 0, evilWithGuesses = 0;
    for (const Library& library : kLibraries) {
        const std::optional<Resource> resource = FindResource("LEVEL", library.name);
        ASSERT_TRUE(resource.has_value()) << library.name;
        ASSERT_EQ(resource->size, static_cast<size_t>(library.records) * kRecordSize) << library.name;
        const bool easy = library.number == 30, evil = library.number == 99 || library.number == 0;
        for (int index = 0; index < library.records; ++index) {
            SCOPED_TRACE(std::string(library.name) + " record " + std::to_string(index));
            const uint8_t* p = resource->data + static_cast<size_t>(index) * kRecordSize;
            puzzlegen::Grid givens{}, solution{};  // row by row, givens 0 where the square is open
            int givenCount = 0;
            for (int i = 0; i < kCellCount; ++i) {
                const auto v = static_cast<int8_t>(p[CellIndex(i % 9, i / 9)]);  // column by column, given < 0
                solution[static_cast<size_t>(i)] = static_cast<uint8_t>(std::abs(v));
                givens[static_cast<size_t>(i)] = static_cast<uint8_t>(v < 0 ? -v : 0);
                givenCount += v < 0;
            }
            const int32_t rating = static_cast<int32_t>(uint32_t{p[81]} | uint32_t{p[82]} << 8 |
                                                        uint32_t{p[83]} << 16 | uint32_t{p[84]} << 24);
            EXPECT_GE(givenCount, library.minGivens);
            EXPECT_LE(givenCount, library.maxGivens);
            EXPECT_GE(rating, library.minRating);
            EXPECT_LE(rating, library.maxRating);
            seen.insert(std::string(givens.begin(), givens.end()));
            ++total;

            // The solver screen must call every shipped puzzle good: one solution, the stored one.
            ASSERT_TRUE(LoadLevel(library.number, index));
            EXPECT_EQ(ChallengeRating, rating);
            for (Cell& cell : PlayBoard)
                if (!cell.known) cell.value = 0;
            const SearchResult result = CountBoardSolutions(PlayBoard, false);
            ASSERT_EQ(result.code, SearchOneSolution);
            ASSERT_EQ(result.solution, solution);
            // The rating is the simulated player's effort over the game's hint engine as it is now
            // (a change to the engine that moves it means new data). Easy, Medium and Hard fall to
            // single values and only places alone; Evil never does.
            const puzzlegen::SolveTrace trace = puzzlegen::SimulatePlayer(givens, solution);
            ASSERT_TRUE(trace.reachedSolution);
            ASSERT_EQ(trace.Effort(), rating) << kRegenerate;
            EXPECT_EQ(trace.SinglesOnly(), !evil);
            evilWithGuesses += library.number == 99 && trace.guesses > 0;
            if (easy) {  // 1 per open square, 1 more for each only place; never a narrow step
                EXPECT_EQ(trace.narrowSteps, 0);
                EXPECT_EQ(rating, 81 - givenCount + trace.onlyPlaces);
            }
        }
    }
    EXPECT_EQ(total, 4001);
    EXPECT_EQ(static_cast<int>(seen.size()), total) << "no two records share their givens";
    EXPECT_GT(evilWithGuesses, 500);
}

// What the help pages say about the example board (squares are (column, row)): row 0 shows
// columns 0-2 and 6-8, so columns 3-5 take 5, 7 and 8, the marks shown there; the Crystal Ball
// page tries 5 at (4, 0), clears 5 from (5, 0) and tries 4 at (3, 2), whose row leaves 1 and 4 for
// (3, 2) and (5, 2); on the last page (4, 2) and (5, 1) show 3 and 6, so the X squares (3, 1) and
// (4, 1) keep 2 and 9. Pinned square by square, as the pages draw them.
TEST(PuzzleLibraries, DemonstrationPuzzleMakesTheHelpPagesTrue) {
    SetUpBoardGeometry();
    ASSERT_TRUE(LoadLevel(kDemoLibrary, 0));
    std::string values;
    for (auto [c, r] : {std::pair{3, 0}, {4, 0}, {5, 0}, {3, 2}, {5, 2}, {4, 2}, {5, 1}, {3, 1}, {4, 1}})
        values += static_cast<char>('0' + PlayBoard[static_cast<size_t>(CellIndex(c, r))].value);
    EXPECT_EQ(values, "857416329");
    int givens = 0;
    for (const Cell& cell : PlayBoard) givens += cell.known;
    EXPECT_EQ(givens, 24);
}

}  // namespace
}  // namespace tessaran
