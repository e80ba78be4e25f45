// The playing board: grid, section colours, squares with their pieces and marks, Crystal Ball
// trials, the cursor square (framed, or magnified with its mark slots), the side panel of pieces
// with their keys, the red crosses and the wrong pieces falling away. Drawn and hit-tested in the
// same frame; nothing is kept between frames.
//
// Board units (SetBoardProjection): square (c, r) is centred at (c, r); the Child grid is drawn
// kChildShift further right and down. Depth layers, back to front: sections -6, Crystal Ball
// backgrounds -5.5, matching pieces' highlight -5.4, lines -5 (section borders -4), squares 0,
// trial outlines and conflict frames 0.5..0.6, falling pieces 1, the magnified square and the
// side panel 2 and nearer.
#pragma once

#include "game/board.h"

namespace tessaran {

inline constexpr float kChildShift = 2.5f;  // the 4 x 4 grid sits where the 9 x 9 grid's centre is
// Centre and scale of the side panel, a little lower and smaller than the magnified square's
// twice, to leave room above it for the game panel's "Hint" button.
inline constexpr float kSidePanelX = 10.15f, kSidePanelY = 4.45f;
inline constexpr float kSidePanelScale = 1.8f;

struct BoardRect {
    float x0, y0, x1, y1;  // board units, top-left and bottom-right
};

// kChildShift in the Child layout, else 0.
float BoardShift();
// The cursor names a square of the grid in use.
bool CursorOnBoard();
// The whole square (column, row) of the grid in use, as clicked to open it.
BoardRect SquareRect(int column, int row);
// Click rectangle of mark slot `slot` of the magnified square (column, row): slot i shows
// symbol i + 1, in rows of three (two at the Child level), 1-2-3 on top.
BoardRect MarkSlotRect(int column, int row, int slot);
// Centre of slot `slot` of the side panel.
void SidePanelSlotCentre(int slot, float& x, float& y);

// Grid and section backgrounds; unless gridOnly also the Crystal Ball backgrounds, every square,
// the ninth piece's arm and the completion check (which ends a solved game in play).
void DrawBoard(bool gridOnly);
// One square: its piece, its marks, or nothing; now and then it changes pose. A mark of
// highlightSymbol gets the matching pieces' highlight.
void DrawSquare(Cell& cell, int highlightSymbol = 0);
// The side panel, then the cursor's frame or magnified square, and the board's clicks: a mark
// slot reaches ActOnSymbol, a closed square opens.
void DrawCursorSquare();
void DrawSidePanel(const Cell* cell);  // nullptr: no cursor square, all pieces bright in pose 0
void DrawEnlargedSquare(const Cell& cell);
// Red crosses in the side panel over every symbol already shown nine times (four at Child level).
void DrawCompletedValues();
// Moves every falling wrong piece one frame and draws it in front of the board.
void UpdateFallingPieces();

}  // namespace tessaran
