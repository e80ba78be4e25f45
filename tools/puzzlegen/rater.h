// How a player would solve a puzzle, told by the game's own hint engine, and the game's own
// verdict on its solutions. Both work on the game's PlayBoard: one puzzle at a time.
#pragma once

#include <cstdint>

#include "checker.h"

namespace puzzlegen {

// Effort of one use of each technique; a guess is where no technique applies and the player has
// to try a value (the simulation places the right one, as a lucky or patient player would).
inline constexpr int kCostSingleValue = 1;
inline constexpr int kCostOnlyPlace = 2;
inline constexpr int kCostPair = 10;
inline constexpr int kCostTriple = 20;
inline constexpr int kCostQuadruple = 40;
inline constexpr int kCostGuess = 100;
// Extra effort of a single value that was the only one on the whole board: the player had to
// find the one square that moves the puzzle on. The last open square does not count.
inline constexpr int kCostNarrow = 5;

struct SolveTrace {
    int singleValues = 0;
    int onlyPlaces = 0;
    int pairs = 0;
    int triples = 0;
    int quadruples = 0;
    int guesses = 0;
    int narrowSteps = 0;  // single values found when no other square had a single value left
    bool reachedSolution = false;  // every square ended with its solution value

    int Sets() const { return pairs + triples + quadruples; }
    // Placements by single values and only places alone: no sets, no guesses.
    bool SinglesOnly() const { return Sets() == 0 && guesses == 0; }
    int Effort() const {
        return singleValues * kCostSingleValue + onlyPlaces * kCostOnlyPlace + pairs * kCostPair +
               triples * kCostTriple + quadruples * kCostQuadruple + guesses * kCostGuess +
               narrowSteps * kCostNarrow;
    }
};

// Loads the givens into PlayBoard as the solver screen holds a grid (geometry, known squares,
// fresh possibles), then applies the engine's first hint again and again; where none applies,
// the open square with the fewest possibles (the first such in board order) gets its solution
// value as a guess. Before each step it reads from the possibles how many open squares have a
// single value left, to tell narrow steps.
SolveTrace SimulatePlayer(const Grid& givens, const Grid& solution);

struct GameVerdict {
    int code = 0;        // CountSolutions: 0, 1, 2, or -1 for too many steps
    int64_t steps = 0;   // the search steps it took
};
// The game's own count of the givens' solutions, as the solver screen asks for it.
GameVerdict GameCountSolutions(const Grid& givens);

}  // namespace puzzlegen
