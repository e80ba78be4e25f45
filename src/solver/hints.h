// Explained hints over the possibles of PlayBoard: single values, only places, then naked pairs,
// triples and quadruples, always in that order, never searching.
#pragma once

#include <cstdint>

#include "solver/solver.h"

namespace tessaran {

enum HintTechnique : int32_t {
    HintNone = 0,
    HintSingleValue = 1,  // a square with one possible value left
    HintOnlyPlace = 2,    // the only square of a unit that can take a value
    HintSubset = 3,       // n squares of a unit sharing n values
};

enum UnitType : int32_t { UnitNone = 0, UnitRow = 1, UnitColumn = 2, UnitSection = 3 };

// One hint: what the solver screen shows and what the command line prints.
struct Hint {
    int32_t technique = HintNone;
    int32_t unit = UnitNone;  // the unit the reasoning is about; none for a single value
    int32_t setSize = 0;      // 2..4 for a subset
    int32_t value = 0;        // the piece the sentence refers to; 0 = none
    int32_t markedCount = 0;  // a square appears once for each value it loses
    int32_t markedColumns[kMaxMarked] = {};
    int32_t markedRows[kMaxMarked] = {};
    char text[kSolverTextSize] = "";
};

// Finds the first hint and shows it; the grid, its possibles and marks stay as they were.
bool GetHint();
bool GetHint(Hint& hint);
// Finds the first hint, shows it and carries it out (a value placed, or possibles removed).
bool ApplyHint();
bool ApplyHint(Hint& hint);

// The techniques, on PlayBoard. Squares are storage indices (column * 9 + row).
bool FindSingleValue(bool apply, Hint& hint);
bool FindOnlyPlace(bool apply, Hint& hint);
bool FindSubset(Hint& hint);  // removes the set's values from the other squares when it succeeds
bool CountMarks(const int* squares, int n);
bool ScratchMarks(const int* squares, int n, int unitType, Hint& hint);

void SetHintText(const char* text, int32_t value);

// A short stable name for the hint, e.g. "single-value", "only-place-row", "pair-section".
const char* HintName(const Hint& hint);

}  // namespace tessaran
