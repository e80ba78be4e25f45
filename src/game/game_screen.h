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

}  // namespace tessaran
