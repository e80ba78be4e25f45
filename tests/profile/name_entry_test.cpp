// Typing into a name: the first key replaces the offered text, the length and width limits,
// bytes the font cannot draw, leading blanks, and names that always stay inside their slot and
// load back exactly as they were saved.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "front_fixture.h"

namespace tessaran::test {
namespace {

using NameEntryTest = FrontTest;

// Opens the player-name entry on profile 1 with `offered` in its slot.
void OpenOn(const char* offered) {
    Prefs.currentPlayer = 1;
    SetName(Prefs.playerName[0], offered);
    OpenChangePlayerName();
}

// Every byte after the name's NUL is zero, and the NUL is inside the slot.
::testing::AssertionResult CleanSlot(const char* slot) {
    const void* nul = std::memchr(slot, 0, kNameSlot);
    if (!nul) return ::testing::AssertionFailure() << "no NUL inside the slot";
    for (auto* p = static_cast<const char*>(nul); p < slot + kNameSlot; ++p)
        if (*p != '\0') return ::testing::AssertionFailure() << "byte " << (p - slot) << " after the name is set";
    return ::testing::AssertionSuccess();
}

TEST_F(NameEntryTest, TheFirstDrawableKeyReplacesTheOfferedNameAndBackspaceRubsOut) {
    OpenOn("Ruko");
    for (int c : {0, 7, 9, 10, 31, 127, 128, 150, 159}) EditEntryText(static_cast<uint8_t>(c), nullptr);
    EXPECT_STREQ(EntryTarget, "Ruko") << "bytes the font cannot draw are ignored";
    EXPECT_EQ(EntryEdited, 0);
    Type("J");
    EXPECT_STREQ(EntryTarget, "J");
    Type("o\b\b\b");  // more backspaces than letters
    EXPECT_STREQ(EntryTarget, "");

    OpenOn("Ruko");
    Type("\b");  // a backspace first empties the offered name, and removes nothing more
    EXPECT_STREQ(EntryTarget, "");
    EXPECT_TRUE(CleanSlot(EntryTarget));
}

TEST_F(NameEntryTest, EveryCharacterTheFontDrawsIsKept) {
    std::string all;
    for (int c = 32; c < 256; ++c)
        if (IsNameCharacter(static_cast<uint8_t>(c)) && c != ' ') all += static_cast<char>(c);
    EXPECT_EQ(all.size(), 94u + 96u);  // 33..126 and 160..255
    for (size_t at = 0; at < all.size(); at += 29) {
        const std::string part = all.substr(at, 29);
        OpenOn("Ruko");
        Type(part);
        ConfirmTextEntry();
        EXPECT_EQ(std::string(Prefs.playerName[0]), part);
    }
}

TEST_F(NameEntryTest, TwentyNineCharactersAtMostAndNoWiderThanTheLimit) {
    OpenOn("Ruko");
    Type(std::string(40, 'x'));
    EXPECT_EQ(std::strlen(EntryTarget), 29u);
    EXPECT_TRUE(CleanSlot(EntryTarget));
    Type("\b");
    EXPECT_EQ(std::strlen(EntryTarget), 28u);
    Type("yz");
    EXPECT_EQ(std::string(EntryTarget), std::string(28, 'x') + "y");

    // The width is measured before each key: a text 35.5 or wider takes nothing more.
    OpenOn("Ruko");
    auto fourEach = [](const char* text) { return 4.0f * static_cast<float>(std::strlen(text)); };
    for (int i = 0; i < 20; ++i) EditEntryText('W', fourEach);
    EXPECT_EQ(std::strlen(EntryTarget), 9u);  // 8 letters measure 32, 9 measure 36
}

TEST_F(NameEntryTest, LeadingBlanksAreDropped) {
    char text[kNameSlot] = "  Ada";
    TrimLeadingBlanks(text);
    EXPECT_STREQ(text, "Ada");
    EXPECT_TRUE(CleanSlot(text));
    OpenOn("Ruko");
    Type(" Bo");
    ConfirmTextEntry();
    EXPECT_STREQ(Prefs.playerName[0], "Bo");
}

TEST_F(NameEntryTest, AnOfferedSlotWithoutItsNulIsEditedInsideTheSlot) {
    Prefs.currentPlayer = 1;
    std::memset(Prefs.playerName[0], 'Q', kNameSlot);  // as a damaged file could leave it
    std::memset(Prefs.playerName[1], 'R', kNameSlot);
    OpenChangePlayerName();
    Type("\b");
    EXPECT_STREQ(Prefs.playerName[0], "");
    EXPECT_EQ(Prefs.playerName[1][0], 'R') << "the neighbouring slot is untouched";
    EXPECT_TRUE(CleanSlot(Prefs.playerName[0]));
}

// Random keystrokes, Enter and Esc on both entries: whatever is typed, every name slot keeps
// its NUL, and the neighbours of the edited slot never change.
TEST_F(NameEntryTest, RandomTypingNeverLeavesTheSlot) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 200; ++round) {
        Prefs.currentPlayer = 1 + static_cast<int32_t>(random() % 9);
        const bool highScore = random() % 2 == 0;
        if (highScore) {
            SetScore(1 + static_cast<int32_t>(random() % 100000));
            RecordScore();
            if (ScreenState != ScreenScoreName) continue;
        } else {
            OpenChangePlayerName();
        }
        char* const slot = EntryTarget;
        char before[kNameSlot], after[kNameSlot];
        std::memcpy(before, slot - kNameSlot, kNameSlot);
        std::memcpy(after, slot + kNameSlot, kNameSlot);
        const int keys = static_cast<int>(random() % 60);
        for (int k = 0; k < keys; ++k) EditEntryText(static_cast<uint8_t>(random() % 256), nullptr);
        EXPECT_TRUE(CleanSlot(slot));
        EXPECT_EQ(std::memcmp(before, slot - kNameSlot, kNameSlot), 0);
        EXPECT_EQ(std::memcmp(after, slot + kNameSlot, kNameSlot), 0);
        if (random() % 3 == 0)
            CancelTextEntry();
        else
            ConfirmTextEntry();
        EXPECT_TRUE(CleanSlot(slot));
        EXPECT_NE(slot[0], ' ');
        ScreenState = ScreenMain;
    }
    for (const auto& table : Prefs.hsName)
        for (const auto& name : table) EXPECT_TRUE(CleanSlot(name));
    for (const auto& name : Prefs.playerName) EXPECT_TRUE(CleanSlot(name));
    EXPECT_TRUE(CleanSlot(Prefs.lastName));
}

TEST_F(NameEntryTest, ASavedFullLengthNameLoadsBackTheSame) {
    std::string name;
    for (int i = 0; i < 29; ++i) name += static_cast<char>(i % 2 ? 0xFF : 0xA0 + i);  // Latin-1 letters
    OpenOn("Ruko");
    Type(name + "more");
    ConfirmTextEntry();
    ASSERT_EQ(std::string(Prefs.playerName[0]), name);
    char saved[kNameSlot];
    std::memcpy(saved, Prefs.playerName[0], kNameSlot);

    SetDefaults(Prefs);
    ASSERT_TRUE(ReadPrefsFile(PrefPath));
    RepairPrefs(Prefs);
    EXPECT_EQ(std::memcmp(Prefs.playerName[0], saved, kNameSlot), 0);
    EXPECT_EQ(std::string(Prefs.playerName[0]), name);
}

}  // namespace
}  // namespace tessaran::test
