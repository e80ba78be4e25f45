// Drawing the end-of-game summary; its timeline is in summary_timeline.h.
#pragma once

#include "profile/summary_timeline.h"

namespace tessaran {

// Called every frame in state 18, after the game screen.
void DrawSummary();

}  // namespace tessaran
