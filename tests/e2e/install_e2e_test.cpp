// Installing into a prefix and running the installed game from anywhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

namespace fs = std::filesystem;

class InstallE2E : public ::testing::Test {
protected:
    void TearDown() override {
        RunCapture("chattr -i \"" + prefix + "/lib/tessaran\" 2>/dev/null");
        RemoveTree(prefix);
    }
    std::string prefix = MakeTempFolder("tessaran-prefix");
};

TEST_F(InstallE2E, PutsEveryFileInPlaceAndTheGameRunsFromAnyFolderSavingToTheUserDataFolder) {
    const std::string log = RunCapture(std::string("\"") + TESSARAN_CMAKE_COMMAND + "\" --install \"" +
                                       TESSARAN_BINARY_DIR + "\" --prefix \"" + prefix + "\" 2>&1");
    for (const char* file : {"bin/tessaran", "bin/tessaran-cli", "lib/tessaran/tessaran", "lib/tessaran/Another.fnt",
                             "share/applications/tessaran.desktop", "share/metainfo/org.tessaran.Tessaran.metainfo.xml",
                             "share/icons/hicolor/scalable/apps/tessaran.svg", "share/icons/hicolor/16x16/apps/tessaran.png",
                             "share/icons/hicolor/256x256/apps/tessaran.png", "share/doc/tessaran/README.md"})
        ASSERT_TRUE(fs::exists(prefix + "/" + file)) << file << "\n" << log;
    EXPECT_TRUE(fs::is_symlink(prefix + "/bin/tessaran"));
    const std::string check =
        RunCapture("desktop-file-validate \"" + prefix + "/share/applications/tessaran.desktop\" 2>&1; echo rc=$?");
    EXPECT_NE(check.find("rc=0"), std::string::npos) << check;

    // An installed game's folder belongs to the system; root can still write it, so make it
    // immutable to stand for that (skipped where the file system has no such attribute).
    const bool locked = RunCapture("chattr +i \"" + prefix + "/lib/tessaran\" 2>&1; echo rc=$?").find("rc=0") != std::string::npos;
    GameProcess game = GameProcess::Installed(prefix + "/bin/tessaran");
    ASSERT_TRUE(game.Launch("/")) << game.Stderr();
    game.RequestClose();
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    const std::string saved = (locked ? game.DataHome() + "/tessaran" : prefix + "/lib/tessaran") + "/Tessaran Prefs.10W";
    EXPECT_TRUE(ReadRecord(saved).has_value()) << game.Stderr();
    if (!locked) GTEST_SKIP() << "chattr unavailable: the read-only program folder was not exercised";
}

}  // namespace
}  // namespace tessaran::test
