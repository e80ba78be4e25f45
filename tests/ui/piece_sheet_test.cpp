// Choosing the piece sheet: the player's own file when it is usable, otherwise the built-in
// sheet, with the message screen over whatever screen the game was on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "profile/prefs.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "support/temp_home.h"
#include "ui/bmp_bytes.h"
#include "ui/piece_sheet.h"

namespace tessaran {
namespace {

using test::BmpLayout;
using test::MakeBmp;

class PieceSheetTest : public test::TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        ScreenState = ScreenStartup;
        ReturnState = ScreenGame;
        MessageLine1[0] = MessageLine2[0] = 0;
    }
    void TearDown() override {
        ClearResourceOverrides();
        TempHomeTest::TearDown();
    }
    void UseFile(const std::string& path, uint8_t custom = 1, int32_t choice = kCustomSheetChoice) {
        Prefs.useCustomGraphics = custom;
        Prefs.graphicsChoice = choice;
        std::snprintf(Prefs.graphicsFile, sizeof Prefs.graphicsFile, "%s", path.c_str());
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = home + "/" + name;
        test::WriteBytes(path, bytes);
        return path;
    }
    void ExpectBuiltInWithMessage(const char* what) {
        TextureImage sheet;
        EXPECT_EQ(ReadPieceSheet(sheet), PieceSheetSource::BuiltIn) << what;
        EXPECT_EQ(sheet.picture.width, 512) << what;
        EXPECT_EQ(sheet.picture.height, 128) << what;
        EXPECT_FALSE(sheet.mask.empty()) << what;
        EXPECT_EQ(ScreenState, ScreenMessage) << what;
        EXPECT_EQ(ReturnState, ScreenStartup) << what << ": dismissing goes back to where the game was";
        EXPECT_STREQ(MessageLine1, "Couldn't load specified Vorla graphics file.") << what;
        EXPECT_STREQ(MessageLine2, "The file may be missing.  Reverting to regular Vorla graphics.") << what;
        ScreenState = ScreenStartup;
        ReturnState = ScreenGame;
    }
};

TEST_F(PieceSheetTest, UsableCustomFileIsUsedWithItsMaskOnlyWhenCustomGraphicsAreOn) {
    BmpLayout layout;
    layout.width = 16;
    layout.height = 4;
    const std::string path = Write("mine.bmp", MakeBmp(layout));
    for (int custom : {1, 0}) {
        UseFile(path, static_cast<uint8_t>(custom));
        TextureImage sheet;
        EXPECT_EQ(ReadPieceSheet(sheet), custom ? PieceSheetSource::CustomFile : PieceSheetSource::BuiltIn);
        EXPECT_EQ(sheet.picture.width, custom ? 16 : 512);
        EXPECT_EQ(sheet.mask.size(), sheet.picture.pixels.size());
        EXPECT_EQ(ScreenState, ScreenStartup);
    }
}

TEST_F(PieceSheetTest, EveryBadCustomFileFallsBackWithTheMessage) {
    auto bmp = [](auto change) {
        BmpLayout layout;
        change(layout);
        return MakeBmp(layout);
    };
    std::vector<uint8_t> cut = MakeBmp(BmpLayout{});
    cut.resize(cut.size() - 5);
    const std::pair<const char*, std::vector<uint8_t>> files[] = {
        {"not a bitmap", {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't'}},
        {"empty", {}},
        {"compressed", bmp([](BmpLayout& l) { l.bitsPerPixel = 8, l.compression = 1; })},
        {"32-bit", bmp([](BmpLayout& l) { l.bitsPerPixel = 32; })},
        {"sides not powers of two", bmp([](BmpLayout& l) { l.width = 48; })},
        {"larger than 4096", bmp([](BmpLayout& l) { l.width = 8192, l.height = 1; })},
        {"truncated", cut},
    };
    for (const auto& [what, bytes] : files) {
        UseFile(Write("bad.bmp", bytes));
        ExpectBuiltInWithMessage(what);
    }
    for (const std::string& path : {home + "/no-such-file.bmp", home, std::string()}) {
        UseFile(path);
        ExpectBuiltInWithMessage(("missing or a folder: " + path).c_str());
    }
    std::memset(Prefs.graphicsFile, 'a', sizeof Prefs.graphicsFile);  // no terminating NUL
    ExpectBuiltInWithMessage("unterminated name");
}

TEST_F(PieceSheetTest, ANumberedSheetIsUsedWhenPresentAndOthersFallBackQuietly) {
    for (int32_t choice : {0, 1, 5, 98, 100, -7, 2147483647}) {
        UseFile("", 1, choice);
        TextureImage sheet;
        EXPECT_EQ(ReadPieceSheet(sheet), PieceSheetSource::BuiltIn) << choice;
        EXPECT_EQ(ScreenState, ScreenStartup) << choice;
    }
    BmpLayout layout;
    layout.width = 32;
    const std::vector<uint8_t> bytes = MakeBmp(layout);
    OverrideResource("BITMAP", "605", Resource{bytes.data(), bytes.size()});
    UseFile("", 1, 5);
    TextureImage sheet;
    EXPECT_EQ(ReadPieceSheet(sheet), PieceSheetSource::Numbered);
    EXPECT_EQ(sheet.picture.width, 32);
}

}  // namespace
}  // namespace tessaran
