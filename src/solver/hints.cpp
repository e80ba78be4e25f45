// Hint techniques in their fixed order; no drawing, no search. Inconsistent possibles are
// reported as diagnostic lines on standard output and otherwise passed over.
#include "solver/hints.h"

#include <cassert>
#include <cstdio>

namespace tessaran {

namespace {

Cell& Square(int index) { return PlayBoard[static_cast<size_t>(index)]; }

int PossibleCount(const Cell& cell) {
    int count = 0;
    for (int v = 1; v <= 9; ++v) count += cell.possible[v] != 0;
    return count;
}

// Positions come from the storage index so hints work whatever the geometry fields hold.
int ColumnOf(int index) { return index / 9; }
int RowOf(int index) { return index % 9; }
int SectionOfSquare(int index) { return SectionOf(ColumnOf(index), RowOf(index)); }

void Diagnostic(const char* line) {
    std::fputs(line, stdout);
    std::fflush(stdout);
}

void MarkOnly(Hint& hint, int index) {
    hint.markedCount = 1;
    hint.markedColumns[0] = ColumnOf(index);
    hint.markedRows[0] = RowOf(index);
}

void SetText(Hint& hint, const char* text) { std::snprintf(hint.text, sizeof hint.text, "%s", text); }

void PlaceValue(int index, int v) {
    Cell& cell = Square(index);
    cell.value = v;
    cell.known = 1;
    EliminatePossibles();
}

bool AllKnown() {
    for (const Cell& cell : PlayBoard)
        if (!cell.known) return false;
    return true;
}

// The squares of a unit in the order the only-place search scans them.
void UnitSquares(int unitType, int unit, int squares[9]) {
    for (int k = 0; k < 9; ++k) {
        switch (unitType) {
        case UnitRow: squares[k] = CellIndex(k, unit); break;
        case UnitColumn: squares[k] = CellIndex(unit, k); break;
        default:  // a section column by column, each from its top row down
            squares[k] = CellIndex(3 * (unit % 3) + k / 3, 3 * (unit / 3) + k % 3);
            break;
        }
    }
}

bool SameUnit(int unitType, int a, int b) {
    switch (unitType) {
    case UnitRow: return RowOf(a) == RowOf(b);
    case UnitColumn: return ColumnOf(a) == ColumnOf(b);
    default: return SectionOfSquare(a) == SectionOfSquare(b);
    }
}

bool AllShare(int unitType, const int* squares, int n) {
    for (int k = 1; k < n; ++k)
        if (!SameUnit(unitType, squares[0], squares[k])) return false;
    return true;
}

// Pairs, then triples, then quadruples; each set tried against its row, column and section.
bool TrySet(const int* set, int n, Hint& hint) {
    for (const int unitType : {UnitRow, UnitColumn, UnitSection})
        if (AllShare(unitType, set, n) && CountMarks(set, n) && ScratchMarks(set, n, unitType, hint))
            return true;
    return false;
}

void Publish(const Hint& hint) {
    SolverState.markedCount = hint.markedCount;
    for (int k = 0; k < hint.markedCount; ++k) {
        SolverState.markedColumns[k] = hint.markedColumns[k];
        SolverState.markedRows[k] = hint.markedRows[k];
    }
    SetHintText(hint.text, hint.value);
}

bool FindHint(bool apply, Hint& hint) {
    hint = Hint{};
    if (FindSingleValue(apply, hint) || FindOnlyPlace(apply, hint)) return true;
    if (FindSubset(hint)) return true;
    hint = Hint{};
    SetText(hint, AllKnown() ? "Puzzle is solved." : "No hints found.");
    return false;
}

}  // namespace

void SetHintText(const char* text, int32_t value) {
    std::snprintf(SolverState.hintText, sizeof SolverState.hintText, "%s", text);
    SolverState.hintValue = value;
}

bool GetHint(Hint& hint) {
    CopyBoard(PlayBoard, ScratchBoard);
    const bool found = FindHint(false, hint);
    // Only a subset hint changes the board; a hint request must not.
    if (found && hint.technique == HintSubset) CopyBoard(ScratchBoard, PlayBoard);
    Publish(hint);
    return found;
}

bool GetHint() {
    Hint hint;
    return GetHint(hint);
}

bool ApplyHint(Hint& hint) {
    const bool found = FindHint(true, hint);
    Publish(hint);
    return found;
}

bool ApplyHint() {
    Hint hint;
    return ApplyHint(hint);
}

bool FindSingleValue(bool apply, Hint& hint) {
    for (int index = 0; index < kCellCount; ++index) {
        const Cell& cell = Square(index);
        if (cell.known || PossibleCount(cell) != 1) continue;
        int v = 1;
        while (!cell.possible[v]) ++v;
        if (apply) PlaceValue(index, v);
        hint.technique = HintSingleValue;
        hint.unit = UnitNone;
        hint.value = v;
        MarkOnly(hint, index);
        SetText(hint, "The marked square has only one possible value left:");
        return true;
    }
    return false;
}

bool FindOnlyPlace(bool apply, Hint& hint) {
    static const char* const kTexts[] = {
        "",
        "The marked square is the only possibility in its row for this type:",
        "The marked square is the only possibility in its column for this type:",
        "The marked square is the only possibility in its section for this type:",
    };
    for (const int unitType : {UnitRow, UnitColumn, UnitSection}) {
        for (int unit = 0; unit < 9; ++unit) {
            int squares[9];
            UnitSquares(unitType, unit, squares);
            int counts[10] = {};
            for (const int index : squares) {
                const Cell& cell = Square(index);
                if (cell.known) continue;
                for (int v = 1; v <= 9; ++v) counts[v] += cell.possible[v] != 0;
            }
            for (int v = 1; v <= 9; ++v) {
                if (counts[v] != 1) continue;
                int found = -1;
                for (const int index : squares)
                    if (!Square(index).known && Square(index).possible[v]) {
                        found = index;
                        break;
                    }
                hint.technique = HintOnlyPlace;
                hint.unit = unitType;
                hint.value = v;
                MarkOnly(hint, found);
                SetText(hint, kTexts[unitType]);
                if (apply) PlaceValue(found, v);
                return true;
            }
        }
    }
    return false;
}

bool FindSubset(Hint& hint) {
    // list2: squares with 2 possibles; list3: 2 or 3; list4: 2, 3 or 4. Built row by row.
    int list2[kCellCount], list3[kCellCount], list4[kCellCount];
    int n2 = 0, n3 = 0, n4 = 0;
    for (int row = 0; row < 9; ++row)
        for (int column = 0; column < 9; ++column) {
            const int index = CellIndex(column, row);
            const Cell& cell = Square(index);
            if (cell.known) continue;
            const int count = PossibleCount(cell);
            if (count == 1) {
                char line[80];
                std::snprintf(line, sizeof line, "Error!  Cell %i,%i found with one possible value.\n", column, row);
                Diagnostic(line);
                continue;
            }
            if (count == 2) list2[n2++] = index;
            if (count >= 2 && count <= 3) list3[n3++] = index;
            if (count >= 2 && count <= 4) list4[n4++] = index;
        }

    for (int i = 0; i < n2; ++i)
        for (int j = i + 1; j < n2; ++j) {
            const int set[2] = {list2[i], list2[j]};
            if (TrySet(set, 2, hint)) return true;
        }
    for (int i = 0; i < n3; ++i)
        for (int j = i + 1; j < n3; ++j)
            for (int k = j + 1; k < n3; ++k) {
                const int set[3] = {list3[i], list3[j], list3[k]};
                if (TrySet(set, 3, hint)) return true;
            }
    for (int i = 0; i < n4; ++i)
        for (int j = i + 1; j < n4; ++j)
            for (int k = j + 1; k < n4; ++k)
                for (int l = k + 1; l < n4; ++l) {
                    const int set[4] = {list4[i], list4[j], list4[k], list4[l]};
                    if (TrySet(set, 4, hint)) return true;
                }
    return false;
}

bool CountMarks(const int* squares, int n) {
    int count = 0;
    for (int v = 1; v <= 9; ++v)
        for (int k = 0; k < n; ++k)
            if (Square(squares[k]).possible[v]) {
                ++count;
                break;
            }
    if (count == n) return true;
    if (count < n) {
        char line[120];
        std::snprintf(line, sizeof line, "ERROR - too few counts for CountMarks test: R=%d C=%d G=%d num=%d\n",
                      RowOf(squares[0]), ColumnOf(squares[0]), SectionOfSquare(squares[0]), n);
        Diagnostic(line);
    }
    return false;
}

bool ScratchMarks(const int* squares, int n, int unitType, Hint& hint) {
    if (unitType < UnitRow || unitType > UnitSection) {
        Diagnostic("ERROR - illegal type to scratch marks\n");
        return false;
    }
    bool inSet[10] = {};  // the union of the set's possibles
    for (int k = 0; k < n; ++k)
        for (int v = 1; v <= 9; ++v)
            if (Square(squares[k]).possible[v]) inSet[v] = true;

    hint.markedCount = 0;
    for (int index = 0; index < kCellCount; ++index) {
        Cell& cell = Square(index);
        if (cell.known || !SameUnit(unitType, squares[0], index)) continue;
        bool isMember = false;
        for (int k = 0; k < n; ++k) isMember = isMember || squares[k] == index;
        if (isMember) continue;
        for (int v = 1; v <= 9; ++v) {
            if (!inSet[v] || !cell.possible[v]) continue;
            cell.possible[v] = 0;
            cell.marks[v - 1] = 0;
            assert(hint.markedCount < kMaxMarked && "a set of n squares leaves at most 9 - n others");
            hint.markedColumns[hint.markedCount] = ColumnOf(index);
            hint.markedRows[hint.markedCount] = RowOf(index);
            ++hint.markedCount;
        }
    }
    if (hint.markedCount == 0) return false;

    static const char* const kSetNames[] = {"", "", "pair", "triple", "quadruple"};
    static const char* const kUnitNames[] = {"", "row", "column", "section"};
    std::snprintf(hint.text, sizeof hint.text,
                  "There is a %s set in this %s that lets you eliminate possibilities from the marked squares.",
                  kSetNames[n], kUnitNames[unitType]);
    hint.technique = HintSubset;
    hint.unit = unitType;
    hint.setSize = n;
    hint.value = 0;
    return true;
}

const char* HintName(const Hint& hint) {
    static const char* const kOnlyPlace[] = {"only-place", "only-place-row", "only-place-column",
                                             "only-place-section"};
    static const char* const kSets[5][4] = {
        {}, {},
        {"pair", "pair-row", "pair-column", "pair-section"},
        {"triple", "triple-row", "triple-column", "triple-section"},
        {"quadruple", "quadruple-row", "quadruple-column", "quadruple-section"},
    };
    const int unit = hint.unit >= UnitNone && hint.unit <= UnitSection ? hint.unit : UnitNone;
    switch (hint.technique) {
    case HintSingleValue: return "single-value";
    case HintOnlyPlace: return kOnlyPlace[unit];
    case HintSubset:
        if (hint.setSize >= 2 && hint.setSize <= 4) return kSets[hint.setSize][unit];
        return "subset";
    default: return "none";
    }
}

}  // namespace tessaran
