// The Debian package: built by scripts/package from this build, passed by lintian, unpacked
// into a private tree and played from there. The unpacked tree has the installed layout, so the
// game must find its font in <tree>/usr/share/games/tessaran, as it does in /usr/share/games.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/game_process.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

namespace fs = std::filesystem;

class PackageE2E : public ::testing::Test {
protected:
    void TearDown() override { RemoveTree(work); }
    std::string work = MakeTempFolder("tessaran-package");
};

TEST_F(PackageE2E, LintianPassesItAndTheUnpackedGameStartsAndQuitsSavingToTheUserDataFolder) {
    const std::string log = RunCapture("bash \"" TESSARAN_SOURCE_DIR "/scripts/package\" --build-dir \"" TESSARAN_BINARY_DIR
                                       "\" --output \"" + work + "\" 2>&1; echo rc=$?");
    ASSERT_NE(log.find("(lintian: clean)\nrc=0"), std::string::npos) << log;
    std::string deb;
    for (const auto& entry : fs::directory_iterator(work))
        if (entry.path().extension() == ".deb") deb = entry.path().string();
    ASSERT_EQ(fs::path(deb).filename().string().rfind("tessaran_", 0), 0u) << deb;

    const std::string tree = work + "/tree";
    ASSERT_NE(RunCapture("dpkg-deb -x \"" + deb + "\" \"" + tree + "\" 2>&1; echo rc=$?").find("rc=0"), std::string::npos);
    for (const char* file : {"usr/games/tessaran", "usr/games/tessaran-cli", "usr/share/games/tessaran/Another.fnt",
                             "usr/share/man/man6/tessaran.6.gz", "usr/share/man/man6/tessaran-cli.6.gz",
                             "usr/share/doc/tessaran/copyright", "usr/share/doc/tessaran/changelog.Debian.gz"})
        EXPECT_TRUE(fs::exists(tree + "/" + file)) << file;
    const std::string depends = RunCapture("dpkg-deb -f \"" + deb + "\" Depends");
    EXPECT_NE(depends.find("libglut"), std::string::npos) << depends;
    EXPECT_NE(depends.find("libopenal"), std::string::npos) << depends;
    // The AppStream release is the build's own version, the one the package is named by.
    const std::string name = fs::path(deb).filename().string();
    const std::string metainfo = ReadText(tree + "/usr/share/metainfo/org.tessaran.Tessaran.metainfo.xml");
    EXPECT_NE(metainfo.find("<release version=\"" + name.substr(9, name.find('-') - 9) + "\""), std::string::npos) << metainfo;
    const std::string check = RunCapture("desktop-file-validate \"" + tree + "/usr/share/applications/tessaran.desktop\" 2>&1; echo rc=$?");
    EXPECT_NE(check.find("rc=0"), std::string::npos) << check;

    // Started from an unrelated folder, as the desktop's menu would.
    GameProcess game = GameProcess::Installed(tree + "/usr/games/tessaran");
    ASSERT_TRUE(game.Launch("/")) << game.Stderr();
    Pause(500);
    ASSERT_TRUE(game.Running()) << "the game stopped after showing its window: " << game.Stderr();
    game.Key("q");
    EXPECT_EQ(game.WaitExit(), 0) << game.Stderr();
    EXPECT_EQ(game.Stderr().find("Error #"), std::string::npos) << game.Stderr();
    // Even root, who could write there, keeps its records out of the system's folders.
    EXPECT_TRUE(ReadRecord(game.DataHome() + "/tessaran/Tessaran Prefs.10W").has_value()) << game.Stderr();
    EXPECT_FALSE(fs::exists(tree + "/usr/games/Tessaran Prefs.10W"));
}

}  // namespace
}  // namespace tessaran::test
