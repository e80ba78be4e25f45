// The saved record through the built game with hostile homes: saves that fail, land elsewhere,
// or meet files that are not what they seem. Progress is never lost and the game always ends cleanly.
#include <gtest/gtest.h>

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
    const auto* bytes = reinterpret_cast<const unsigned char*>(&old);
    WriteBytes(stored, std::vector<unsigned char>(bytes, bytes + sizeof old));
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

}  // namespace
}  // namespace tessaran::test
