// The game's own verdict on a puzzle's solutions, as the solver screen reaches it: on the game's
// PlayBoard, one puzzle at a time.
#pragma once

#include <cstdint>

#include "checker.h"

namespace puzzlegen {

struct GameVerdict {
    int code = 0;        // CountSolutions: 0, 1, 2, or -1 for too many steps
    int64_t steps = 0;   // the search steps it took
};
// The game's own count of the givens' solutions, as the solver screen asks for it.
GameVerdict GameCountSolutions(const Grid& givens);

}  // namespace puzzlegen
