// Counting started and won games into the record, overall and under the player in use.
#include <gtest/gtest.h>

#include <cstring>

#include "game_fixture.h"

namespace tessaran::test {
namespace {

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
    EXPECT_EQ(Prefs.wonGames[LevelEvil - 1][999], 1);
    EXPECT_EQ(TimeUsed, 321);
    EXPECT_EQ(SummaryTimer, 0.0f);
    EXPECT_EQ(SummaryStage, 0);
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEvil], 1);
    EXPECT_EQ(Prefs.playerLevelErrorFreeWins[1][LevelEvil], 1);
    EXPECT_EQ(Prefs.gamesPlayed, 2) << "a win is not a start";
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
