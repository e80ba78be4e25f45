// Definitions of the game-state globals.
#include "game/game_state.h"

#include "profile/prefs.h"
#include "shell/screens.h"

namespace tessaran {

const char* const LevelNames[kLevelCount] = {"Child", "Easy", "Medium", "Hard", "Evil"};

int32_t GameIndex = 0;
int32_t ChallengeRating = 0;
int32_t LastAward = 0;
float AwardPhase = 0.0f;
int32_t MistakeCount = 0;
bool CrystalBallActive = false;
std::array<bool, kCellCount> CrystalGuessed{};
float CrystalWobblePhase = 0.0f, CrystalWobbleX = 0.0f, CrystalWobbleY = 0.0f;
int32_t CursorColumn = -1, CursorRow = -1;
bool AssignMode = false;
int32_t TimeUsed = 0;
bool SolverGame = false;
bool OneMoreGame = false;
std::array<FallingPiece, kCellCount> FallingPieces{};

// A game started from the solver keeps the solver's 9 x 9 grid until the next new game.
namespace {

// The solver's grid stays 9 x 9 under the pause menu and the dialogs opened over it.
bool SolverGridShown() {
    int32_t under = ScreenState;
    if (under == ScreenConfirm || under == ScreenPreferences) under = ReturnState;
    if (under == ScreenPause) under = PausedFromState;
    return under == ScreenSolver;
}

}  // namespace

bool ChildLayout() { return Prefs.difficulty == LevelChild && !SolverGridShown() && !SolverGame; }

int BoardSideInUse() { return ChildLayout() ? kChildSide : kBoardSide; }

}  // namespace tessaran
