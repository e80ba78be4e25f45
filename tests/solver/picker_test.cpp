// The puzzle picker's choices: paging, won flags per level, and the game the choice starts.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/game_fixture.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "solver/picker.h"

namespace tessaran::test {
namespace {

class PickerTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        PickerPageStart = 0;
        PickedPuzzle = 0;
        ScreenState = ScreenPicker;
    }
};

TEST_F(PickerTest, NextRunsThroughFivePagesOfTwoHundred) {
    const int32_t expected[] = {200, 400, 600, 800, 0, 200};
    for (int32_t start : expected) {
        NextPickerPage();
        EXPECT_EQ(PickerPageStart, start);
    }
    for (int32_t odd : {-200, 1000, 37}) {
        PickerPageStart = odd;
        NextPickerPage();
        EXPECT_EQ(PickerPageStart, 0) << "an odd start falls back to the first page";
    }
}

TEST_F(PickerTest, ANumberStartsThatPuzzleAfterTheQuickHelpIfItIsOn) {
    Prefs.difficulty = LevelHard;
    Prefs.pickRandomly = 0;
    Prefs.showHelpAtStart = 1;
    PickPuzzle(0);  // the label "1"
    EXPECT_EQ(PickedPuzzle, 0);
    EXPECT_EQ(ScreenState, ScreenQuickHelp);

    Prefs.showHelpAtStart = 0;
    PickPuzzle(736);
    EXPECT_EQ(ScreenState, ScreenNewGame);
    StartNewGame();
    EXPECT_EQ(GameIndex, 736);
    PuzzleRecord record;
    ASSERT_TRUE(ReadPuzzleRecord(kLibraryNumbers[LevelHard], 736, record));
    for (int i = 0; i < kCellCount; ++i) {
        const Cell& cell = PlayBoard[static_cast<std::size_t>(i)];
        EXPECT_EQ(cell.known != 0, record.cells[i] < 0);
        EXPECT_EQ(cell.value, std::abs(record.cells[i]));
    }
}

TEST_F(PickerTest, RandomDrawsFromTheOneGenerator) {
    Prefs.showHelpAtStart = 0;
    srand(99);
    const int expected = rand() % 1000;
    srand(99);
    PickRandomPuzzle();
    EXPECT_EQ(PickedPuzzle, expected);
    EXPECT_EQ(ScreenState, ScreenNewGame);
}

TEST_F(PickerTest, WonFlagsAreReadAndResetPerLevel) {
    for (int level = 0; level < 4; ++level) Prefs.wonGames[level][5] = 1;
    Prefs.wonGames[1][999] = 1;
    EXPECT_TRUE(PuzzleWon(LevelMedium, 5));
    EXPECT_TRUE(PuzzleWon(LevelMedium, 999));
    EXPECT_FALSE(PuzzleWon(LevelMedium, 6));
    for (int32_t index : {-1, 1000}) EXPECT_FALSE(PuzzleWon(LevelMedium, index));
    for (int32_t level : {int32_t{LevelChild}, 5, -1}) EXPECT_FALSE(PuzzleWon(level, 5)) << level;

    Prefs.difficulty = LevelMedium;
    ResetGamesUsed();
    EXPECT_FALSE(PuzzleWon(LevelMedium, 5));
    EXPECT_FALSE(PuzzleWon(LevelMedium, 999));
    for (int32_t level : {LevelEasy, LevelHard, LevelEvil}) EXPECT_TRUE(PuzzleWon(level, 5)) << level;

    Prefs.difficulty = LevelChild;  // no flags of its own: nothing to reset, nothing touched
    ResetGamesUsed();
    EXPECT_TRUE(PuzzleWon(LevelEasy, 5));
}

TEST_F(PickerTest, CancelReturnsToTheMainScreenKeepingThePage) {
    PickerPageStart = 600;
    CancelPicker();
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(PickerPageStart, 600);
}

}  // namespace
}  // namespace tessaran::test
