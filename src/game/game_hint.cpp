// In-game hints and wrong-move reasons over the logic engine. The board's pieces and marks are
// what the player reasons from, so they are what the hint reasons from too.
#include "game/game_hint.h"

#include <algorithm>
#include <chrono>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "game/marks.h"
#include "game/rules.h"
#include "game/undo.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"

namespace tessaran {

GameHint ShownHint;
int32_t HintLevelsUsed = 0;
WrongMoveNote WrongMoveExplanation;

namespace {

constexpr int kUnitCount = 27;
constexpr int kRowUnit = 0, kColumnUnit = 9, kSectionUnit = 18;

int Side() { return BoardSideInUse(); }
int Box() { return ChildLayout() ? 2 : 3; }
int Column(int square) { return square % 9; }
int Row(int square) { return square / 9; }
int SectionUnit(int column, int row) { return kSectionUnit + column / Box() + (Side() / Box()) * (row / Box()); }
Cell& BoardCell(int square) { return PlayBoard[static_cast<std::size_t>(CellIndex(Column(square), Row(square)))]; }
bool Has(CandidateMask mask, int v) { return (mask >> v) & 1u; }

int CountBits(CandidateMask mask) {
    int n = 0;
    for (int v = 1; v <= 9; ++v) n += Has(mask, v);
    return n;
}

// The squares of the grid in use, row by row.
std::vector<int> SquaresInUse() {
    std::vector<int> squares;
    for (int r = 0; r < Side(); ++r)
        for (int c = 0; c < Side(); ++c) squares.push_back(GridIndex(c, r));
    return squares;
}

bool InUnit(int square, int unit) {
    const int c = Column(square), r = Row(square);
    if (unit < kColumnUnit) return r == unit - kRowUnit;
    if (unit < kSectionUnit) return c == unit - kColumnUnit;
    return SectionUnit(c, r) == unit;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

std::string UnitList(const std::vector<int>& units) {
    std::vector<std::string> names;
    for (int unit : units) names.push_back(UnitName(unit));
    return Joined(names);
}

// ---- Steps on the 4 x 4 Child grid, which the engine (9 x 9 only) does not take -------------

LogicGrid ChildGrid(const ValueGrid& values) {
    LogicGrid grid;
    grid.values = values;
    for (int s : SquaresInUse()) {
        if (values[static_cast<std::size_t>(s)] != 0) continue;
        CandidateMask mask = 0;
        for (int v = 1; v <= kChildSide; ++v) mask |= static_cast<CandidateMask>(1u << v);
        for (int t : SquaresInUse()) {
            const int v = values[static_cast<std::size_t>(t)];
            if (v != 0 && t != s &&
                (Row(t) == Row(s) || Column(t) == Column(s) ||
                 SectionUnit(Column(t), Row(t)) == SectionUnit(Column(s), Row(s))))
                mask = static_cast<CandidateMask>(mask & ~(1u << v));
        }
        grid.candidates[static_cast<std::size_t>(s)] = mask;
    }
    return grid;
}

std::vector<int> ChildUnits() {
    std::vector<int> units;
    for (int i = 0; i < kChildSide; ++i) units.push_back(kRowUnit + i);
    for (int i = 0; i < kChildSide; ++i) units.push_back(kColumnUnit + i);
    for (int i = 0; i < kChildSide; ++i) units.push_back(kSectionUnit + i);
    return units;
}

// Singles, then hidden singles: every Child puzzle falls to these two.
bool FindChildStep(const LogicGrid& grid, LogicStep& step) {
    step = LogicStep{};
    for (int s : SquaresInUse()) {
        const CandidateMask mask = grid.candidates[static_cast<std::size_t>(s)];
        if (grid.values[static_cast<std::size_t>(s)] != 0 || CountBits(mask) != 1) continue;
        int v = 1;
        while (!Has(mask, v)) ++v;
        step.technique = Technique::Single;
        step.pattern = {s};
        step.placements = {{s, v}};
        step.sentence = SingleSentence(s, v);
        return true;
    }
    for (int unit : ChildUnits())
        for (int v = 1; v <= kChildSide; ++v) {
            int place = -1, count = 0;
            bool placed = false;
            for (int s : SquaresInUse()) {
                if (!InUnit(s, unit)) continue;
                if (grid.values[static_cast<std::size_t>(s)] == v) placed = true;
                if (grid.values[static_cast<std::size_t>(s)] == 0 && Has(grid.candidates[static_cast<std::size_t>(s)], v)) {
                    place = s;
                    ++count;
                }
            }
            if (placed || count != 1) continue;
            step.technique = Technique::HiddenSingle;
            step.pattern = {place};
            step.units = {unit};
            step.placements = {{place, v}};
            step.sentence = HiddenSingleSentence(v, unit, place);
            return true;
        }
    return false;
}

bool FindStep(const LogicGrid& grid, LogicStep& step) {
    return ChildLayout() ? FindChildStep(grid, step) : FindLogicStep(grid, step);
}

void ApplyStep(LogicGrid& grid, const LogicStep& step) {
    if (!ChildLayout()) {
        ApplyLogicStep(grid, step);
        return;
    }
    for (const Placement& p : step.placements) {
        grid.values[static_cast<std::size_t>(p.square)] = static_cast<uint8_t>(p.value);
        grid = ChildGrid(grid.values);
    }
}

// ---- Texts ---------------------------------------------------------------------------------

// The technique and where it lies, for the second level.
std::string PatternText(const LogicStep& step) {
    const std::string in = step.units.empty() || step.units.size() > 4 ? std::string(" on the framed squares")
                                                                        : " in " + UnitList(step.units);
    switch (step.technique) {
    case Technique::Single:
        return "Only one piece fits square " + SquareName(step.pattern.empty() ? 0 : step.pattern[0]) + ".";
    case Technique::HiddenSingle: return "A piece with only one place left" + in + ".";
    case Technique::NakedPair: return "A pair" + in + ".";
    case Technique::NakedTriple: return "A triple" + in + ".";
    case Technique::NakedQuad: return "A quadruple" + in + ".";
    case Technique::Pointing:
    case Technique::Claiming: return "A piece locked into one line of a section" + in + ".";
    case Technique::HiddenPair: return "A hidden pair" + in + ".";
    case Technique::HiddenTriple: return "A hidden triple" + in + ".";
    case Technique::HiddenQuad: return "A hidden quadruple" + in + ".";
    case Technique::XWing: return "An X-Wing" + in + ".";
    case Technique::Swordfish: return "A swordfish" + in + ".";
    case Technique::Jellyfish: return "A jellyfish" + in + ".";
    case Technique::XYWing: return "An XY-Wing on the framed squares.";
    case Technique::XYZWing: return "An XYZ-Wing on the framed squares.";
    case Technique::WWing: return "A W-Wing on the framed squares.";
    case Technique::XChain: return "A chain of one piece through the framed squares.";
    case Technique::XYChain: return "A chain of pairs through the framed squares.";
    case Technique::Aic: return "An alternating chain through the framed squares.";
    case Technique::ForcingChain: return "A forcing chain from the framed squares.";
    case Technique::DeadEnd: break;
    }
    return step.sentence;
}

std::string LookText(const LogicStep& step) {
    if (!step.units.empty() && step.units.size() <= 4) return "Look at " + UnitList(step.units) + ".";
    if (step.pattern.size() == 1) return "Look at square " + SquareName(step.pattern[0]) + ".";
    return "Look at the framed squares.";
}

std::string HintText(const GameHint& hint) {
    const bool trial = CrystalBallActive;
    const int square = hint.step.pattern.empty() ? 0 : hint.step.pattern[0];
    switch (hint.kind) {
    case HintKind::WrongPiece:
        if (hint.level == 1)
            return std::string("One of your ") + (trial ? "trials" : "pieces") + " in " + UnitName(hint.step.units[0]) +
                   " is not the solution's.";
        return std::string("The ") + (trial ? "trial" : "piece") + " at " + SquareName(square) +
               " is not the solution's: no logic can go on from it. Apply takes it back.";
    case HintKind::WrongMarks:
        if (hint.level == 1)
            return "The marks of a square in " + UnitName(hint.step.units[0]) + " leave out the piece that belongs there.";
        return "The marks at " + SquareName(square) +
               " leave out the piece that belongs there. Apply marks every piece that can still go there.";
    case HintKind::Stuck:
        return "No technique applies here: the next step needs a trial. The Crystal Ball is the way to try one.";
    case HintKind::Step:
        if (hint.level == 1) return LookText(hint.step);
        if (hint.level == 2) return PatternText(hint.step);
        return hint.step.sentence;
    case HintKind::None: break;
    }
    return "";
}

// ---- Reading the board ---------------------------------------------------------------------

CandidateMask MarkMask(const Cell& cell) {
    CandidateMask mask = 0;
    for (int k = 0; k < 9; ++k)
        if (cell.marks[k]) mask |= static_cast<CandidateMask>(1u << (k + 1));
    return mask;
}

// A wrong trial or wrong marks, as a hint; kind None when the board is right.
GameHint FindWrongSquare() {
    GameHint hint;
    const auto squares = SquaresInUse();
    for (int s : squares) {
        const Cell& cell = BoardCell(s);
        const int shown = ShownSymbol(PlayBoard, Column(s), Row(s));
        if (shown != 0 && shown != cell.value) {
            hint.kind = HintKind::WrongPiece;
            hint.step.pattern = {s};
            hint.step.units = {kColumnUnit + Column(s)};
            return hint;
        }
    }
    for (int s : squares) {
        const Cell& cell = BoardCell(s);
        if (cell.known || !cell.activated || cell.value < 1 || cell.value > 9) continue;
        const CandidateMask marks = MarkMask(cell);
        if (marks != 0 && !Has(marks, cell.value)) {
            hint.kind = HintKind::WrongMarks;
            hint.step.pattern = {s};
            hint.step.units = {kColumnUnit + Column(s)};
            return hint;
        }
    }
    return hint;
}

ValueGrid ShownValues() {
    ValueGrid values{};
    for (int s : SquaresInUse())
        values[static_cast<std::size_t>(s)] = static_cast<uint8_t>(ShownSymbol(PlayBoard, Column(s), Row(s)));
    return values;
}

bool BoardFull() {
    for (int s : SquaresInUse())
        if (!BoardCell(s).known) return false;
    return true;
}

bool SameGrid(const LogicGrid& a, const LogicGrid& b) { return a.values == b.values && a.candidates == b.candidates; }

void Charge() {
    AddToScore(-kHintCost);
    HintLevelsUsed += 1;
}

// ---- Applying ------------------------------------------------------------------------------

void PlaceFromHint(const Placement& placement) {
    const int c = Column(placement.square), r = Row(placement.square);
    Cell& cell = BoardCell(placement.square);
    if (cell.known) return;
    const std::size_t index = static_cast<std::size_t>(CellIndex(c, r));
    if (CrystalBallActive) {
        BeginUndoStep();
        CrystalGuessed[index] = true;
        cell.known = 1;
        cell.activated = 0;
        cell.guess = placement.value;
        EndUndoStep();
        PlaySound(SoundPop);
        return;
    }
    // The logic holds for every solution, so only a grid with several could disagree.
    if (placement.value != cell.value) return;
    MarkUndoBarrier();
    PlaySound(SoundGoodMove);
    cell.known = 1;
    cell.activated = 0;
    if (MarkOptions.autoRemoveMarks) RemoveRuledOutMarks(c, r, placement.value);
    SaveGameInPlay();
}

void RemoveFromHint(const std::vector<Elimination>& eliminations, const LogicGrid& grid) {
    BeginUndoStep();
    for (const Elimination& e : eliminations) {
        Cell& cell = BoardCell(e.square);
        if (cell.known) continue;
        // A square without marks stands for all its candidates: they are written out first.
        if (MarkMask(cell) == 0) {
            cell.activated = 1;
            for (int v = 1; v <= 9; ++v)
                cell.marks[v - 1] = Has(grid.candidates[static_cast<std::size_t>(e.square)], v) ? 1 : 0;
        }
        cell.marks[e.value - 1] = 0;
        if (CrystalBallActive) CrystalGuessed[static_cast<std::size_t>(CellIndex(Column(e.square), Row(e.square)))] = true;
    }
    EndUndoStep();
    PlaySound(SoundPop);
}

}  // namespace

LogicGrid GridShownOnBoard() {
    const ValueGrid values = ShownValues();
    LogicGrid grid = ChildLayout() ? ChildGrid(values) : MakeLogicGrid(values);
    for (int s : SquaresInUse()) {
        const Cell& cell = BoardCell(s);
        if (cell.known || !cell.activated) continue;
        const CandidateMask marks = MarkMask(cell);
        if (marks != 0) grid.candidates[static_cast<std::size_t>(s)] &= marks;
    }
    return grid;
}

int DeepestHintLevel(HintKind kind) {
    switch (kind) {
    case HintKind::Step: return 3;
    case HintKind::WrongPiece:
    case HintKind::WrongMarks: return 2;
    case HintKind::Stuck: return 1;
    case HintKind::None: break;
    }
    return 0;
}

bool HintOnDisplay() {
    return ShownHint.level > 0 && ShownHint.kind != HintKind::None && SameGrid(ShownHint.grid, GridShownOnBoard());
}

bool RequestHint() {
    if (!HintOnDisplay()) {
        ShownHint = GameHint{};
        if (BoardFull() && !CrystalBallActive) return false;
        GameHint hint = FindWrongSquare();
        hint.grid = GridShownOnBoard();
        if (hint.kind == HintKind::None) {
            if (BoardFull()) return false;
            hint.kind = FindStep(hint.grid, hint.step) ? HintKind::Step : HintKind::Stuck;
        }
        hint.level = 1;
        ShownHint = std::move(hint);
    } else if (ShownHint.level < DeepestHintLevel(ShownHint.kind)) {
        ShownHint.level += 1;
    } else {
        return false;
    }
    ShownHint.sentence = HintText(ShownHint);
    if (ShownHint.kind != HintKind::Stuck) Charge();
    SaveGameInPlay();
    return true;
}

bool ApplyGameHint() {
    if (!HintApplicable()) return false;
    const GameHint hint = ShownHint;
    ForgetGameHint();
    const int square = hint.step.pattern.empty() ? -1 : hint.step.pattern[0];
    switch (hint.kind) {
    case HintKind::Step:
        for (const Placement& p : hint.step.placements) PlaceFromHint(p);
        if (!hint.step.eliminations.empty()) RemoveFromHint(hint.step.eliminations, hint.grid);
        return true;
    case HintKind::WrongPiece: {
        Cell& cell = BoardCell(square);
        BeginUndoStep();
        cell.known = 0;
        cell.guess = 0;
        EndUndoStep();
        PlaySound(SoundPop);
        return true;
    }
    case HintKind::WrongMarks: {
        const auto candidates = DirectCandidates(PlayBoard, Column(square), Row(square));
        Cell& cell = BoardCell(square);
        BeginUndoStep();
        for (int k = 0; k < 9; ++k) cell.marks[k] = candidates[static_cast<std::size_t>(k)] ? 1 : 0;
        if (CrystalBallActive) CrystalGuessed[static_cast<std::size_t>(CellIndex(Column(square), Row(square)))] = true;
        EndUndoStep();
        PlaySound(SoundPop);
        return true;
    }
    case HintKind::Stuck:
    case HintKind::None: break;
    }
    return false;
}

void ForgetGameHint() { ShownHint = GameHint{}; }

std::string ShownHintText() { return SayPieces(ShownHint.sentence, PieceNamingShown()); }

bool HintApplicable() {
    if (!HintOnDisplay() || ShownHint.level < DeepestHintLevel(ShownHint.kind)) return false;
    switch (ShownHint.kind) {
    case HintKind::Step: return !ShownHint.step.placements.empty() || !ShownHint.step.eliminations.empty();
    case HintKind::WrongPiece:
    case HintKind::WrongMarks: return true;
    case HintKind::Stuck:
    case HintKind::None: break;
    }
    return false;
}

bool PressHint() { return HintApplicable() ? ApplyGameHint() : RequestHint(); }

PieceNaming PieceNamingShown() { return Prefs.pieceStyle == 1 ? PieceNaming::Digits : PieceNaming::Names; }

void ResetGameHints(int32_t levelsUsed) {
    ForgetGameHint();
    HintLevelsUsed = levelsUsed;
    WrongMoveExplanation = WrongMoveNote{};
}

std::vector<int> UnitSquares(int unit) {
    std::vector<int> squares;
    if (unit < 0 || unit >= kUnitCount) return squares;
    for (int s : SquaresInUse())
        if (InUnit(s, unit)) squares.push_back(s);
    return squares;
}

// ---- Wrong moves ---------------------------------------------------------------------------

namespace {

// Marked for SayPieces; "a" or "A".
std::string PieceWord(int symbol, const char* article = "a") {
    if (symbol < 1 || symbol > 9) return std::string(article) + " piece";
    return PieceMark(symbol, article);
}

// The unit of `unit` type that `square` lies in, named "row", "column" or "section".
const char* UnitWord(int unit) {
    if (unit < kColumnUnit) return "row";
    if (unit < kSectionUnit) return "column";
    return "section";
}

bool ClashNote(int square, int symbol, WrongMoveNote& note) {
    const int c = Column(square), r = Row(square);
    const int units[3] = {kRowUnit + r, kColumnUnit + c, SectionUnit(c, r)};
    for (int unit : units)
        for (int t : UnitSquares(unit)) {
            if (t == square || ShownSymbol(PlayBoard, Column(t), Row(t)) != symbol) continue;
            note.text = SayPieces("There is already " + PieceWord(symbol) + " in this " + UnitWord(unit) + ".",
                                  PieceNamingShown());
            note.flashSquare = t;
            return true;
        }
    return false;
}

// The kind of unit two squares of one unit share, row first.
const char* SharedUnitWord(int a, int b) {
    if (Row(a) == Row(b)) return "row";
    if (Column(a) == Column(b)) return "column";
    return "section";
}

// Why the step rules `symbol` out of `square`, or "" when it does not.
std::string RulingOut(const LogicStep& step, int square, int symbol) {
    for (const Placement& p : step.placements) {
        if (p.square == square && p.value != symbol) {
            const std::string only = "Only " + PieceWord(p.value) + " can go here: ";
            if (step.technique == Technique::HiddenSingle && !step.units.empty())
                return only + "it is the only place for " + PieceWord(p.value) + " in " + UnitName(step.units[0]) + ".";
            if (step.technique == Technique::Single)
                return only + "every other piece is already in its row, column or section.";
            return only + step.sentence;
        }
        if (p.square != square && p.value == symbol &&
            (Row(p.square) == Row(square) || Column(p.square) == Column(square) ||
             SectionUnit(Column(p.square), Row(p.square)) == SectionUnit(Column(square), Row(square))))
        {
            const std::string cannot = PieceWord(symbol, "A") + " cannot go here: ";
            if (step.technique == Technique::Single)
                return cannot + "it is the only piece left for " + SquareName(p.square) + ", in this " +
                       SharedUnitWord(p.square, square) + ".";
            if (step.technique == Technique::HiddenSingle && !step.units.empty())
                return cannot + SquareName(p.square) + " is the only place for it in " + UnitName(step.units[0]) + ".";
            return cannot + step.sentence;
        }
    }
    for (const Elimination& e : step.eliminations)
        if (e.square == square && e.value == symbol)
            return PieceWord(symbol, "A") + " cannot go here: " + step.sentence;
    return "";
}

}  // namespace

WrongMoveNote ExplainWrongMove(int column, int row, int symbol) {
    WrongMoveNote note;
    note.square = GridIndex(column, row);
    if (ClashNote(note.square, symbol, note)) return note;

    // From the pieces alone: the player's marks may be wrong, the pieces outside trials are not.
    const ValueGrid values = ShownValues();
    LogicGrid grid = ChildLayout() ? ChildGrid(values) : MakeLogicGrid(values);
    const auto start = std::chrono::steady_clock::now();
    LogicStep step;
    for (int k = 0; k < kCellCount * 9; ++k) {
        if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(kWrongMoveSearchMs)) break;
        if (!FindStep(grid, step) || step.technique == Technique::DeadEnd) break;
        const std::string why = RulingOut(step, note.square, symbol);
        if (!why.empty()) {
            note.text = SayPieces(k == 0 ? why : "A few steps on: " + why, PieceNamingShown());
            return note;
        }
        ApplyStep(grid, step);
    }
    note.text = SayPieces("Putting " + PieceWord(symbol) + " here leads to a contradiction later.", PieceNamingShown());
    return note;
}

}  // namespace tessaran
