// The basic techniques: singles, hidden singles, naked and hidden subsets, and locked candidates
// (pointing and claiming). Units are searched rows, then columns, then sections.
#include "solver/logic_internal.h"

namespace tessaran::logic {

namespace {

const char* const kSizeWords[5] = {"", "one", "two", "three", "four"};

Technique NakedTechnique(int size) {
    return size == 2 ? Technique::NakedPair : size == 3 ? Technique::NakedTriple : Technique::NakedQuad;
}
Technique HiddenTechnique(int size) {
    return size == 2 ? Technique::HiddenPair : size == 3 ? Technique::HiddenTriple : Technique::HiddenQuad;
}

// Calls `each(chosen)` for every choice of `size` items of 0..count-1, in lexicographic order,
// until it returns true.
template <typename Each>
bool ForEachChoice(int count, int size, Each each) {
    constexpr int kLargest = 4;
    if (size < 1 || size > kLargest || count < size) return false;
    int chosen[kLargest];
    for (int i = 0; i < size; ++i) chosen[i] = i;
    for (;;) {
        if (each(chosen)) return true;
        // Advance the rightmost item that still has room, and pack the ones after it behind it.
        int i = size - 1;
        while (i >= 0 && chosen[i] == count - size + i) --i;
        if (i < 0) return false;
        ++chosen[i];
        for (int j = i + 1; j < size; ++j) chosen[j] = chosen[j - 1] + 1;
    }
}

}  // namespace

bool FindSingle(const LogicGrid& grid, LogicStep& step) {
    for (int s = 0; s < 81; ++s) {
        const CandidateMask mask = grid.candidates[static_cast<size_t>(s)];
        if (Count(mask) != 1) continue;
        const int v = Lowest(mask);
        step.technique = Technique::Single;
        step.pattern = {s};
        step.units = {Geo().unitsOf[s][0], Geo().unitsOf[s][1], Geo().unitsOf[s][2]};
        step.placements = {{s, v}};
        step.sentence = SingleSentence(s, v);
        return true;
    }
    return false;
}

bool FindHiddenSingle(const LogicGrid& grid, LogicStep& step) {
    for (int unit = 0; unit < 27; ++unit)
        for (int v = 1; v <= 9; ++v) {
            const unsigned places = PlacesIn(grid, unit, v);
            if (Count(places) != 1) continue;
            const int s = Geo().units[unit][Lowest(places)];
            step.technique = Technique::HiddenSingle;
            step.pattern = {s};
            step.units = {unit};
            step.placements = {{s, v}};
            step.sentence = HiddenSingleSentence(v, unit, s);
            return true;
        }
    return false;
}

bool FindNakedSubset(const LogicGrid& grid, int size, LogicStep& step) {
    for (int unit = 0; unit < 27; ++unit) {
        int open[9];
        int count = 0;
        for (const int s : Geo().units[unit]) {
            const int n = Count(grid.candidates[static_cast<size_t>(s)]);
            if (n >= 2 && n <= size) open[count++] = s;
        }
        if (count < size) continue;
        const bool found = ForEachChoice(count, size, [&](const int* chosen) {
            unsigned values = 0;
            std::vector<int> squares;
            for (int i = 0; i < size; ++i) {
                values |= grid.candidates[static_cast<size_t>(open[chosen[i]])];
                squares.push_back(open[chosen[i]]);
            }
            if (Count(values) != size) return false;
            step.eliminations.clear();
            for (const int s : Geo().units[unit]) {
                bool inSet = false;
                for (const int member : squares) inSet = inSet || member == s;
                if (inSet) continue;
                for (int v = 1; v <= 9; ++v)
                    if ((values >> v) & 1u && Has(grid.candidates[static_cast<size_t>(s)], v))
                        step.eliminations.push_back({s, v});
            }
            if (step.eliminations.empty()) return false;
            step.technique = NakedTechnique(size);
            step.pattern = squares;
            step.units = {unit};
            step.sentence = "Squares " + SquareList(squares) + " can only hold " + ValueList(values, " and ", "the") +
                        ", so no other square of " + UnitName(unit) + " can hold them.";
            return true;
        });
        if (found) return true;
    }
    return false;
}

bool FindHiddenSubset(const LogicGrid& grid, int size, LogicStep& step) {
    for (int unit = 0; unit < 27; ++unit) {
        int values[9];
        unsigned places[10] = {};
        int count = 0;
        for (int v = 1; v <= 9; ++v) {
            places[v] = PlacesIn(grid, unit, v);
            const int n = Count(places[v]);
            if (n >= 2 && n <= size) values[count++] = v;
        }
        if (count < size) continue;
        const bool found = ForEachChoice(count, size, [&](const int* chosen) {
            unsigned where = 0, set = 0;
            for (int i = 0; i < size; ++i) {
                where |= places[values[chosen[i]]];
                set |= 1u << values[chosen[i]];
            }
            if (Count(where) != size) return false;
            step.eliminations.clear();
            std::vector<int> squares;
            for (int i = 0; i < 9; ++i) {
                if (!((where >> i) & 1u)) continue;
                const int s = Geo().units[unit][i];
                squares.push_back(s);
                for (int v = 1; v <= 9; ++v)
                    if (!((set >> v) & 1u) && Has(grid.candidates[static_cast<size_t>(s)], v))
                        step.eliminations.push_back({s, v});
            }
            if (step.eliminations.empty()) return false;
            step.technique = HiddenTechnique(size);
            step.pattern = squares;
            step.units = {unit};
            step.sentence = ValueList(set, " and ", "The") + " in " + UnitName(unit) + " can only go in these " +
                        kSizeWords[size] + " squares, " + SquareList(squares) +
                        ", so those squares can hold nothing else.";
            return true;
        });
        if (found) return true;
    }
    return false;
}

// A value whose places in a section all lie in one row or column: that line's other squares
// lose it.
bool FindPointing(const LogicGrid& grid, LogicStep& step) {
    for (int section = 18; section < 27; ++section)
        for (int v = 1; v <= 9; ++v) {
            const unsigned places = PlacesIn(grid, section, v);
            if (Count(places) < 2) continue;
            std::vector<int> squares;
            for (int i = 0; i < 9; ++i)
                if ((places >> i) & 1u) squares.push_back(Geo().units[section][i]);
            for (int kind = 0; kind < 2; ++kind) {
                const int line = Geo().unitsOf[squares[0]][kind];
                bool together = true;
                for (const int s : squares) together = together && Geo().unitsOf[s][kind] == line;
                if (!together) continue;
                step.eliminations.clear();
                for (const int s : Geo().units[line])
                    if (Geo().unitsOf[s][2] != section && Has(grid.candidates[static_cast<size_t>(s)], v))
                        step.eliminations.push_back({s, v});
                if (step.eliminations.empty()) continue;
                step.technique = Technique::Pointing;
                step.pattern = squares;
                step.units = {section, line};
                step.sentence = "In " + UnitName(section) + " " + PieceMark(v, "the") + " can only go in " +
                            UnitName(line) + ", so no other square of " + UnitName(line) + " can hold " + AValue(v) +
                            ".";
                return true;
            }
        }
    return false;
}

// A value whose places in a row or column all lie in one section: the section's other squares
// lose it.
bool FindClaiming(const LogicGrid& grid, LogicStep& step) {
    for (int line = 0; line < 18; ++line)
        for (int v = 1; v <= 9; ++v) {
            const unsigned places = PlacesIn(grid, line, v);
            if (Count(places) < 2) continue;
            std::vector<int> squares;
            for (int i = 0; i < 9; ++i)
                if ((places >> i) & 1u) squares.push_back(Geo().units[line][i]);
            const int section = Geo().unitsOf[squares[0]][2];
            bool together = true;
            for (const int s : squares) together = together && Geo().unitsOf[s][2] == section;
            if (!together) continue;
            step.eliminations.clear();
            for (const int s : Geo().units[section])
                if (Geo().unitsOf[s][line / 9] != line && Has(grid.candidates[static_cast<size_t>(s)], v))
                    step.eliminations.push_back({s, v});
            if (step.eliminations.empty()) continue;
            step.technique = Technique::Claiming;
            step.pattern = squares;
            step.units = {line, section};
            step.sentence = "In " + UnitName(line) + " " + PieceMark(v, "the") + " can only go in " + UnitName(section) +
                        ", so no other square of " + UnitName(section) + " can hold " + AValue(v) + ".";
            return true;
        }
    return false;
}

}  // namespace tessaran::logic
