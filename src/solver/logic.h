// The logic engine: solves a grid step by step the way a person does, from candidates alone,
// cheapest technique first, and explains every step. It never consults a solution and never
// assumes that the grid has only one, so every step it takes is true of every solution.
//
// Squares are grid indices, row * 9 + column (GridIndex in grid.h), rows and columns from 0.
// Units are numbered 0..26: rows 0..8, columns 9..17 (9 + column), sections 18..26
// (18 + SectionOf). Texts name rows, columns and sections from 1, as the player sees them.
//
// Nothing here keeps state between calls or touches the game's boards: a caller may run the
// engine on any grid at any time (a copy of the board in play, a puzzle being rated).
//
// Typical use (a hint, a rating, the teach command):
//   LogicGrid grid = MakeLogicGrid(values);
//   LogicStep step;
//   while (FindLogicStep(grid, step) && step.technique != Technique::DeadEnd)
//       ApplyLogicStep(grid, step);
// or SolveLogically(values) for the whole path at once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "solver/grid.h"

namespace tessaran {

// Bit v (1..9) set: the value is still possible.
using CandidateMask = uint16_t;
inline constexpr CandidateMask kAllCandidates = 0x3FE;

struct LogicGrid {
    ValueGrid values{};                                  // 0 = open square
    std::array<CandidateMask, kCellCount> candidates{};  // always 0 for a filled square
};

// Candidates from the filled squares: each open square keeps the values none of its row, column
// and section holds. Givens that clash are kept as they are; FindLogicStep reports them.
LogicGrid MakeLogicGrid(const ValueGrid& values);

// In cost order: FindLogicStep tries them in this order and takes the first that applies.
enum class Technique : int {
    DeadEnd,       // not a technique: the grid has gone wrong (a square or unit ran out)
    Single,        // a square with one candidate left
    HiddenSingle,  // a value with one place left in a unit
    NakedPair,
    NakedTriple,
    NakedQuad,
    Pointing,  // a value of a section confined to one row or column
    Claiming,  // a value of a row or column confined to one section
    HiddenPair,
    HiddenTriple,
    HiddenQuad,
    XWing,
    Swordfish,
    Jellyfish,
    XYWing,
    XYZWing,
    WWing,
    XChain,  // simple colouring and single-value chains
    XYChain,
    Aic,           // alternating inference chain over values and squares
    ForcingChain,  // every choice of a square or a unit forces the same result
};
inline constexpr int kTechniqueCount = static_cast<int>(Technique::ForcingChain) + 1;

// Lower-case words joined by hyphens: "hidden-single", "x-wing", "aic", "deadend".
const char* TechniqueName(Technique technique);
// Whether the technique goes past pairs, triples, quads and locked candidates.
bool IsAdvanced(Technique technique);

struct Placement {
    int square;
    int value;
};
struct Elimination {
    int square;
    int value;
};

// One step, with what a learner needs to follow it.
struct LogicStep {
    Technique technique = Technique::DeadEnd;
    std::vector<int> pattern;  // the squares that make the pattern (the chain, in order)
    std::vector<int> units;    // the units the reasoning is about
    std::vector<Placement> placements;
    std::vector<Elimination> eliminations;
    std::string sentence;  // one or two sentences in the game's voice, pieces marked for SayPieces
};

// The cheapest step that applies to `grid`, a dead end first of all. False when no technique
// applies (the grid is then solved, or the next step would be a trial).
bool FindLogicStep(const LogicGrid& grid, LogicStep& step);
// Places the step's values (removing them from the peers' candidates) and removes its
// eliminations. A dead end changes nothing.
void ApplyLogicStep(LogicGrid& grid, const LogicStep& step);
// Whether every square is filled.
bool IsSolved(const LogicGrid& grid);

enum class LogicOutcome { Solved, Stuck, DeadEnd };

struct LogicSolve {
    std::vector<LogicStep> steps;  // ends with the dead-end step when the outcome is DeadEnd
    LogicGrid end;                 // the grid reached
    LogicOutcome outcome = LogicOutcome::Stuck;
};
// Steps from `values` until solved, stuck or dead.
LogicSolve SolveLogically(const ValueGrid& values);

// What the engine says when no technique applies to an unsolved grid.
inline constexpr const char* kTrialText =
    "No technique applies any more: the next step would be a trial, guessing a value and seeing "
    "where it leads.";

// Sentences mark every piece they name -- "{the 7}", "{The 7}", "{a 7}" or "{7}" -- so that one
// sentence serves both ways of naming the pieces: by digit, as the command line and puzzle
// notation do ("the 7", "an 8"), or by the character the piece is ("Thorn"), as the game window
// does wherever pictures show.
enum class PieceNaming { Digits, Names };
// The mark for piece `value` with `article` ("", "the", "The", "a", "A").
std::string PieceMark(int value, const char* article = "");
// `sentence` with its marks written out.
std::string SayPieces(const std::string& sentence, PieceNaming naming);
inline std::string StepText(const LogicStep& step, PieceNaming naming) { return SayPieces(step.sentence, naming); }

// The two sentences that also explain steps on the Child level's 4 x 4 grid.
std::string SingleSentence(int square, int value);
std::string HiddenSingleSentence(int value, int unit, int square);

// Text helpers shared with whoever shows steps: "row 3", "column 5", "section 7";
// "(row 3, column 5)"; "r3c5".
std::string UnitName(int unit);
std::string SquareName(int square);
std::string SquareCode(int square);

}  // namespace tessaran
