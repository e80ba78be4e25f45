// The shimmering colour backdrop behind most screens and the nine pieces that bounce over the
// pause menu and the preferences dialog. Both step by FrameFactor and draw from rand().
#pragma once

#include <array>

namespace tessaran {

struct BackdropTriple {
    float r = 0, g = 0, b = 0;
};
// 3 columns x 5 rows of grid vertices; vertex k = column * 5 + row.
inline constexpr int kBackdropColumns = 3;
inline constexpr int kBackdropRows = 5;
inline constexpr int kBackdropVertices = kBackdropColumns * kBackdropRows;
inline constexpr float kBackdropCeiling = 0.8f;  // no colour component ever exceeds this
extern std::array<BackdropTriple, kBackdropVertices> BackdropColour;
// Per-frame change of each component; r and g double as the vertex's position jitter.
extern std::array<BackdropTriple, kBackdropVertices> BackdropDrift;

struct BouncingPiece {
    float x = 0, y = 0;    // board units, kept within 0..8
    float vx = 0, vy = 0;  // units per 30 ms step
    float angle = 0;       // degrees
    float spin = 0;        // degrees per 30 ms step
};
inline constexpr int kBouncingPieceCount = 9;
inline constexpr float kBounceLimit = 8.0f;
extern std::array<BouncingPiece, kBouncingPieceCount> BouncingPieces;  // piece i shows value i + 1

void ResetColourBackdrop();     // all black and still: the backdrop fades in
void ScatterBouncingPieces();   // random places, speeds and spins (five rand() per piece)
// One animation step of every vertex, in vertex order (three rand() each): drift wanders,
// colours follow it, soft limits push back, 0.8 and 0 are hard bounds.
void StepColourBackdrop(float frameFactor);
void StepBouncingPieces(float frameFactor);
// Draws the backdrop with this frame's colours, then steps it. The caller has selected the
// board projection.
void DrawColourBackdrop();
// Steps the pieces, then draws them as pictures in the caller's projection and depth.
void DrawBouncingPieces();

}  // namespace tessaran
