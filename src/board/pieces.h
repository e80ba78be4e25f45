// The nine pieces, each drawn into the unit square (-0.5, -0.5)..(0.5, 0.5) of the current
// transform (y down); callers place and scale them. Also the general masked-picture quad.
#pragma once

#include <cstdint>

namespace tessaran {

// Offset, body bob and arm angle of the ninth character, which is drawn from geometry (or from
// a cell of it made at the scale shown, see board/ninth_cell.h).
struct NinthPiece {
    float x = 0.0f, y = 0.0f;  // offset of the drawing
    float bob = 0.0f;          // vertical offset of the upper body
    float angle = 0.0f;        // degrees the arm is turned; the board sets a random 0..29
};
extern NinthPiece NinthPieceState;

// Piece `value` 1..9 (anything else draws nothing) in pose 0 or 1, as character, digit or both
// according to the player's pieceStyle. Dimmed pieces show candidates that are not marked.
void DrawPiece(int32_t value, int32_t pose, bool dimmed);
void DrawPieceBright(int32_t value, int32_t pose);
// Between these two, pieces from the sheets are gathered instead of drawn, and EndPieceBatch
// draws them all with one texture bind and blend set-up per sheet and pass. Only for pieces
// that overlap nothing drawn after them in the batch (the squares of a board), under the same
// projection throughout; the ninth character is still drawn at once, from its cells.
void BeginPieceBatch();
void EndPieceBatch();
// Batches, one-pass pictures and the ninth character's cells are on unless a test turns them
// off, to check that drawing piece by piece, mask then picture, gives the very same pixels.
void UseFastPieceDrawing(bool on);
// Always the character, whatever the piece style (menus, dialogs, the bouncing pieces).
void DrawPiecePicture(int32_t value, int32_t pose);
void DrawNinthPiece(bool dimmed);
// Texture `texture` through its mask `texture` + 1000, centred at (x, y, z), upright in the
// downward-y board space. Black in the picture lets what is behind it show.
void DrawMaskedPicture(float x, float y, float z, float width, float height, uint32_t texture);

}  // namespace tessaran
