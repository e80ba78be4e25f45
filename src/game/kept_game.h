// The unfinished game, kept beside the preferences file in "Tessaran Unfinished Game.ini" (a
// GLib key file) after every change, so a quit, a closed window or a crash never loses it.
// Reading refuses a damaged file, one from another version and one whose puzzle is not the
// library's; nothing is installed from a file that did not pass every check. No drawing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/board.h"
#include "game/undo.h"

namespace tessaran {

inline constexpr const char* kKeptGameFileName = "Tessaran Unfinished Game.ini";
inline constexpr int32_t kKeptGameVersion = 1;

// Everything needed to go on with a game exactly where it stopped.
struct KeptGame {
    int32_t level = 0;       // the difficulty it is played at
    int32_t gameIndex = 0;   // GameIndex: library index, or the Child seed
    bool solverGame = false; // typed into the solver: no library puzzle behind it
    int32_t player = 0;      // profile it counts under, 0 = none
    int32_t score = 0;
    int32_t seconds = 0;     // play clock
    int32_t mistakes = 0;
    int32_t hints = 0;       // hint levels shown
    bool crystal = false;    // Crystal Ball mode is on
    std::array<int32_t, kCellCount> solution{};  // by board index; 0 outside the grid in use
    std::array<bool, kCellCount> givens{};
    std::array<CellNotes, kCellCount> cells{};   // the notes of every square, trials included
    std::array<CellNotes, kCellCount> backup{};  // the board as Crystal Ball mode found it
    UndoHistory history;
};

extern bool GameInPlay;  // a game is being played (its screen, or the pause menu and dialogs over it)
// Squares given by the puzzle, set when the game starts; the board itself does not tell them
// from squares the player found.
extern std::array<bool, kCellCount> GivenSquares;
// The program keeps its game on disk; tests that call the rules leave it off.
extern bool KeepGamesOnDisk;

KeptGame CaptureGame();  // the game in play, from the globals
// Puts a checked game in play: level, player, board, score, clock, mistakes, Crystal Ball and
// history. The screen is left to the caller.
void InstallGame(const KeptGame& game);

std::string SerialiseKeptGame(const KeptGame& game);
// Decodes and checks a kept game; on failure returns false with a short description of the
// problem, and `game` is unspecified.
bool ParseKeptGame(std::string_view text, KeptGame& game, std::string& problem);
// The puzzle is the one its number names: library givens and answers, or the Child puzzle its
// seed generates. A game from the solver only needs to be a valid grid.
bool MatchesLibrary(const KeptGame& game, std::string& problem);

// The shown number: library index + 1; 0 for a Child or typed-in puzzle.
int32_t ShownGameNumber(const KeptGame& game);
// Seconds on the play clock of the game in play (frozen while paused or asked a question).
int32_t GameClockSeconds();

std::string KeptGamePath();  // beside the preferences file
bool SaveKeptGameFile(const KeptGame& game, std::string* reason = nullptr);
// Reads, decodes and checks the file; false with the problem ("" when there is no file).
bool LoadKeptGameFile(KeptGame& game, std::string& problem);
void RemoveKeptGameFile();
// A kept game waits to be resumed (the file exists); checked at start-up and kept up to date.
bool KeptGameWaiting();
void RefreshKeptGameWaiting();
void NoteKeptGameWaiting(bool waiting);  // for pictures of the main screen

// A game just started and was counted: the record is saved first, so a kill at any moment
// leaves either no kept game or one whose start is counted once. Then the game is kept.
void BeginKeptGame();
// After every change of the game in play (and at the end of the process while one is in play).
// The file is written by the writer thread (FinishPendingWrites waits for it).
void SaveGameInPlay();
// The game in play ended (won, ended early, abandoned): it is no longer kept.
void EndGameInPlay();
// Loads the kept game and puts it in play (not counted again); false with the problem when the
// file is refused, in which case it is removed.
bool ResumeKeptGame(std::string& problem);
// "Yes" to abandoning the kept game: it ends as a game ended early does (its score recorded
// under its own player and level), and the level and player chosen now stay. False with the
// problem when the file is refused (and removed).
bool AbandonKeptGame(std::string& problem);
// At start-up: a kept file that does not pass is removed, and the message screen says so.
void CheckKeptGameAtStart();
// The message screen for a refused file, over the main screen.
void ShowKeptGameRefused(const std::string& problem);

}  // namespace tessaran
