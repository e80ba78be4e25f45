// Library records, new games, the Child generator and the program-wide random sequence, and
// tessaran-cli's puzzle commands: what a game number deals must never change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "game/puzzles.h"
#include "game/random.h"
#include "game_fixture.h"
#include "support/cli.h"

namespace tessaran::test {
namespace {

// A library of `count` records over the fixture's solved grid: record i gives the squares whose
// (column + row + i) is divisible by 3, and is rated 1000 + i.
std::vector<uint8_t> MakeLibrary(int count) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(count) * kRecordSize);
    for (int i = 0; i < count; ++i) {
        uint8_t* record = bytes.data() + static_cast<std::size_t>(i) * kRecordSize;
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int v = SolvedSymbol(c, r);
                record[CellIndex(c, r)] = static_cast<uint8_t>(static_cast<int8_t>((c + r + i) % 3 == 0 ? -v : v));
            }
        for (int b = 0; b < 4; ++b) record[kRatingOffset + b] = static_cast<uint8_t>((1000u + unsigned(i)) >> (8 * b));
    }
    return bytes;
}

// The side x side corner row by row: its givens ('.' for hidden squares), or its solution.
std::string Corner(int side, bool solution = false) {
    std::string text;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) text += At(c, r).known || solution ? static_cast<char>('0' + At(c, r).value) : '.';
    return text;
}

class PuzzleTest : public GameTest {
protected:
    void Install(int library, const std::vector<uint8_t>& bytes) {
        OverrideResource("LEVEL", "LEVEL" + std::to_string(library), Resource{bytes.data(), bytes.size()});
    }
    std::vector<uint8_t> library_ = MakeLibrary(kLibraryIndexCount);
};

TEST_F(PuzzleTest, RecordsDecodeAndLoadLevelRefusesWhatIsNotARecord) {
    std::vector<uint8_t> bytes = MakeLibrary(3);
    bytes[CellIndex(3, 4)] = static_cast<uint8_t>(-5);
    bytes[CellIndex(4, 3)] = 5;
    const uint32_t rating = static_cast<uint32_t>(-123456);  // must survive the little-endian decoding
    for (int b = 0; b < 4; ++b) bytes[kRatingOffset + b] = static_cast<uint8_t>(rating >> (8 * b));
    bytes[kRecordSize + 17] = 0;  // record 1: a square with no symbol and one beyond nine
    bytes[kRecordSize + 18] = static_cast<uint8_t>(-10);
    bytes.resize(2 * kRecordSize + 84);  // a torn last record is not a record
    Install(30, bytes);
    ASSERT_TRUE(LoadLevel(30, 0));
    // -5 a given 5, 5 a hidden one.
    EXPECT_EQ(std::tuple(At(3, 4).value, At(3, 4).known, At(4, 3).value, At(4, 3).known), std::tuple(5, 1, 5, 0));
    EXPECT_EQ(ChallengeRating, -123456);
    EXPECT_EQ(LibraryRecordCount(30), 2);
    for (int index : {-1, 1, 2, 1000, 2147483647, -2147483647 - 1}) {
        FillHiddenPuzzle();
        EXPECT_FALSE(LoadLevel(30, index)) << index;
        EXPECT_EQ(ChallengeRating, -123456);
        for (const Cell& cell : PlayBoard) ASSERT_EQ(cell.value | cell.known, 0) << "the board is cleared";
    }
    Install(99, library_);  // record 999 is the last 85 bytes of a full library
    ASSERT_TRUE(LoadLevel(99, 999));
    EXPECT_EQ(std::tuple(ChallengeRating, At(0, 0).value, At(0, 0).known, At(1, 0).value, At(1, 0).known),
              std::tuple(1999, 1, 1, 2, 0));

    // A missing library loads nothing, and a new game on it is an empty board, not a won one.
    OverrideResource("LEVEL", "LEVEL20", Resource{nullptr, 0});
    EXPECT_FALSE(LibraryRecordCount(20).has_value());
    Prefs.difficulty = LevelMedium;
    StartNewGame();
    EXPECT_EQ(ScreenState, ScreenGame);
    EXPECT_FALSE(CheckCompletion());
}

TEST_F(PuzzleTest, NewGameResetsTheGameAndCountsIt) {
    Install(20, library_);
    Prefs.difficulty = LevelMedium;
    Prefs.currentPlayer = 4;
    AddToScore(-700);
    MistakeCount = 3;
    SolverGame = CrystalBallActive = true;
    HighlightRow = 2;
    SpawnFallingPiece(1, 1, 3);
    ScreenState = ScreenNewGame;
    StartNewGame();
    EXPECT_EQ(std::tuple(ScreenState, GameScore.Value(), MistakeCount, HighlightRow),
              std::tuple(ScreenGame, 0, 0, kNoHighlight));
    EXPECT_FALSE(FallingPieces[0].inUse || SolverGame || CrystalBallActive);
    EXPECT_EQ(std::tuple(Prefs.gamesPlayed, Prefs.levelGamesPlayed[LevelMedium], Prefs.playerGamesPlayed[3],
                         Prefs.playerLevelGamesPlayed[3][LevelMedium]),
              std::tuple(1, 1, 1, 1));
    EXPECT_EQ(ChallengeRating, 1000 + GameIndex);

    // Start options open and mark library squares, never Child ones.
    Prefs.clickToActivate = 0;
    Prefs.startAllMarked = 1;
    for (int level : {LevelMedium, LevelChild}) {
        Prefs.difficulty = level;
        StartNewGame();
        const uint8_t open = level == LevelMedium;
        for (const Cell& cell : PlayBoard)
            ASSERT_EQ(cell.activated * 10 + std::count(std::begin(cell.marks), std::end(cell.marks), 1), open * 19);
    }
}

// A seed's game number and deal are pinned through tessaran-cli newgame; here the player's own
// choice and a fixed number stand in for the drawn one (the Child level seeds with it directly).
TEST_F(PuzzleTest, PickedOrFixedNumbersChooseThePuzzle) {
    Install(30, library_);
    Install(99, library_);
    Prefs.difficulty = LevelEasy;
    Prefs.pickRandomly = 0;
    PickedPuzzle = 611;
    StartNewGame();
    EXPECT_EQ(ChallengeRating, 1611);
    Prefs.pickRandomly = Prefs.fixedNumberSet = 1;
    Prefs.fixedNumber = 4242;
    for (auto [level, seed] : {std::pair{LevelEvil, 5u}, {LevelEvil, 99999u}, {LevelChild, 7u}}) {
        Prefs.difficulty = level;
        srand(seed);
        StartNewGame();
        const std::string dealt = Corner(4) + Corner(4, true);
        srand(4242);
        if (level == LevelChild) GenerateChildPuzzle();
        EXPECT_EQ(GameIndex, level == LevelChild ? 4242 : rand() % 1000);
        EXPECT_EQ(Corner(4) + Corner(4, true), dealt);
    }
}

// Counts the solutions of the Child grid's givens, stopping at two; the last found is kept.
int CountChildSolutions(int grid[4][4], int (&found)[4][4], int at = 0) {
    if (at == 16) {
        std::memcpy(found, grid, sizeof found);
        return 1;
    }
    const int c = at / 4, r = at % 4;
    if (grid[c][r]) return CountChildSolutions(grid, found, at + 1);
    int count = 0;
    for (int v = 1; v <= 4 && count < 2; ++v) {
        bool clash = false;
        for (int i = 0; i < 4; ++i)
            clash = clash || grid[c][i] == v || grid[i][r] == v || grid[c / 2 * 2 + i / 2][r / 2 * 2 + i % 2] == v;
        if (clash) continue;
        grid[c][r] = v;
        count += CountChildSolutions(grid, found, at + 1);
        grid[c][r] = 0;
    }
    return count;
}

TEST_F(PuzzleTest, EveryChildSeedGivesAUniquePuzzleWithinTwentySixAttempts) {
    // Golden deals, computed once: a change here changes what every player's game number means.
    const std::map<uint32_t, std::string> golden = {
        {0, ".1.....1.2.....4 3142243142131324 4"},     {1, "3.....1.2.....2. 3142421324311324 1"},
        {12345, ".1.....43.2..... 4132231434211243 2"}, {65535, ".1.4........3.4. 2134431214233241 4"}};
    int worst = 0;
    for (uint32_t seed = 0; seed <= 65535; ++seed) {
        srand(seed);
        const int attempts = GenerateChildPuzzle();
        worst = std::max(worst, attempts);
        ASSERT_LE(attempts, 26) << "seed " << seed;
        const std::string deal = Corner(4) + " " + Corner(4, true) + " " + std::to_string(attempts);
        EXPECT_EQ(golden.count(seed) ? golden.at(seed) : deal, deal);
        // Exactly one rand() per square reset, four swaps and two given draws per attempt, then
        // the turn: anything else would shift every later game.
        const uint32_t after = RandomState();
        srand(seed);
        for (int i = 0; i < attempts * 87 + 1; ++i) rand();
        ASSERT_EQ(RandomState(), after) << "seed " << seed;

        int givens[4][4] = {}, solution[4][4] = {};
        int perSection[4] = {};
        for (int i = 0; i < kCellCount; ++i) {
            const int c = i / 9, r = i % 9;
            const bool inside = c < 4 && r < 4;
            ASSERT_TRUE(inside ? PlayBoard[i].value > 0 : PlayBoard[i].value + PlayBoard[i].known == 0) << seed;
            if (!inside || !PlayBoard[i].known) continue;
            givens[c][r] = PlayBoard[i].value;
            ++perSection[c / 2 + 2 * (r / 2)];
        }
        // One given per section; a single solution also means at least three symbols among them.
        for (int n : perSection) ASSERT_EQ(n, 1) << "seed " << seed;
        ASSERT_EQ(CountChildSolutions(givens, solution), 1) << "seed " << seed;
        for (int i = 0; i < 16; ++i) ASSERT_EQ(At(i / 4, i % 4).value, solution[i / 4][i % 4]) << "seed " << seed;
    }
    // 26 is reached: a further or a missing draw anywhere would almost surely change that figure.
    EXPECT_EQ(worst, 26);
}

std::vector<int> FirstTen(uint32_t seed) {
    srand(seed);
    std::vector<int> values;
    for (int i = 0; i < 10; ++i) values.push_back(rand());
    return values;
}

// Every game number's puzzle depends on the classic sequence. The names live in the game's
// namespace: the C library's generator is another one, and a call to it leaves the game's alone.
TEST(Random, KnownSequencesWrapStayInFifteenBitsAndIgnoreTheLibrarysGenerator) {
    EXPECT_EQ(FirstTen(0), (std::vector<int>{38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612}));
    EXPECT_EQ(FirstTen(12345), (std::vector<int>{7584, 19164, 25795, 22125, 5828, 23405, 27477, 5413, 29072, 23404}));
    EXPECT_EQ(RandomState(), 0xdb6c5723u);
    srand(0xffffffffu);
    EXPECT_EQ(rand(), static_cast<int>(((0xffffffffu * 214013u + 2531011u) >> 16) & 0x7fffu));
    for (int i = 0; i < 100000; ++i) ASSERT_LE(static_cast<unsigned>(rand()), static_cast<unsigned>(kRandMax));
    srand(1);
    (void)std::rand();
    EXPECT_EQ(rand(), 41);
    EXPECT_EQ(rand(), 18467);
}

// Seed 1 draws 41 and 18467: game number 1 + 2 * 18467 = 36935, which seeds the Child generator
// or picks the library record. Arguments must parse whole and in range, or get a one-line
// message and a failure.
TEST(PuzzlesCli, DealsPinnedPuzzlesAndRejectsMalformedArgumentsInOneLine) {
    EXPECT_EQ(RunCli("child 4294967295").second, "4......2.1.....3 4231134231242413 3\n");
    EXPECT_EQ(RunCli("newgame 0 1").second, "36935 .....2.12.3.....\n");
    EXPECT_EQ(RunCli("newgame 1 1").second,
              "348 9865.72141.5.947.837421.9.5..387.596.97.25.81.51369427...15384941.7..6535.894617.\n");
    EXPECT_EQ(RunCli("newgame 4 1").second.substr(0, 4), "348 ");
    for (const char* args : {"child", "child -1", "child 4294967296", "child 12x", "child \" 7\"", "child +7",
                             "child 1 2", "newgame 5 1", "newgame 1", "newgame -0 1", "newgame 1 99999999999",
                             "library 31", "library", "library 030x", "library 30 1", "library \"\""}) {
        const auto [status, message] = RunCli(args, true);
        EXPECT_NE(status, 0) << args;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << args << ": " << message;
    }
}

}  // namespace
}  // namespace tessaran::test
