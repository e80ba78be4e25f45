// Hints in the game, which teach the next step from what the board shows, one level at a time,
// and the one-line reason a wrong piece fell. They read the pieces, trials and marks on the
// board and consult the solution only to say that a piece or a set of marks is wrong, since no
// logic can go on from a wrong board. No drawing: the game screen shows what these leave.
//
// Squares and units here follow the logic engine (solver/logic.h): squares are grid indices,
// row * 9 + column; units 0..8 rows, 9..17 columns, 18..26 sections. At the Child level the
// sections are the 2 x 2 blocks of the 4 x 4 corner, numbered the same way (18 + c / 2 + 2 * (r / 2)).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solver/logic.h"

namespace tessaran {

inline constexpr int32_t kHintCost = 50;  // points, for each level of a hint shown

enum class HintKind {
    None,
    WrongPiece,  // a trial on the board is not the solution's
    WrongMarks,  // an opened square's marks leave out its piece
    Step,        // the next logical step
    Stuck,       // no technique applies: the next step is a trial
};

// What the player asked to see. Levels: 1 where to look, 2 the technique and its pattern, 3 the
// whole explanation with Apply. A wrong piece or wrong marks have two: where, then which square.
struct GameHint {
    HintKind kind = HintKind::None;
    int level = 0;         // 0 = nothing shown
    LogicStep step;        // Step: the engine's step; otherwise its units and pattern say where
    LogicGrid grid;        // the board as the hint read it; a change of the board retires the hint
    std::string sentence;  // the level shown, pieces marked for SayPieces
};
extern GameHint ShownHint;
// The hint on display as the window says it: the pieces named as they are shown at the moment.
std::string ShownHintText();
// Hint levels shown in the game in play; kept with it, shown in the summary, and a game won with
// any is not an error-free win.
extern int32_t HintLevelsUsed;

// The board in use as the logic engine sees it: shown pieces (trials in Crystal Ball mode) as
// values; each open square's candidates are those no shown piece rules out, narrowed to its
// marks where the player has marked any.
LogicGrid GridShownOnBoard();
// The deepest level of a hint of this kind.
int DeepestHintLevel(HintKind kind);
// The hint on display still fits the board (nothing shown, or the board has changed: false).
bool HintOnDisplay();
// H or "Hint": one level deeper on the same hint, or a new hint at level 1 when none is on
// display. Each level shown costs kHintCost and counts in HintLevelsUsed; a hint with nothing
// to teach (no step, or a solved board) costs nothing. False when there is nothing deeper.
bool RequestHint();
// Apply at the deepest level: the step's pieces placed as right moves are (trials in Crystal
// Ball mode) but without their points, or its marks removed (a square with no marks first gets
// its candidates); a wrong trial is taken back; wrong marks are reset to the square's
// candidates. Free. False when no hint at its deepest level is on display.
bool ApplyGameHint();
void ForgetGameHint();
// Whether the hint on display is at its deepest level and has something to apply.
bool HintApplicable();
// Key H and the panel's button: Apply when the hint on display offers it, else RequestHint.
bool PressHint();
// How texts in the window name the pieces: by the characters' names, or by digit where only
// digits are shown.
PieceNaming PieceNamingShown();
// A new game or a kept game installed: no hint shown, none used (or the kept count).
void ResetGameHints(int32_t levelsUsed = 0);

// The squares of a unit in the grid in use (logic squares), for drawing.
std::vector<int> UnitSquares(int unit);

// Why a wrong piece fell, for the game panel. flashSquare is the clashing square (logic index)
// or -1.
struct WrongMoveNote {
    std::string text;
    int square = -1;       // where the piece was tried
    int flashSquare = -1;
    float shownMs = 0.0f;  // how long it has been on screen
};
inline constexpr float kWrongMoveNoteMs = 4500.0f;
extern WrongMoveNote WrongMoveExplanation;
// Engine time allowed to find the step that rules a wrong piece out.
inline constexpr int kWrongMoveSearchMs = 20;
// The reason `symbol` cannot go in square (column, row): a clash with a shown piece, the first
// logical step from the board that rules it out, or that it leads to a contradiction later.
WrongMoveNote ExplainWrongMove(int column, int row, int symbol);

}  // namespace tessaran
