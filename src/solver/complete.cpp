// The complete search: naked and hidden singles to a fixed point, then a guess in the square
// with fewest candidates, each guess on a copy of the small state.
#include "solver/complete.h"

#include <bit>
#include <cstdint>

#include "solver/logic.h"

namespace tessaran {

namespace {

constexpr uint16_t kAll = 0x3FE;

// The geometry as compile-time tables: this is the game's hottest loop.
struct Tables {
    uint8_t units[27][9];
    uint8_t peers[81][20];
    uint32_t unitsOf[81];  // bit u: the square lies in unit u
};

constexpr Tables MakeTables() {
    Tables t{};
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j) {
            t.units[i][j] = static_cast<uint8_t>(i * 9 + j);
            t.units[9 + i][j] = static_cast<uint8_t>(j * 9 + i);
            t.units[18 + i][j] = static_cast<uint8_t>((3 * (i / 3) + j / 3) * 9 + 3 * (i % 3) + j % 3);
        }
    for (int a = 0; a < 81; ++a) {
        const int row = a / 9, column = a % 9, section = column / 3 + 3 * (row / 3);
        t.unitsOf[a] = 1u << row | 1u << (9 + column) | 1u << (18 + section);
        int n = 0;
        for (int b = 0; b < 81; ++b) {
            const int r = b / 9, c = b % 9;
            if (a != b && (r == row || c == column || c / 3 + 3 * (r / 3) == section))
                t.peers[a][n++] = static_cast<uint8_t>(b);
        }
    }
    return t;
}

constexpr Tables kTables = MakeTables();

// Candidate counts by mask: the game is built for any x86-64, which has no popcount instruction.
struct BitCounts {
    uint8_t of[1024];
};
constexpr BitCounts MakeBitCounts() {
    BitCounts counts{};
    for (int m = 1; m < 1024; ++m) counts.of[m] = static_cast<uint8_t>(counts.of[m >> 1] + (m & 1));
    return counts;
}
constexpr BitCounts kBitCounts = MakeBitCounts();
constexpr uint32_t kAllUnits = (1u << 27) - 1;

// Where the first dead end at the top of the search happened.
struct Failure {
    int square = -1;
    int unit = -1;
    int value = 0;
};

struct State {
    uint16_t cand[81];   // a filled square keeps just its value's bit
    uint64_t filled[2];  // squares 0..63 and 64..80
    uint32_t changed;    // units where a square lost a candidate since the last hidden-single pass

    bool IsFilled(int s) const { return (filled[s >> 6] >> (s & 63)) & 1u; }
    void MarkFilled(int s) { filled[s >> 6] |= uint64_t{1} << (s & 63); }
};

class Searcher {
public:
    int limit = 2;
    int found = 0;
    ValueGrid solutions[2]{};
    Failure* failure = nullptr;  // set only for the first propagation

    // Fills square s with value v and follows the singles; false on a dead end.
    bool Assign(State& st, int s, int v) {
        // A pass queues each square as a naked single at most once and, as a hidden single, at
        // most once for each of its three units.
        int queue[4 * 81];
        int tail = 0;
        return Fill(st, s, v, queue, tail) && Follow(st, queue, tail);
    }

    // Follows the queued naked singles, then the hidden singles they lead to, to the end.
    bool Follow(State& st, int* queue, int tail) {
        int head = 0;
        for (;;) {
            while (head < tail) {
                const int q = queue[head++];
                if (st.IsFilled(q)) continue;
                if (!Fill(st, q, std::countr_zero(st.cand[q]), queue, tail)) return false;
            }
            head = tail = 0;
            if (!HiddenSingles(st, queue, tail)) return false;
            if (tail > 0) continue;
            // Locked candidates cost a pass over the grid but spare whole subtrees of guesses.
            if (!LockedCandidates(st, queue, tail)) return false;
            if (tail == 0 && st.changed == 0) return true;
        }
    }

    void Search(State& st) {
        int best = -1, bestCount = 10;
        for (int s = 0; s < 81; ++s) {
            if (st.IsFilled(s)) continue;
            const int n = kBitCounts.of[st.cand[s]];
            if (n < bestCount) {
                best = s;
                bestCount = n;
                if (n == 2) break;
            }
        }
        if (best < 0) {
            Record(st);
            return;
        }
        for (unsigned mask = st.cand[best]; mask != 0 && found < limit; mask &= mask - 1) {
            State next = st;
            if (Assign(next, best, std::countr_zero(mask))) Search(next);
        }
    }

    // The square the search guesses in first, for a grid that fails only under search.
    static int FirstGuess(const State& st) {
        int best = -1, bestCount = 10;
        for (int s = 0; s < 81; ++s) {
            const int n = kBitCounts.of[st.cand[s]];
            if (!st.IsFilled(s) && n < bestCount) {
                best = s;
                bestCount = n;
            }
        }
        return best;
    }

private:
    bool Fill(State& st, int s, int v, int* queue, int& tail) {
        const uint16_t bit = static_cast<uint16_t>(1u << v);
        if (!(st.cand[s] & bit)) {
            if (failure) failure->square = s;
            return false;
        }
        st.cand[s] = bit;
        st.MarkFilled(s);
        st.changed |= kTables.unitsOf[s];
        for (const int p : kTables.peers[s]) {
            if (!(st.cand[p] & bit)) continue;
            st.cand[p] = static_cast<uint16_t>(st.cand[p] & ~bit);
            st.changed |= kTables.unitsOf[p];
            const uint16_t left = st.cand[p];
            if (left == 0) {
                if (failure) failure->square = p;
                return false;
            }
            if ((left & (left - 1)) == 0 && !st.IsFilled(p)) queue[tail++] = p;
        }
        return true;
    }

    bool HiddenSingles(State& st, int* queue, int& tail) {
        uint32_t units = st.changed;
        st.changed = 0;
        for (; units != 0; units &= units - 1) {
            const int unit = std::countr_zero(units);
            const uint8_t* squares = kTables.units[unit];
            unsigned once = 0, twice = 0, placed = 0;
            for (int i = 0; i < 9; ++i) {
                const unsigned m = st.cand[squares[i]];
                twice |= once & m;
                once |= m;
                if (st.IsFilled(squares[i])) placed |= m;
            }
            if (once != kAll) {
                if (failure) {
                    failure->unit = unit;
                    failure->value = std::countr_zero(kAll & ~once);
                }
                return false;
            }
            unsigned singles = once & ~twice & ~placed;
            for (; singles != 0; singles &= singles - 1) {
                const unsigned bit = singles & (0u - singles);
                // Two values whose only place is one square: the second finds no square and
                // the next pass reports the unit.
                for (int i = 0; i < 9; ++i)
                    if (st.cand[squares[i]] & bit) {
                        st.cand[squares[i]] = static_cast<uint16_t>(bit);
                        queue[tail++] = squares[i];
                        break;
                    }
            }
        }
        return true;
    }

    // Removes `values` from square s; false when it has nothing left.
    bool Strip(State& st, int s, unsigned values, int* queue, int& tail) {
        const unsigned before = st.cand[s];
        if (!(before & values)) return true;
        const auto left = static_cast<uint16_t>(before & ~values);
        st.cand[s] = left;
        st.changed |= kTables.unitsOf[s];
        if (left == 0) {
            if (failure) failure->square = s;
            return false;
        }
        if ((left & (left - 1)) == 0) queue[tail++] = s;
        return true;
    }

    // A value of a section confined to one row or column of it leaves the rest of that line, and
    // a value of a line confined to one section leaves the rest of that section. Segments are the
    // three squares a line shares with a section; filled squares count only for their own value,
    // which no peer holds any more, so they never remove anything.
    bool LockedCandidates(State& st, int* queue, int& tail) {
        for (int across = 0; across < 2; ++across) {  // rows, then columns
            unsigned segment[9][3];
            for (int line = 0; line < 9; ++line)
                for (int part = 0; part < 3; ++part) {
                    unsigned m = 0;
                    for (int i = 0; i < 3; ++i) {
                        const int at = part * 3 + i;
                        m |= st.cand[across == 0 ? line * 9 + at : at * 9 + line];
                    }
                    segment[line][part] = m;
                }
            for (int line = 0; line < 9; ++line)
                for (int part = 0; part < 3; ++part) {
                    const int first = line - line % 3;
                    unsigned inSection = 0, inLine = 0;
                    for (int other = first; other < first + 3; ++other)
                        if (other != line) inSection |= segment[other][part];
                    for (int p = 0; p < 3; ++p)
                        if (p != part) inLine |= segment[line][p];
                    const unsigned pointing = segment[line][part] & ~inSection & inLine;
                    const unsigned claiming = segment[line][part] & ~inLine & inSection;
                    for (int at = 0; at < 9 && pointing; ++at) {
                        if (at / 3 == part) continue;
                        if (!Strip(st, across == 0 ? line * 9 + at : at * 9 + line, pointing, queue, tail))
                            return false;
                    }
                    for (int other = first; other < first + 3 && claiming; ++other) {
                        if (other == line) continue;
                        for (int i = 0; i < 3; ++i) {
                            const int at = part * 3 + i;
                            if (!Strip(st, across == 0 ? other * 9 + at : at * 9 + other, claiming, queue, tail))
                                return false;
                        }
                    }
                }
        }
        return true;
    }

    void Record(const State& st) {
        if (found < 2)
            for (int s = 0; s < 81; ++s)
                solutions[found][static_cast<size_t>(s)] = static_cast<uint8_t>(std::countr_zero(st.cand[s]));
        ++found;
    }
};

// The grid's givens, followed; false (with the failure) when they already fail.
// All givens first, so that a failure names what the givens themselves leave empty: a given
// that repeats a value, then an empty square, then whatever the singles run into.
bool Start(const ValueGrid& grid, Searcher& searcher, State& st) {
    for (uint16_t& c : st.cand) c = kAll;
    st.filled[0] = st.filled[1] = 0;
    st.changed = kAllUnits;
    for (int s = 0; s < 81; ++s) {
        const int v = grid[static_cast<size_t>(s)];
        if (v < 1 || v > 9) continue;
        const auto bit = static_cast<uint16_t>(1u << v);
        if (!(st.cand[s] & bit)) {
            if (searcher.failure) searcher.failure->square = s;
            return false;
        }
        st.cand[s] = bit;
        st.MarkFilled(s);
        for (const int p : kTables.peers[s]) st.cand[p] = static_cast<uint16_t>(st.cand[p] & ~bit);
    }
    int queue[4 * 81];
    int tail = 0;
    for (int s = 0; s < 81; ++s) {
        if (st.IsFilled(s)) continue;
        if (st.cand[s] == 0) {
            if (searcher.failure) searcher.failure->square = s;
            return false;
        }
        if (kBitCounts.of[st.cand[s]] == 1) queue[tail++] = s;
    }
    return searcher.Follow(st, queue, tail);
}

std::string FailureText(const Failure& failure) {
    if (failure.unit >= 0) {
        static const char* const kinds[3] = {"row ", "column ", "section "};
        return kinds[failure.unit / 9] + std::to_string(failure.unit % 9 + 1) + " value " +
               std::to_string(failure.value);
    }
    return SquareCode(failure.square);
}

}  // namespace

int CountSolutionsCompletely(const ValueGrid& grid, ValueGrid* first) {
    Searcher searcher;
    State st;
    if (!Start(grid, searcher, st)) return 0;
    searcher.Search(st);
    if (first && searcher.found > 0) *first = searcher.solutions[0];
    return searcher.found < 2 ? searcher.found : 2;
}

GridExplanation ExplainGrid(const ValueGrid& grid) {
    GridExplanation result;
    Searcher searcher;
    Failure failure;
    searcher.failure = &failure;
    State st;
    if (!Start(grid, searcher, st)) {
        result.runsOut = FailureText(failure);
        return result;
    }
    searcher.failure = nullptr;
    searcher.Search(st);
    if (searcher.found == 0) {
        result.runsOut = SquareCode(Searcher::FirstGuess(st));
        return result;
    }
    result.first = searcher.solutions[0];
    if (searcher.found == 1) {
        result.verdict = GridVerdict::Unique;
        return result;
    }
    result.verdict = GridVerdict::Multiple;
    result.second = searcher.solutions[1];
    for (int s = 0; s < 81; ++s)
        if (result.first[static_cast<size_t>(s)] != result.second[static_cast<size_t>(s)])
            result.differing.push_back(s);
    return result;
}

}  // namespace tessaran
