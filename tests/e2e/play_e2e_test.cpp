// The built game driven by real X keys alone, without the mouse. (A game played and ended with
// keys is the kept-game e2e; a game won with the mouse, the first-game e2e.)
#include <gtest/gtest.h>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

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
