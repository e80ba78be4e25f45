// Text wrappers: every screen sizes and places text in percent of the window through these.
#pragma once

#include <cstdint>

#include "ui/font.h"

namespace tessaran {

// The game's one font renderer, holding the one font "Another".
extern LFontRenderer TextRenderer;
// Window size when the fonts were set up; percentages of text are of this size (x of the width,
// y and text sizes of the height), so text keeps its place when the window is later resized.
extern int32_t TextRefWidth;
extern int32_t TextRefHeight;

// Loads "Another.fnt" from the working directory and records the reference size from the
// current GLUT window. Needs the window and its GL context; a bad font file ends the program.
void InitFonts();

// Text height in percent of the reference height.
void SetTextSize(int percent);
void SetTextColor(float r, float g, float b);
// Draws text with its top-left corner at (x%, y%) at once.
void DrawTextAt(float xPercent, float yPercent, const char* text);
float TextWidthPercent(const char* text);
void DrawTextCentred(float yPercent, const char* text);
// Centred on 37.5 % of the width, over a dark shadow offset down and right; the colour is kept.
void DrawTextShadowed(float yPercent, const char* text);

}  // namespace tessaran
