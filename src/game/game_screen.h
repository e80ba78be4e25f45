// The game screen of a puzzle in play (and under the end-of-game summary), and the score and
// clock displays that most screens show at the bottom right.
#pragma once

namespace tessaran {

// Set by the input handlers when Shift or Alt goes down between two game frames; the next game
// frame folds it into AssignMode, so a Shift-click shorter than a frame still assigns.
extern bool AssignModifierLatched;

// The frame work of states 0 and 18: modifiers, backdrop, board, cursor square, crosses, the
// game panel (title, rating, pause button, Crystal Ball control) and the falling pieces.
void DrawGameScreen();
// Score with its award pop-up, and the play clock (frozen outside the game screen). RunFrame
// draws both after every screen but the message and solver screens.
void DrawScoreDisplay();
void DrawClockDisplay();

// The game's font is wider than the panel texts were laid out for: these narrow the font, at
// the current text size, just enough for `text` to fit `room` percent across, and return its
// width then. RestoreTextWidth undoes it once the text is drawn.
float CondenseToFit(const char* text, float room);
void RestoreTextWidth();

}  // namespace tessaran
