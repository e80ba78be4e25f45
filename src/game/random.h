// The one random generator of the whole program. Every puzzle is reproducible from its game
// number only with exactly this sequence, so nothing else may draw random numbers.
#pragma once

#include <cstdint>

namespace tessaran {

inline constexpr int kRandMax = 32767;

void srand(uint32_t seed);  // state := seed
int rand();                 // state := state * 214013 + 2531011; returns bits 16..30
uint32_t RandomState();     // for tests and diagnostics

}  // namespace tessaran
