// The puzzle libraries as the game carries them: counts, givens, single solutions by the game's own
// counter, ratings in the order of the logic engine's, no repeated puzzle, the techniques each level
// demands, and the help pages' demonstration puzzle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/puzzles.h"
#include "platform/platform.h"
#include "profile.h"
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

struct Record {
    puzzlegen::EngineProfile profile;
    int32_t rating = 0;
};

// Within a level the stored rating grows with the engine's difficulty key, equal keys rate alike,
// and the ratings reach both ends of the level's range.
void ExpectSpreadInOrder(const Library& library, std::vector<Record> records) {
    SCOPED_TRACE(library.name);
    std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        return puzzlegen::DifficultyKey(a.profile) < puzzlegen::DifficultyKey(b.profile);
    });
    for (size_t i = 1; i < records.size(); ++i) {
        const bool sameKey =
            puzzlegen::DifficultyKey(records[i - 1].profile) == puzzlegen::DifficultyKey(records[i].profile);
        EXPECT_TRUE(sameKey ? records[i - 1].rating == records[i].rating : records[i - 1].rating <= records[i].rating)
            << "engine " << records[i - 1].profile.rating << " stored " << records[i - 1].rating << ", engine "
            << records[i].profile.rating << " stored " << records[i].rating;
    }
    EXPECT_EQ(records.front().rating, library.minRating);
    EXPECT_EQ(records.back().rating, library.maxRating);
}

// Every record straight from the embedded bytes (so the layout itself is checked), then through
// the game's loader and counter and the logic engine.
TEST(PuzzleLibraries, EveryRecordKeepsItsLevelsGuarantees) {
    SetUpBoardGeometry();
    std::set<std::string> seen;
    int total = 0;
    std::vector<Record> byLibrary[5];
    for (size_t which = 0; which < 5; ++which) {
        const Library& library = kLibraries[which];
        const std::optional<Resource> resource = FindResource("LEVEL", library.name);
        ASSERT_TRUE(resource.has_value()) << library.name;
        ASSERT_EQ(resource->size, static_cast<size_t>(library.records) * kRecordSize) << library.name;
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

            // The level's rule, on the logic engine's own path (what teach shows); a change to the
            // engine that breaks one means new data.
            const puzzlegen::EngineProfile profile = puzzlegen::ProfilePuzzle(givens, solution);
            ASSERT_TRUE(profile.solved) << "the engine needs a trial" << kRegenerate;
            switch (library.number) {
            case 30: EXPECT_FALSE(profile.hiddenSingles || profile.basic || profile.advanced) << kRegenerate; break;
            case 20: EXPECT_FALSE(profile.basic || profile.advanced) << kRegenerate; break;
            case 12:
                EXPECT_TRUE(profile.basic && !profile.advanced) << kRegenerate;
                EXPECT_FALSE(IsAdvanced(profile.hardest)) << kRegenerate;
                break;
            default:
                EXPECT_TRUE(profile.advanced && IsAdvanced(profile.hardest)) << kRegenerate;
                break;
            }
            byLibrary[which].push_back({profile, rating});
        }
    }
    EXPECT_EQ(total, 4001);
    EXPECT_EQ(static_cast<int>(seen.size()), total) << "no two records share their givens";

    int mediumWithHiddenSingles = 0;
    for (const Record& r : byLibrary[1]) mediumWithHiddenSingles += r.profile.hiddenSingles;
    EXPECT_GE(mediumWithHiddenSingles, 500);
    for (size_t which = 0; which < 4; ++which) ExpectSpreadInOrder(kLibraries[which], byLibrary[which]);
    // The demonstration puzzle sits among Evil's puzzles where its rating says.
    const int64_t demo = puzzlegen::DifficultyKey(byLibrary[4][0].profile);
    for (const Record& r : byLibrary[3]) {
        const int64_t key = puzzlegen::DifficultyKey(r.profile);
        EXPECT_TRUE(key >= demo || r.rating <= byLibrary[4][0].rating) << r.rating;
        EXPECT_TRUE(key <= demo || r.rating >= byLibrary[4][0].rating) << r.rating;
    }
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
    // The X squares are open on every page and marked alike, so either order of 2 and 9 is true.
    EXPECT_TRUE(values == "857416329" || values == "857416392") << values;
    int givens = 0;
    for (const Cell& cell : PlayBoard) givens += cell.known;
    EXPECT_EQ(givens, 24);
}

}  // namespace
}  // namespace tessaran
