// The built game from start to exit: window, real input (keys alone reach the focus ring),
// screenshot, close request, saved record; then hostile homes, where saves fail, land elsewhere
// or meet files that are not what they seem, and progress is never lost.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>

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

// ---- Hostile homes --------------------------------------------------------------------------

namespace fs = std::filesystem;

constexpr const char* kMallocDebug = "/usr/lib/x86_64-linux-gnu/libc_malloc_debug.so.0";
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Both places to save refuse: the notice at exit names each path with its reason, readably,
// after the last save has run during the real quit.
TEST(SavedRecordE2E, ANoticeOfASaveFailingTwiceNamesBothPathsAndReasons) {
    GameProcess game;
    const std::string blocker = game.Root() + "/blocker";
    WriteBytes(blocker, {'x'});
    game.StorePrefPath(blocker + "/prefs.10W");                 // a folder that is a file
    fs::create_directory(game.InstallDir() + "/Tessaran Prefs.10W");  // the fallback is a folder
    // The last save runs while the process ends, where a use of freed memory rarely shows by
    // itself: glibc's checking allocator ends the game on one (a sanitized build checks itself).
    if (!kSanitized && fs::exists(kMallocDebug))
        game.WrapWith({"env", std::string("LD_PRELOAD=") + kMallocDebug, "MALLOC_CHECK_=3"});
    ASSERT_TRUE(game.Launch()) << game.Stderr();
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    const std::string err = game.Stderr();
    EXPECT_NE(err.find("Tessaran Error: Tessaran could not save your preferences and statistics.\n"
                       "Saving to " + blocker + "/prefs.10W failed: Not a directory.\n"
                       "Saving to " + game.InstallDir() + "/Tessaran Prefs.10W failed: Is a directory.\n"),
              std::string::npos)
        << err;
}

// A save that cannot replace the stored file lands beside the program; the next run carries on
// from it instead of the older file at the stored path.
TEST(SavedRecordE2E, TheNextRunStartsFromTheFallbackSave) {
    GameProcess game;
    fs::create_directories(game.Root() + "/synced");
    // A name so long that no temporary file can sit beside it: reading works, replacing fails.
    const std::string stored = game.Root() + "/synced/" + std::string(250, 'p');
    PrefsRecord old;
    SetDefaults(old);
    WriteBytes(stored, RecordBytes(old));
    game.StorePrefPath(stored);

    ASSERT_TRUE(game.Launch()) << game.Stderr();
    game.Key("d");  // Medium -> Hard
    game.Key("q");
    ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();

    ASSERT_TRUE(game.Launch()) << game.Stderr();
    game.Key("d");  // Hard -> Evil, if this run started from the first run's save
    game.Key("q");
    ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();
    const auto record = ReadRecord(game.StoredPrefPath());
    ASSERT_TRUE(record.has_value()) << game.StoredPrefPath();
    EXPECT_EQ(record->difficulty, 4);
}

// A FIFO where a data file belongs is refused without waiting for a writer: a refused record
// is a missing one, a refused piece sheet an unreadable one, a refused font a missing font.
TEST(SavedRecordE2E, AFifoInPlaceOfADataFileNeverHangsTheGame) {
    for (const std::string place : {"stored path", "fallback", "settings store", "piece sheet", "font"}) {
        SCOPED_TRACE(place);
        GameProcess game;
        const std::string stored = game.Root() + "/prefs.10W";
        game.StorePrefPath(stored);
        std::string fifo = stored;
        if (place == "fallback") fifo = game.InstallDir() + "/Tessaran Prefs.10W";
        if (place == "settings store") fifo = game.ConfigHome() + "/tessaran/registry.ini";
        if (place == "font") fifo = game.InstallDir() + "/Another.fnt";
        if (place == "piece sheet") {
            fifo = game.Root() + "/sheet.bmp";
            PrefsRecord r;
            SetDefaults(r);
            r.useCustomGraphics = 1;
            r.graphicsChoice = 99;
            std::snprintf(r.graphicsFile, sizeof r.graphicsFile, "%s", fifo.c_str());
            WriteBytes(stored, RecordBytes(r));
        }
        fs::remove(fifo);
        ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);

        if (place == "font") {
            game.Start();
            EXPECT_EQ(game.WaitExit(), 0);
            EXPECT_NE(game.Stderr().find("unable to open a required file: Another.fnt."), std::string::npos)
                << game.Stderr();
            continue;
        }
        ASSERT_TRUE(game.Launch()) << game.Stderr();
        game.RequestClose();
        EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
        if (place != "settings store") {
            EXPECT_TRUE(ReadRecord(stored).has_value());
        }
    }
}

}  // namespace
}  // namespace tessaran::test
