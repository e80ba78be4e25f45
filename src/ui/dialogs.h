// The three small full-window screens: text entry (states 5 and 26), the message screen (11)
// and the about screen (16). Each draws and serves itself once per frame and returns to the
// state its opener named.
#pragma once

#include <string>

namespace tessaran {

// The screens' layouts were drawn for a narrower face than the game's font: their text is drawn
// at this share of its natural width, heights unchanged.
inline constexpr float kDesignTextWidth = 0.7f;
void UseDesignTextWidth();
void UsePlainTextWidth();
// Sets the width `base` and narrows the text further, if needed, so that it is at most `room`
// percent wide at the current size; returns its width. The next Use...TextWidth undoes it.
float FitTextWidth(const char* text, float room, float base = kDesignTextWidth);
// Draws text centred on `centre` across, narrowed to `room`; the width is `base` afterwards.
void DrawFittedCentred(float centre, float y, const char* text, float room, float base = kDesignTextWidth);
// The message screen's second line is wrapped at blanks into lines at most `room` wide; returns
// the number of lines (at most `maxLines`) and their starts and lengths.
int WrapLine(const char* text, float room, int maxLines, int* starts, int* lengths);

// Animation clock of the about screen's logo, shared with the main screen.
extern float ScreenTimer;

void DrawTextEntryDialog();
void DrawMessageScreen();
void DrawAboutScreen();

// The game's manual as installed (or beside the sources in a build tree); empty when none is
// found. The about screen's address button opens it.
std::string FindManual();

}  // namespace tessaran
