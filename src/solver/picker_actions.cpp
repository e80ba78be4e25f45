// Choosing a library puzzle. The won flags come from the stored record, so every index into them
// is checked first.
#include <algorithm>

#include "game/game_state.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "profile/prefs.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "solver/picker_actions.h"

namespace tessaran {

int32_t PickerPageStart = 0;

namespace {

bool LibraryLevel(int32_t level) { return level >= LevelEasy && level < kLevelCount; }

}  // namespace

bool PuzzleWon(int32_t level, int32_t index) {
    if (!LibraryLevel(level) || index < 0 || index >= kPuzzlesPerLevel) return false;
    return Prefs.wonGames[level - 1][index] != 0;
}

void PickPuzzle(int32_t index) {
    PickedPuzzle = index;
    GoToScreen(Prefs.showHelpAtStart ? ScreenQuickHelp : ScreenNewGame);
}

void PickRandomPuzzle() { PickPuzzle(rand() % kLibraryIndexCount); }

void NextPickerPage() {
    const bool onPage = PickerPageStart >= 0 && PickerPageStart < kLibraryIndexCount &&
                        PickerPageStart % kPickerPageSize == 0;
    PickerPageStart = onPage ? (PickerPageStart + kPickerPageSize) % kLibraryIndexCount : 0;
}

void ResetGamesUsed() {
    const int32_t level = Prefs.difficulty;
    if (!LibraryLevel(level)) return;
    std::fill(std::begin(Prefs.wonGames[level - 1]), std::end(Prefs.wonGames[level - 1]), uint8_t{0});
}

void AskToResetGamesUsed() {
    ConfirmKind = ConfirmResetGamesUsed;
    OpenDialog(ScreenConfirm, ScreenPicker);
}

void CancelPicker() {
    // Backing out of "Just one more game" disarms it: the next ordinary game must not quit.
    OneMoreGame = false;
    GoToScreen(ScreenMain);
}

}  // namespace tessaran
