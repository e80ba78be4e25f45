// The global state of the game in progress, read by the screens, rules and renderers.
#pragma once

#include <array>
#include <cstdint>

#include "game/board.h"

namespace tessaran {

// Difficulty levels, the `difficulty` field of the preferences record.
enum Level : int32_t { LevelChild = 0, LevelEasy = 1, LevelMedium = 2, LevelHard = 3, LevelEvil = 4 };
inline constexpr int kLevelCount = 5;
extern const char* const LevelNames[kLevelCount];  // "Child", "Easy", "Medium", "Hard", "Evil"

extern int32_t GameIndex;        // Child: the random seed; otherwise the library index 0..999
extern int32_t ChallengeRating;  // rating stored with the current library puzzle
extern int32_t LastAward;        // points of the latest award, shown as a fading pop-up; 0 = none
extern float AwardPhase;         // pop-up animation phase, 0.3 at each award
extern int32_t MistakeCount;     // wrong assignments in the current game
extern bool CrystalBallActive;
extern std::array<bool, kCellCount> CrystalGuessed;  // cells touched since Crystal Ball mode began
extern float CrystalWobblePhase, CrystalWobbleX, CrystalWobbleY;
extern int32_t CursorColumn, CursorRow;  // cell under the pointer; may lie off the board
extern bool AssignMode;                  // the next symbol action assigns instead of marking
extern int32_t TimeUsed;                 // seconds of play frozen at pause, end request and win
extern bool SolverGame;                  // the game was started from the solver (no time bonus)
// The board is the solver's 9 x 9 grid, whatever level is selected: set when the solver opens or
// a game starts from it, cleared by a new game and by the main screen (see PutSolverGridAway).
extern bool SolverGridInUse;
extern bool OneMoreGame;                 // the program ends after the current game

struct FallingPiece {
    bool inUse;
    float x, y;       // board units
    float vx, vy;     // units per 30 ms step
    float angle;      // degrees
    float spin;       // degrees per step
    int8_t symbol;
};
extern std::array<FallingPiece, kCellCount> FallingPieces;

// True when the board is laid out as the Child level's 4 x 4 grid. The solver, and a game it
// started, always work on the full 9 x 9 grid, whatever level is selected.
bool ChildLayout();
// The main screen is reached: the solver's grid goes, but a game played on it keeps its board
// at 9 x 9 (behind the name entry that may follow) until the next new game.
void PutSolverGridAway();
// The side of the grid in use: 4 in the Child layout, else 9.
int BoardSideInUse();

}  // namespace tessaran
