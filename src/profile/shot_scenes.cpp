// tessaran-shot scenes of the game's front: the main screen with its tables, menus and badge,
// the end-of-game summary, the name entries, the message, about and preferences screens.
#include <cstring>

#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "game/puzzles.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/menus.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "profile/prefs_dialog.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/dialog_state.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "shot/scene.h"
#include "ui/backdrop.h"

namespace tessaran::shot {
namespace {

// The backdrop as it looks after a few seconds on screen, not the black of its first frame.
void WarmBackdrop() {
    for (int i = 0; i < 150; ++i) StepColourBackdrop(1.0f);
}

void FillMediumTable() {
    static const char* const names[] = {"Marigold", "Anonymous", "Tupa", "Quor the Quick", "Fernwick",
                                        "Ruko", "Anonymous", "Thorn", "Hortense", "Barnaby"};
    for (int r = 0; r < kTableRanks; ++r) {
        Prefs.hsScore[LevelMedium][r] = 14200 - 900 * r;
        Prefs.hsTime[LevelMedium][r] = 420 + 37 * r;
        SetName(Prefs.hsName[LevelMedium][r], names[r]);
    }
    Prefs.levelGamesPlayed[LevelMedium] = 23;
    Prefs.levelErrorFreeWins[LevelMedium] = 7;
}

void MainScreen() {
    WarmBackdrop();
    FillMediumTable();
    HighlightRow = 2;
    BuildMenus();
    GoToScreen(ScreenMain);
    PointAt(85, 27);
}

// A name of the full 29 characters widens the panel to the board's edge, under the version text.
void MainLongName() {
    MainScreen();
    SetName(Prefs.hsName[LevelMedium][3], "Quor the Quick of Far Dellby");
}

void PlayerPage() {
    WarmBackdrop();
    FillMediumTable();
    Prefs.currentPlayer = 3;
    SetName(Prefs.playerName[2], "Fernwick the Fearless Solver");
    Prefs.playerGamesPlayed[2] = 41;
    Prefs.playerLevelGamesPlayed[2][LevelMedium] = 12;
    Prefs.playerLevelErrorFreeWins[2][LevelMedium] = 5;
    const int32_t best[] = {12100, 9800, 9800, 4400, 0};
    for (int k = 0; k < kPersonalRanks; ++k) {
        Prefs.playerBestScore[2][LevelMedium][k] = best[k];
        Prefs.playerBestTime[2][LevelMedium][k] = best[k] ? 380 + 61 * k : 0;
    }
    ShowMyScores = true;
    BuildMenus();
    GoToScreen(ScreenMain);
}

void PlayerMenuOpen() {
    PlayerPage();
    PlayerMenu.open = 1;
    PlayerMenu.animation = 0.0f;
}

// A game kept from an earlier run waits: "Resume Puzzle" beside "New Puzzle".
void MainKeptGame() {
    MainScreen();
    NoteKeptGameWaiting(true);
}

// "New Puzzle" while a game is kept.
void AbandonQuestion() {
    MainKeptGame();
    StartFromMainScreen();
}

void DifficultyMenuOpen() {
    MainScreen();
    DifficultyMenu.open = 1;
    DifficultyMenu.animation = 0.0f;
}

// A Medium puzzle just solved in 10 minutes without mistakes, the summary fully counted.
void Summary() {
    StartScenePuzzle(LevelMedium, 41, 600);
    for (Cell& cell : PlayBoard) cell.known = 1;
    TimeUsed = 600;
    SolverGame = SolverGridInUse = false;
    AddToScore(4600);
    SummaryTimer = 0.0f;
    SummaryStage = 0;
    GoToScreen(ScreenGameOver);
}

void SummaryFrame(int i) {
    // Skip the count-up to its end in a few frames, as a clicking player would.
    if (i < 5) SummaryTimer += 100.0f;
    if (SummaryTimer > 700.0f) SummaryTimer = 700.0f;
    WindowFrame(i);
}

void NameEntry() {
    Summary();
    for (Cell& cell : PlayBoard) cell.known = (cell.column + cell.row) % 3 != 0;
    FillMediumTable();
    AddToScore(6000);
    GoToScreen(ScreenMain);
    RecordScore();  // a place in the table: "EXCELLENT SCORE!"
}

void RenamePlayer() {
    WarmBackdrop();
    Prefs.currentPlayer = 5;
    BuildMenus();
    GoToScreen(ScreenMain);
    OpenChangePlayerName();
    EditEntryText('M', nullptr);
    EditEntryText('a', nullptr);
    EditEntryText('r', nullptr);
    EditEntryText('i', nullptr);
}

// The longest message the game shows: the reminder, with a name of the full 29 characters.
void ReminderMessage() {
    WarmBackdrop();
    Prefs.currentPlayer = 6;
    SetName(Prefs.playerName[5], "Hortense of the Seven Squares");
    PendingPlayerNote = true;
    BuildMenus();
    GoToScreen(ScreenMain);
}

void About() {
    WarmBackdrop();
    GoToScreen(ScreenAbout);
}

void Preferences() {
    WarmBackdrop();
    Prefs.pieceStyle = 2;
    Prefs.flipNumberKeys = 1;
    Prefs.soundVolume = 100;  // the widest volume line, beside the sound switch
    OpenDialog(ScreenPreferences, ScreenMain);
    PointAt(30, 46);
}

void PreferencesOverPause() {
    WarmBackdrop();
    Prefs.soundOn = 0;
    Prefs.difficulty = LevelHard;
    LoadLevel(kLibraryNumbers[LevelHard], 5);
    OpenDialog(ScreenPreferences, ScreenPause);
}

// The pencil-mark page, with removal switched on as a player who marks possibilities would.
void PreferencesMarks() {
    Preferences();
    MarkOptions.autoRemoveMarks = true;
    ShowingMarkPage = true;
    PointAt(30, 39);
}

// A keyboard player's ring: on "New Puzzle", on an option, on a menu's entry.
void FocusMain() {
    MainScreen();
    ShowFocusRing({FocusMove::Next, FocusMove::Next, FocusMove::Next});
}

void FocusPreferences() {
    Preferences();
    ShowFocusRing({FocusMove::Next, FocusMove::Down, FocusMove::Down});
}

void FocusMenu() {
    DifficultyMenuOpen();
    ShowFocusRing({FocusMove::Next, FocusMove::Down});
}

}  // namespace

TESSARAN_SHOT_SCENE(focus_main, "focus-main", "the keyboard's focus ring on \"New Puzzle\"", FocusMain, WindowFrame);
TESSARAN_SHOT_SCENE(focus_preferences, "focus-preferences", "the focus ring on a preference, moved with the arrows",
                    FocusPreferences, WindowFrame);
TESSARAN_SHOT_SCENE(focus_menu, "focus-menu", "the focus ring in the open Difficulty menu", FocusMenu, WindowFrame);
TESSARAN_SHOT_SCENE(main_screen, "main-screen", "the main screen: overall Medium table, a highlighted row",
                    MainScreen, WindowFrame);
TESSARAN_SHOT_SCENE(main_long_name, "main-long-name", "the main screen with a 29-character name in the table",
                    MainLongName, WindowFrame);
TESSARAN_SHOT_SCENE(main_player, "main-player", "a profile's statistics page and its badge", PlayerPage, WindowFrame);
TESSARAN_SHOT_SCENE(player_menu, "player-menu", "the open Player menu over a profile's page", PlayerMenuOpen,
                    WindowFrame);
TESSARAN_SHOT_SCENE(main_kept, "main-kept", "the main screen with a kept game to resume", MainKeptGame, WindowFrame);
TESSARAN_SHOT_SCENE(abandon_question, "abandon-question", "\"Abandon your unfinished game?\" over the main screen",
                    AbandonQuestion, WindowFrame);
TESSARAN_SHOT_SCENE(main_difficulty, "main-difficulty", "the open Difficulty menu", DifficultyMenuOpen, WindowFrame);
TESSARAN_SHOT_SCENE(summary, "summary", "the end-of-game summary of a Medium game, fully counted", Summary,
                    SummaryFrame);
TESSARAN_SHOT_SCENE(name_entry, "name-entry", "\"EXCELLENT SCORE!\" name entry over the board", NameEntry,
                    WindowFrame);
TESSARAN_SHOT_SCENE(rename_player, "rename-player", "changing a profile's name, four letters typed", RenamePlayer,
                    WindowFrame);
TESSARAN_SHOT_SCENE(message, "message", "the player reminder with a full-length name", ReminderMessage, WindowFrame);
TESSARAN_SHOT_SCENE(about, "about", "the about screen", About, WindowFrame);
TESSARAN_SHOT_SCENE(preferences, "preferences", "the preferences dialog from the main screen", Preferences,
                    WindowFrame);
TESSARAN_SHOT_SCENE(preferences_pause, "preferences-pause", "the preferences over a paused game, sound off",
                    PreferencesOverPause, WindowFrame);
TESSARAN_SHOT_SCENE(preferences_marks, "preferences-marks", "the preferences' pencil-mark page, removal on",
                    PreferencesMarks, WindowFrame);

}  // namespace tessaran::shot
