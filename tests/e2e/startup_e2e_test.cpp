// The built game from start to exit: window, real input (keys alone reach the focus ring),
// screenshot, close request, saved record.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

TEST(StartupE2E, RunsFromAnotherFolderAndSavesWhenTheWindowIsClosed) {
    GameProcess game;
    ASSERT_TRUE(game.Launch(game.Home())) << game.Stderr();  // the program's folder is not the current one
    game.Key("d");  // main screen: next difficulty, Medium -> Hard
    EXPECT_TRUE(game.Screenshot(game.Root() + "/shot.png"));
    game.RequestClose();
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();

    EXPECT_EQ(game.StoredPrefPath(), game.InstallDir() + "/Tessaran Prefs.10W");
    const auto record = ReadRecord(game.StoredPrefPath());
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->difficulty, 3);
    EXPECT_EQ(record->windowWidth, static_cast<int32_t>(record->windowHeight * 1.3333333333333333));
    EXPECT_GE(record->windowHeight, 300);
}

// A missing or damaged font ends the game with error 1 naming the file; the record is still
// saved, with the window size left as it was.
TEST(StartupE2E, AMissingOrDamagedFontFileEndsWithErrorOneNamingIt) {
    for (const std::string damage : {"missing", "wrong magic", "cut", "oversized"}) {
        GameProcess game(/*withFont=*/damage != "missing");
        if (damage == "oversized") {
            // A whole font followed by a huge sparse tail: refused, never read into memory.
            std::filesystem::resize_file(game.InstallDir() + "/Another.fnt", (64u << 20) + 1);
        } else if (damage != "missing") {
            std::string font = ReadText(game.InstallDir() + "/Another.fnt");
            if (damage == "cut") font.resize(font.size() / 2);
            else font[0] = 'X';
            WriteBytes(game.InstallDir() + "/Another.fnt", std::vector<unsigned char>(font.begin(), font.end()));
        }
        game.Start(game.Home());
        EXPECT_EQ(game.WaitExit(), 0) << damage;
        const std::string err = game.Stderr();
        EXPECT_NE(err.find("Tessaran Error: Error #1:  Tessaran was unable to open a required file: Another.fnt."),
                  std::string::npos) << damage << ": " << err;
        EXPECT_NE(err.find("same directory as the game program, tessaran."), std::string::npos) << damage << ": " << err;
        const auto record = ReadRecord(game.StoredPrefPath());
        ASSERT_TRUE(record.has_value()) << damage;
        EXPECT_EQ(record->windowWidth, 720) << damage;
    }
}

// Real X keys alone reach the focus ring: Shift+Tab goes backwards from the main screen's last button
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
