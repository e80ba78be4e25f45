// Entering the solver and editing its grid; the status follows every change.
#include "solver/solver_entry.h"

#include <cstdio>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "shell/screens.h"
#include "solver/grid.h"
#include "solver/solver.h"

namespace tessaran {

void ClearHintOverlay() {
    SolverState.markedCount = kNoHintShown;
    SolverState.hintValue = 0;
    std::snprintf(SolverState.hintText, sizeof SolverState.hintText, "%s", kSolverInstructions);
}

void OpenSolver() {
    for (Cell& cell : PlayBoard) {
        ResetCell(cell);
        cell.activated = 1;
    }
    SetUpBoardGeometry();
    if (SolverState.showPossibles) {
        ResetPossibles();
        EliminatePossibles();
    }
    SolverGridInUse = true;
    GoToScreen(ScreenSolver);
    SolverState.playLocked = true;
    SolverState.statusText[0] = '\0';
    ClearHintOverlay();
}

void MoveGameToSolver() {
    EndGameInPlay();  // abandoned unscored
    if (CrystalBallActive) {
        // Trial squares are known but hold the real answer; leave the mode as a cancel would.
        CopyBoard(BackupBoard, PlayBoard);
        CrystalBallActive = false;
        CrystalWobbleX = CrystalWobbleY = 0.0f;
    }
    SolverGridInUse = true;
    GoToScreen(ScreenSolver);
    ResetPossibles();
    EliminatePossibles();
    SolverState.showPossibles = true;
    for (Cell& cell : PlayBoard) {
        cell.activated = 1;
        if (!cell.known) cell.value = 0;
    }
    ClearHintOverlay();
    UpdatePuzzleStatus();
}

void EnterSolverValue(int column, int row, int slot) {
    if (column < 0 || column > 8 || row < 0 || row > 8 || slot < 0 || slot > 8) return;
    Cell& cell = PlayBoard[static_cast<size_t>(CellIndex(column, row))];
    if (cell.known) {
        cell.known = 0;
        cell.value = 0;
        if (SolverState.showPossibles) {
            ResetPossibles();
            EliminatePossibles();
        }
    } else {
        cell.value = slot + 1;
        cell.known = 1;
        if (!IsPlacementLegal(PlayBoard, column, row, SectionOf(column, row))) {
            cell.known = 0;
            cell.value = 0;
            PlaySound(SoundBadMove);
        }
    }
    ClearHintOverlay();
    UpdatePuzzleStatus();
    if (SolverState.showPossibles) EliminatePossibles();
}

}  // namespace tessaran
