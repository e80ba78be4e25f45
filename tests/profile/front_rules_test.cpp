// The score tables, profiles, name entry, menus and the end-of-game summary, without a window:
// who enters which table, what a cancelled or empty name leaves, names that never leave their
// slot, and the summary's awards on its timeline.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/menus.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "profile/summary.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

std::vector<int> Sounds;

class FrontTest : public TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        PrefPath = home + "/Tessaran Prefs.10W";
        Sounds.clear();
        SetSoundPlayer([](int n) { Sounds.push_back(n); });
        ResetGameScore();
        MistakeCount = 0;
        SolverGame = OneMoreGame = PendingPersonalBest = PendingPlayerNote = ShowMyScores = false;
        HighlightRow = kNoHighlight;
        SummaryTimer = 0.0f;
        SummaryStage = 0;
        FrameFactor = 1.0f;
        MenuCommand = 0;
        ScreenState = ReturnState = ScreenMain;
        DifficultyMenu = PlayerMenu = DropDownMenu{};
        BuildMenus();
        TakeSnapshot();
    }
};

void Type(const std::string& keys) {
    for (unsigned char c : keys) EditEntryText(c, nullptr);
}
void Record(int32_t score, int32_t seconds) {
    ResetGameScore();
    AddToScore(score);
    TimeUsed = seconds;
    RecordScore();
}
// A table 10000, 9000, ... 1000 with times 100 s, 200 s, ..., marks 1..10 and names "R0".."R9".
void FillTable(int level) {
    for (int r = 0; r < kTableRanks; ++r) {
        Prefs.hsScore[level][r] = 10000 - 1000 * r;
        Prefs.hsTime[level][r] = 100 * (r + 1);
        Prefs.hsMark[level][r] = static_cast<uint8_t>(r + 1);
        SetName(Prefs.hsName[level][r], ("R" + std::to_string(r)).c_str());
    }
}
// Every byte after the name's NUL is zero, and the NUL is inside the slot.
::testing::AssertionResult CleanSlot(const char* slot) {
    const void* nul = std::memchr(slot, 0, kNameSlot);
    if (!nul) return ::testing::AssertionFailure() << "no NUL inside the slot";
    for (auto* p = static_cast<const char*>(nul); p < slot + kNameSlot; ++p)
        if (*p != '\0') return ::testing::AssertionFailure() << "byte " << (p - slot) << " after the name is set";
    return ::testing::AssertionSuccess();
}

// ---- Tables ---------------------------------------------------------------------------------

TEST_F(FrontTest, PersonalTableTakesOnlyStrictlyBetterScoresAndKeepsEqualsBelow) {
    Prefs.currentPlayer = 4;
    Prefs.difficulty = LevelHard;
    int32_t* s = Prefs.playerBestScore[3][LevelHard];
    int32_t* t = Prefs.playerBestTime[3][LevelHard];
    for (int k = 0; k < 5; ++k) {
        s[k] = 9000 - 2000 * k;
        t[k] = 10 * (k + 1);
    }
    for (int r = 0; r < kTableRanks; ++r) Prefs.hsScore[LevelHard][r] = 50000;  // out of reach
    Record(1000, 1);  // equal to the fifth: nothing
    EXPECT_FALSE(PendingPersonalBest);
    Record(9000, 5);  // equal to the first, and faster: still second
    EXPECT_TRUE(PendingPersonalBest);
    EXPECT_EQ(s[1], 9000);
    EXPECT_EQ(t[1], 5);
    EXPECT_EQ(s[4], 3000) << "the old fifth falls out";
    EXPECT_STREQ(MessageLine2, "This is your #2 personal high score, Tupa!");
    EXPECT_EQ(ScreenState, ScreenMain) << "no overall place: the screen stays";
}

TEST_F(FrontTest, OverallOrderIsFasterFirstThenOlderFirstAndTheNameEntryOpensOnTheRow) {
    FillTable(LevelMedium);
    Record(10000, 99);  // faster than the best: above it
    EXPECT_EQ(HighlightRow, 0);
    EXPECT_EQ(Prefs.hsMark[LevelMedium][1], 1) << "the mark byte moves with its entry";

    FillTable(LevelMedium);
    SetName(Prefs.lastName, "Pim");
    Record(10000, 100);  // equal score, equal time: below the older entry
    EXPECT_EQ(HighlightRow, 1);
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "R0");
    EXPECT_EQ(ScreenState, ScreenScoreName);
    EXPECT_STREQ(EntryTarget, "Pim") << "the last name is offered";

    FillTable(LevelMedium);
    ScreenState = ScreenMain;
    Record(1000, 100);  // equal to the tenth: no entry, no name asked
    EXPECT_EQ(ScreenState, ScreenMain);
    Prefs.hsScore[LevelMedium][9] = 0;  // a score of zero or less never enters
    Record(0, 1);
    Record(-1500, 1);
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(FrontTest, EscapeRestoresTheTableAConfirmedNameIsSavedAndOfferedAndAnEmptyOneKeepsTheOffer) {
    FillTable(LevelMedium);
    Prefs.currentPlayer = 1;
    PrefsRecord before{};
    std::memcpy(&before, Prefs.Bytes(), sizeof before);
    Record(8800, 400);
    ASSERT_EQ(ScreenState, ScreenScoreName);
    Type("Zed");
    CancelTextEntry();
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(std::memcmp(Prefs.hsScore, before.hsScore, sizeof before.hsScore), 0);
    EXPECT_EQ(std::memcmp(Prefs.hsName, before.hsName, sizeof before.hsName), 0);
    EXPECT_STREQ(Prefs.lastName, "Anonymous");
    EXPECT_EQ(Prefs.playerBestScore[0][LevelMedium][0], 8800) << "the personal best stays";
    EXPECT_FALSE(FileExists(PrefPath)) << "cancel saves nothing";

    Record(12000, 75);
    Type(" Greta");  // a name never starts with a blank
    ConfirmTextEntry();
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "Greta");
    EXPECT_EQ(ReadText(PrefPath), std::string(reinterpret_cast<const char*>(Prefs.Bytes()), kPrefsSize));

    Record(13000, 75);
    Type("ab\b\b");  // typed, then rubbed out
    EXPECT_STREQ(EntryTarget, "");
    ConfirmTextEntry();
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "Greta");
}

// ---- Profiles -------------------------------------------------------------------------------

TEST_F(FrontTest, ClearingALevelAndResettingAPlayerTouchOnlyTheirOwnRecords) {
    EXPECT_STREQ(ConfirmQuestion(ConfirmResetPlayer), "Really reset all statistics for this player?");
    EXPECT_EQ(ErrorFreePercent(3, 2) + ErrorFreePercent(0, 0), 67) << "half up, and no division by zero";
    FillTable(LevelMedium);
    FillTable(LevelHard);
    ClearLevelScores();
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 0);
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "Nobody");
    EXPECT_EQ(Prefs.hsTime[LevelMedium][0], 100) << "times stay";
    EXPECT_EQ(Prefs.hsScore[LevelHard][0], 10000) << "other levels stay";

    Prefs.currentPlayer = 2;
    SetName(Prefs.playerName[1], "Speedy");
    for (int p = 0; p < kPlayerCount; ++p) {
        Prefs.playerGamesPlayed[p] = 7;
        Prefs.playerBestScore[p][LevelHard][4] = 500;
    }
    ResetCurrentPlayer();
    EXPECT_STREQ(PlayerMenu.entries[2].label, "Quor") << "the Player menu shows the name again";
    EXPECT_EQ(Prefs.playerGamesPlayed[1], 0);
    EXPECT_EQ(Prefs.playerBestScore[1][LevelHard][4], 0);
    EXPECT_EQ(Prefs.playerBestScore[2][LevelHard][4], 500) << "others untouched";
    EXPECT_EQ(Prefs.playerGamesPlayed[0], 7) << "others untouched";
    EXPECT_FALSE(FileExists(PrefPath)) << "nothing is saved now";
}

// ---- Typing a name --------------------------------------------------------------------------

TEST_F(FrontTest, TheFirstDrawableKeyReplacesTheOfferAndTheNameStopsAt29OrStaysIfEmptied) {
    Prefs.currentPlayer = 1;
    OpenChangePlayerName();
    for (int c : {0, 7, 9, 10, 31, 127, 128, 159}) EditEntryText(static_cast<uint8_t>(c), nullptr);
    EXPECT_STREQ(EntryTarget, "Ruko") << "bytes the font cannot draw are ignored";
    Type("J");
    EXPECT_STREQ(EntryTarget, "J");
    Type(std::string(40, 'x'));
    EXPECT_EQ(std::strlen(EntryTarget), 29u);
    ConfirmTextEntry();
    OpenChangePlayerName();
    Type("\b");
    ConfirmTextEntry();
    EXPECT_EQ(std::strlen(Prefs.playerName[0]), 29u) << "an emptied box keeps the old name";
}

// Random keystrokes, Enter and Esc on both entries: every name slot keeps its NUL, the
// neighbours of the edited slot never change.
TEST_F(FrontTest, RandomTypingNeverLeavesTheSlot) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    for (int round = 0; round < 200; ++round) {
        Prefs.currentPlayer = 1 + static_cast<int32_t>(random() % 9);
        if (random() % 2 == 0) {
            Record(1 + static_cast<int32_t>(random() % 100000), 60);
            if (ScreenState != ScreenScoreName) continue;
        } else {
            OpenChangePlayerName();
        }
        char* const slot = EntryTarget;
        const std::string around(slot - kNameSlot, 3 * kNameSlot);  // the slot and its neighbours
        std::string typed;
        for (int k = static_cast<int>(random() % 60); k > 0; --k) typed += static_cast<char>(random() % 256);
        Type(typed);
        EXPECT_TRUE(CleanSlot(slot));
        EXPECT_EQ(std::string(slot - kNameSlot, kNameSlot), around.substr(0, kNameSlot));
        EXPECT_EQ(std::string(slot + kNameSlot, kNameSlot), around.substr(2 * kNameSlot));
        random() % 3 == 0 ? CancelTextEntry() : ConfirmTextEntry();
        ScreenState = ScreenMain;
    }
    for (const auto& table : Prefs.hsName)
        for (const auto& name : table) EXPECT_TRUE(CleanSlot(name));
    EXPECT_TRUE(CleanSlot(Prefs.lastName));
}

// ---- The summary ----------------------------------------------------------------------------

// Frames until the summary leaves its screen, every one clicked or none.
int RunSummary(bool clicked = false) {
    ScreenState = ScreenGameOver;
    int frame = 0;
    for (; ScreenState == ScreenGameOver && frame < 2000; ++frame) AdvanceSummary(clicked);
    return frame;
}
// The points a whole summary adds.
int32_t Gain(int level, int32_t seconds, int32_t mistakes, bool solver) {
    ResetGameScore();
    Prefs.difficulty = level;
    TimeUsed = seconds;
    MistakeCount = mistakes;
    SolverGame = solver;
    SummaryTimer = 0.0f;
    SummaryStage = 0;
    RunSummary();
    return GameScore.Value();
}

TEST_F(FrontTest, AMediumGameIn600sGains6000OnTheTimelineAndEndsInRecordScore) {
    Prefs.difficulty = LevelMedium;
    TimeUsed = 600;
    AddToScore(2500);
    ScreenState = ScreenGameOver;
    while (SummaryTimer <= 450.0f) AdvanceSummary(false);
    EXPECT_EQ(ShownTimeBonus(SummaryTimer), 1500);
    EXPECT_EQ(GameScore.Value(), 5500) << "only the completion bonus so far";
    while (SummaryTimer <= 500.0f) AdvanceSummary(false);
    EXPECT_EQ(ShownTimeBonus(SummaryTimer), 3000) << "shown doubled";
    EXPECT_EQ(GameScore.Value(), 8500);
    EXPECT_EQ(Sounds, (std::vector<int>{SoundPop, SoundPop, SoundPop, SoundGoodMove}));
    RunSummary();
    EXPECT_EQ(ScreenState, ScreenScoreName);
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 8500);
    EXPECT_EQ(Prefs.hsTime[LevelMedium][0], 600);
}

TEST_F(FrontTest, MistakesDivideTheTimeBonusASolverGameGetsNoneAndAStallPaysEachAwardOnce) {
    EXPECT_EQ(Gain(LevelMedium, 600, 2, false), 3000 + 500);
    EXPECT_EQ(Sounds.back(), SoundBadMove);
    EXPECT_EQ(Gain(LevelEasy, 10, 0, true), 2000) << "the completion bonus only";
    EXPECT_EQ(Gain(LevelHard, 2000000000, 0, false), 4000);

    ResetGameScore();
    Sounds.clear();
    Prefs.difficulty = LevelChild;
    TimeUsed = 300;  // raw 500, doubled 1000
    SolverGame = false;
    SummaryTimer = 199.0f;
    SummaryStage = 0;
    FrameFactor = 200.0f;  // a six-second frame: all four awards at once
    AdvanceSummary(true);
    EXPECT_EQ(GameScore.Value(), 2000);
    EXPECT_EQ(Sounds, (std::vector<int>{SoundPop, SoundPop, SoundPop, SoundGoodMove}));
    EXPECT_LT(RunSummary(true), 5) << "clicks skip ahead";
    EXPECT_EQ(GameScore.Value(), 2000) << "no award twice";
}

}  // namespace
}  // namespace tessaran::test
