// The program-wide linear congruential generator (initial state 1).
#include "game/random.h"

namespace tessaran {

namespace {
uint32_t State = 1;
}

void srand(uint32_t seed) { State = seed; }

int rand() {
    State = State * 214013u + 2531011u;
    return static_cast<int>((State >> 16) & 0x7fffu);
}

uint32_t RandomState() { return State; }

}  // namespace tessaran
