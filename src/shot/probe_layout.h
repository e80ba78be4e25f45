// Where the probe scenes put things, shared with the tests that read their pixels back.
// Board units; the window is 4:3, so board (x, y) is pixel ((x - kBoardLeft) / kBoardSpanX * W, ...).
#pragma once

#include "ui/widgets.h"

namespace tessaran::shot {

// "probe-mask": a solid background, then the cross (261) through its mask, and the bonus
// banner (247) through its mask.
inline constexpr float kProbeBackground[3] = {0.2f, 0.4f, 0.6f};
inline constexpr float kProbeCrossX = 2.5f, kProbeCrossY = 4.0f, kProbeCrossSide = 4.0f;

// "probe-pieces": on black, one piece per cell centre, each kProbePieceSide across:
// piece 3 pose 0, piece 3 pose 1, piece 3 pose 0 dimmed, piece 9 pose 0, piece 9 pose 0 dimmed,
// piece 5 as digit only, piece 5 as digit only dimmed.
inline constexpr float kProbePieceSide = 1.5f;
inline constexpr float kProbePieceY = 4.0f;
inline constexpr float kProbePieceX[7] = {0.5f, 2.1f, 3.7f, 5.3f, 6.9f, 8.5f, 10.1f};

inline int ProbePixelX(float boardX, int width) {
    return static_cast<int>((boardX - static_cast<float>(kBoardLeft)) / kBoardSpanX * static_cast<float>(width));
}
inline int ProbePixelY(float boardY, int height) {
    return static_cast<int>((boardY - static_cast<float>(kBoardTop)) / kBoardSpanY * static_cast<float>(height));
}

}  // namespace tessaran::shot
