// The logic engine's frame: the grid of candidates, the order of the techniques, applying steps,
// dead ends, and the words every step is written with.
#include "solver/logic.h"

#include <cstdlib>

#include "solver/logic_internal.h"

namespace tessaran {

using namespace logic;

namespace logic {

unsigned PlacesIn(const LogicGrid& grid, int unit, int value) {
    unsigned places = 0;
    for (int i = 0; i < 9; ++i)
        if (Has(grid.candidates[static_cast<size_t>(Geo().units[unit][i])], value)) places |= 1u << i;
    return places;
}

bool UnitHolds(const LogicGrid& grid, int unit, int value) {
    for (const int s : Geo().units[unit])
        if (grid.values[static_cast<size_t>(s)] == value) return true;
    return false;
}

std::string AValue(int value) { return PieceMark(value, "a"); }

std::string ValueList(unsigned mask, const char* last, const char* article) {
    std::string text;
    const int total = Count(mask);
    int n = 0;
    for (int v = 1; v <= 9; ++v) {
        if (!((mask >> v) & 1u)) continue;
        if (n > 0) text += n == total - 1 ? last : ", ";
        text += PieceMark(v, n == 0 ? article : "");
        ++n;
    }
    return text;
}

std::string SquareList(const std::vector<int>& squares, const char* last) {
    std::string text;
    for (size_t i = 0; i < squares.size(); ++i) {
        if (i > 0) text += i + 1 == squares.size() ? last : ", ";
        text += SquareName(squares[i]);
    }
    return text;
}

std::string LineList(int kind, unsigned lines) {
    std::string text = kind == 0 ? "rows " : "columns ";
    const int total = Count(lines);
    int n = 0;
    for (int i = 0; i < 9; ++i) {
        if (!((lines >> i) & 1u)) continue;
        if (n > 0) text += n == total - 1 ? " and " : ", ";
        text += std::to_string(i + 1);
        ++n;
    }
    return text;
}

void EliminateFrom(const LogicGrid& grid, const std::vector<int>& squares, int value, LogicStep& step) {
    for (const int s : squares)
        if (Has(grid.candidates[static_cast<size_t>(s)], value)) step.eliminations.push_back({s, value});
}

std::vector<int> SeeingAll(const LogicGrid& grid, std::initializer_list<int> anchors, int value,
                           std::initializer_list<int> except) {
    std::vector<int> found;
    for (int s = 0; s < 81; ++s) {
        if (!Has(grid.candidates[static_cast<size_t>(s)], value)) continue;
        bool ok = true;
        for (const int a : anchors) ok = ok && Sees(s, a);
        for (const int e : except) ok = ok && s != e;
        if (ok) found.push_back(s);
    }
    return found;
}

// A dead end: two equal values in a unit, an open square with no candidate, or a value a unit
// lacks with no place left in it. Each names where it happens.
bool FindDeadEnd(const LogicGrid& grid, LogicStep& step) {
    const Geometry& geo = Geo();
    for (int unit = 0; unit < 27; ++unit) {
        unsigned seen = 0;
        for (const int s : geo.units[unit]) {
            const int v = grid.values[static_cast<size_t>(s)];
            if (v == 0) continue;
            if ((seen >> v) & 1u) {
                step.technique = Technique::DeadEnd;
                step.pattern = {s};
                step.units = {unit};
                step.sentence =
                    PieceMark(v, "The") + " appears twice in " + UnitName(unit) + ": an earlier entry is wrong.";
                return true;
            }
            seen |= 1u << v;
        }
    }
    for (int s = 0; s < 81; ++s)
        if (grid.values[static_cast<size_t>(s)] == 0 && grid.candidates[static_cast<size_t>(s)] == 0) {
            step.technique = Technique::DeadEnd;
            step.pattern = {s};
            step.units.clear();
            step.sentence = "Square " + SquareName(s) + " has no possible value left: an earlier entry is wrong.";
            return true;
        }
    for (int unit = 0; unit < 27; ++unit) {
        unsigned present = 0;
        for (const int s : geo.units[unit])
            present |= grid.candidates[static_cast<size_t>(s)] | 1u << grid.values[static_cast<size_t>(s)];
        const unsigned missing = kAllCandidates & ~present;
        if (missing == 0) continue;
        const int v = Lowest(missing);
        step.technique = Technique::DeadEnd;
        step.pattern.clear();
        step.units = {unit};
        step.sentence =
            PieceMark(v, "The") + " has no place left in " + UnitName(unit) + ": an earlier entry is wrong.";
        return true;
    }
    return false;
}

}  // namespace logic

LogicGrid MakeLogicGrid(const ValueGrid& values) {
    LogicGrid grid;
    grid.values = values;
    for (int s = 0; s < 81; ++s) {
        if (values[static_cast<size_t>(s)] != 0) continue;
        CandidateMask mask = kAllCandidates;
        for (const int p : Geo().peers[s])
            mask = static_cast<CandidateMask>(mask & ~(1u << values[static_cast<size_t>(p)]));
        grid.candidates[static_cast<size_t>(s)] = static_cast<CandidateMask>(mask & kAllCandidates);
    }
    return grid;
}

const char* TechniqueName(Technique technique) {
    switch (technique) {
    case Technique::DeadEnd: return "deadend";
    case Technique::Single: return "single";
    case Technique::HiddenSingle: return "hidden-single";
    case Technique::NakedPair: return "naked-pair";
    case Technique::NakedTriple: return "naked-triple";
    case Technique::NakedQuad: return "naked-quad";
    case Technique::Pointing: return "pointing";
    case Technique::Claiming: return "claiming";
    case Technique::HiddenPair: return "hidden-pair";
    case Technique::HiddenTriple: return "hidden-triple";
    case Technique::HiddenQuad: return "hidden-quad";
    case Technique::XWing: return "x-wing";
    case Technique::Swordfish: return "swordfish";
    case Technique::Jellyfish: return "jellyfish";
    case Technique::XYWing: return "xy-wing";
    case Technique::XYZWing: return "xyz-wing";
    case Technique::WWing: return "w-wing";
    case Technique::XChain: return "x-chain";
    case Technique::XYChain: return "xy-chain";
    case Technique::Aic: return "aic";
    case Technique::ForcingChain: return "forcing-chain";
    }
    return "unknown";
}

bool IsAdvanced(Technique technique) { return technique > Technique::HiddenQuad; }

bool FindLogicStep(const LogicGrid& grid, LogicStep& step) {
    step = LogicStep{};
    if (FindDeadEnd(grid, step)) return true;
    if (IsSolved(grid)) return false;
    return FindSingle(grid, step) || FindHiddenSingle(grid, step) || FindNakedSubset(grid, 2, step) ||
           FindNakedSubset(grid, 3, step) || FindNakedSubset(grid, 4, step) || FindPointing(grid, step) ||
           FindClaiming(grid, step) || FindHiddenSubset(grid, 2, step) || FindHiddenSubset(grid, 3, step) ||
           FindHiddenSubset(grid, 4, step) || FindFish(grid, 2, step) || FindFish(grid, 3, step) ||
           FindFish(grid, 4, step) || FindXYWing(grid, step) || FindXYZWing(grid, step) || FindWWing(grid, step) ||
           FindXChain(grid, step) || FindXYChain(grid, step) || FindAic(grid, step) || FindForcingChain(grid, step);
}

void ApplyLogicStep(LogicGrid& grid, const LogicStep& step) {
    for (const Placement& p : step.placements) {
        const auto square = static_cast<size_t>(p.square);
        if (grid.values[square] != 0) continue;
        grid.values[square] = static_cast<uint8_t>(p.value);
        grid.candidates[square] = 0;
        for (const int peer : Geo().peers[p.square])
            grid.candidates[static_cast<size_t>(peer)] &= static_cast<CandidateMask>(~(1u << p.value));
    }
    for (const Elimination& e : step.eliminations)
        grid.candidates[static_cast<size_t>(e.square)] &= static_cast<CandidateMask>(~(1u << e.value));
}

bool IsSolved(const LogicGrid& grid) {
    for (const uint8_t v : grid.values)
        if (v == 0) return false;
    return true;
}

LogicSolve SolveLogically(const ValueGrid& values) {
    LogicSolve solve;
    solve.end = MakeLogicGrid(values);
    LogicStep step;
    while (FindLogicStep(solve.end, step)) {
        solve.steps.push_back(step);
        if (step.technique == Technique::DeadEnd) {
            solve.outcome = LogicOutcome::DeadEnd;
            return solve;
        }
        ApplyLogicStep(solve.end, step);
    }
    solve.outcome = IsSolved(solve.end) ? LogicOutcome::Solved : LogicOutcome::Stuck;
    return solve;
}

std::string UnitName(int unit) {
    static const char* const kinds[3] = {"row ", "column ", "section "};
    return kinds[unit / 9] + std::to_string(unit % 9 + 1);
}

std::string SquareName(int square) {
    return "(row " + std::to_string(RowOf(square) + 1) + ", column " + std::to_string(ColumnOf(square) + 1) + ")";
}

std::string SquareCode(int square) {
    return "r" + std::to_string(RowOf(square) + 1) + "c" + std::to_string(ColumnOf(square) + 1);
}

std::string PieceMark(int value, const char* article) {
    return std::string("{") + article + (*article != '\0' ? " " : "") + std::to_string(value) + "}";
}

std::string SayPieces(const std::string& sentence, PieceNaming naming) {
    std::string said;
    said.reserve(sentence.size());
    size_t at = 0;
    for (size_t open; (open = sentence.find('{', at)) != std::string::npos;) {
        const size_t close = sentence.find('}', open);
        if (close == std::string::npos) break;
        said.append(sentence, at, open - at);
        at = close + 1;
        const std::string mark = sentence.substr(open + 1, close - open - 1);
        const size_t space = mark.find(' ');
        const std::string article = space == std::string::npos ? "" : mark.substr(0, space);
        const int value = std::atoi(mark.c_str() + (space == std::string::npos ? 0 : space + 1));
        if (value < 1 || value > 9) {
            said += "{" + mark + "}";
        } else if (naming == PieceNaming::Names) {
            said += kPieceNames[value - 1];
        } else {
            // "an 8": the one digit whose name starts with a vowel.
            if (!article.empty()) said += article + (value == 8 && (article == "a" || article == "A") ? "n " : " ");
            said += std::to_string(value);
        }
    }
    said.append(sentence, at, std::string::npos);
    return said;
}

std::string SingleSentence(int square, int value) {
    return "Square " + SquareName(square) + " has only one possible value left: " + PieceMark(value, "the") + ".";
}

std::string HiddenSingleSentence(int value, int unit, int square) {
    return PieceMark(value, "The") + " has only one place left in " + UnitName(unit) + ": square " +
           SquareName(square) + ".";
}

}  // namespace tessaran
