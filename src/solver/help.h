// Drawing the help pages, the quick help and the wrapped text panels they and the solver share.
#pragma once

#include <cstdint>

#include "solver/help_pages.h"

namespace tessaran {

// ---- Drawing ------------------------------------------------------------------------------

// `text` wrapped between left and right (percent) from `top`, lines 0.8 x size apart.
void DrawWrappedText(float left, float right, float top, double size, const char* text);
// A translucent panel, the title centred above it, the text wrapped inside.
void DrawTextPanel(float left, float top, float right, float bottom, int32_t size, const char* title,
                   const char* text);
// One frame of ScreenState 9 and of ScreenState 31.
void HelpScreen();
void QuickHelp();

}  // namespace tessaran
