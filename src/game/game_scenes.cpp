// tessaran-shot scenes of play: the board mid-game, the Child board, Crystal Ball mode, the
// cursor frame, a solved board, the pause menu and the confirmation question.
#include <algorithm>

#include "board/board_render.h"
#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/marks.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "shot/scene.h"

namespace tessaran::shot {
namespace {

constexpr int kPlayed = 12 * 60 + 34;  // the clock of a game in progress

Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

// Every square of `value` shown, so its cross appears in the side panel.
void ShowAll(int value) {
    for (Cell& cell : PlayBoard)
        if (cell.value == value) cell.known = 1;
}

// The first closed squares in board order: opened, with a few marks.
void OpenSome(int count) {
    for (Cell& cell : PlayBoard) {
        if (count == 0) break;
        if (cell.known) continue;
        cell.activated = 1;
        for (int k = 0; k < 9; ++k) cell.marks[k] = static_cast<uint8_t>((k + cell.column + cell.row) % 3 == 0);
        --count;
    }
}

// The first opened square, for the cursor.
void PointAtOpenSquare() {
    for (const Cell& cell : PlayBoard) {
        if (cell.activated && !cell.known) {
            CursorColumn = cell.column;
            CursorRow = cell.row;
            return;
        }
    }
}

void MidGame() {
    StartScenePuzzle(LevelMedium, 41, kPlayed);
    ShowAll(5);
    OpenSome(14);
    PointAtOpenSquare();
    AddToScore(1200);
    AddToScore(-500);
    AwardPhase = 1.4f;  // the pop-up near its brightest
    SpawnFallingPiece(4, 2, 7);
    for (int i = 0; i < 12; ++i) AdvanceFallingPieces();
}

void ChildGame() {
    StartScenePuzzle(LevelChild, 7, 65);
    At(1, 1).activated = 1;
    At(1, 1).marks[0] = At(1, 1).marks[3] = 1;
    At(2, 3).activated = 1;
    At(2, 3).marks[1] = 1;
    CursorColumn = 1;
    CursorRow = 1;
}

void CrystalGame() {
    StartScenePuzzle(LevelEasy, 3, kPlayed);
    OpenSome(6);
    EnterCrystalBall();
    int tried = 0;
    for (Cell& cell : PlayBoard) {
        if (cell.known || tried == 4) continue;
        AssignMode = true;
        ActOnSymbol(cell.column, cell.row, (cell.value + tried % 2) % 9);  // two right, two wrong
        ++tried;
    }
    AssignMode = false;
    PointAtOpenSquare();
    CrystalWobblePhase = 0.8f;
}

// Marks filled in one key, the cursor on a given: its copies and its marks light up.
void MatchingPieces() {
    StartScenePuzzle(LevelMedium, 41, kPlayed);
    FillMarks();
    for (const Cell& cell : PlayBoard) {
        if (cell.known && cell.value == 4) {
            CursorColumn = cell.column;
            CursorRow = cell.row;
            break;
        }
    }
}

// Trials that clash with a given or with each other are framed; a sound trial and a square only
// marked carry just the dashed outline.
void ClashingTrials() {
    StartScenePuzzle(LevelEasy, 3, kPlayed);
    EnterCrystalBall();
    AssignMode = true;
    int placed = 0;
    for (const Cell& given : PlayBoard) {  // a copy of the first given, two squares along its row
        if (!given.known || placed) continue;
        for (int c = 0; c < 9 && !placed; ++c)
            if (!At(c, given.row).known && c != given.column) {
                ActOnSymbol(c, given.row, given.value - 1);
                placed = 1;
            }
    }
    int pair = 0;  // two equal trials in one section
    for (Cell& cell : PlayBoard) {
        if (cell.known || cell.section != 8 || pair == 2) continue;
        ActOnSymbol(cell.column, cell.row, 0);
        ++pair;
    }
    for (Cell& cell : PlayBoard) {  // one right trial in the centre
        if (cell.known || cell.section != 4) continue;
        ActOnSymbol(cell.column, cell.row, cell.value - 1);
        break;
    }
    AssignMode = false;
    for (Cell& cell : PlayBoard) {  // and a square only marked
        if (cell.known || cell.section != 2) continue;
        ActOnSymbol(cell.column, cell.row, 2);
        ActOnSymbol(cell.column, cell.row, 5);
        cell.activated = 1;
        break;
    }
    CursorColumn = CursorRow = -1;
    CrystalWobblePhase = 0.8f;
}

void FramedKnownSquare() {
    StartScenePuzzle(LevelHard, 100, kPlayed);
    Prefs.pieceStyle = 2;
    Prefs.flipNumberKeys = 1;
    for (const Cell& cell : PlayBoard) {
        if (cell.known) {
            CursorColumn = cell.column;
            CursorRow = cell.row;
            break;
        }
    }
}

void SolvedGame() {
    StartScenePuzzle(LevelEvil, 999, kPlayed);
    for (Cell& cell : PlayBoard) cell.known = 1;
    AddToScore(5300);
    CursorColumn = CursorRow = -1;
    TimeUsed = 3 * 3600 + 25;  // more than 99 minutes: the smaller clock
    GoToScreen(ScreenGameOver);
}

// "Play this Game" after a library game: the typed-in puzzle has no number or rating of its own.
void SolverPuzzleGame() {
    StartScenePuzzle(LevelEvil, 449, kPlayed);
    SolverGame = SolverGridInUse = true;
}

void PauseMenu() {
    MidGame();
    TimeUsed = kPlayed;
    GoToScreen(ScreenGame);
    OpenPauseScreen();
    PointAt(88, 34);
}

void ConfirmEnd() {
    MidGame();
    TimeUsed = kPlayed;
    ConfirmKind = ConfirmEndGame;
    OpenDialog(ScreenConfirm, ScreenGame);
}

// Asked from the pause menu: the puzzle stays hidden as the menu hid it.
void ConfirmEndFromPause() {
    PauseMenu();
    ConfirmKind = ConfirmEndGame;
    OpenDialog(ScreenConfirm, ScreenPause);
}

void ConfirmQuit() {
    ConfirmEnd();
    ConfirmKind = tessaran::ConfirmQuit;
}

}  // namespace

TESSARAN_SHOT_SCENE(game_board, "game-board", "a Medium game: marks, magnified cursor, cross, falling piece", MidGame,
                    WindowFrame);
TESSARAN_SHOT_SCENE(game_child, "game-child", "a Child game with the cursor on an opened square", ChildGame,
                    WindowFrame);
TESSARAN_SHOT_SCENE(game_crystal, "game-crystal", "Crystal Ball mode with four trials", CrystalGame, WindowFrame);
TESSARAN_SHOT_SCENE(game_matches, "game-matches", "marks filled, the cursor's piece and its marks highlighted",
                    MatchingPieces, WindowFrame);
TESSARAN_SHOT_SCENE(game_conflicts, "game-conflicts", "Crystal Ball trials: clashes framed, outlines dashed",
                    ClashingTrials, WindowFrame);
TESSARAN_SHOT_SCENE(game_frame, "game-frame", "cursor frame on a given, digits and flipped keys",
                    FramedKnownSquare, WindowFrame);
TESSARAN_SHOT_SCENE(game_solved, "game-solved", "a solved Evil board in state 18 after 3 hours", SolvedGame,
                    WindowFrame);
TESSARAN_SHOT_SCENE(game_solver, "game-solver", "a game started from the solver, titled \"Your Puzzle\"",
                    SolverPuzzleGame, WindowFrame);
TESSARAN_SHOT_SCENE(pause_menu, "pause-menu", "the pause menu over a game", PauseMenu, WindowFrame);
TESSARAN_SHOT_SCENE(confirm_end, "confirm-end", "\"Really end this game?\" over the board", ConfirmEnd, WindowFrame);
TESSARAN_SHOT_SCENE(confirm_end_paused, "confirm-end-paused", "\"Really end this game?\" asked from the pause menu",
                    ConfirmEndFromPause, WindowFrame);
TESSARAN_SHOT_SCENE(confirm_quit, "confirm-quit", "\"Really end this game and exit Tessaran?\"", ConfirmQuit,
                    WindowFrame);

}  // namespace tessaran::shot
