// The built game from start to exit: window, real input, screenshot, close request, saved record.
#include <gtest/gtest.h>

#include <glib.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

int32_t Int32At(const std::string& bytes, size_t offset) {
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

TEST(StartupE2E, RunsFromAnotherFolderAndSavesWhenTheWindowIsClosed) {
    GameProcess game;
    game.Start(game.Home());  // the current directory is not the program's folder
    ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
    game.Key("d");  // main screen: next difficulty, Medium -> Hard
    std::string shot = game.Root() + "/shot.png";
    EXPECT_TRUE(game.Screenshot(shot));
    game.RequestClose();
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();

    std::string path = game.StoredPrefPath();
    EXPECT_EQ(path, game.InstallDir() + "/Tessaran Prefs.10W");
    std::string record = ReadText(path);
    ASSERT_EQ(record.size(), 15000u);
    EXPECT_EQ(Int32At(record, 0), 3);  // difficulty
    int32_t width = Int32At(record, 5924), height = Int32At(record, 5928);
    EXPECT_EQ(width, static_cast<int32_t>(height * 1.3333333333333333));
    EXPECT_GE(height, 300);
}

TEST(StartupE2E, QuitKeyOnTheMainScreenSavesAndExitsCleanly) {
    GameProcess game;
    game.Start();
    ASSERT_TRUE(game.WaitForWindow()) << game.Stderr();
    game.Key("d d");
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    std::string record = ReadText(game.StoredPrefPath());
    ASSERT_EQ(record.size(), 15000u);
    EXPECT_EQ(Int32At(record, 0), 4);
}

TEST(StartupE2E, AMissingFontFileEndsWithErrorOneNamingIt) {
    GameProcess game(/*withFont=*/false);
    game.Start(game.Home());
    EXPECT_EQ(game.WaitExit(), 0);
    std::string err = game.Stderr();
    EXPECT_NE(err.find("Tessaran Error: Error #1:  Tessaran was unable to open a required file: Another.fnt."),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("same directory as the game program, tessaran."), std::string::npos) << err;
    // The record is still saved, with the window size left as it was.
    std::string record = ReadText(game.StoredPrefPath());
    ASSERT_EQ(record.size(), 15000u);
    EXPECT_EQ(Int32At(record, 5924), 720);
}

TEST(StartupE2E, ADamagedFontFileEndsWithErrorOneAndStillSaves) {
    for (const char* damage : {"wrong magic", "cut"}) {
        GameProcess game;
        std::string font = ReadText(game.InstallDir() + "/Another.fnt");
        if (std::string(damage) == "cut")
            font.resize(font.size() / 2);
        else
            font[0] = 'X';
        WriteBytes(game.InstallDir() + "/Another.fnt", std::vector<unsigned char>(font.begin(), font.end()));
        game.Start(game.Home());
        EXPECT_EQ(game.WaitExit(), 0) << damage;
        EXPECT_NE(game.Stderr().find("unable to open a required file: Another.fnt."), std::string::npos)
            << damage << ": " << game.Stderr();
        EXPECT_EQ(ReadText(game.StoredPrefPath()).size(), 15000u) << damage;
    }
}

}  // namespace
}  // namespace tessaran::test
