// The built game played with real X keys: an Easy puzzle solved with the keyboard alone, and a
// game ended with Q and Y. The puzzle's solution comes from tessaran-cli, as the game loads it.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

constexpr int32_t kFixedGameNumber = 4242;

TEST(PlayE2E, AnEasyPuzzleSolvedWithTheKeyboardAlone) {
    const int index = DealtIndex(kFixedGameNumber);
    const std::vector<LibraryRecord> library = ReadLibrary(30);
    ASSERT_EQ(library.size(), 1000u);
    const LibraryRecord& puzzle = library[static_cast<std::size_t>(index)];

    GameProcess game;
    ASSERT_TRUE(StartQuickGame(game, kFixedGameNumber)) << game.Stderr();
    const std::vector<unsigned char> start = game.Capture();
    ASSERT_FALSE(start.empty());
    // Asked to quit, the player thinks better of it.
    game.Key("q");
    Pause(300);
    game.Key("n");

    // To the top-left square (the arrows stop at the edges), then along the rows in a snake.
    std::string keys;
    for (int i = 0; i < 9; ++i) keys += "Left Up ";
    int open = 0;
    for (int row = 0; row < 9; ++row) {
        for (int step = 0; step < 9; ++step) {
            const int column = row % 2 == 0 ? step : 8 - step;
            const std::size_t at = static_cast<std::size_t>(row * 9 + column);
            if (puzzle.givens[at] == '.') {
                keys += std::string("shift+") + puzzle.solution[at] + " ";
                ++open;
            }
            if (step < 8) keys += row % 2 == 0 ? "Right " : "Left ";
        }
        if (row < 8) keys += "Down ";
        game.Key(keys);
        keys.clear();
    }
    Pause(700);
    const std::vector<unsigned char> solved = game.Capture();
    std::size_t differing = 0;
    for (std::size_t i = 0; i < start.size() && start.size() == solved.size(); ++i) differing += start[i] != solved[i];
    EXPECT_GT(differing * 50, start.size()) << "the board filled in and the summary came up";

    // The summary counts up for about fifteen seconds, then the score asks for a name.
    Pause(17000);
    game.Key("Return");
    Pause(500);
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    const auto record = ReadRecord(game.StoredPrefPath());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->wonGames[0][index], 1) << "the won puzzle is marked in the picker";
    EXPECT_EQ(record->levelErrorFreeWins[1], 1);
    EXPECT_EQ(record->levelGamesPlayed[1], 1);
    EXPECT_GE(record->hsScore[1][0], 100 * open + 2000) << "right pieces and the completion bonus";
}

TEST(PlayE2E, QAndYesEndTheGameAndTheProgram) {
    GameProcess game;
    ASSERT_TRUE(StartQuickGame(game, kFixedGameNumber)) << game.Stderr();
    game.Key("Right Down shift+1 q");
    Pause(300);
    game.Key("y");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    const auto record = ReadRecord(game.StoredPrefPath());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->levelGamesPlayed[1], 1);
    EXPECT_EQ(record->wonGames[0][DealtIndex(kFixedGameNumber)], 0);
}

// Real X keys reach the focus ring: Shift+Tab goes backwards from the main screen's last button
// ("About Tessaran") to "Game Preferences", where the arrows and Space pick an option and Esc
// leaves as "Finished" does, saving it.
TEST(PlayE2E, ShiftTabArrowsSpaceAndEscChangeAPreferenceWithoutTheMouse) {
    GameProcess game;
    static PrefsRecord record;
    SetDefaults(record);
    record.pieceStyle = 0;
    WriteBytes(game.InstallDir() + "/Tessaran Prefs.10W", RecordBytes(record));
    ASSERT_TRUE(game.Launch()) << game.Stderr();
    Pause(300);
    game.Key("shift+Tab shift+Tab shift+Tab shift+Tab Return");
    Pause(300);
    game.Key("Down space Escape");
    Pause(300);
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    const auto saved = ReadRecord(game.StoredPrefPath());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->pieceStyle, 1) << "\"Use Numbers only\"";
}

}  // namespace
}  // namespace tessaran::test
