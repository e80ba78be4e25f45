// Definitions of the game-state globals.
#include "game/game_state.h"

#include "profile/prefs.h"

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
bool SolverGridInUse = false;
bool OneMoreGame = false;
std::array<FallingPiece, kCellCount> FallingPieces{};

bool ChildLayout() { return Prefs.difficulty == LevelChild && !SolverGridInUse; }

void PutSolverGridAway() { SolverGridInUse = SolverGame; }

int BoardSideInUse() { return ChildLayout() ? kChildSide : kBoardSide; }

}  // namespace tessaran
