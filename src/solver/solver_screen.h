// The solver screen's frame; what its buttons do is in solver_actions.h.
#pragma once

#include "solver/solver_actions.h"

namespace tessaran {

// One frame of ScreenState 34.
void SolverFrame();

}  // namespace tessaran
