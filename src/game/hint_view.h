// The game screen's side of hints: the "Hint" button, the box that says the hint (or why a piece
// fell) over the side panel of pieces, and what the hint points at on the board.
#pragma once

namespace tessaran {

// On the board, after its squares and before the cursor square: the hint's units tinted, its
// pattern framed, the piece it places shown and the marks it removes crossed in red; the
// square a wrong piece clashed with flashes.
void DrawHintOverlay();
// In the game panel: the button ("Hint (H)", or "Apply (H)" when the hint offers it) and the
// box with the hint's sentence or the wrong piece's reason. Ages the wrong-move note.
void DrawHintPanel();

}  // namespace tessaran
