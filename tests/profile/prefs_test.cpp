// The preferences record as a file: its byte layout, damaged files, saves that survive a full
// disk or a kill, and where the file lives.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <thread>
#include <tuple>

#include "platform/platform.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "profile/prefs_location.h"
#include "shell/startup.h"
#include "support/temp_home.h"

namespace tessaran {
namespace {

using test::ReadText;
using test::RecordBytes;
using test::WriteBytes;

std::vector<unsigned char> Golden() {
    std::string s = ReadText(TESSARAN_SOURCE_DIR "/tests/data/default.prefs");
    return {s.begin(), s.end()};
}

class PrefsFileTest : public test::TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        ChangeDirectory(home);
        PrefPath = home + "/prefs.10W";
        ASSERT_TRUE(WriteUserSetting(kSettingsKey, kSettingsValue, PrefPath));
    }
    // Starts the game's load afresh with `bytes` in the file.
    void LoadFrom(const std::vector<unsigned char>& bytes) {
        WriteBytes(PrefPath, bytes);
        SetDefaults(Prefs);
        Prefs.Load();
    }
};

TEST_F(PrefsFileTest, DefaultsMatchTheGoldenRecordAndShortOrLongFilesOverlayThem) {
    Prefs.Load();  // no file anywhere
    EXPECT_EQ(RecordBytes(Prefs), Golden());

    // A 0-byte file at the path keeps the defaults: the current-directory copy is not read.
    std::vector<unsigned char> other = Golden();
    other[0] = 4;
    WriteBytes(home + "/" + PrefsFileName, other);
    LoadFrom({});
    EXPECT_EQ(RecordBytes(Prefs), Golden());
    std::filesystem::remove(PrefPath);
    Prefs.Load();
    EXPECT_EQ(Prefs.difficulty, 4) << "without the file at the path, the current-directory copy";

    // 100 bytes: difficulty, sound and the first 23 scores come from the file, the rest stays default.
    std::vector<unsigned char> shortFile(100, 0);
    shortFile[0] = 3;
    shortFile[8] = 77;
    LoadFrom(shortFile);
    EXPECT_EQ(Prefs.difficulty, 3);
    EXPECT_EQ(Prefs.hsScore[0][0], 77);
    EXPECT_EQ(Prefs.windowWidth, 720);

    std::vector<unsigned char> longFile = Golden();  // only the first 15000 bytes count
    longFile[0] = 1;
    longFile.resize(20000, 0xEE);
    LoadFrom(longFile);
    EXPECT_EQ(Prefs.difficulty, 1);
}

// A huge file costs no more than its first 15000 bytes, in the game and in prefs-dump, which
// once died of an uncaught bad_alloc under a memory limit.
TEST_F(PrefsFileTest, AHugeSparseFileIsReadOnlyAsFarAsTheRecord) {
    std::vector<unsigned char> start = Golden();
    start[0] = 3;
    WriteBytes(PrefPath, start);
    std::filesystem::resize_file(PrefPath, 1ull << 30);
    SetDefaults(Prefs);
    Prefs.Load();
    EXPECT_EQ(Prefs.difficulty, 3);

#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer's shadow memory does not fit a memory limit
    const std::string command = "ulimit -v 300000; exec " TESSARAN_BINARY_DIR "/tessaran-cli prefs-dump '" +
                                PrefPath + "' > '" + home + "/dump.txt'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadText(home + "/dump.txt").rfind("difficulty 3\n", 0), 0u);
#endif
}

TEST_F(PrefsFileTest, DamagedFieldsAreMadeSafeAndCountersKept) {
    LoadFrom(std::vector<unsigned char>(kPrefsSize, 0xFF));  // every field out of range, no NUL anywhere
    EXPECT_EQ(std::tuple(Prefs.difficulty, Prefs.currentPlayer, Prefs.pieceStyle, Prefs.soundVolume, Prefs.windowHeight),
              std::tuple(2, 0, 0, 0, 300));
    EXPECT_EQ(Prefs.gamesPlayed, -1) << "counters stay as stored";
    EXPECT_EQ(std::tuple(std::strlen(Prefs.hsName[14][9]), std::strlen(Prefs.playerName[8]),
                         std::strlen(Prefs.graphicsFile)),
              std::tuple(29u, 29u, 299u));

    PrefsRecord r;
    SetDefaults(r);
    r.soundVolume = 250;
    r.windowWidth = 100000;
    r.windowHeight = 700;
    LoadFrom(RecordBytes(r));
    EXPECT_EQ(Prefs.soundVolume, 100);
    EXPECT_LE(Prefs.windowWidth, 7680);
    r.windowWidth = 399;  // too narrow: the whole size falls back to 400 x 300
    LoadFrom(RecordBytes(r));
    EXPECT_EQ(Prefs.windowHeight, 300);

    // Any other shape becomes the largest 4:3 size inside it, so the first frame is laid out right.
    for (auto [w, h, wantW, wantH] : {std::array{1000, 540, 720, 540}, std::array{400, 700, 400, 300},
                                      std::array{801, 601, 801, 601}, std::array{800, 601, 800, 600}}) {
        r.windowWidth = w;
        r.windowHeight = h;
        LoadFrom(RecordBytes(r));
        EXPECT_EQ(Prefs.windowWidth, wantW) << w << "x" << h;
        EXPECT_EQ(Prefs.windowHeight, wantH) << w << "x" << h;
    }
}

TEST_F(PrefsFileTest, AGoodFileRoundTripsByteForByte) {
    PrefsRecord r;
    SetDefaults(r);
    for (int i = 0; i < kTableRanks; ++i) r.hsScore[1][i] = 100000 - 7 * i;
    r.wonGames[2][17] = 1;
    std::strcpy(r.playerName[3], "Zo\xEB ~ the 28-character champ");
    r.reserved5888[7] = 0x5A;  // opaque bytes survive
    r.gamesPlayed = 12345;
    LoadFrom(RecordBytes(r));
    Prefs.Save();
    EXPECT_EQ(ReadText(PrefPath), std::string(reinterpret_cast<const char*>(&r), kPrefsSize));
}

// A preferences file kept elsewhere through a link: saves replace the file the link leads
// to, and the link stays a link.
TEST_F(PrefsFileTest, ASymlinkedFileStaysALinkAndItsTargetReceivesTheSaves) {
    namespace fs = std::filesystem;
    fs::create_directory(home + "/dotfiles");
    const std::string target = home + "/dotfiles/tessaran.10W";
    WriteBytes(target, Golden());
    fs::create_symlink("dotfiles/tessaran.10W", PrefPath);
    Prefs.Load();
    Prefs.gamesPlayed = 41;
    Prefs.Save();
    EXPECT_TRUE(fs::is_symlink(PrefPath));
    auto saved = ReadText(target);
    ASSERT_EQ(saved.size(), static_cast<size_t>(kPrefsSize));
    EXPECT_EQ(std::memcmp(saved.data() + offsetof(PrefsRecord, gamesPlayed), &Prefs.gamesPlayed, 4), 0);

    fs::remove(target);  // a dangling link: the save creates the file it names
    Prefs.Save();
    EXPECT_TRUE(fs::is_symlink(PrefPath));
    EXPECT_EQ(ReadText(target).size(), static_cast<size_t>(kPrefsSize));
    for (auto& e : fs::directory_iterator(home)) EXPECT_EQ(e.path().string().find(".tmp-"), std::string::npos);
}

TEST_F(PrefsFileTest, AFailedWriteLeavesThePreviousFileWholeAndNoTemporaryFile) {
    Prefs.gamesPlayed = 7;
    Prefs.Save();
    const std::string before = ReadText(PrefPath);
    ASSERT_EQ(before.size(), static_cast<size_t>(kPrefsSize));

    // A file-size limit makes every write past 1000 bytes fail, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    const rlimit tight{1000, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    Prefs.gamesPlayed = 8;
    const bool ok = WritePrefsFile(PrefPath, nullptr);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(ReadText(PrefPath), before);
    for (auto& e : std::filesystem::directory_iterator(home))
        EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos);
}

TEST_F(PrefsFileTest, SaveFallsBackToTheCurrentDirectoryThenReportsAtExit) {
    const std::string unusable = home + "/no-such-folder/prefs.10W";
    PrefPath = unusable;
    Prefs.Save();
    EXPECT_EQ(ReadText(home + "/" + PrefsFileName).size(), static_cast<size_t>(kPrefsSize));
    // The fallback holds the newest record, so the next start is pointed at it.
    EXPECT_EQ(PrefPath, home + "/" + PrefsFileName);
    EXPECT_EQ(ReadUserSetting(kSettingsKey, kSettingsValue), PrefPath);
    PrefPath = unusable;

    // Both places fail: the player is told at process end, naming the path and the reason.
    std::string gone = home + "/gone";
    std::filesystem::create_directory(gone);
    ChangeDirectory(gone);
    std::filesystem::remove(gone);
    Prefs.Save();
    EXPECT_NE(PendingSaveFailure().find("No such file or directory"), std::string::npos);
    ArmEndOfProcessHandler();
    RunEndOfProcessHandler();
    ASSERT_EQ(test::RecordedBoxes().size(), 1u);
    EXPECT_EQ(test::RecordedBoxes()[0].caption, "Tessaran Error");
    EXPECT_NE(test::RecordedBoxes()[0].text.find(PrefPath), std::string::npos);
}

using PrefsLocationTest = test::TempHomeTest;

TEST_F(PrefsLocationTest, TheStoredPathIsUsedAndAMissingOrOverlongOneIsReplacedByTheDefault) {
    const std::string fallback = JoinPath(ProgramFolder(), PrefsFileName);
    ResolvePrefPath();  // the first run stores the program folder's path
    EXPECT_EQ(PrefPath, fallback);
    EXPECT_EQ(ReadUserSetting(kSettingsKey, kSettingsValue), fallback);

    ASSERT_TRUE(WriteUserSetting(kSettingsKey, kSettingsValue, home + "/elsewhere.10W"));
    ResolvePrefPath();  // used as it is, even with no file there yet
    EXPECT_EQ(PrefPath, home + "/elsewhere.10W");

    ASSERT_TRUE(WriteUserSetting(kSettingsKey, kSettingsValue, std::string(kLongestPrefPath + 1, 'x')));
    ResolvePrefPath();
    EXPECT_EQ(PrefPath, fallback);

    ProgramFolderPath = home + "/not-there";  // cannot take a new file: the user data folder
    EXPECT_EQ(DefaultPrefPath(), data + "/tessaran/" + PrefsFileName);
}

// The mark helpers' switches live beside the path in the settings store, never in the record.
TEST_F(PrefsFileTest, MarkSwitchesRoundTripBesideThePathAndBadValuesMeanTheDefaults) {
    const auto switches = [] {
        return std::tuple(MarkOptions.highlightMatches, MarkOptions.showConflicts, MarkOptions.autoRemoveMarks);
    };
    MarkOptions = {false, false, true};
    LoadFrom(Golden());  // nothing stored yet: the defaults
    EXPECT_EQ(switches(), std::tuple(true, true, false));

    MarkOptions = {false, true, true};
    ASSERT_TRUE(SaveMarkSettings());
    const std::string store = ReadText(config + "/tessaran/registry.ini");
    EXPECT_NE(store.find("[Software\\Vorla LLC\\Tessaran]"), std::string::npos) << store;
    EXPECT_NE(store.find("HighlightMatches=false"), std::string::npos) << store;
    EXPECT_EQ(ReadUserSetting(kSettingsKey, kSettingsValue), PrefPath) << "the path is kept";
    MarkOptions = MarkSettings{};
    LoadFrom(Golden());
    EXPECT_EQ(switches(), std::tuple(false, true, true));
    EXPECT_EQ(RecordBytes(Prefs), Golden()) << "the record is untouched";

    ASSERT_TRUE(WriteUserSetting(kSettingsKey, kHighlightMatchesValue, "yes"));
    ASSERT_TRUE(WriteUserSetting(kSettingsKey, kShowConflictsValue, "FALSE"));
    ASSERT_TRUE(WriteUserSetting(kSettingsKey, kAutoRemoveMarksValue, ""));
    LoadMarkSettings();
    EXPECT_EQ(switches(), std::tuple(true, false, false));
    WriteBytes(config + "/tessaran/registry.ini", {'[', 0xff, '\n', '='});  // an unreadable store
    MarkOptions = {false, false, true};
    LoadMarkSettings();
    EXPECT_EQ(switches(), std::tuple(true, true, false));
}

// Killing the process in the middle of saves never leaves a torn preferences file.
TEST_F(PrefsFileTest, SaveKillLeavesOnlyWholeSavedStates) {
    const unsigned seed = static_cast<unsigned>(std::random_device{}());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 40; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves as fast as it can, each state different from the last in many places.
            for (int32_t i = 1;; ++i) {
                Prefs.gamesPlayed = i;
                std::memset(Prefs.wonGames, i & 1, sizeof Prefs.wonGames);
                Prefs.Save();
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 30000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string saved = ReadText(PrefPath);
        if (saved.empty()) continue;  // killed before the first save finished
        ASSERT_EQ(saved.size(), static_cast<size_t>(kPrefsSize)) << "round " << round;
        PrefsRecord expected;
        SetDefaults(expected);
        std::memcpy(&expected.gamesPlayed, saved.data() + offsetof(PrefsRecord, gamesPlayed), 4);
        ASSERT_GE(expected.gamesPlayed, 1);
        std::memset(expected.wonGames, expected.gamesPlayed & 1, sizeof expected.wonGames);
        ASSERT_EQ(std::memcmp(saved.data(), &expected, kPrefsSize), 0) << "torn file in round " << round;
    }

    // The temporaries of killed saves are swept by a later save once they are old; a fresh one
    // (another copy of the game may be saving) and other files stay.
    namespace fs = std::filesystem;
    const std::string fresh = PrefPath + ".tmp-FRESH1", other = PrefPath + ".tmp-keep-me";
    WriteBytes(fresh, {1});
    WriteBytes(other, {1});
    auto ours = [&] {
        std::vector<std::string> paths;
        for (const auto& entry : fs::directory_iterator(home))
            if (entry.path().string().starts_with(PrefPath)) paths.push_back(entry.path().string());
        std::sort(paths.begin(), paths.end());
        return paths;
    };
    for (const std::string& path : ours())
        if (path != fresh) fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    Prefs.Save();
    const std::vector<std::string> left = ours();
    EXPECT_EQ(left, (std::vector<std::string>{PrefPath, fresh, other}));
}

}  // namespace
}  // namespace tessaran
