// tessaran-shot scenes of the solver screen (with hints shown, solved, at the Child level), every
// help page, the quick help, and the puzzle picker with some puzzles won.
#include "game/board.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "game/rules.h"
#include "profile/prefs.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "shot/scene.h"
#include "solver/help.h"
#include "solver/hints.h"
#include "solver/picker.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver/solver_screen.h"
#include "solver/solver_why.h"

namespace tessaran::shot {
namespace {

void SolverHint() {
    TypeInPuzzle(LevelMedium, 7);
    ShowSolverHint();
    CursorColumn = SolverState.markedColumns[0];
    CursorRow = SolverState.markedRows[0];
    PointAt(87, 60);
}

// Hints applied to the first Evil library puzzle that needs a naked subset, until that subset
// is the next hint: several squares marked, no piece shown.
bool ReachSubset() {
    SolverState.showPossibles = true;
    ResetPossibles();
    EliminatePossibles();
    for (int k = 0; k < kCellCount; ++k) {
        Hint hint;
        if (!GetHint(hint)) return false;
        if (hint.technique == HintSubset) {
            NoteSolverHint(hint);
            return true;
        }
        ApplyHint();
    }
    return false;
}

void SolverSubset() {
    for (int index = 0; index < kLibraryIndexCount; ++index) {
        TypeInPuzzle(LevelEvil, index);
        if (ReachSubset()) break;
    }
    CursorColumn = CursorRow = -1;
}

void SolverSolved() {
    TypeInPuzzle(LevelHard, 11);
    SolveSolverGrid();
    CursorColumn = 4;
    CursorRow = 4;
}

// At the Child level the solver still shows the whole grid; entries sit all over it.
void SolverChild() {
    Prefs.difficulty = LevelChild;
    TypeInPuzzle(LevelEasy, 2);
    CursorColumn = 7;
    CursorRow = 6;
}

// A valid 17-given puzzle that the step-limited count gives up on, typed in: the screen settles
// it with the complete search and offers it for play.
void SolverPastLimit() {
    OpenSolver();
    srand(1);
    const char* grid = "9..8...........5............2..1...3.1.....6....4...7.7.86.........3.1..4.....2..";
    for (int i = 0; i < kCellCount; ++i)
        if (grid[i] != '.') ActOnSymbol(i % 9, i / 9, grid[i] - '1');
    CursorColumn = CursorRow = -1;
}

void SolverEmpty() {
    OpenSolver();
    srand(1);
    CursorColumn = 2;
    CursorRow = 3;
}

template <int Page>
void HelpPageSetUp() {
    HelpPage = Page;
    HelpPageShown = kNoHelpPageShown;
    GoToScreen(ScreenHelp);
}

void QuickHelpSetUp() {
    // Behind the panel: the board of the game that ended last.
    LoadLevel(kLibraryNumbers[LevelMedium], 3);
    GoToScreen(ScreenQuickHelp);
}

void QuickHelpChildSetUp() {
    Prefs.difficulty = LevelChild;
    ClearBoard(PlayBoard);
    GoToScreen(ScreenQuickHelp);
}

// A game from the solver (9 x 9 at any level) has just ended; the next game is a Child game.
void QuickHelpChildAfterSolverSetUp() {
    LoadLevel(kLibraryNumbers[LevelMedium], 3);
    for (Cell& cell : PlayBoard) cell.known = 1;
    SolverGame = SolverGridInUse = true;
    Prefs.difficulty = LevelChild;
    GoToScreen(ScreenQuickHelp);
}

void PickerSetUp() {
    Prefs.difficulty = LevelHard;
    PickerPageStart = 200;
    for (int index : {200, 201, 207, 230, 263, 288, 305, 344, 399}) Prefs.wonGames[LevelHard - 1][index] = 1;
    GoToScreen(ScreenPicker);
    PointAt(50, 47);
}

void FocusPickerSetUp() {
    PickerSetUp();
    ShowFocusRing({FocusMove::Next, FocusMove::Down, FocusMove::Down, FocusMove::Right, FocusMove::Right});
}

void PickerResetConfirmSetUp() {
    PickerSetUp();
    AskToResetGamesUsed();
}

}  // namespace

TESSARAN_SHOT_SCENE(solver_hint, "solver-hint", "the solver with a typed-in puzzle and a hint shown", SolverHint,
                    WindowFrame);
TESSARAN_SHOT_SCENE(solver_subset, "solver-subset", "the solver showing a naked-subset hint", SolverSubset,
                    WindowFrame);
TESSARAN_SHOT_SCENE(solver_solved, "solver-solved", "the solver after Solve", SolverSolved, WindowFrame);
TESSARAN_SHOT_SCENE(solver_child, "solver-child", "the solver at the Child level: still 9 x 9", SolverChild,
                    WindowFrame);
TESSARAN_SHOT_SCENE(solver_past_limit, "solver-past-limit",
                    "the solver settling a puzzle past the step-limited count", SolverPastLimit, WindowFrame);
TESSARAN_SHOT_SCENE(solver_empty, "solver-empty", "the solver as opened", SolverEmpty, WindowFrame);
TESSARAN_SHOT_SCENE(help_0, "help-0", "help page 0, welcome", HelpPageSetUp<0>, WindowFrame);
TESSARAN_SHOT_SCENE(help_1, "help-1", "help page 1, rows", HelpPageSetUp<1>, WindowFrame);
TESSARAN_SHOT_SCENE(help_2, "help-2", "help page 2, columns", HelpPageSetUp<2>, WindowFrame);
TESSARAN_SHOT_SCENE(help_3, "help-3", "help page 3, sections", HelpPageSetUp<3>, WindowFrame);
TESSARAN_SHOT_SCENE(help_4, "help-4", "help page 4, mouse controls", HelpPageSetUp<4>, WindowFrame);
TESSARAN_SHOT_SCENE(help_5, "help-5", "help page 5, keyboard controls", HelpPageSetUp<5>, WindowFrame);
TESSARAN_SHOT_SCENE(help_6, "help-6", "help page 6, Crystal Ball mode", HelpPageSetUp<6>, WindowFrame);
TESSARAN_SHOT_SCENE(help_7, "help-7", "help page 7, Child mode", HelpPageSetUp<7>, WindowFrame);
TESSARAN_SHOT_SCENE(help_8, "help-8", "help page 8, scoring", HelpPageSetUp<8>, WindowFrame);
TESSARAN_SHOT_SCENE(help_9, "help-9", "help page 9, hints", HelpPageSetUp<9>, WindowFrame);
TESSARAN_SHOT_SCENE(quick_help, "quick-help", "the quick help before a game", QuickHelpSetUp, WindowFrame);
TESSARAN_SHOT_SCENE(quick_help_child, "quick-help-child", "the quick help before a Child game", QuickHelpChildSetUp,
                    WindowFrame);
TESSARAN_SHOT_SCENE(quick_help_child_solver, "quick-help-child-solver",
                    "the quick help before a Child game that follows a game from the solver",
                    QuickHelpChildAfterSolverSetUp, WindowFrame);
TESSARAN_SHOT_SCENE(picker, "picker", "the puzzle picker, second page, some puzzles won", PickerSetUp, WindowFrame);
TESSARAN_SHOT_SCENE(focus_picker, "focus-picker", "the picker's grid walked with the arrows: the focus ring on 243",
                    FocusPickerSetUp, WindowFrame);
TESSARAN_SHOT_SCENE(picker_reset_confirm, "picker-reset-confirm",
                    "\"Really reset the games used at this level?\" from the picker", PickerResetConfirmSetUp,
                    WindowFrame);

}  // namespace tessaran::shot
