// The puzzle libraries as the game carries them: counts, givens, single solutions by the game's own
// counter, ratings, no repeated puzzle, the techniques each level demands, and the help pages'
// demonstration puzzle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/puzzles.h"
#include "platform/platform.h"
#include "rater.h"
#include "solver/hints.h"
#include "solver/solver.h"

namespace tessaran {
namespace {

struct Library {
    int number;
    const char* name;
    int records;
    int minGivens, maxGivens;
    int minRating, maxRating;
};

constexpr Library kEasy{30, "LEVEL30", 1000, 59, 60, 21, 22};
constexpr Library kMedium{20, "LEVEL20", 1000, 39, 40, 41, 296};
constexpr Library kHard{12, "LEVEL12", 1000, 23, 24, 101, 199};
constexpr Library kEvil{99, "LEVEL99", 1000, 23, 24, 201, 960};
constexpr Library kDemo{0, "LEVEL0", 1, 24, 24, 761, 761};
constexpr Library kAll[] = {kEasy, kMedium, kHard, kEvil, kDemo};

constexpr const char* kRegenerate =
    " (regenerate with: tessaran-puzzlegen --seed 2026 --out data/levels, see tools/puzzlegen/README.md)";

struct Record {
    int8_t cells[kCellCount];  // column by column; negative = given
    int32_t rating;
    int Value(int column, int row) const { return std::abs(cells[CellIndex(column, row)]); }
    bool Given(int column, int row) const { return cells[CellIndex(column, row)] < 0; }
    int GivenCount() const {
        int n = 0;
        for (const int8_t v : cells) n += v < 0;
        return n;
    }
    // Row by row, 0 where the square is open: the givens as the generator's tools take them.
    puzzlegen::Grid Givens() const {
        puzzlegen::Grid grid{};
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) grid[static_cast<size_t>(r * 9 + c)] = static_cast<uint8_t>(Given(c, r) ? Value(c, r) : 0);
        return grid;
    }
    puzzlegen::Grid Solution() const {
        puzzlegen::Grid grid{};
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) grid[static_cast<size_t>(r * 9 + c)] = static_cast<uint8_t>(Value(c, r));
        return grid;
    }
};

// Straight from the embedded bytes, without the game's loader, so the layout itself is checked.
std::vector<Record> ReadLibrary(const Library& library) {
    std::vector<Record> records;
    const std::optional<Resource> resource = FindResource("LEVEL", library.name);
    if (!resource) return records;
    for (size_t offset = 0; offset + kRecordSize <= resource->size; offset += kRecordSize) {
        Record record;
        const uint8_t* p = resource->data + offset;
        for (int i = 0; i < kCellCount; ++i) record.cells[i] = static_cast<int8_t>(p[i]);
        record.rating = static_cast<int32_t>(uint32_t{p[81]} | uint32_t{p[82]} << 8 | uint32_t{p[83]} << 16 |
                                             uint32_t{p[84]} << 24);
        records.push_back(record);
    }
    return records;
}

bool IsCompleteValidGrid(const Record& record) {
    for (int unit = 0; unit < 9; ++unit) {
        std::set<int> row, column, section;
        for (int k = 0; k < 9; ++k) {
            row.insert(record.Value(k, unit));
            column.insert(record.Value(unit, k));
            section.insert(record.Value(3 * (unit % 3) + k % 3, 3 * (unit / 3) + k / 3));
        }
        const std::set<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9};
        if (row != all || column != all || section != all) return false;
    }
    return true;
}

// Single values and only places from the game's hint engine, nothing else; true when they fill
// the whole board, each with its stored solution value.
bool FallsToSinglesAlone(int libraryNumber, int index, const Record& record) {
    if (!LoadLevel(libraryNumber, index)) return false;
    for (Cell& cell : PlayBoard)
        if (!cell.known) cell.value = 0;  // the solver's way: open squares hold nothing yet
    ResetPossibles();
    EliminatePossibles();
    Hint hint;
    while (FindSingleValue(true, hint) || FindOnlyPlace(true, hint)) {
    }
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const Cell& cell = PlayBoard[static_cast<size_t>(CellIndex(c, r))];
            if (!cell.known || cell.value != record.Value(c, r)) return false;
        }
    return true;
}

class PuzzleLibraries : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetUpBoardGeometry(); }
};

TEST_F(PuzzleLibraries, HoldTheirRecordsCompleteGridsGivensAndRatings) {
    for (const Library& library : kAll) {
        SCOPED_TRACE(library.name);
        const std::optional<Resource> resource = FindResource("LEVEL", library.name);
        ASSERT_TRUE(resource.has_value());
        EXPECT_EQ(resource->size, static_cast<size_t>(library.records) * kRecordSize);
        const std::vector<Record> records = ReadLibrary(library);
        ASSERT_EQ(static_cast<int>(records.size()), library.records);
        for (size_t i = 0; i < records.size(); ++i) {
            const Record& record = records[i];
            SCOPED_TRACE("record " + std::to_string(i));
            ASSERT_TRUE(IsCompleteValidGrid(record));
            EXPECT_GE(record.GivenCount(), library.minGivens);
            EXPECT_LE(record.GivenCount(), library.maxGivens);
            EXPECT_GE(record.rating, library.minRating);
            EXPECT_LE(record.rating, library.maxRating);
        }
    }
}

TEST_F(PuzzleLibraries, NoTwoRecordsShareTheirGivens) {
    std::set<std::string> seen;
    int total = 0;
    for (const Library& library : kAll)
        for (const Record& record : ReadLibrary(library)) {
            const puzzlegen::Grid givens = record.Givens();
            seen.insert(std::string(givens.begin(), givens.end()));
            ++total;
        }
    EXPECT_EQ(total, 4001);
    EXPECT_EQ(static_cast<int>(seen.size()), total);
}

// The solver screen must call every shipped puzzle good: the game's own count is exactly one,
// and the solution its search finds is the one stored. "Solve" fills that solution in.
TEST_F(PuzzleLibraries, GameCounterFindsExactlyTheStoredSolution) {
    for (const Library& library : kAll) {
        const std::vector<Record> records = ReadLibrary(library);
        for (int i = 0; i < static_cast<int>(records.size()); ++i) {
            SCOPED_TRACE(std::string(library.name) + " record " + std::to_string(i));
            const Record& record = records[static_cast<size_t>(i)];
            ASSERT_TRUE(LoadLevel(library.number, i));
            EXPECT_EQ(ChallengeRating, record.rating);
            for (Cell& cell : PlayBoard)
                if (!cell.known) cell.value = 0;
            // One search gives the count CountSolutions reports and the solution it found.
            const SearchResult result = CountBoardSolutions(PlayBoard, false);
            ASSERT_EQ(result.code, SearchOneSolution);
            ASSERT_EQ(result.solution, record.Solution());
            if (i % 50 != 0) continue;
            ASSERT_EQ(CountSolutions(true), 1);
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r)
                    ASSERT_EQ(PlayBoard[static_cast<size_t>(CellIndex(c, r))].value, record.Value(c, r));
        }
    }
}

// The levels differ in what they ask of the player: Easy, Medium and Hard fall to single values
// and only places alone, Easy without even an only place; Evil never does.
TEST_F(PuzzleLibraries, LevelsDemandTheirTechniques) {
    for (const Library& library : kAll) {
        const std::vector<Record> records = ReadLibrary(library);
        const bool singlesSolve = library.number != kEvil.number && library.number != kDemo.number;
        for (int i = 0; i < static_cast<int>(records.size()); ++i) {
            SCOPED_TRACE(std::string(library.name) + " record " + std::to_string(i));
            ASSERT_EQ(FallsToSinglesAlone(library.number, i, records[static_cast<size_t>(i)]), singlesSolve);
        }
    }
}

// The stored rating is the effort of the simulated player (tools/puzzlegen/rater.h) over the
// game's hint engine as it is now; a change to the engine that moves it means new data. The same
// simulation shows Evil asking for sets or guesses, which Hard never needs.
TEST_F(PuzzleLibraries, RatingsAreTheSimulatedPlayersEffort) {
    int evilWithGuesses = 0;
    for (const Library& library : kAll) {
        const std::vector<Record> records = ReadLibrary(library);
        for (size_t i = 0; i < records.size(); ++i) {
            SCOPED_TRACE(std::string(library.name) + " record " + std::to_string(i));
            const Record& record = records[i];
            const puzzlegen::SolveTrace trace = puzzlegen::SimulatePlayer(record.Givens(), record.Solution());
            ASSERT_TRUE(trace.reachedSolution);
            ASSERT_EQ(trace.Effort(), record.rating) << kRegenerate;
            const bool setsOrGuesses = library.number == kEvil.number || library.number == kDemo.number;
            EXPECT_EQ(trace.SinglesOnly(), !setsOrGuesses);
            if (library.number == kEvil.number) evilWithGuesses += trace.guesses > 0;
            // Easy: 1 per open square, 1 more for each only place; never a narrow step.
            if (library.number == kEasy.number) {
                EXPECT_EQ(trace.narrowSteps, 0);
                EXPECT_EQ(record.rating, 81 - record.GivenCount() + trace.onlyPlaces);
            }
        }
    }
    EXPECT_GT(evilWithGuesses, 500);
}

// What the help pages say about the example board (squares are (column, row)), read through
// the loader the help screen uses.
TEST(DemonstrationPuzzle, MakesTheHelpPagesTrue) {
    ASSERT_TRUE(LoadLevel(kDemoLibrary, 0));
    EXPECT_EQ(ChallengeRating, 761);
    auto value = [](int column, int row) { return PlayBoard[static_cast<size_t>(CellIndex(column, row))].value; };
    auto missing = [&](int row) {  // what row `row` lacks outside the squares shown on the pages
        std::set<int> values{1, 2, 3, 4, 5, 6, 7, 8, 9};
        for (const int c : {0, 1, 2, 6, 7, 8}) values.erase(value(c, row));
        return values;
    };
    // Row 0 shows columns 0-2 and 6-8: columns 3-5 must take 5, 7 and 8, the marks shown there.
    EXPECT_EQ(missing(0), (std::set<int>{5, 7, 8}));
    EXPECT_EQ((std::set<int>{value(3, 0), value(4, 0), value(5, 0)}), (std::set<int>{5, 7, 8}));
    EXPECT_TRUE(value(5, 0) == 7 || value(5, 0) == 8);  // the Crystal Ball page clears 5 there
    // Row 2 also shows (4, 2): (3, 2) and (5, 2) take 1 and 4, their marks.
    std::set<int> row2 = missing(0 + 2);
    row2.erase(value(4, 2));
    EXPECT_EQ(row2, (std::set<int>{1, 4}));
    EXPECT_EQ((std::set<int>{value(3, 2), value(5, 2)}), (std::set<int>{1, 4}));
    // The Crystal Ball page tries 5 at (4, 0) and 4 at (3, 2): right guesses.
    EXPECT_EQ(value(4, 0), 5);
    EXPECT_EQ(value(3, 2), 4);
    // The question of the last page: the squares marked X, (3, 1) and (4, 1), keep what the
    // section lacks once row 0's {5, 7, 8}, row 2's {1, 4} and the shown (4, 2), (5, 1) are out.
    std::set<int> left{1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (const int v : {5, 7, 8, 1, 4}) left.erase(v);
    left.erase(value(4, 2));
    left.erase(value(5, 1));
    EXPECT_EQ(left.size(), 2u);
    EXPECT_EQ((std::set<int>{value(3, 1), value(4, 1)}), left);
    // The marks on the X squares (1, 2, 4, 5, 7, 8, 9) rule out exactly the shown values of the
    // section, so they hold both answers.
    EXPECT_EQ((std::set<int>{value(4, 2), value(5, 1)}), (std::set<int>{3, 6}));
    int givens = 0;
    for (const Cell& cell : PlayBoard) givens += cell.known;
    EXPECT_EQ(givens, 24);
}

}  // namespace
}  // namespace tessaran
