// What the solver screen's buttons do. A game started here is a real game: counted, scored from
// zero, timed from its start, and never credited to a library puzzle.
#include <algorithm>

#include "game/board.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "game/puzzles.h"
#include "game/rules.h"
#include "profile/prefs.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/screens.h"
#include "solver/hints.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver/solver_actions.h"
#include "solver/solver_why.h"

namespace tessaran {

float SpinAngle = 0.0f;

namespace {

constexpr int32_t kPieceStyleCount = 3;

bool EverySquareKnown() {
    return std::all_of(PlayBoard.begin(), PlayBoard.end(), [](const Cell& cell) { return cell.known != 0; });
}

void ClearMarks(Cell& cell) { std::fill(std::begin(cell.marks), std::end(cell.marks), uint8_t{0}); }

void ShowPossibles() {
    SolverState.showPossibles = true;
    ResetPossibles();
    EliminatePossibles();
}

}  // namespace

void ChangeSymbols() {
    const int32_t style = Prefs.pieceStyle;  // a stored record may hold anything
    Prefs.pieceStyle = style >= 0 && style < kPieceStyleCount ? (style + 1) % kPieceStyleCount : 0;
}

void ToggleSolverPossibles() {
    if (SolverState.showPossibles) {
        SolverState.showPossibles = false;
        for (Cell& cell : PlayBoard) ClearMarks(cell);
    } else {
        ShowPossibles();
    }
}

void ShowSolverHint() {
    if (!SolverState.showPossibles) ShowPossibles();
    Hint hint;
    if (!GetHint(hint)) ExplainNoHint();
    NoteSolverHint(hint);
}

void ApplySolverHint() {
    if (!SolverState.showPossibles) ShowPossibles();
    Hint hint;
    if (!ApplyHint(hint)) ExplainNoHint();
    NoteSolverHint(hint);
    // The status line waits for the next entry, except when the hint placed the last value:
    // a full grid must not go on offering "Play this Game" as a good puzzle.
    if (EverySquareKnown()) UpdatePuzzleStatus();
}

bool SolverPlayOffered() { return !SolverState.playLocked; }

bool PlaySolverGame() {
    if (SolverState.playLocked) return false;
    // The status was found before any hints were applied; check the grid as it is now.
    if (EverySquareKnown() || SettleSolutions(true) != 1) {
        UpdatePuzzleStatus();
        return false;
    }
    for (Cell& cell : PlayBoard) {
        cell.activated = 0;
        ClearMarks(cell);  // the solver's possibles are not the player's marks
        cell.guess = 0;
    }
    ResetForNewGame();  // as any new game, without a library number of its own
    SolverGame = true;
    SolverGridInUse = true;
    StartPlayClock();
    CountGameStarted();
    GoToScreen(ScreenGame);
    BeginKeptGame();
    return true;
}

bool SolveSolverGrid() {
    if (SolverState.playLocked) return false;
    if (SettleSolutions(true) == 1)
        for (Cell& cell : PlayBoard) cell.known = 1;
    ClearHintOverlay();
    UpdatePuzzleStatus();
    return true;
}

void LeaveSolver() { GoToScreen(ScreenMain); }

}  // namespace tessaran
