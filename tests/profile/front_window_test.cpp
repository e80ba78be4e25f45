// The main screen, its menus and score panel, the name entries and the preferences dialog in the
// real window: real frames, the game's own click and key handlers.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "audio/sound.h"
#include "game/board.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/main_screen.h"
#include "profile/menus.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "support/game_window.h"
#include "support/temp_home.h"
#include "ui/dialogs.h"
#include "ui/text.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

// The middle of a label drawn at (x, y) percent in `size`, measured as the screen draws it.
void ClickLabel(float x, float y, int size, const char* label, float widthScale = kDesignTextWidth) {
    TextRenderer.SetWidthScale(widthScale);
    SetTextSize(size);
    const float width = TextWidthPercent(label);
    TextRenderer.SetWidthScale(1.0f);
    W::ClickPercent(x + width * 0.5f, y + static_cast<float>(size) * 0.4f);
}
float LabelWidth(int size, const char* label) {
    TextRenderer.SetWidthScale(kDesignTextWidth);
    SetTextSize(size);
    const float width = TextWidthPercent(label);
    TextRenderer.SetWidthScale(1.0f);
    return width;
}
void ClickAndRun(float x, float y, int size, const char* label, float widthScale = kDesignTextWidth) {
    ClickLabel(x, y, size, label, widthScale);
    W::RunFrames(1);
}
// Entry i of an open menu.
void ClickEntry(const DropDownMenu& menu, int i) {
    const float indent = (menu.hasChecks ? 1.5f : 0.0f) + (menu.hasPictures ? 3.0f : 0.0f);
    ClickAndRun(menu.x + indent, menu.y + 5.7f + 4.0f * static_cast<float>(i), 4, menu.entries[i].label);
}
void OpenMenu(DropDownMenu& menu) {
    W::RunFrames(6);  // a menu that just closed finishes shrinking first
    ClickAndRun(menu.x, menu.y, 5, menu.title);
    W::RunFrames(6);  // the list grows for 100 / 20 frames
}
void TypeKeys(const std::string& keys) {
    for (unsigned char c : keys) W::Key(c);
}

class FrontWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        W::Reset();
        folder = MakeTempFolder("tessaran-front");
        PrefPath = folder + "/Tessaran Prefs.10W";
        PendingPersonalBest = false;
        PendingPlayerNote = false;
        ShowMyScores = false;
        HighlightRow = kNoHighlight;
        DifficultyMenu = DropDownMenu{};
        PlayerMenu = DropDownMenu{};
        BuildMenus();
        MenuCommand = 0;
        ClearEntryKeys();
        W::RunFrames(1);
        ASSERT_EQ(ScreenState, ScreenMain);
    }
    void TearDown() override {
        PrefPath.clear();
        RemoveTree(folder);
    }
    std::string folder;
};

// ---- Menus ----------------------------------------------------------------------------------

TEST_F(FrontWindowTest, TheDifficultyMenuChoosesALevelShieldsTheButtonsAndClosesForThePlayerMenu) {
    ClickAndRun(DifficultyMenu.x, DifficultyMenu.y, 5, "Difficulty");
    ClickAndRun(DifficultyMenu.x, DifficultyMenu.y, 5, "Difficulty");
    EXPECT_TRUE(DifficultyMenu.open) << "still animating: the second click does nothing";
    W::RunFrames(6);
    // The Difficulty menu closes on this click, and the Player title, served after it, opens.
    ClickAndRun(PlayerMenu.x, PlayerMenu.y, 5, "Player");
    EXPECT_FALSE(DifficultyMenu.open);
    EXPECT_TRUE(PlayerMenu.open);

    OpenMenu(DifficultyMenu);
    ClickEntry(DifficultyMenu, 4);
    EXPECT_EQ(Prefs.difficulty, LevelEvil);
    EXPECT_FALSE(DifficultyMenu.open);

    OpenMenu(DifficultyMenu);
    // Right of the list, on "Game Preferences": the button ignores it, the menu closes.
    W::ClickPercent(96.0f, 41.0f);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_FALSE(DifficultyMenu.open);
    W::RunFrames(6);
    W::ClickPercent(96.0f, 41.0f);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenPreferences) << "closed, the button works again";
}

TEST_F(FrontWindowTest, ChoosingAProfileShowsTheReminderOnceAndItsPictureChoosesToo) {
    OpenMenu(PlayerMenu);
    ClickEntry(PlayerMenu, 2);
    EXPECT_EQ(Prefs.currentPlayer, 2);
    EXPECT_EQ(ScreenState, ScreenMessage) << "the reminder, in the same frame";
    EXPECT_STREQ(MessageLine1, "Please Note:  You are playing as Quor.");
    EXPECT_STREQ(MessageLine2,
                 "All games and scores will be recorded under this player profile as well as on the main high "
                 "score list.");
    W::Key(13);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);

    OpenMenu(PlayerMenu);
    ClickEntry(PlayerMenu, 2);  // the same profile: no reminder
    W::RunFrames(2);
    EXPECT_EQ(ScreenState, ScreenMain);

    // The piece beside "Marigold" (profile 5) is a button of its own.
    OpenMenu(PlayerMenu);
    W::ClickPercent(PlayerMenu.x + 1.7f + 1.1f, PlayerMenu.y + 5.7f + 4.0f * 5.0f + 1.8f);
    W::RunFrames(1);
    EXPECT_EQ(Prefs.currentPlayer, 5);
    EXPECT_EQ(ScreenState, ScreenMessage);
    W::Key(13);
    W::RunFrames(1);

    OpenMenu(PlayerMenu);
    ClickEntry(PlayerMenu, 0);  // "None": no message, back to the overall view
    W::RunFrames(2);
    EXPECT_EQ(Prefs.currentPlayer, 0);
    EXPECT_EQ(ScreenState, ScreenMain);
}

TEST_F(FrontWindowTest, APersonalBestIsShownBeforeThePlayerReminder) {
    Prefs.currentPlayer = 3;
    PendingPlayerNote = true;
    PendingPersonalBest = true;
    std::strcpy(MessageLine1, "Congratulations!");
    std::strcpy(MessageLine2, "This is your #1 personal high score, Fernwick!");
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMessage);
    EXPECT_STREQ(MessageLine1, "Congratulations!");
    ClickAndRun(49.0f, 50.0f, 5, "OK", 1.0f);
    EXPECT_EQ(ScreenState, ScreenMain);
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMessage);
    EXPECT_STREQ(MessageLine1, "Please Note:  You are playing as Fernwick.");
}

// ---- Keys and buttons -----------------------------------------------------------------------

TEST_F(FrontWindowTest, KeysDNAndTheNewPuzzleButtonFollowTheOptions) {
    for (int i = 0; i < 5; ++i) W::Key('d');
    EXPECT_EQ(Prefs.difficulty, LevelMedium) << "five presses go round";

    Prefs.pickRandomly = 0;
    ClickAndRun(81.0f, 25.0f, 5, "New Puzzle");
    EXPECT_EQ(ScreenState, ScreenPicker);

    ScreenState = ScreenMain;
    Prefs.difficulty = LevelChild;  // Child puzzles are generated: no picker
    ClickAndRun(81.0f, 25.0f, 5, "New Puzzle");
    EXPECT_EQ(ScreenState, ScreenQuickHelp);

    ScreenState = ScreenMain;
    Prefs.showHelpAtStart = 0;
    W::Key('N');
    EXPECT_EQ(ScreenState, ScreenNewGame);
}

// Each button clicked on five frames running acts as one click would: the later clicks land
// on whatever screen the first one opened, where nothing lies under them.
TEST_F(FrontWindowTest, RapidRepeatedClicksOnEveryButtonActOnce) {
    struct Case {
        float x, y;
        const char* label;
        int32_t state;
    };
    const float prefsX = 87.5f - LabelWidth(5, "Game Preferences") * 0.5f;
    const float aboutX = 95.0f - LabelWidth(5, "About Tessaran");
    const Case cases[] = {
        {prefsX, 39.0f, "Game Preferences", ScreenPreferences},
        {aboutX, 53.0f, "About Tessaran", ScreenAbout},
        {52.5f, 5.0f, "Clear These Scores", ScreenConfirm},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ScreenState = ScreenMain;
        MouseClicked = false;  // an unclaimed click stays on the screen it was made on
        W::RunFrames(1);
        for (int i = 0; i < 5; ++i) ClickAndRun(c.x, c.y, 5, c.label);
        EXPECT_EQ(ScreenState, c.state);
    }
    // A clicked confirmation and the buttons under it: "No" answers once, the clicks that
    // follow fall on the main screen's table.
    ScreenState = ScreenMain;
    MouseClicked = false;
    Prefs.hsScore[LevelMedium][0] = 700;
    W::RunFrames(1);
    ClickAndRun(52.5f, 5.0f, 5, "Clear These Scores");
    ASSERT_EQ(ScreenState, ScreenConfirm);
    for (int i = 0; i < 5; ++i) ClickAndRun(42.0f, 48.0f, 5, "No", 1.0f);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 700);

    Prefs.currentPlayer = 1;
    W::RunFrames(1);
    for (int i = 0; i < 4; ++i) ClickAndRun(30.0f, 5.0f, 5, "Show My Scores");
    EXPECT_EQ(ScreenState, ScreenMain);  // it toggles: the page and back, twice
    for (int i = 0; i < 5; ++i) ClickAndRun(27.0f, 75.0f, 5, "Change Player Name");
    EXPECT_FALSE(ShowMyScores);  // four toggles: back on the overall table, no rename button
    EXPECT_EQ(ScreenState, ScreenMain);
    ShowMyScores = true;
    W::RunFrames(1);
    for (int i = 0; i < 5; ++i) ClickAndRun(27.0f, 75.0f, 5, "Change Player Name");
    EXPECT_EQ(ScreenState, ScreenPlayerName);
    EXPECT_STREQ(Prefs.playerName[0], "Ruko") << "the later clicks miss OK and Cancel";

    // OK in the entry, then "Finished" in the preferences: each leaves once, and the clicks
    // after it fall on the main screen's table.
    TypeKeys("Rex");
    for (int i = 0; i < 5; ++i) ClickAndRun(30.0f, 65.0f, 6, "OK", 1.0f);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.playerName[0], "Rex");
    ScreenState = ScreenPreferences;
    ReturnState = ScreenMain;
    W::RunFrames(1);
    for (int i = 0; i < 5; ++i) ClickAndRun(37.5f - LabelWidth(6, "Finished") * 0.5f, 82.0f, 6, "Finished");
    EXPECT_EQ(ScreenState, ScreenMain);
}

// ---- Score panel ----------------------------------------------------------------------------

TEST_F(FrontWindowTest, ClearAndResetGoThroughTheQuestionAndWithoutAProfileOnlyClearingIsOffered) {
    ShowMyScores = true;
    W::RunFrames(1);
    EXPECT_FALSE(ShowMyScores) << "no profile: forced back to the overall table";
    ClickAndRun(30.0f, 5.0f, 5, "Show My Scores");
    EXPECT_FALSE(ShowMyScores);
    Prefs.hsScore[LevelMedium][0] = 900;
    ClickAndRun(56.0f, 5.0f, 5, "Reset Player");  // "Clear These Scores" lies there instead
    EXPECT_EQ(ScreenState, ScreenConfirm);
    EXPECT_EQ(ConfirmKind, ConfirmClearScores);
    W::Key('n');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 900);
    ClickAndRun(52.5f, 5.0f, 5, "Clear These Scores");
    W::Key('y');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(Prefs.hsScore[LevelMedium][0], 0);

    Prefs.currentPlayer = 2;
    SetName(Prefs.playerName[1], "Speedy");
    BuildMenus();
    W::RunFrames(1);
    ClickAndRun(30.0f, 5.0f, 5, "Show My Scores");
    EXPECT_TRUE(ShowMyScores);
    ClickAndRun(56.0f, 5.0f, 5, "Reset Player");
    EXPECT_EQ(ConfirmKind, ConfirmResetPlayer);
    EXPECT_STREQ(ConfirmQuestion(ConfirmKind), "Really reset all statistics for this player?");
    W::Key('y');
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(PlayerMenu.entries[2].label, "Quor");
    ClickAndRun(28.0f, 5.0f, 5, "Show Overall Scores");
    EXPECT_FALSE(ShowMyScores);
}

// ---- Name entries ---------------------------------------------------------------------------

TEST_F(FrontWindowTest, RenamingAPlayerByKeysAndButtonsWithEscapeAtEveryStep) {
    Prefs.currentPlayer = 4;
    ShowMyScores = true;
    BuildMenus();
    W::RunFrames(1);
    auto open = [] {
        ClickAndRun(27.0f, 75.0f, 5, "Change Player Name");
        ASSERT_EQ(ScreenState, ScreenPlayerName);
    };
    open();
    W::Key(27);  // before typing
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.playerName[3], "Tupa");

    open();
    TypeKeys("Zo");
    W::RunFrames(1);
    TypeKeys("e\b");
    W::Key(27);  // after typing and rubbing out, in the same frame
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.playerName[3], "Tupa");
    EXPECT_FALSE(FileExists(PrefPath));

    open();
    TypeKeys("Zo\xEB");  // typed faster than frames: all three kept, in order
    W::RunFrames(1);
    EXPECT_STREQ(Prefs.playerName[3], "Zo\xEB");
    ClickAndRun(41.25f, 65.0f, 6, "Cancel", 1.0f);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.playerName[3], "Tupa");

    open();
    TypeKeys("Zo\xEB");
    W::RunFrames(1);
    ClickAndRun(30.0f, 65.0f, 6, "OK", 1.0f);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_STREQ(Prefs.playerName[3], "Zo\xEB");
    EXPECT_STREQ(PlayerMenu.entries[4].label, "Zo\xEB");
    const std::string saved = ReadText(PrefPath);
    ASSERT_EQ(saved.size(), static_cast<size_t>(kPrefsSize));
    EXPECT_EQ(saved.compare(offsetof(PrefsRecord, playerName) + 3 * kNameSlot, 4, std::string("Zo\xEB", 4)), 0);
}

TEST_F(FrontWindowTest, EscapeAnywhereInTheHighScoreEntryLeavesTheTableAsBefore) {
    SetName(Prefs.hsName[LevelMedium][0], "Top");
    Prefs.hsScore[LevelMedium][0] = 5000;
    PrefsRecord before{};
    std::memcpy(&before, Prefs.Bytes(), sizeof before);
    const std::string steps[] = {"", "Max", "Max\b\b\b\b", std::string(40, 'w')};
    for (const std::string& typed : steps) {
        SCOPED_TRACE("typed \"" + typed + "\"");
        ResetGameScore();
        AddToScore(2500);
        TimeUsed = 90;
        ScreenState = ScreenMain;
        RecordScore();
        ASSERT_EQ(ScreenState, ScreenScoreName);
        W::RunFrames(1);
        TypeKeys(typed);
        W::RunFrames(1);
        W::Key(27);
        W::RunFrames(1);
        EXPECT_EQ(ScreenState, ScreenMain);
        EXPECT_EQ(HighlightRow, kNoHighlight);
        EXPECT_EQ(std::memcmp(Prefs.hsName, before.hsName, sizeof before.hsName), 0);
        EXPECT_EQ(std::memcmp(Prefs.hsScore, before.hsScore, sizeof before.hsScore), 0);
        EXPECT_STREQ(Prefs.lastName, "Anonymous");
    }

    // Enter on a name the size of the slot.
    ResetGameScore();
    AddToScore(2500);
    ScreenState = ScreenMain;
    RecordScore();
    TypeKeys(std::string(35, 'i') + "\r");
    W::RunFrames(1);
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(std::string(Prefs.hsName[LevelMedium][1]), std::string(29, 'i'));
    EXPECT_EQ(HighlightRow, 1);
}

// ---- Preferences ----------------------------------------------------------------------------

TEST_F(FrontWindowTest, EveryPreferenceChangesByClickAndFinishedSavesAndReturns) {
    const float prefsX = 87.5f - LabelWidth(5, "Game Preferences") * 0.5f;
    ClickAndRun(prefsX, 39.0f, 5, "Game Preferences");
    ASSERT_EQ(ScreenState, ScreenPreferences);
    EXPECT_EQ(ReturnState, ScreenMain);

    auto box = [](float y) {
        W::ClickPercent(19.0f, y + 2.0f);  // the box left of the label counts
        W::RunFrames(1);
    };
    // The piece style's options; the selected option stays selected.
    for (auto [y, style] : {std::pair{29.0f, 1}, {29.0f, 1}, {33.0f, 2}, {25.0f, 0}}) {
        box(y);
        EXPECT_EQ(Prefs.pieceStyle, style) << y;
    }
    const std::pair<float, uint8_t PrefsRecord::*> switches[] = {{39, &PrefsRecord::flipNumberKeys},
                                                                 {49, &PrefsRecord::startAllMarked},
                                                                 {55, &PrefsRecord::showHelpAtStart},
                                                                 {61, &PrefsRecord::pickRandomly}};
    for (auto [y, field] : switches) {
        const uint8_t before = static_cast<PrefsRecord&>(Prefs).*field;
        box(y);
        EXPECT_EQ(static_cast<PrefsRecord&>(Prefs).*field, before ? 0 : 1) << y;
    }

    // Volume: 70 takes six presses to 100 and no more; down to 0 and no further.
    for (int i = 0; i < 8; ++i) {
        W::ClickPercent(18.0f, 71.0f);
        W::RunFrames(1);
    }
    EXPECT_EQ(Prefs.soundVolume, 100);
    for (int i = 0; i < 25; ++i) {
        W::ClickPercent(18.0f, 75.0f);
        W::RunFrames(1);
    }
    EXPECT_EQ(Prefs.soundVolume, 0);
    // Sound off: the arrows are inactive until it is turned on again.
    ClickAndRun(42.0f, 71.0f, 4, "Turn Off");
    EXPECT_EQ(Prefs.soundOn, 0);
    W::ClickPercent(18.0f, 71.0f);
    W::RunFrames(1);
    EXPECT_EQ(Prefs.soundVolume, 0);
    ClickAndRun(42.0f, 71.0f, 4, "Turn On");
    EXPECT_EQ(Prefs.soundOn, 1);
    W::ClickPercent(18.0f, 71.0f);
    W::RunFrames(1);
    EXPECT_EQ(Prefs.soundVolume, 5);
    EXPECT_FALSE(FileExists(PrefPath));

    ClickAndRun(37.5f - LabelWidth(6, "Finished") * 0.5f, 82.0f, 6, "Finished");
    EXPECT_EQ(ScreenState, ScreenMain);
    const std::string saved = ReadText(PrefPath);
    ASSERT_EQ(saved.size(), static_cast<size_t>(kPrefsSize));
    EXPECT_EQ(std::memcmp(saved.data(), Prefs.Bytes(), kPrefsSize), 0);
    EXPECT_EQ(static_cast<uint8_t>(saved[offsetof(PrefsRecord, startAllMarked)]), 1);
}

TEST_F(FrontWindowTest, FromThePauseMenuSwitchingClickToActivateOffOpensTheBoard) {
    W::StartGame(LevelEasy, 9);
    Prefs.startAllMarked = 1;
    Cell* opened = nullptr;
    for (Cell& cell : PlayBoard)
        if (!cell.known && !opened) opened = &cell;
    ASSERT_NE(opened, nullptr);
    opened->activated = 1;
    opened->marks[2] = 1;
    W::Key(27);  // pause
    W::RunFrames(1);
    ASSERT_EQ(ScreenState, ScreenPause);
    ReturnState = ScreenPause;
    ScreenState = ScreenPreferences;
    W::RunFrames(1);
    W::ClickPercent(19.0f, 47.0f);  // "Click to activate squares"
    W::RunFrames(1);
    EXPECT_EQ(Prefs.clickToActivate, 0);
    for (const Cell& cell : PlayBoard) {
        if (cell.row >= 9 || cell.column >= 9) continue;
        EXPECT_EQ(cell.activated, 1);
        if (&cell != opened && !cell.known) {
            EXPECT_EQ(std::count(cell.marks, cell.marks + 9, 1), 9);
        }
    }
    EXPECT_EQ(std::count(opened->marks, opened->marks + 9, 1), 1) << "an open square keeps its marks";
    W::ClickPercent(19.0f, 47.0f);  // on again: no square changes
    W::RunFrames(1);
    EXPECT_EQ(Prefs.clickToActivate, 1);
    ClickAndRun(37.5f - LabelWidth(6, "Finished") * 0.5f, 82.0f, 6, "Finished");
    EXPECT_EQ(ScreenState, ScreenPause);
}

}  // namespace
}  // namespace tessaran::test
