// Moves, scoring, Crystal Ball, falling pieces, the win and the statistics it counts, on crafted
// boards.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <tuple>

#include "game/random.h"
#include "game_fixture.h"

namespace tessaran::test {
namespace {

using RulesTest = GameTest;

int FallingCount() {
    return static_cast<int>(std::count_if(FallingPieces.begin(), FallingPieces.end(), [](const auto& p) { return p.inUse; }));
}

auto FirstFalling() { return std::tuple(FallingPieces[0].symbol, FallingPieces[0].x, FallingPieces[0].y); }
// The score, the mistakes and the last award, as the panel shows them.
auto Scored() { return std::tuple(GameScore.Value(), MistakeCount, LastAward); }

TEST_F(RulesTest, ScoreClampsAndResistsPokes) {
    for (auto [limit, step] : {std::pair{std::numeric_limits<int32_t>::max(), 100}, {std::numeric_limits<int32_t>::min(), -500}}) {
        ResetGameScore();
        AddToScore(limit);
        AddToScore(step);
        EXPECT_EQ(GameScore.Value(), limit) << "stops at the limit, never wraps";
    }
    // The guarded store never holds the plain score, and reads through any single poked byte.
    ResetGameScore();
    AddToScore(123456);
    auto* bytes = reinterpret_cast<unsigned char*>(&GameScore);
    const int32_t plain = 123456;
    for (std::size_t at = 0; at < sizeof(ScoreStore); ++at) {
        EXPECT_TRUE(at + 4 > sizeof(ScoreStore) || std::memcmp(bytes + at, &plain, 4) != 0) << at;
        bytes[at] ^= 0x5a;
        EXPECT_EQ(GameScore.Value(), 123456) << "byte " << at;
        bytes[at] ^= 0x5a;
    }
    bytes[4] ^= 0x01;
    EXPECT_FALSE(GameScore.Intact());
    AddToScore(100);  // the next award carries on from the true score and mends the store
    EXPECT_EQ(GameScore.Value(), 123556);
    EXPECT_TRUE(GameScore.Intact());
    std::memset(bytes, 0x7f, sizeof(ScoreStore));  // a wholesale overwrite is no score, not the poke
    EXPECT_EQ(GameScore.Value(), 0);
}

TEST_F(RulesTest, OnlyAssignedSymbolsScore) {
    FillHiddenPuzzle();
    Prefs.startAllMarked = 1;
    OpenCell(At(2, 2));
    OpenCell(At(2, 2));  // an open square is not opened again, nor its marks reset
    for (uint8_t m : At(2, 2).marks) EXPECT_EQ(m, 1);
    ActOnSymbol(2, 2, 4);
    ActOnSymbol(2, 2, At(2, 2).value - 1);  // without Assign even the right symbol is a mark
    EXPECT_EQ(At(2, 2).marks[4] + At(2, 2).known, 0);
    EXPECT_EQ(Scored(), std::tuple(0, 0, 0));

    Cell& cell = At(5, 7);
    cell.activated = cell.marks[2] = 1;
    AssignMode = true;
    const int wrong = cell.value % 9;  // slot of the next symbol, never the right one
    ActOnSymbol(5, 7, wrong);
    EXPECT_EQ(Scored(), std::tuple(-500, 1, -500));
    EXPECT_EQ(std::tuple(cell.known, cell.activated, cell.marks[2]), std::tuple(0, 1, 1));
    ASSERT_EQ(FallingCount(), 1);
    EXPECT_EQ(FirstFalling(), std::tuple(wrong + 1, 5.0f, 7.0f));
    ActOnSymbol(5, 7, cell.value - 1);
    EXPECT_EQ(std::tuple(cell.known, cell.activated), std::tuple(1, 0));
    EXPECT_EQ(Scored(), std::tuple(-400, 1, 100));
    EXPECT_EQ(PlayedSounds(), (std::vector<int>{SoundPop, SoundPop, SoundPop, SoundBadMove, SoundGoodMove}))
        << "one opening, two marks, then the moves";

    // The same square again, a given, a square off the grid: none is a move.
    ActOnSymbol(5, 7, cell.value - 1);
    At(0, 0).known = 1;
    ActOnSymbol(0, 0, At(0, 0).value % 9);
    for (auto [c, r, slot] : {std::tuple{9, 0, 0}, {-1, 3, 0}, {2, 2, 9}, {2, 2, -1}}) ActOnSymbol(c, r, slot);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(MistakeCount, 1);
    // All falling-piece slots busy: the piece is dropped (drawing no random number), not the score.
    for (int i = 0; i < kCellCount; ++i) SpawnFallingPiece(0, 0, 1);
    const uint32_t state = RandomState();
    ActOnSymbol(4, 4, At(4, 4).value % 9);
    EXPECT_EQ(RandomState(), state);
    EXPECT_EQ(GameScore.Value(), -900);
    EXPECT_EQ(MistakeCount, 2);
}

TEST_F(RulesTest, ChildLevelActsOnlyOnItsGridAndFourSymbols) {
    Prefs.difficulty = LevelChild;
    At(1, 1).value = At(4, 0).value = 2;
    AssignMode = true;
    ActOnSymbol(1, 1, 6);  // a flipped number row names symbol 7, which a 4 x 4 grid never holds
    ActOnSymbol(4, 0, 1);
    EXPECT_EQ(GameScore.Value(), 0);
    EXPECT_EQ(FallingCount(), 0);
    ActOnSymbol(1, 1, 0);
    ASSERT_EQ(FallingCount(), 1);
    EXPECT_EQ(FirstFalling(), std::tuple(1, 3.5f, 3.5f));
    ActOnSymbol(1, 1, 1);
    EXPECT_EQ(GameScore.Value(), -400);
}

TEST_F(RulesTest, CrystalBallCommitJudgesTrialsTogether) {
    FillHiddenPuzzle();
    for (int c = 0; c < 4; ++c) At(c, 0).activated = At(c, 0).marks[c] = 1;
    At(8, 8).marks[8] = 1;  // untouched: keeps its mark whatever happens
    EnterCrystalBall();
    AssignMode = true;
    ActOnSymbol(0, 0, At(0, 0).value - 1);  // right
    ActOnSymbol(1, 0, At(1, 0).value - 1);  // right
    ActOnSymbol(2, 0, At(2, 0).value % 9);  // wrong
    AssignMode = false;
    ActOnSymbol(3, 0, 5);  // only marked
    EXPECT_EQ(GameScore.Value(), 0) << "trials are not judged";
    EXPECT_EQ(FallingCount(), 0);
    PlayedSounds().clear();

    CommitCrystalBall();
    EXPECT_EQ(Scored(), std::tuple(200 - 500, 0, -500)) << "the loss is one award after the gains";
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_EQ(PlayedSounds(), (std::vector<int>{SoundArgh}));
    EXPECT_EQ(std::tuple(At(0, 0).known, At(1, 0).known, At(2, 0).known, At(2, 0).activated), std::tuple(1, 1, 0, 0))
        << "the wrong trial leaves the board";
    ASSERT_EQ(FallingCount(), 1);
    EXPECT_EQ(FirstFalling(), std::tuple(At(2, 0).value % 9 + 1, 2.0f, 0.0f));
    // Marks go from every touched square that ends up without a piece.
    for (int c : {2, 3})
        for (uint8_t m : At(c, 0).marks) EXPECT_EQ(m, 0) << c;
    EXPECT_EQ(At(0, 0).marks[0] + At(8, 8).marks[8], 2);
    CommitCrystalBall();  // outside the mode: judges nothing
    EXPECT_EQ(GameScore.Value(), -300);
}

TEST_F(RulesTest, CrystalBallCancelRestoresTheBoardExactly) {
    FillHiddenPuzzle();
    At(0, 0).activated = At(0, 0).marks[3] = At(1, 0).known = 1;
    const Board before = PlayBoard;
    EnterCrystalBall();
    OpenCell(At(7, 7));
    ActOnSymbol(0, 0, 5);
    AssignMode = true;
    ActOnSymbol(7, 7, 0);
    ActOnSymbol(0, 0, At(0, 0).value - 1);
    EnterCrystalBall();  // a second click on the way in must not overwrite the backup
    LeaveCrystalBall();
    for (int i = 0; i < kCellCount; ++i) {
        const Cell &x = PlayBoard[static_cast<std::size_t>(i)], &y = before[static_cast<std::size_t>(i)];
        ASSERT_TRUE(x.guess == y.guess && x.activated == y.activated && x.known == y.known &&
                    std::memcmp(x.marks, y.marks, sizeof x.marks) == 0) << i;
    }
    EXPECT_EQ(PlayedSounds().front(), SoundCrystal);
    EXPECT_EQ(PlayedSounds().back(), SoundCrystalOver);
    EXPECT_EQ(GameScore.Value(), 0);
    EXPECT_FALSE(CrystalBallActive);
}

TEST_F(RulesTest, WinNeedsACommittedFullBoard) {
    FillHiddenPuzzle();
    for (Cell& cell : PlayBoard) cell.known = 1;
    At(3, 3).known = 0;
    At(3, 3).activated = 1;
    EnterCrystalBall();
    AssignMode = true;
    ActOnSymbol(3, 3, At(3, 3).value - 1);
    EXPECT_FALSE(CheckCompletion());
    CommitCrystalBall();
    EXPECT_TRUE(CheckCompletion());
    EXPECT_EQ(ScreenState, ScreenGameOver);
    EXPECT_FALSE(CheckCompletion()) << "the summary is on top: later frames do not count the win again";
    EXPECT_EQ(Prefs.levelErrorFreeWins[Prefs.difficulty], 1);

    // The Child level needs only its sixteen squares, and only a game in progress is won.
    ClearBoard(PlayBoard);
    for (int i = 0; i < 16; ++i) At(i / 4, i % 4).known = 1;
    for (auto [level, screen, won] : {std::tuple{LevelChild, ScreenSolver, false}, {LevelEasy, ScreenGame, false},
                                      {LevelChild, ScreenGame, true}}) {
        Prefs.difficulty = level;
        ScreenState = screen;
        EXPECT_EQ(CheckCompletion(), won) << level << " " << screen;
    }
}

using StatsTest = GameTest;

int64_t FixedSeconds() { return 5000; }

TEST_F(StatsTest, StartsCountUnderThePlayerInUseAndAWinFreezesTheClockAndSetsItsFlag) {
    Prefs.difficulty = LevelHard;
    CountGameStarted();  // no player chosen: overall only
    Prefs.currentPlayer = 9;
    Prefs.difficulty = LevelChild;
    CountGameStarted();
    EXPECT_EQ((std::vector<int>{Prefs.gamesPlayed, Prefs.levelGamesPlayed[LevelHard], Prefs.levelGamesPlayed[LevelChild],
                                Prefs.playerGamesPlayed[8], Prefs.playerLevelGamesPlayed[8][LevelChild],
                                Prefs.playerLevelGamesPlayed[8][LevelHard], Prefs.playerGamesPlayed[0]}),
              (std::vector<int>{2, 1, 1, 1, 1, 0, 0}));

    SetClockOverrides(nullptr, FixedSeconds);
    StartPlayClock();
    PlayClockStart -= 321;
    Prefs.difficulty = LevelEvil;
    Prefs.currentPlayer = 2;
    GameIndex = 999;
    SummaryTimer = 640.0f;
    SummaryStage = 4;
    CountGameWon();
    EXPECT_EQ(ScreenState, ScreenGameOver);
    EXPECT_EQ(PlayedSounds(), (std::vector<int>{SoundGameWon}));
    EXPECT_EQ(std::tuple(TimeUsed, SummaryTimer, SummaryStage), std::tuple(321, 0.0f, 0));
    EXPECT_EQ(std::tuple(Prefs.wonGames[LevelEvil - 1][999], Prefs.levelErrorFreeWins[LevelEvil],
                         Prefs.playerLevelErrorFreeWins[1][LevelEvil], Prefs.gamesPlayed),
              std::tuple(1, 1, 1, 2)) << "a win is not a start";
    MistakeCount = 2;
    CountGameWon();
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEvil], 1) << "a win with mistakes is not error-free";
}

// A Child game's number is a seed, and a stored fixed number or a stray picker value must not
// reach past the won-games table: no flag anywhere, but the error-free win still counts.
TEST_F(StatsTest, GameNumberOutsideTheLibraryWritesNoFlag) {
    PrefsRecord before;
    std::memcpy(&before, Prefs.Bytes(), kPrefsSize);
    for (auto [level, index] : {std::pair{LevelChild, 17}, {LevelEvil, 1000}, {LevelEvil, 65535}, {LevelEvil, -1}}) {
        Prefs.difficulty = level;
        GameIndex = index;
        CountGameWon();
    }
    EXPECT_EQ(std::memcmp(before.wonGames, Prefs.wonGames, sizeof before.wonGames), 0);
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelChild], 1);
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEvil], 3);
}

}  // namespace
}  // namespace tessaran::test
