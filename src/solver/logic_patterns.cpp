// Fish (X-Wing, Swordfish, Jellyfish) and wings (XY-Wing, XYZ-Wing, W-Wing): fixed patterns
// that confine a value, found by plain enumeration over the candidates.
#include "solver/logic_internal.h"

namespace tessaran::logic {

namespace {

std::string Value(int v) { return PieceMark(v); }

}  // namespace

// Base lines (rows, or columns) in each of which the value has 2..size places; when `size` of
// them cover only `size` cross lines, the value is confined to those crossings.
bool FindFish(const LogicGrid& grid, int size, LogicStep& step) {
    const Technique technique = size == 2 ? Technique::XWing : size == 3 ? Technique::Swordfish : Technique::Jellyfish;
    for (int v = 1; v <= 9; ++v)
        for (int kind = 0; kind < 2; ++kind) {
            int lines[9];
            unsigned places[9];
            int count = 0;
            for (int i = 0; i < 9; ++i) {
                const int line = kind * 9 + i;
                const unsigned p = PlacesIn(grid, line, v);
                if (Count(p) >= 2 && Count(p) <= size) {
                    lines[count] = i;
                    places[count++] = p;
                }
            }
            if (count < size) continue;
            int chosen[4];
            auto recurse = [&](auto& self, int depth, int from, unsigned base, unsigned cover) -> bool {
                if (Count(cover) > size) return false;
                if (depth == size) {
                    if (Count(cover) != size) return false;
                    step.eliminations.clear();
                    step.pattern.clear();
                    for (int c = 0; c < 9; ++c) {
                        if (!((cover >> c) & 1u)) continue;
                        const int crossLine = (1 - kind) * 9 + c;
                        for (int i = 0; i < 9; ++i) {
                            const int s = Geo().units[crossLine][i];
                            if ((base >> i) & 1u) {
                                if (Has(grid.candidates[static_cast<size_t>(s)], v)) step.pattern.push_back(s);
                            } else if (Has(grid.candidates[static_cast<size_t>(s)], v)) {
                                step.eliminations.push_back({s, v});
                            }
                        }
                    }
                    if (step.eliminations.empty()) return false;
                    step.technique = technique;
                    step.units.clear();
                    for (int i = 0; i < size; ++i) step.units.push_back(kind * 9 + lines[chosen[i]]);
                    for (int c = 0; c < 9; ++c)
                        if ((cover >> c) & 1u) step.units.push_back((1 - kind) * 9 + c);
                    step.sentence = "In " + LineList(kind, base) + " " + PieceMark(v, "the") + " can only go in " +
                                LineList(1 - kind, cover) + ", so no other square of those " +
                                (kind == 0 ? "columns" : "rows") + " can hold " + AValue(v) + ".";
                    return true;
                }
                for (int i = from; i <= count - (size - depth); ++i) {
                    chosen[depth] = i;
                    if (self(self, depth + 1, i + 1, base | 1u << lines[i], cover | places[i])) return true;
                }
                return false;
            };
            if (recurse(recurse, 0, 0, 0u, 0u)) return true;
        }
    return false;
}

bool FindXYWing(const LogicGrid& grid, LogicStep& step) {
    const auto& cand = grid.candidates;
    for (int pivot = 0; pivot < 81; ++pivot) {
        const unsigned pm = cand[static_cast<size_t>(pivot)];
        if (Count(pm) != 2) continue;
        const int x = Lowest(pm), y = Lowest(pm & ~(1u << x));
        for (const int a : Geo().peers[pivot]) {
            const unsigned am = cand[static_cast<size_t>(a)];
            if (Count(am) != 2 || !((am >> x) & 1u) || ((am >> y) & 1u)) continue;
            const int z = Lowest(am & ~(1u << x));
            const unsigned want = (1u << y) | (1u << z);
            for (const int b : Geo().peers[pivot]) {
                if (cand[static_cast<size_t>(b)] != want || b == a) continue;
                step.eliminations.clear();
                EliminateFrom(grid, SeeingAll(grid, {a, b}, z, {pivot}), z, step);
                if (step.eliminations.empty()) continue;
                step.technique = Technique::XYWing;
                step.pattern = {pivot, a, b};
                step.units.clear();
                step.sentence = "Square " + SquareName(pivot) + " holds " + Value(x) + " or " + Value(y) + ". If it is " +
                            AValue(x) + ", square " + SquareName(a) + " is " + AValue(z) + "; if it is " + AValue(y) +
                            ", square " + SquareName(b) + " is " + AValue(z) +
                            ". So no square that sees both can hold " + AValue(z) + ".";
                return true;
            }
        }
    }
    return false;
}

bool FindXYZWing(const LogicGrid& grid, LogicStep& step) {
    const auto& cand = grid.candidates;
    for (int pivot = 0; pivot < 81; ++pivot) {
        const unsigned pm = cand[static_cast<size_t>(pivot)];
        if (Count(pm) != 3) continue;
        for (const int a : Geo().peers[pivot]) {
            const unsigned am = cand[static_cast<size_t>(a)];
            if (Count(am) != 2 || (am & ~pm) != 0) continue;
            for (const int b : Geo().peers[pivot]) {
                const unsigned bm = cand[static_cast<size_t>(b)];
                if (b <= a || Count(bm) != 2 || (bm & ~pm) != 0 || bm == am) continue;
                const int z = Lowest(am & bm);
                step.eliminations.clear();
                EliminateFrom(grid, SeeingAll(grid, {pivot, a, b}, z), z, step);
                if (step.eliminations.empty()) continue;
                step.technique = Technique::XYZWing;
                step.pattern = {pivot, a, b};
                step.units.clear();
                step.sentence = "Square " + SquareName(pivot) + " holds " + ValueList(pm, " or ") + ", square " +
                            SquareName(a) + " holds " + ValueList(am, " or ") + " and square " + SquareName(b) +
                            " holds " + ValueList(bm, " or ") +
                            ": whichever value the first takes, one of the three is " + AValue(z) +
                            ", so no square that sees all three can hold " + AValue(z) + ".";
                return true;
            }
        }
    }
    return false;
}

// Two squares holding the same two values, x and y, that do not see each other, and a unit whose
// only two places for y see one square each: they cannot both be y, so one of them is an x.
bool FindWWing(const LogicGrid& grid, LogicStep& step) {
    const auto& cand = grid.candidates;
    for (int a = 0; a < 81; ++a) {
        const unsigned mask = cand[static_cast<size_t>(a)];
        if (Count(mask) != 2) continue;
        for (int b = a + 1; b < 81; ++b) {
            if (cand[static_cast<size_t>(b)] != mask || Sees(a, b)) continue;
            for (int pass = 0; pass < 2; ++pass) {
                const int y = pass == 0 ? Lowest(mask) : Lowest(mask & (mask - 1));
                const int x = Lowest(mask & ~(1u << y));
                for (int unit = 0; unit < 27; ++unit) {
                    const unsigned places = PlacesIn(grid, unit, y);
                    if (Count(places) != 2) continue;
                    int p, q;
                    PlacePair(unit, places, p, q);
                    if (p == a || p == b || q == a || q == b) continue;
                    const bool linked = (Sees(p, a) && Sees(q, b)) || (Sees(p, b) && Sees(q, a));
                    if (!linked) continue;
                    step.eliminations.clear();
                    EliminateFrom(grid, SeeingAll(grid, {a, b}, x), x, step);
                    if (step.eliminations.empty()) continue;
                    step.technique = Technique::WWing;
                    step.pattern = {a, b, p, q};
                    step.units = {unit};
                    step.sentence = "Squares " + SquareName(a) + " and " + SquareName(b) + " both hold only " +
                                    Value(x) + " or " + Value(y) + ". In " + UnitName(unit) + " " + PieceMark(y, "the") +
                                " must go in a square that sees one of them, so they cannot both be " + AValue(y) +
                                ": one is " + AValue(x) + ", and no square that sees both can hold " + AValue(x) + ".";
                    return true;
                }
            }
        }
    }
    return false;
}

}  // namespace tessaran::logic
