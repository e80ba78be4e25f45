// The puzzle picker's rules: paging, won flags per level, and the random choice.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/game_fixture.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "solver/picker.h"

namespace tessaran::test {
namespace {

using PickerTest = GameTest;

// Stored numbers out of range (a damaged record, an odd page) are treated as safe defaults.
TEST_F(PickerTest, PagesWonFlagsAndTheRandomChoice) {
    for (const auto& [from, to] : {std::pair{0, 200}, {600, 800}, {800, 0}, {-200, 0}, {1000, 0}, {37, 0}}) {
        PickerPageStart = from;
        NextPickerPage();
        EXPECT_EQ(PickerPageStart, to) << from;
    }
    for (auto& level : Prefs.wonGames) level[5] = level[999] = 1;
    EXPECT_FALSE(PuzzleWon(LevelMedium, 6));
    // (level, index): out of range, or the Child level, which has no flags.
    for (const auto& [level, index] : {std::pair{2, -1}, {2, 1000}, {0, 5}, {5, 5}, {-1, 5}})
        EXPECT_FALSE(PuzzleWon(level, index)) << level << " " << index;
    Prefs.difficulty = LevelMedium;  // "Reset games used" forgets this level's wins only
    ResetGamesUsed();
    EXPECT_FALSE(PuzzleWon(LevelMedium, 5) || PuzzleWon(LevelMedium, 999));
    EXPECT_TRUE(PuzzleWon(LevelEasy, 999) && PuzzleWon(LevelHard, 5) && PuzzleWon(LevelEvil, 5));
    Prefs.difficulty = LevelChild;  // no flags of its own: nothing touched
    ResetGamesUsed();
    EXPECT_TRUE(PuzzleWon(LevelEasy, 5));

    Prefs.showHelpAtStart = 0;  // "Random" draws from the one generator
    srand(99);
    const int expected = rand() % 1000;
    srand(99);
    PickRandomPuzzle();
    EXPECT_EQ(PickedPuzzle, expected);
    EXPECT_EQ(ScreenState, ScreenNewGame);
}

}  // namespace
}  // namespace tessaran::test
