// Counting games started and won into the preferences record; indices from the record are
// checked before use because a stored file may hold anything.
#include "profile/stats.h"

#include "audio/sound.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/screens.h"

namespace tessaran {

bool ShowMyScores = false;
int32_t HighlightRow = kNoHighlight;
bool PendingPlayerNote = false;
float SummaryTimer = 0.0f;
int32_t SummaryStage = 0;

namespace {

bool CountedLevel(int32_t level) { return level >= 0 && level < kLevelCount; }
bool ProfileInUse(int32_t player) { return player >= 1 && player <= kPlayerCount; }

}  // namespace

void CountGameStarted() {
    const int32_t level = Prefs.difficulty;
    const int32_t player = Prefs.currentPlayer;
    Prefs.gamesPlayed += 1;
    if (!CountedLevel(level)) return;
    Prefs.levelGamesPlayed[level] += 1;
    if (ProfileInUse(player)) {
        Prefs.playerGamesPlayed[player - 1] += 1;
        Prefs.playerLevelGamesPlayed[player - 1][level] += 1;
    }
}

void CountGameWon() {
    const int32_t level = Prefs.difficulty;
    const int32_t player = Prefs.currentPlayer;
    PlaySound(SoundGameWon);
    EndGameInPlay();
    GoToScreen(ScreenGameOver);
    // Child games have no number in the picker; a game number outside the library (a stored
    // fixed number, say) has no flag to set; a game typed into the solver is no library puzzle,
    // whatever number the previous game left behind.
    if (!SolverGame && level >= LevelEasy && level < kLevelCount && GameIndex >= 0 && GameIndex < kPuzzlesPerLevel)
        Prefs.wonGames[level - 1][GameIndex] = 1;
    SummaryTimer = 0.0f;
    SummaryStage = 0;
    TimeUsed = PlayClockSeconds();
    if (MistakeCount == 0 && HintLevelsUsed == 0 && CountedLevel(level)) {
        Prefs.levelErrorFreeWins[level] += 1;
        if (ProfileInUse(player)) Prefs.playerLevelErrorFreeWins[player - 1][level] += 1;
    }
}

}  // namespace tessaran
