// Drawing puzzles from a seed and sorting them into the game's levels by how a player solves them.
#pragma once

#include <cstdint>
#include <random>

#include "checker.h"
#include "rater.h"

namespace puzzlegen {

// How many givens a candidate keeps: a fixed range, or as few as uniqueness allows.
enum class Shape { Easy, Medium, Minimal, Demo };

struct Puzzle {
    Grid solution{};
    Grid givens{};
    int givenCount = 0;
};

// Candidate `index` of a shape: its own random stream from (seed, shape, index), so any
// candidate can be remade alone and the order of work never changes the result.
std::mt19937_64 CandidateRandom(uint64_t seed, Shape shape, uint64_t index);

// A random complete grid, then givens removed in random order while the givens still admit
// exactly one solution (by the generator's own counter), down to a count drawn from the shape's
// range (Easy 59-60, Medium 39-40) or, for Minimal and Demo, until no given can go.
// Demo grids carry the help pages' top band (see DemoBand).
Puzzle DrawCandidate(Shape shape, std::mt19937_64& random);

// The values the help pages rely on in the top band of the demonstration puzzle's solution;
// 0 where any value will do.
Grid DemoBand(std::mt19937_64& random);

}  // namespace puzzlegen
