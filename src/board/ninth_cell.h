// The ninth character drawn from texture cells made at the scale and position it is shown at.
#pragma once

namespace tessaran {

// Draws the ninth character as DrawNinthPiece would under the current transform, from a cell
// kept for this scale, sub-pixel position, arm angle, bob and dimming (made on first use), or
// with `queue` leaves it for DrawQueuedNinthCells. False, with nothing drawn, where a cell
// cannot stand in: a turned piece, a blend other than none (or adding, when not queued), no
// framebuffer objects, this frame's new cells used up.
bool DrawNinthFromCell(bool dimmed, bool queue);
// Draws the queued cells at once, depth-tested as their geometry would be.
void DrawQueuedNinthCells();
// How many new cells may be made until the next call (once a frame): a board seen for the
// first time or after the arm turns makes dozens, and a frame is not to stall on hundreds.
void AllowNewNinthCells(int count);

}  // namespace tessaran
