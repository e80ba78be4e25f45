// The preferences record as a file format: defaults, damaged files, round trips, safe saves.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "platform/platform.h"
#include "profile/prefs.h"
#include "shell/startup.h"
#include "support/temp_home.h"

namespace tessaran {
namespace {

using test::ReadText;
using test::WriteBytes;

std::vector<unsigned char> Golden() {
    std::string s = ReadText(TESSARAN_SOURCE_DIR "/tests/data/default.prefs");
    return {s.begin(), s.end()};
}

std::vector<unsigned char> RecordBytes(const PrefsRecord& r) {
    auto* p = reinterpret_cast<const unsigned char*>(&r);
    return {p, p + kPrefsSize};
}

class PrefsFileTest : public test::TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        ChangeDirectory(home);
        PrefPath = home + "/prefs.10W";
    }
    // Loads like start-up, with the path already resolved.
    void LoadFromPath() {
        SetDefaults(Prefs);
        if (!ReadPrefsFile(PrefPath)) {
            std::vector<uint8_t> bytes;
            if (ReadWholeFile(PrefsFileName, bytes))
                std::memcpy(Prefs.Bytes(), bytes.data(), std::min<size_t>(bytes.size(), kPrefsSize));
        }
        if (Prefs.windowWidth < 400) {
            Prefs.windowWidth = 400;
            Prefs.windowHeight = 300;
        }
        RepairPrefs(Prefs);
    }
};

TEST(PrefsRecordTest, DefaultsMatchTheGoldenRecordByteForByte) {
    PrefsRecord r;
    SetDefaults(r);
    EXPECT_EQ(RecordBytes(r), Golden());
}

TEST_F(PrefsFileTest, MissingEmptyShortAndLongFiles) {
    // No file anywhere: all defaults.
    LoadFromPath();
    EXPECT_EQ(RecordBytes(Prefs), Golden());

    // A 0-byte file at the path keeps the defaults and the current-directory copy is not read.
    std::vector<unsigned char> other(kPrefsSize, 0);
    other[0] = 4;
    WriteBytes(home + "/" + PrefsFileName, other);
    WriteBytes(PrefPath, {});
    LoadFromPath();
    EXPECT_EQ(Prefs.difficulty, 2);

    // Without the file at the path, the current-directory copy is used.
    std::filesystem::remove(PrefPath);
    LoadFromPath();
    EXPECT_EQ(Prefs.difficulty, 4);

    // 100 bytes: difficulty, sound and the first 23 scores come from the file, the rest stays default.
    std::vector<unsigned char> shortFile(100, 0);
    shortFile[0] = 3;
    shortFile[8] = 77;
    shortFile[96] = 5;  // hsScore[0][22]
    WriteBytes(PrefPath, shortFile);
    LoadFromPath();
    EXPECT_EQ(Prefs.difficulty, 3);
    EXPECT_EQ(Prefs.soundOn, 0);
    EXPECT_EQ(Prefs.hsScore[0][0], 77);
    EXPECT_EQ(Prefs.hsScore[2][2], 5);
    EXPECT_STREQ(Prefs.hsName[0][0], "Nobody");
    EXPECT_EQ(Prefs.windowWidth, 720);

    // 20000 bytes: only the first 15000 count.
    std::vector<unsigned char> longFile = Golden();
    longFile[0] = 1;
    longFile.resize(20000, 0xEE);
    WriteBytes(PrefPath, longFile);
    LoadFromPath();
    EXPECT_EQ(Prefs.difficulty, 1);
    EXPECT_EQ(Prefs.wonGames[3][999], 0);
}

TEST_F(PrefsFileTest, DamagedFieldsAreMadeSafeAndCountersKept) {
    std::vector<unsigned char> bad(kPrefsSize, 0xFF);  // every field out of range, no NUL anywhere
    WriteBytes(PrefPath, bad);
    LoadFromPath();
    EXPECT_EQ(Prefs.difficulty, 2);  // -1
    EXPECT_EQ(Prefs.currentPlayer, 0);
    EXPECT_EQ(Prefs.pieceStyle, 0);
    EXPECT_EQ(Prefs.soundVolume, 0);
    EXPECT_EQ(Prefs.windowWidth, 400);
    EXPECT_EQ(Prefs.windowHeight, 300);
    EXPECT_EQ(Prefs.gamesPlayed, -1);  // counters stay as stored
    for (auto& table : Prefs.hsName)
        for (auto& name : table) EXPECT_EQ(std::strlen(name), 29u);
    EXPECT_EQ(std::strlen(Prefs.lastName), 29u);
    EXPECT_EQ(std::strlen(Prefs.playerName[8]), 29u);
    EXPECT_EQ(std::strlen(Prefs.graphicsFile), 299u);

    PrefsRecord r;
    SetDefaults(r);
    r.difficulty = 5;
    r.currentPlayer = 10;
    r.pieceStyle = 3;
    r.soundVolume = 250;
    r.windowWidth = 100000;
    r.windowHeight = 700;
    WriteBytes(PrefPath, RecordBytes(r));
    LoadFromPath();
    EXPECT_EQ(Prefs.difficulty, 2);
    EXPECT_EQ(Prefs.currentPlayer, 0);
    EXPECT_EQ(Prefs.pieceStyle, 0);
    EXPECT_EQ(Prefs.soundVolume, 100);
    EXPECT_LE(Prefs.windowWidth, 7680);
    EXPECT_EQ(Prefs.windowHeight, 700);

    // The stated window rule: a width of 399 loads as 400 x 300; 400 x 700 is kept.
    r.soundVolume = 70;
    r.windowWidth = 399;
    WriteBytes(PrefPath, RecordBytes(r));
    LoadFromPath();
    EXPECT_EQ(Prefs.windowWidth, 400);
    EXPECT_EQ(Prefs.windowHeight, 300);
    r.windowWidth = 400;
    WriteBytes(PrefPath, RecordBytes(r));
    LoadFromPath();
    EXPECT_EQ(Prefs.windowHeight, 700);
}

TEST_F(PrefsFileTest, AGoodFileRoundTripsByteForByte) {
    std::mt19937 rng(1234);
    PrefsRecord r;
    SetDefaults(r);
    for (auto& row : r.hsScore)
        for (auto& v : row) v = static_cast<int32_t>(rng() % 100000);
    for (auto& level : r.wonGames)
        for (auto& v : level) v = static_cast<uint8_t>(rng() % 2);
    std::strcpy(r.playerName[3], "Zoë ~ the 29-character champ");
    r.reserved5888[7] = 0x5A;  // opaque bytes survive
    r.currentPlayer = 4;
    r.difficulty = 0;
    r.gamesPlayed = 12345;
    WriteBytes(PrefPath, RecordBytes(r));
    LoadFromPath();
    Prefs.Save();
    EXPECT_EQ(ReadText(PrefPath), std::string(reinterpret_cast<const char*>(&r), kPrefsSize));
}

TEST_F(PrefsFileTest, SaveRecordsTheLastWindowSizeAt4By3) {
    CurrentWindowHeight = 601;
    Prefs.Save();
    EXPECT_EQ(Prefs.windowWidth, 801);
    EXPECT_EQ(Prefs.windowHeight, 601);
    // After a start-up error the stored size is left alone.
    StartupError = 2;
    CurrentWindowHeight = 300;
    Prefs.Save();
    EXPECT_EQ(Prefs.windowHeight, 601);
    StartupError = 0;
    CurrentWindowHeight = 0;
}

TEST_F(PrefsFileTest, AFailedWriteLeavesThePreviousFileWhole) {
    Prefs.gamesPlayed = 7;
    Prefs.Save();
    std::string before = ReadText(PrefPath);
    ASSERT_EQ(before.size(), static_cast<size_t>(kPrefsSize));

    // A file-size limit makes every write past 1000 bytes fail, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    Prefs.gamesPlayed = 8;
    std::string reason;
    bool ok = WritePrefsFile(PrefPath, &reason);
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(ReadText(PrefPath), before);
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(home))
        if (e.path().filename().string().find(".tmp-") != std::string::npos) ++files;
    EXPECT_EQ(files, 0);
}

TEST_F(PrefsFileTest, SaveFallsBackToTheCurrentDirectoryThenReportsAtExit) {
    PrefPath = home + "/no-such-folder/prefs.10W";
    Prefs.Save();
    EXPECT_EQ(ReadText(home + "/" + PrefsFileName).size(), static_cast<size_t>(kPrefsSize));
    EXPECT_TRUE(PendingSaveFailure().empty());

    // Both places fail: the player is told at process end, naming the path and the reason.
    std::string gone = home + "/gone";
    std::filesystem::create_directory(gone);
    ChangeDirectory(gone);
    std::filesystem::remove(gone);
    Prefs.Save();
    ASSERT_FALSE(PendingSaveFailure().empty());
    EXPECT_NE(PendingSaveFailure().find(PrefPath), std::string::npos);
    EXPECT_NE(PendingSaveFailure().find("No such file or directory"), std::string::npos);

    ArmEndOfProcessHandler();
    RunEndOfProcessHandler();
    ASSERT_EQ(test::RecordedBoxes().size(), 1u);
    EXPECT_EQ(test::RecordedBoxes()[0].caption, "Tessaran Error");
    EXPECT_NE(test::RecordedBoxes()[0].text.find(PrefPath), std::string::npos);
}

TEST(PrefsCliTest, PrefsDumpPrintsEveryNamedFieldOfADefaultRecord) {
    std::string command = std::string("\"") + TESSARAN_BINARY_DIR + "/tessaran-cli\" prefs-dump \"" +
                          TESSARAN_SOURCE_DIR + "/tests/data/default.prefs\"";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_TRUE(pipe);
    std::vector<std::string> lines;
    char buf[65536];
    while (std::fgets(buf, sizeof buf, pipe.get())) lines.emplace_back(buf);
    ASSERT_EQ(static_cast<int>(lines.size()), kPrefsFieldCount);
    EXPECT_EQ(lines[0], "difficulty 2\n");
    EXPECT_EQ(lines[1], "soundOn 1\n");
    EXPECT_EQ(lines[6], "lastName \"Anonymous\"\n");
    EXPECT_EQ(lines[7], "windowWidth 720\n");
    EXPECT_EQ(lines[15].rfind("playerName \"Ruko\" \"Quor\" \"Fernwick\"", 0), 0u);
    EXPECT_EQ(lines.back().substr(0, 11), "wonGames 0 ");
}

}  // namespace
}  // namespace tessaran
