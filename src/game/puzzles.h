// Puzzle libraries, the start of a game and the Child generator. A game is reproducible from its
// number only while these keep exactly their order of random calls (every ResetCell draws one).
#pragma once

#include <cstdint>
#include <optional>

#include "game/game_state.h"

namespace tessaran {

// A library record: 81 signed cell bytes in board order (negative = given, |v| = symbol), then
// the rating as a little-endian 32-bit integer.
inline constexpr int kRecordSize = 85;
inline constexpr int kRatingOffset = 81;
inline constexpr int kLibraryIndexCount = 1000;  // numbered puzzles per playing level

// Library number of each difficulty; entry 0 (Child) is generated, never loaded.
inline constexpr int kLibraryNumbers[kLevelCount] = {0, 30, 20, 12, 99};
// The library holding the help pages' demonstration puzzle.
inline constexpr int kDemoLibrary = 0;

extern int32_t PickedPuzzle;  // library index 0..999 chosen in the puzzle picker

struct PuzzleRecord {
    int8_t cells[kCellCount];
    int32_t rating;
};

// Records in library n ("LEVEL" + n); nullopt when the game carries no such library.
// A torn last record is not counted.
std::optional<int> LibraryRecordCount(int libraryNumber);
// Record `index` of library n, exactly as stored; false when the library or the record is absent.
bool ReadPuzzleRecord(int libraryNumber, int index, PuzzleRecord& record);
// Every cell holds a symbol 1..9 (given or hidden).
bool IsWellFormed(const PuzzleRecord& record);

// Clears PlayBoard, then fills it from record `index` of library n. A missing library, an index
// outside the library or a damaged record leaves the board cleared and ChallengeRating as it was.
// Returns whether a puzzle was loaded.
bool LoadLevel(int libraryNumber, int index);

// The game of ScreenState 17: resets the game state, counts the game, draws the game number,
// seeds the generator with it and sets up the puzzle; leaves ScreenState at 0 and the game kept
// (BeginKeptGame).
void StartNewGame();
// What every new game starts from, a library's, a Child game or one typed into the solver: no
// falling pieces, highlighted table row, score, mistakes, hints or Crystal Ball trials.
void ResetForNewGame();

// Fills the 4 x 4 corner of PlayBoard from the generator as it stands. Returns the number of
// attempts it took (at least 1).
int GenerateChildPuzzle();

}  // namespace tessaran
