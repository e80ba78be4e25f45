// The three small full-window screens: text entry (states 5 and 26), the message screen (11)
// and the about screen (16). Each draws and serves itself once per frame and returns to the
// state its opener named.
#pragma once

#include <string>

namespace tessaran {

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
