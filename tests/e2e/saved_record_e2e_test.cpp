// The saved record through the built game with hostile homes: saves that fail, land elsewhere,
// or meet files that are not what they seem. Progress is never lost and the game always ends cleanly.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

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
