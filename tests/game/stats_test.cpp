// Counting started and won games into the record, overall and under the player in use.
#include <gtest/gtest.h>

#include <cstring>

#include "game_fixture.h"

namespace tessaran::test {
namespace {

using StatsTest = GameTest;

int64_t FixedSeconds() { return 5000; }

TEST_F(StatsTest, StartedGamesCountOverallAndUnderTheProfileInUse) {
    Prefs.difficulty = LevelHard;
    CountGameStarted();
    EXPECT_EQ(Prefs.gamesPlayed, 1);
    EXPECT_EQ(Prefs.levelGamesPlayed[LevelHard], 1);
    for (int p = 0; p < kPlayerCount; ++p) EXPECT_EQ(Prefs.playerGamesPlayed[p], 0);

    Prefs.currentPlayer = 9;
    Prefs.difficulty = LevelChild;
    CountGameStarted();
    EXPECT_EQ(Prefs.gamesPlayed, 2);
    EXPECT_EQ(Prefs.levelGamesPlayed[LevelChild], 1);
    EXPECT_EQ(Prefs.playerGamesPlayed[8], 1);
    EXPECT_EQ(Prefs.playerLevelGamesPlayed[8][LevelChild], 1);
    EXPECT_EQ(Prefs.playerLevelGamesPlayed[8][LevelHard], 0);
}

TEST_F(StatsTest, WinSetsTheFlagFreezesTheClockAndCountsAnErrorFreeWin) {
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
    EXPECT_EQ(Prefs.gamesPlayed, 0) << "a win is not a start";
}

TEST_F(StatsTest, WinWithMistakesOrAtChildLevel) {
    MistakeCount = 2;
    Prefs.difficulty = LevelEasy;
    GameIndex = 0;
    CountGameWon();
    EXPECT_EQ(Prefs.wonGames[0][0], 1);
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEasy], 0);

    // A Child game's number is a seed, not a library index: no flag anywhere.
    PrefsRecord before;
    std::memcpy(&before, Prefs.Bytes(), kPrefsSize);
    MistakeCount = 0;
    Prefs.difficulty = LevelChild;
    GameIndex = 17;
    CountGameWon();
    EXPECT_EQ(std::memcmp(before.wonGames, Prefs.wonGames, sizeof before.wonGames), 0);
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelChild], 1);
    for (int p = 0; p < kPlayerCount; ++p) EXPECT_EQ(Prefs.playerLevelErrorFreeWins[p][LevelChild], 0);
}

TEST_F(StatsTest, GameNumberOutsideTheLibraryWritesNoFlag) {
    // A stored fixed number or a stray picker value must not reach past the won-games table.
    PrefsRecord before;
    std::memcpy(&before, Prefs.Bytes(), kPrefsSize);
    Prefs.difficulty = LevelEvil;
    for (int32_t index : {1000, 4000, 65535, -1}) {
        GameIndex = index;
        CountGameWon();
    }
    EXPECT_EQ(std::memcmp(before.wonGames, Prefs.wonGames, sizeof before.wonGames), 0);
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEvil], 4);
}

}  // namespace
}  // namespace tessaran::test
