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
// The window's corner the two displays cover, in percent: other screens keep their controls out.
struct PercentRect {
    float left, top, right, bottom;
};
PercentRect ScoreDisplayArea();

// The game panel's text width: the layout was drawn for a narrower face than the game's font,
// so its text is drawn at the design width of the dialogs, narrowed further where `text` would
// not fit `room` percent across at the current size. Returns the width; RestoreTextWidth goes
// back to the plain width once the text is drawn.
float CondenseToFit(const char* text, float room);
void RestoreTextWidth();

}  // namespace tessaran
