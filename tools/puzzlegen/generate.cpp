// Random grids and the removal of givens; every random number comes from the caller's stream.
#include "generate.h"

#include <algorithm>
#include <numeric>

namespace puzzlegen {

std::mt19937_64 CandidateRandom(uint64_t seed, Shape shape, uint64_t index) {
    std::seed_seq sequence{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32),
                           static_cast<uint32_t>(shape), static_cast<uint32_t>(index),
                           static_cast<uint32_t>(index >> 32)};
    return std::mt19937_64(sequence);
}

Grid DemoBand(std::mt19937_64& random) {
    // Squares are (column, row); element row * 9 + column.
    auto at = [](Grid& grid, int column, int row) -> uint8_t& {
        return grid[static_cast<size_t>(row * 9 + column)];
    };
    Grid band{};
    // Row 0 misses 5, 7 and 8 in columns 3-5; the Crystal Ball page tries 5 at (4, 0), and
    // (5, 0) is 7 or 8.
    const bool sevenFirst = random() % 2 == 0;
    at(band, 3, 0) = sevenFirst ? 7 : 8;
    at(band, 4, 0) = 5;
    at(band, 5, 0) = sevenFirst ? 8 : 7;
    // Row 2 misses 1 and 4 at (3, 2) and (5, 2); the Crystal Ball page tries 4 at (3, 2).
    at(band, 3, 2) = 4;
    at(band, 5, 2) = 1;
    // The shown squares (4, 2) and (5, 1) hold 3 and 6, so the two squares marked X, (3, 1) and
    // (4, 1), are down to 2 and 9: the answer to the last page's question.
    const bool threeFirst = random() % 2 == 0;
    at(band, 4, 2) = threeFirst ? 3 : 6;
    at(band, 5, 1) = threeFirst ? 6 : 3;
    const bool twoFirst = random() % 2 == 0;
    at(band, 3, 1) = twoFirst ? 2 : 9;
    at(band, 4, 1) = twoFirst ? 9 : 2;
    return band;
}

Puzzle DrawCandidate(Shape shape, std::mt19937_64& random) {
    Puzzle puzzle;
    const Grid start = shape == Shape::Demo ? DemoBand(random) : Grid{};
    // The band above always completes; a failure here would be a broken band.
    if (!FillRandomGrid(start, random, puzzle.solution)) return puzzle;

    int target = 0;  // the count at which removal stops; 0 = only uniqueness stops it
    if (shape == Shape::Easy) target = 59 + static_cast<int>(random() % 2);
    if (shape == Shape::Medium) target = 39 + static_cast<int>(random() % 2);

    std::array<int, 81> order;
    std::iota(order.begin(), order.end(), 0);
    Shuffle(order.data(), 81, random);
    puzzle.givens = puzzle.solution;
    puzzle.givenCount = 81;
    for (const int cell : order) {
        if (puzzle.givenCount == target) break;
        Grid trial = puzzle.givens;
        trial[static_cast<size_t>(cell)] = 0;
        if (CountSolutionsUpTo(trial, 2) != 1) continue;
        puzzle.givens = trial;
        --puzzle.givenCount;
    }
    return puzzle;
}

}  // namespace puzzlegen
