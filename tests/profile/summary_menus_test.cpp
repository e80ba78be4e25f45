// The end-of-game summary's bonuses and timeline, and the menus' commands: levels, profiles and
// the reminder a new profile owes.
#include <gtest/gtest.h>

#include "front_fixture.h"
#include "game/board.h"
#include "profile/summary.h"

namespace tessaran::test {
namespace {

using SummaryTest = FrontTest;
using MenuTest = FrontTest;

// Frames until the summary leaves state 18, clicking on the frames listed; returns the frames.
int RunSummary(std::initializer_list<int> clickFrames = {}) {
    ScreenState = ScreenGameOver;
    int frame = 0;
    while (ScreenState == ScreenGameOver && frame < 2000) {
        bool clicked = false;
        for (int f : clickFrames) clicked = clicked || f == frame;
        AdvanceSummary(clicked);
        ++frame;
    }
    return frame;
}

TEST_F(SummaryTest, BonusesOfTheWorkedExamples) {
    EXPECT_EQ(CompletionBonus(LevelMedium), 3000);
    EXPECT_EQ(CompletionBonus(LevelChild), 1000);
    // (level, seconds, raw bonus): 41 is below 100; slower than par; no time; absurd time.
    const int raw[][3] = {{LevelMedium, 600, 1500}, {LevelEvil, 3570, 0}, {LevelEasy, 5000, 0},
                          {LevelHard, 0, 4000}, {LevelHard, 2000000000, 0}};
    for (const auto& r : raw) EXPECT_EQ(RawTimeBonus(r[0], r[1]), r[2]) << r[0] << " " << r[1];
    EXPECT_EQ(AdjustedTimeBonus(1500, 0), 3000);
    EXPECT_EQ(AdjustedTimeBonus(1500, 2), 500);
    EXPECT_EQ(AdjustedTimeBonus(0, 0), 0);
}

TEST_F(SummaryTest, AMediumGameIn600sWithoutMistakesGains6000AndShowsTheBonusDoubledFrom500) {
    Prefs.difficulty = LevelMedium;
    TimeUsed = 600;
    SetScore(2500);
    ScreenState = ScreenGameOver;
    while (SummaryTimer <= 450.0f) AdvanceSummary(false);
    EXPECT_EQ(ShownTimeBonus(SummaryTimer), 1500);
    EXPECT_EQ(GameScore.Value(), 5500) << "only the completion bonus so far";
    EXPECT_EQ(SummaryStage, 3);
    while (SummaryTimer <= 500.0f) AdvanceSummary(false);
    EXPECT_EQ(ShownTimeBonus(SummaryTimer), 3000);
    EXPECT_EQ(GameScore.Value(), 8500);
    EXPECT_EQ(FrontSounds(), (std::vector<int>{SoundPop, SoundPop, SoundPop, SoundGoodMove}));

    RunSummary();
    EXPECT_GT(SummaryTimer, kSummaryEnd);
    EXPECT_EQ(GameScore.Value(), 8500);
    // The end runs RecordScore: an empty table takes the score and asks for a name.
    EXPECT_EQ(ScreenState, ScreenScoreName);
    EXPECT_EQ(ReturnState, ScreenMain);
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 8500);
    EXPECT_EQ(Prefs.hsTime[LevelMedium][0], 600);
}

TEST_F(SummaryTest, MistakesDivideTheTimeBonusAndASolverGameGetsNone) {
    Prefs.difficulty = LevelMedium;
    TimeUsed = 600;
    MistakeCount = 2;
    RunSummary();
    EXPECT_EQ(GameScore.Value(), 3000 + 500);
    EXPECT_EQ(FrontSounds().back(), SoundBadMove);

    ResetGameScore();
    Prefs.difficulty = LevelEasy;
    TimeUsed = 10;
    MistakeCount = 0;
    SolverGame = true;
    SummaryTimer = 0.0f;
    SummaryStage = 0;
    RunSummary();
    EXPECT_EQ(GameScore.Value(), 2000) << "the completion bonus only";
}

TEST_F(SummaryTest, ClicksSkipAheadAndEveryAwardIsGivenOnce) {
    Prefs.difficulty = LevelHard;
    TimeUsed = 1200;  // raw 2000, doubled 4000
    ScreenState = ScreenGameOver;
    AdvanceSummary(false);
    const float start = SummaryTimer;
    AdvanceSummary(true);
    EXPECT_FLOAT_EQ(SummaryTimer, start + 1.5f + 100.0f);
    for (int i = 0; i < 4; ++i) AdvanceSummary(true);  // past 500 in a burst
    EXPECT_EQ(SummaryStage, 4);
    EXPECT_EQ(GameScore.Value(), 4000 + 4000);
    EXPECT_EQ(FrontSounds(), (std::vector<int>{SoundPop, SoundPop, SoundPop, SoundGoodMove}));
    const int frames = RunSummary({0, 1, 2, 3, 4, 5});
    EXPECT_LT(frames, 10);
    EXPECT_EQ(GameScore.Value(), 8000) << "no award twice";
    EXPECT_EQ(FrontSounds().size(), 4u);
}

TEST_F(SummaryTest, AllFourAwardsCanFireInOneFrameAfterAStall) {
    Prefs.difficulty = LevelChild;
    TimeUsed = 300;  // raw trunc(0.5 * 1000) = 500, doubled 1000
    SummaryTimer = 199.0f;
    FrameFactor = 200.0f;  // a six-second frame
    AdvanceSummary(true);
    EXPECT_FLOAT_EQ(SummaryTimer, 599.0f);
    EXPECT_EQ(SummaryStage, 4);
    EXPECT_EQ(GameScore.Value(), 2000);
    EXPECT_EQ(FrontSounds(), (std::vector<int>{SoundPop, SoundPop, SoundPop, SoundGoodMove}));
}

TEST_F(SummaryTest, TheSlideStopsAt100AndGainsAnExtraStepUntilThen) {
    ScreenState = ScreenGameOver;
    FrameFactor = 2.0f;
    const float s = AdvanceSummary(false);
    EXPECT_FLOAT_EQ(SummaryTimer, 5.0f);  // 2 x 1.5, plus 2 below 100
    EXPECT_FLOAT_EQ(s, 5.0f);
    SummaryTimer = 150.0f;
    EXPECT_FLOAT_EQ(AdvanceSummary(false), 100.0f);
    EXPECT_FLOAT_EQ(SummaryTimer, 153.0f);
}

TEST_F(MenuTest, TheMenusAreBuiltFromTheRecordAndOpeningOneClosesTheOther) {
    Prefs.currentPlayer = 4;
    SetName(Prefs.playerName[8], "A name of exactly twenty-nine");
    BuildMenus();
    ASSERT_EQ(DifficultyMenu.entryCount, 5);
    EXPECT_STREQ(DifficultyMenu.entries[2].label, "Medium");
    EXPECT_EQ(DifficultyMenu.entries[4].command, 116);
    EXPECT_EQ(PlayerMenu.x, 3.0f) << "aside for the profile's badge";
    ASSERT_EQ(PlayerMenu.entryCount, 10);
    EXPECT_STREQ(PlayerMenu.entries[9].label, "A name of exactly twenty-nine");
    EXPECT_EQ(PlayerMenu.entries[9].command, 409);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(*PlayerMenu.entries[i].check, i == 4 ? 1 : 0);

    DropDownMenu full;
    for (int i = 0; i < 20; ++i) AddMenuEntry(full, std::string(60, 'x').c_str(), i, nullptr);
    EXPECT_EQ(full.entryCount, kMenuEntries);
    EXPECT_EQ(std::strlen(full.entries[0].label), 44u);

    ToggleMenu(DifficultyMenu);
    EXPECT_TRUE(DifficultyMenu.open);
    DifficultyMenu.animation = 0.0f;
    ToggleMenu(PlayerMenu);
    EXPECT_TRUE(PlayerMenu.open);
    EXPECT_FALSE(DifficultyMenu.open);
    EXPECT_EQ(DifficultyMenu.animation, 100.0f) << "it shrinks away";
    BuildMenus();
    EXPECT_TRUE(PlayerMenu.open) << "a rebuild after a rename keeps the open menu open";
}

TEST_F(MenuTest, ChoosingALevelClearsTheBoardsKnownFlagsAndTheHighlight) {
    PlayBoard[10].known = 1;
    PlayBoard[80].known = 1;
    HighlightRow = 3;
    MenuCommand = 113;
    ActOnMenuCommand();
    EXPECT_EQ(Prefs.difficulty, LevelEasy);
    EXPECT_EQ(PlayBoard[10].known, 0);
    EXPECT_EQ(PlayBoard[80].known, 0);
    EXPECT_EQ(HighlightRow, kNoHighlight);
    EXPECT_FALSE(FileExists(PrefPath)) << "nothing is saved";
}

TEST_F(MenuTest, ANewProfileOwesOneReminderTheSameOneOrNoneOwesNothing) {
    MenuCommand = 403;
    ActOnMenuCommand();
    EXPECT_EQ(Prefs.currentPlayer, 3);
    EXPECT_TRUE(PendingPlayerNote);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(PlayerChecks[i], i == 3 ? 1 : 0);

    PendingPlayerNote = false;
    MenuCommand = 403;  // the profile already in use
    ActOnMenuCommand();
    EXPECT_FALSE(PendingPlayerNote);

    MenuCommand = 400;  // "None"
    ActOnMenuCommand();
    EXPECT_EQ(Prefs.currentPlayer, 0);
    EXPECT_FALSE(PendingPlayerNote);
    EXPECT_EQ(PlayerChecks[0], 1);
}

}  // namespace
}  // namespace tessaran::test
