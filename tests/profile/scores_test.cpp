// The tables and profiles: recording a score, its name entry with confirm and cancel, clearing a
// level, resetting and renaming a player, percentages and the confirmation texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "front_fixture.h"

namespace tessaran::test {
namespace {

using ScoresTest = FrontTest;

// A table 10000, 9000, ... 1000 with times 100 s, 200 s, ..., marks 1..10 and names "R0".."R9".
void FillTable(int level) {
    for (int r = 0; r < kTableRanks; ++r) {
        Prefs.hsScore[level][r] = 10000 - 1000 * r;
        Prefs.hsTime[level][r] = 100 * (r + 1);
        Prefs.hsMark[level][r] = static_cast<uint8_t>(r + 1);
        SetName(Prefs.hsName[level][r], ("R" + std::to_string(r)).c_str());
    }
}
void Record(int32_t score, int32_t seconds) {
    ResetGameScore();
    AddToScore(score);
    TimeUsed = seconds;
    RecordScore();
}

TEST_F(ScoresTest, ErrorFreePercentRoundsHalfUpAndTheResetQuestionSaysReset) {
    const int cases[][3] = {{3, 1, 33}, {3, 2, 67}, {8, 1, 13}, {4, 4, 100}, {0, 0, 0}, {-1, 5, 0}};
    for (const auto& c : cases) EXPECT_EQ(ErrorFreePercent(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
    EXPECT_STREQ(ConfirmQuestion(ConfirmResetPlayer), "Really reset all statistics for this player?");
    EXPECT_STREQ(ConfirmQuestion(ConfirmClearScores), "Really clear scores for this difficulty level?");
    EXPECT_STREQ(ConfirmQuestion(5), "");
}

TEST_F(ScoresTest, PersonalTableTakesOnlyStrictlyBetterScoresAndKeepsEqualsBelow) {
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
    EXPECT_EQ(t[4], 50);

    Record(9000, 5);  // equal to the first, and faster: still second
    EXPECT_TRUE(PendingPersonalBest);
    EXPECT_EQ(t[0], 10);
    EXPECT_EQ(s[1], 9000);
    EXPECT_EQ(t[1], 5);
    EXPECT_EQ(s[4], 3000) << "the old fifth falls out";
    EXPECT_STREQ(MessageLine2, "This is your #2 personal high score, Tupa!");
    EXPECT_EQ(ScreenState, ScreenMain) << "no overall place: the screen stays";

    // Without a profile only the overall table is used.
    Prefs.currentPlayer = 0;
    Prefs.difficulty = LevelMedium;
    PendingPersonalBest = false;
    Record(4500, 300);
    EXPECT_FALSE(PendingPersonalBest);
    EXPECT_EQ(Prefs.playerBestScore[3][LevelMedium][0], 0);
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 4500);
    EXPECT_EQ(ScreenState, ScreenScoreName);
}

TEST_F(ScoresTest, EqualOverallScoresAreOrderedFasterFirstAndOlderFirstOnATie) {
    FillTable(LevelMedium);
    Record(10000, 99);  // faster than the best: above it
    EXPECT_EQ(HighlightRow, 0);
    EXPECT_STREQ(Prefs.hsName[LevelMedium][1], "R0");
    EXPECT_EQ(Prefs.hsMark[LevelMedium][1], 1) << "the mark byte moves with its entry";

    FillTable(LevelMedium);
    Record(10000, 100);  // equal score, equal time: below the older entry
    EXPECT_EQ(HighlightRow, 1);
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "R0");
    EXPECT_EQ(Prefs.hsMark[LevelMedium][1], 10) << "the new entry keeps rank 9's mark byte";

    FillTable(LevelMedium);
    ScreenState = ScreenMain;
    Record(1000, 100);  // equal to the tenth: no entry, no name asked
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(HighlightRow, kNoHighlight);
    EXPECT_STREQ(Prefs.hsName[LevelMedium][9], "R9");

    Prefs.hsScore[LevelMedium][9] = 0;  // a score of zero or less never enters
    Record(0, 1);
    Record(-1500, 1);
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(ScoresTest, AHighScoreOpensTheNameEntryOnItsRowOfferingTheLastName) {
    FillTable(LevelMedium);
    SetName(Prefs.lastName, "Pim");
    Record(7500, 640);
    EXPECT_EQ(ScreenState, ScreenScoreName);
    EXPECT_EQ(ReturnState, ScreenMain);
    EXPECT_STREQ(EntryTitle, "EXCELLENT SCORE!");
    EXPECT_STREQ(EntryPrompt, "Enter your name, exalted one:");
    EXPECT_EQ(EntryTarget, Prefs.hsName[LevelMedium][3]);
    EXPECT_STREQ(EntryTarget, "Pim");
    EXPECT_EQ(HighlightRow, 3);
    EXPECT_EQ(Prefs.hsTime[LevelMedium][3], 640);
}

TEST_F(ScoresTest, EscapeInTheNameEntryRestoresTheTableButKeepsThePersonalBestAndCounters) {
    FillTable(LevelMedium);
    Prefs.currentPlayer = 1;
    Prefs.gamesPlayed = 12;
    PrefsRecord tables{};
    std::memcpy(&tables, static_cast<PrefsRecord*>(&Prefs), sizeof tables);
    Record(8800, 400);
    ASSERT_EQ(ScreenState, ScreenScoreName);
    Type("Zed");
    CancelTextEntry();

    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(HighlightRow, kNoHighlight);
    EXPECT_EQ(std::memcmp(Prefs.hsScore, tables.hsScore, sizeof tables.hsScore), 0);
    EXPECT_EQ(std::memcmp(Prefs.hsName, tables.hsName, sizeof tables.hsName), 0);
    EXPECT_EQ(std::memcmp(Prefs.hsTime, tables.hsTime, sizeof tables.hsTime), 0);
    EXPECT_EQ(std::memcmp(Prefs.hsMark, tables.hsMark, sizeof tables.hsMark), 0);
    EXPECT_STREQ(Prefs.lastName, "Anonymous");
    EXPECT_EQ(Prefs.playerBestScore[0][LevelMedium][0], 8800) << "the personal best stays";
    EXPECT_EQ(Prefs.gamesPlayed, 12);
    EXPECT_FALSE(FileExists(PrefPath)) << "cancel saves nothing";

    ScreenState = ScreenQuit;  // "Really end this game and exit Tessaran?" answered Yes
    Record(9500, 400);
    EXPECT_EQ(ScreenState, ScreenScoreName);
    CancelTextEntry();
    EXPECT_EQ(ScreenState, ScreenQuit) << "the name first, then the quit";
}

TEST_F(ScoresTest, ConfirmingANameKeepsItOffersItNextTimeAndAnEmptyNameKeepsTheOffer) {
    Record(2000, 75);
    Type("Greta");
    MouseClicked = true;
    ConfirmTextEntry();
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "Greta");
    EXPECT_EQ(HighlightRow, 0) << "the new entry stays highlighted";
    EXPECT_FALSE(MouseClicked);
    const std::vector<unsigned char> saved = SavedBytes();
    ASSERT_EQ(saved.size(), static_cast<size_t>(kPrefsSize));
    EXPECT_EQ(std::memcmp(saved.data(), Prefs.Bytes(), kPrefsSize), 0);

    Record(3000, 75);
    EXPECT_STREQ(EntryTarget, "Greta") << "the last name is offered";
    Type("ab\b\b");  // typed, then rubbed out
    EXPECT_STREQ(EntryTarget, "");
    ConfirmTextEntry();
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "Greta");
    EXPECT_STREQ(Prefs.lastName, "Greta");

    Record(4000, 75);
    Type("   ");  // blanks only: a name never starts with one
    ConfirmTextEntry();
    EXPECT_STREQ(Prefs.hsName[LevelMedium][0], "Greta");
}

TEST_F(ScoresTest, OneMoreGameQuitsThroughTheMessageAfterTheNameEntry) {
    OneMoreGame = true;
    Prefs.currentPlayer = 2;
    Record(500, 30);
    EXPECT_STREQ(MessageLine2,
                 "#1 personal high score, Quor!  You said just one more, so Tessaran will now quit.");
    EXPECT_EQ(ScreenState, ScreenScoreName);
    ConfirmTextEntry();
    EXPECT_EQ(ScreenState, ScreenMessage);

    Prefs.currentPlayer = 0;  // no place anywhere: the plain promise
    FillTable(LevelMedium);
    ScreenState = ScreenMain;
    Record(10, 30);
    EXPECT_EQ(ScreenState, ScreenMessage);
    EXPECT_STREQ(MessageLine1, "You said one more game...");
    EXPECT_STREQ(MessageLine2, "Tessaran will now quit, but nobody will know if you start again!");
}

TEST_F(ScoresTest, ClearingScoresResetsTheLevelsTableAndCountersButKeepsTimes) {
    FillTable(LevelMedium);
    FillTable(LevelHard);
    Prefs.levelGamesPlayed[LevelMedium] = 9;
    Prefs.levelErrorFreeWins[LevelMedium] = 4;
    Prefs.levelGamesPlayed[LevelHard] = 3;
    Prefs.gamesPlayed = 40;
    ClearLevelScores();
    for (int r = 0; r < kTableRanks; ++r) {
        EXPECT_EQ(Prefs.hsScore[LevelMedium][r], 0);
        EXPECT_STREQ(Prefs.hsName[LevelMedium][r], "Nobody");
        EXPECT_EQ(Prefs.hsTime[LevelMedium][r], 100 * (r + 1));
        EXPECT_EQ(Prefs.hsScore[LevelHard][r], 10000 - 1000 * r) << "other levels untouched";
    }
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelMedium], 0);
    EXPECT_EQ(Prefs.levelGamesPlayed[LevelHard], 3);
    EXPECT_EQ(Prefs.gamesPlayed, 40);
    const char* slot = Prefs.hsName[LevelMedium][0];
    for (int i = 6; i < kNameSlot; ++i) EXPECT_EQ(slot[i], '\0') << "nothing after \"Nobody\"";
    EXPECT_FALSE(FileExists(PrefPath)) << "nothing is saved now";
}

TEST_F(ScoresTest, ResettingAPlayerRestoresItsNameAndZeroesOnlyThatProfile) {
    Prefs.currentPlayer = 2;
    SetName(Prefs.playerName[1], "Speedy");
    SetName(Prefs.playerName[2], "Other");
    BuildMenus();
    for (int p = 0; p < kPlayerCount; ++p) {
        Prefs.playerGamesPlayed[p] = 7;
        for (int s = 0; s < kLevelSlots; ++s) {
            Prefs.playerLevelErrorFreeWins[p][s] = 1;
            for (int k = 0; k < kPersonalRanks; ++k) Prefs.playerBestScore[p][s][k] = 500;
        }
    }
    Prefs.gamesPlayed = 70;
    ResetCurrentPlayer();

    EXPECT_STREQ(Prefs.playerName[1], "Quor");
    EXPECT_STREQ(PlayerMenu.entries[2].label, "Quor") << "the Player menu shows the name again";
    EXPECT_EQ(Prefs.playerGamesPlayed[1], 0);
    for (int s = 0; s < kLevelSlots; ++s) {
        EXPECT_EQ(Prefs.playerLevelErrorFreeWins[1][s], 0);
        for (int k = 0; k < kPersonalRanks; ++k) {
            EXPECT_EQ(Prefs.playerBestScore[1][s][k], 0);
            EXPECT_EQ(Prefs.playerBestScore[2][s][k], 500) << "other profiles untouched";
        }
    }
    EXPECT_STREQ(Prefs.playerName[2], "Other");
    EXPECT_EQ(Prefs.playerGamesPlayed[0], 7);
    EXPECT_EQ(Prefs.gamesPlayed, 70);

    Prefs.currentPlayer = 0;  // without a profile there is nothing to reset
    ResetCurrentPlayer();
    EXPECT_EQ(Prefs.playerGamesPlayed[0], 7);
}

TEST_F(ScoresTest, RenamingAPlayerConfirmsSavesAndRebuildsOrCancelsBackToTheOldName) {
    Prefs.currentPlayer = 6;
    BuildMenus();
    OpenChangePlayerName();
    EXPECT_EQ(ScreenState, ScreenPlayerName);
    EXPECT_STREQ(EntryTitle, "Change Player Name:");
    EXPECT_STREQ(EntryPrompt, "Please enter the new name below:");
    Type("Hilda");
    EXPECT_STREQ(Prefs.playerName[5], "Hilda") << "edited in place";
    CancelTextEntry();
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.playerName[5], "Hortense");
    EXPECT_STREQ(PlayerMenu.entries[6].label, "Hortense");
    EXPECT_FALSE(FileExists(PrefPath));

    OpenChangePlayerName();
    Type("Hilda");
    ConfirmTextEntry();
    EXPECT_STREQ(PlayerMenu.entries[6].label, "Hilda");
    EXPECT_STREQ(Prefs.lastName, "Anonymous") << "a profile name is no high-score name";
    const std::vector<unsigned char> saved = SavedBytes();
    ASSERT_EQ(saved.size(), static_cast<size_t>(kPrefsSize));
    EXPECT_EQ(std::memcmp(saved.data() + offsetof(PrefsRecord, playerName) + 5 * kNameSlot, "Hilda", 6), 0);

    // Enter without typing keeps the name; an emptied box does too.
    OpenChangePlayerName();
    ConfirmTextEntry();
    EXPECT_STREQ(Prefs.playerName[5], "Hilda");
    OpenChangePlayerName();
    Type("\b");
    ConfirmTextEntry();
    EXPECT_STREQ(Prefs.playerName[5], "Hilda");
}

}  // namespace
}  // namespace tessaran::test
