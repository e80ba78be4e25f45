// The generator's independent search: unit bitmasks, the square with the fewest candidates next.
#include "checker.h"

#include <algorithm>
#include <bit>

namespace puzzlegen {

namespace {

constexpr uint32_t kAll = 0x1FFu;  // bit v - 1 for value v

constexpr int BoxOf(int cell) { return (cell / 27) * 3 + (cell % 9) / 3; }

struct Search {
    uint32_t rows[9] = {}, columns[9] = {}, boxes[9] = {};
    Grid grid{};
    int empties[81] = {};
    int emptyCount = 0;

    // Loads the givens; false when two of them clash.
    bool Load(const Grid& givens) {
        grid = givens;
        for (int cell = 0; cell < 81; ++cell) {
            const int v = givens[static_cast<size_t>(cell)];
            if (v == 0) {
                empties[emptyCount++] = cell;
                continue;
            }
            const uint32_t bit = 1u << (v - 1);
            const int r = cell / 9, c = cell % 9, b = BoxOf(cell);
            if ((rows[r] | columns[c] | boxes[b]) & bit) return false;
            rows[r] |= bit;
            columns[c] |= bit;
            boxes[b] |= bit;
        }
        return true;
    }

    uint32_t Candidates(int cell) const {
        return kAll & ~(rows[cell / 9] | columns[cell % 9] | boxes[BoxOf(cell)]);
    }

    void Place(int cell, int v) {
        const uint32_t bit = 1u << (v - 1);
        rows[cell / 9] ^= bit;
        columns[cell % 9] ^= bit;
        boxes[BoxOf(cell)] ^= bit;
        grid[static_cast<size_t>(cell)] = static_cast<uint8_t>(v);
    }
    void Remove(int cell, int v) {
        Place(cell, v);  // the bits toggle back
        grid[static_cast<size_t>(cell)] = 0;
    }

    // Moves the open square with the fewest candidates to position `depth`; returns its mask,
    // or 0 when some square has none.
    uint32_t ChooseNext(int depth) {
        int best = depth, bestCount = 10;
        uint32_t bestMask = 0;
        for (int k = depth; k < emptyCount; ++k) {
            const uint32_t mask = Candidates(empties[k]);
            const int count = std::popcount(mask);
            if (count < bestCount) {
                best = k;
                bestCount = count;
                bestMask = mask;
                if (count <= 1) break;
            }
        }
        std::swap(empties[depth], empties[best]);
        return bestMask;
    }

    // Counts completions up to `limit`; the first is kept in `first`.
    int Count(int depth, int limit, Grid* first) {
        if (depth == emptyCount) {
            if (first) {
                *first = grid;
                first = nullptr;
            }
            return 1;
        }
        uint32_t mask = ChooseNext(depth);
        const int cell = empties[depth];
        int found = 0;
        while (mask != 0 && found < limit) {
            const int v = std::countr_zero(mask) + 1;
            mask &= mask - 1;
            Place(cell, v);
            found += Count(depth + 1, limit - found, found == 0 ? first : nullptr);
            Remove(cell, v);
        }
        return found;
    }

    bool Fill(int depth, std::mt19937_64& random) {
        if (depth == emptyCount) return true;
        uint32_t mask = ChooseNext(depth);
        const int cell = empties[depth];
        int order[9];
        int n = 0;
        for (; mask != 0; mask &= mask - 1) order[n++] = std::countr_zero(mask) + 1;
        Shuffle(order, n, random);
        for (int k = 0; k < n; ++k) {
            Place(cell, order[k]);
            if (Fill(depth + 1, random)) return true;
            Remove(cell, order[k]);
        }
        return false;
    }
};

}  // namespace

int CountSolutionsUpTo(const Grid& givens, int limit, Grid* first) {
    Search search;
    if (!search.Load(givens) || limit <= 0) return 0;
    return search.Count(0, limit, first);
}

bool FillRandomGrid(const Grid& start, std::mt19937_64& random, Grid& out) {
    Search search;
    if (!search.Load(start)) return false;
    if (!search.Fill(0, random)) return false;
    out = search.grid;
    return true;
}

bool IsCompleteValidGrid(const Grid& grid) {
    for (int unit = 0; unit < 9; ++unit) {
        uint32_t row = 0, column = 0, box = 0;
        for (int k = 0; k < 9; ++k) {
            const int rv = grid[static_cast<size_t>(unit * 9 + k)];
            const int cv = grid[static_cast<size_t>(k * 9 + unit)];
            const int bv = grid[static_cast<size_t>((unit / 3 * 3 + k / 3) * 9 + unit % 3 * 3 + k % 3)];
            if (rv < 1 || rv > 9 || cv < 1 || cv > 9 || bv < 1 || bv > 9) return false;
            row |= 1u << (rv - 1);
            column |= 1u << (cv - 1);
            box |= 1u << (bv - 1);
        }
        if (row != kAll || column != kAll || box != kAll) return false;
    }
    return true;
}

}  // namespace puzzlegen
