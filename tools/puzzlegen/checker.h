// The generator's own solution counter and grid filler: a bitmask search, most constrained square
// first, kept apart from the game's row-by-row search so that each checks the other.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <utility>

namespace puzzlegen {

// Row by row (element row * 9 + column), 0 = empty. The record's column order is the writer's
// business only.
using Grid = std::array<uint8_t, 81>;

// Solutions of the givens, counted up to `limit` (so 2 answers "more than one"). Givens that
// already clash count as no solution. With `first`, the first solution found is stored there.
int CountSolutionsUpTo(const Grid& givens, int limit, Grid* first = nullptr);

// A complete valid grid drawn from `random`, keeping every nonzero value of `start` (which must
// admit a completion; returns false if it does not).
bool FillRandomGrid(const Grid& start, std::mt19937_64& random, Grid& out);

// A shuffle (Fisher-Yates) from the engine's raw output alone (std::shuffle's use of the engine is the
// library's choice), so a seed makes the same puzzles with any standard library.
template <typename T>
void Shuffle(T* first, int count, std::mt19937_64& random) {
    for (int i = count - 1; i > 0; --i) {
        const int j = static_cast<int>(random() % static_cast<uint64_t>(i + 1));
        std::swap(first[i], first[j]);
    }
}

// Every row, column and section holds 1..9 exactly once.
bool IsCompleteValidGrid(const Grid& grid);

}  // namespace puzzlegen
