// Chains: x-chains (one value, which covers simple colouring), xy-chains (through squares with
// two values), alternating inference chains over both, and, as the last resort, forcing chains
// that follow singles from every choice of a square or a unit.
//
// A chain starts from "A is not v", follows a strong link to "B is w" (if one is false the other
// is true), then a weak link to "C is not u" (both cannot be true), and so on. Reaching "Z is u"
// proves that A or Z is true, so any candidate that would rule out both ends is false.
#include <algorithm>
#include <array>

#include "solver/logic_internal.h"

namespace tessaran::logic {

namespace {

// A candidate as a node: square * 9 + value - 1.
inline int Node(int square, int value) { return square * 9 + value - 1; }
inline int SquareOf(int node) { return node / 9; }
inline int ValueOf(int node) { return node % 9 + 1; }

enum LinkKinds : unsigned {
    kStrongInSquare = 1,  // a square with two candidates
    kStrongInUnit = 2,    // a value with two places in a unit
    kWeakInSquare = 4,    // two candidates of one square
    kWeakInUnit = 8,      // one value in two squares that see each other
};

// Whether both candidates cannot be true at once.
bool WeaklyLinked(int a, int b) {
    if (a == b) return false;
    if (SquareOf(a) == SquareOf(b)) return true;
    return ValueOf(a) == ValueOf(b) && Sees(SquareOf(a), SquareOf(b));
}

struct ChainSearch {
    const LogicGrid& grid;
    unsigned kinds;
    // Breadth-first over (node, on) states; a state's index is node * 2 + on.
    std::array<int16_t, 81 * 9 * 2> parent{};
    std::array<int8_t, 81 * 9 * 2> parentUnit{};
    std::array<int16_t, 81 * 9 * 2> depth{};

    unsigned places[27][10];  // PlacesIn for every unit and value, found once

    ChainSearch(const LogicGrid& g, unsigned k) : grid(g), kinds(k) {
        for (int unit = 0; unit < 27; ++unit)
            for (int v = 1; v <= 9; ++v) places[unit][v] = PlacesIn(grid, unit, v);
    }

    bool Candidate(int node) const { return Has(grid.candidates[static_cast<size_t>(SquareOf(node))], ValueOf(node)); }

    // Calls visit(next, unit) for each link out of `node`: strong links when `strong`, else weak
    // links of the kinds searched.
    template <typename Visit>
    void Links(int node, bool strong, Visit visit) const {
        const int s = SquareOf(node), v = ValueOf(node);
        const unsigned mask = grid.candidates[static_cast<size_t>(s)];
        if (strong) {
            if ((kinds & kStrongInSquare) && Count(mask) == 2) visit(Node(s, Lowest(mask & ~(1u << v))), -1);
            if (kinds & kStrongInUnit)
                for (const int unit : Geo().unitsOf[s]) {
                    if (Count(places[unit][v]) != 2) continue;
                    int a, b;
                    PlacePair(unit, places[unit][v], a, b);
                    visit(Node(a == s ? b : a, v), unit);
                }
        } else {
            if (kinds & kWeakInSquare)
                for (int w = 1; w <= 9; ++w)
                    if (w != v && (mask >> w) & 1u) visit(Node(s, w), -1);
            if (kinds & kWeakInUnit)
                for (const int p : Geo().peers[s])
                    if (Has(grid.candidates[static_cast<size_t>(p)], v)) visit(Node(p, v), -1);
        }
    }

    // Breadth-first from "start is false", no deeper than `maxDepth` links. `reached` lists the
    // true states found, nearest first.
    std::array<int16_t, 81 * 9 * 2> queue;
    std::array<uint16_t, 81 * 9 * 2> stamp{};  // a state is seen in this run when it holds `run`
    uint16_t run = 0;
    std::vector<int> reached;

    bool Seen(int state) const { return stamp[static_cast<size_t>(state)] == run; }

    void Run(int start, int maxDepth) {
        if (++run == 0) {  // wrapped: forget every earlier run
            stamp.fill(0);
            run = 1;
        }
        reached.clear();
        int head = 0, tail = 0;
        const int first = start * 2;
        stamp[static_cast<size_t>(first)] = run;
        depth[static_cast<size_t>(first)] = 0;
        parent[static_cast<size_t>(first)] = -1;
        queue[static_cast<size_t>(tail++)] = static_cast<int16_t>(first);
        while (head < tail) {
            const int state = queue[static_cast<size_t>(head++)];
            const int node = state / 2;
            const bool on = state % 2 != 0;
            const int d = depth[static_cast<size_t>(state)];
            if (d >= maxDepth) continue;
            // From a false candidate a strong link makes its partner true; from a true one a
            // weak link makes its partner false.
            Links(node, !on, [&](int next, int unit) {
                const int nextState = next * 2 + (on ? 0 : 1);
                if (Seen(nextState) || next == start) return;
                stamp[static_cast<size_t>(nextState)] = run;
                depth[static_cast<size_t>(nextState)] = static_cast<int16_t>(d + 1);
                parent[static_cast<size_t>(nextState)] = static_cast<int16_t>(state);
                parentUnit[static_cast<size_t>(nextState)] = static_cast<int8_t>(unit);
                queue[static_cast<size_t>(tail++)] = static_cast<int16_t>(nextState);
                if (!on) reached.push_back(nextState);
            });
        }
    }

    // The nodes from the start to `end` (an on state), with the units of the strong links.
    void Path(int endState, std::vector<int>& nodes, std::vector<int>& units) const {
        nodes.clear();
        units.clear();
        for (int state = endState; state >= 0; state = parent[static_cast<size_t>(state)]) {
            nodes.push_back(state / 2);
            if (state % 2 != 0 && parentUnit[static_cast<size_t>(state)] >= 0)
                units.push_back(parentUnit[static_cast<size_t>(state)]);
        }
        std::reverse(nodes.begin(), nodes.end());
        std::reverse(units.begin(), units.end());
    }
};

std::string Is(int node, bool on) {
    return SquareName(SquareOf(node)) + (on ? " is " : " is not ") + AValue(ValueOf(node));
}

std::string ChainText(const std::vector<int>& nodes, const std::vector<Elimination>& eliminations) {
    std::string text = "If " + Is(nodes[0], false);
    for (size_t i = 1; i < nodes.size(); ++i) text += (i == 1 ? ", then " : ", so ") + Is(nodes[i], i % 2 == 1);
    const int a = nodes.front(), z = nodes.back();
    text += ". So " + SquareName(SquareOf(a)) + " is " + AValue(ValueOf(a)) + " or " + SquareName(SquareOf(z)) +
            " is " + AValue(ValueOf(z));
    if (ValueOf(a) == ValueOf(z)) {
        text += ", and no square that sees both can hold " + AValue(ValueOf(a)) + ".";
        return text;
    }
    text += ", which rules out ";
    for (size_t i = 0; i < eliminations.size(); ++i) {
        if (i > 0) text += i + 1 == eliminations.size() ? " and " : ", ";
        text += PieceMark(eliminations[i].value, "the") + " in " + SquareName(eliminations[i].square);
    }
    return text + ".";
}

// The shortest chain of the given link kinds that eliminates something.
bool FindChain(const LogicGrid& grid, unsigned kinds, Technique technique, LogicStep& step) {
    constexpr int kMaxLinks = 15;
    ChainSearch search(grid, kinds);
    const ChainSearch everyLink(grid, kStrongInSquare | kStrongInUnit | kWeakInSquare | kWeakInUnit);
    int bestLength = kMaxLinks + 1;
    std::vector<int> nodes, units;
    for (int start = 0; start < 81 * 9; ++start) {
        if (!search.Candidate(start)) continue;
        search.Run(start, bestLength - 1);
        for (const int state : search.reached) {
            const int end = state / 2;
            const int d = search.depth[static_cast<size_t>(state)];
            if (d >= bestLength) break;
            std::vector<Elimination> eliminations;
            // Whatever the chain's own links, every candidate that rules out both ends goes.
            everyLink.Links(start, false, [&](int c, int) {
                if (c != end && WeaklyLinked(c, end)) eliminations.push_back({SquareOf(c), ValueOf(c)});
            });
            if (eliminations.empty()) continue;
            search.Path(state, nodes, units);
            bestLength = d;
            step.technique = technique;
            step.pattern.clear();
            for (const int n : nodes)
                if (step.pattern.empty() || step.pattern.back() != SquareOf(n)) step.pattern.push_back(SquareOf(n));
            step.units = units;
            step.placements.clear();
            step.eliminations = eliminations;
            step.sentence = ChainText(nodes, eliminations);
        }
    }
    return bestLength <= kMaxLinks;
}

// Singles followed from an assumption, on a copy of the grid.
struct Propagation {
    LogicGrid grid;
    std::string failure;  // what ran out, when the assumption leads to a contradiction

    bool Place(int square, int value) {
        // Each square joins as a naked single at most once per pass, and each unit and value as a
        // hidden single at most once, so a pass never fills more than this.
        std::array<Placement, 2 * 81 + 27 * 9> queue;
        int head = 0, tail = 0;
        queue[static_cast<size_t>(tail++)] = {square, value};
        for (;;) {
            while (head < tail) {
                const Placement p = queue[static_cast<size_t>(head++)];
                const auto at = static_cast<size_t>(p.square);
                if (grid.values[at] != 0) {
                    if (grid.values[at] == p.value) continue;
                    failure = "square " + SquareName(p.square) + " would need two values";
                    return false;
                }
                if (!Has(grid.candidates[at], p.value)) {
                    failure = "square " + SquareName(p.square) + " would have no possible value";
                    return false;
                }
                grid.values[at] = static_cast<uint8_t>(p.value);
                grid.candidates[at] = 0;
                for (const int peer : Geo().peers[p.square]) {
                    auto& mask = grid.candidates[static_cast<size_t>(peer)];
                    if (!Has(mask, p.value)) continue;
                    mask = static_cast<CandidateMask>(mask & ~(1u << p.value));
                    if (mask == 0 && grid.values[static_cast<size_t>(peer)] == 0) {
                        failure = "square " + SquareName(peer) + " would have no possible value";
                        return false;
                    }
                    if (Count(mask) == 1) queue[static_cast<size_t>(tail++)] = {peer, Lowest(mask)};
                }
            }
            head = tail = 0;
            for (int unit = 0; unit < 27; ++unit) {
                unsigned once = 0, twice = 0, filled = 0;
                for (const int s : Geo().units[unit]) {
                    const unsigned m = grid.candidates[static_cast<size_t>(s)];
                    twice |= once & m;
                    once |= m;
                    filled |= 1u << grid.values[static_cast<size_t>(s)];
                }
                const unsigned missing = kAllCandidates & ~(once | filled);
                if (missing != 0) {
                    failure = PieceMark(Lowest(missing), "the") + " would have no place in " + UnitName(unit);
                    return false;
                }
                for (unsigned singles = once & ~twice; singles != 0; singles &= singles - 1) {
                    const int v = Lowest(singles);
                    for (const int s : Geo().units[unit])
                        if (Has(grid.candidates[static_cast<size_t>(s)], v))
                            queue[static_cast<size_t>(tail++)] = {s, v};
                }
            }
            if (tail == 0) return true;
        }
    }
};

// What every branch agrees on: the squares filled alike and the candidates all of them lose.
void CommonGround(const LogicGrid& grid, const std::vector<LogicGrid>& branches, LogicStep& step) {
    step.placements.clear();
    step.eliminations.clear();
    for (int s = 0; s < 81; ++s) {
        const auto at = static_cast<size_t>(s);
        if (grid.values[at] != 0) continue;
        unsigned any = 0;
        for (const LogicGrid& b : branches) any |= b.values[at] != 0 ? 1u << b.values[at] : b.candidates[at];
        if (Count(any) == 1) {
            step.placements.push_back({s, Lowest(any)});
            continue;
        }
        for (int v = 1; v <= 9; ++v)
            if (Has(grid.candidates[at], v) && !((any >> v) & 1u)) step.eliminations.push_back({s, v});
    }
}

std::string Consequences(const LogicStep& step) {
    std::string text;
    size_t n = 0;
    const size_t total = step.placements.size() + step.eliminations.size();
    auto join = [&] {
        text += n == 0 ? "" : n + 1 == total ? " and " : ", ";
        ++n;
    };
    for (const Placement& p : step.placements) {
        join();
        text += "puts " + AValue(p.value) + " in " + SquareName(p.square);
    }
    for (const Elimination& e : step.eliminations) {
        join();
        text += "takes " + PieceMark(e.value, "the") + " from " + SquareName(e.square);
    }
    return text;
}

// Squares with fewest candidates first, the way a person picks where to start.
std::vector<int> SquaresByChoice(const LogicGrid& grid) {
    std::vector<int> squares;
    for (int n = 2; n <= 9; ++n)
        for (int s = 0; s < 81; ++s)
            if (Count(grid.candidates[static_cast<size_t>(s)]) == n) squares.push_back(s);
    return squares;
}

bool CellForcing(const LogicGrid& grid, LogicStep& step) {
    std::vector<LogicGrid> branches;
    for (const int s : SquaresByChoice(grid)) {
        const unsigned mask = grid.candidates[static_cast<size_t>(s)];
        branches.clear();
        bool dead = false;
        for (int v = 1; v <= 9 && !dead; ++v) {
            if (!((mask >> v) & 1u)) continue;
            Propagation p{grid, {}};
            dead = !p.Place(s, v);
            branches.push_back(p.grid);
        }
        if (dead) continue;  // left to the contradiction test
        CommonGround(grid, branches, step);
        if (step.placements.empty() && step.eliminations.empty()) continue;
        step.technique = Technique::ForcingChain;
        step.pattern = {s};
        step.units.clear();
        step.sentence = "Square " + SquareName(s) + " holds " + ValueList(mask, " or ") +
                    ". Following the singles from each of them in turn always " + Consequences(step) +
                    ", so that much is certain.";
        return true;
    }
    return false;
}

bool UnitForcing(const LogicGrid& grid, LogicStep& step) {
    std::vector<LogicGrid> branches;
    for (int size = 2; size <= 4; ++size)
        for (int unit = 0; unit < 27; ++unit)
            for (int v = 1; v <= 9; ++v) {
                const unsigned places = PlacesIn(grid, unit, v);
                if (Count(places) != size) continue;
                branches.clear();
                std::vector<int> squares;
                bool dead = false;
                for (int i = 0; i < 9 && !dead; ++i) {
                    if (!((places >> i) & 1u)) continue;
                    squares.push_back(Geo().units[unit][i]);
                    Propagation p{grid, {}};
                    dead = !p.Place(squares.back(), v);
                    branches.push_back(p.grid);
                }
                if (dead) continue;
                CommonGround(grid, branches, step);
                if (step.placements.empty() && step.eliminations.empty()) continue;
                step.technique = Technique::ForcingChain;
                step.pattern = squares;
                step.units = {unit};
                step.sentence = PieceMark(v, "The") + " of " + UnitName(unit) + " goes in " +
                            SquareList(squares, " or ") + ". Following the singles from each of them in turn always " +
                            Consequences(step) + ", so that much is certain.";
                return true;
            }
    return false;
}

bool Contradiction(const LogicGrid& grid, LogicStep& step) {
    for (const int s : SquaresByChoice(grid))
        for (int v = 1; v <= 9; ++v) {
            if (!Has(grid.candidates[static_cast<size_t>(s)], v)) continue;
            Propagation p{grid, {}};
            if (p.Place(s, v)) continue;
            step.technique = Technique::ForcingChain;
            step.pattern = {s};
            step.units.clear();
            step.placements.clear();
            step.eliminations = {{s, v}};
            step.sentence = "If square " + SquareName(s) + " were " + AValue(v) + ", following the singles from it, " +
                        p.failure + ". So it is not " + AValue(v) + ".";
            return true;
        }
    return false;
}

}  // namespace

bool FindXChain(const LogicGrid& grid, LogicStep& step) {
    return FindChain(grid, kStrongInUnit | kWeakInUnit, Technique::XChain, step);
}

bool FindXYChain(const LogicGrid& grid, LogicStep& step) {
    return FindChain(grid, kStrongInSquare | kWeakInUnit, Technique::XYChain, step);
}

bool FindAic(const LogicGrid& grid, LogicStep& step) {
    return FindChain(grid, kStrongInSquare | kStrongInUnit | kWeakInSquare | kWeakInUnit, Technique::Aic, step);
}

bool FindForcingChain(const LogicGrid& grid, LogicStep& step) {
    return CellForcing(grid, step) || UnitForcing(grid, step) || Contradiction(grid, step);
}

}  // namespace tessaran::logic
