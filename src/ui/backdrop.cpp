// Colour backdrop and bouncing pieces: stepping is separate from drawing so it tests headless.
#include "ui/backdrop.h"

#include <GL/gl.h>

#include "board/pieces.h"
#include "game/game_state.h"
#include "game/random.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/screens.h"

namespace tessaran {

std::array<BackdropTriple, kBackdropVertices> BackdropColour;
std::array<BackdropTriple, kBackdropVertices> BackdropDrift;
std::array<BouncingPiece, kBouncingPieceCount> BouncingPieces;

void ResetColourBackdrop() {
    BackdropColour.fill({});
    BackdropDrift.fill({});
}

void ScatterBouncingPieces() {
    for (BouncingPiece& p : BouncingPieces) {
        // Each on its own line: the order of the draws is part of the behaviour.
        p.x = static_cast<float>(rand() % 9);
        p.y = static_cast<float>(rand() % 9);
        p.vx = static_cast<float>(rand() % 17 - 8) * 0.01f;
        p.vy = static_cast<float>(rand() % 17 - 8) * 0.01f;
        p.spin = static_cast<float>(rand() % 117 - 58) * 0.25f;
        p.angle = 0.0f;
    }
}

namespace {

void StepComponent(float& colour, float& drift, float softLimit, float step) {
    colour += drift;
    if (colour > softLimit) {
        drift -= step;
        if (colour > kBackdropCeiling) colour = kBackdropCeiling;
    } else if (colour < 0.0f) {
        colour = 0.0f;
        drift = 0.0f;
    }
}

float Wander(float frameFactor) { return static_cast<float>(rand() % 3 - 1) * frameFactor * 0.001f; }

// Off either wall of 0..kBounceLimit: back onto it, moving the other way.
void BounceOffWalls(float& position, float& velocity) {
    if (position > kBounceLimit) {
        position = kBounceLimit;
        velocity = -velocity;
    }
    if (position < 0.0f) {
        position = 0.0f;
        velocity = -velocity;
    }
}

}  // namespace

void StepColourBackdrop(float frameFactor) {
    const float greenLimit = CrystalBallActive ? 0.3f : 0.05f;
    const float step = frameFactor * 0.001f;
    for (int k = 0; k < kBackdropVertices; ++k) {
        BackdropTriple& c = BackdropColour[k];
        BackdropTriple& d = BackdropDrift[k];
        d.r += Wander(frameFactor);
        d.g += Wander(frameFactor);
        d.b += Wander(frameFactor);
        StepComponent(c.r, d.r, 0.2f, step);
        StepComponent(c.g, d.g, greenLimit, step);
        StepComponent(c.b, d.b, 0.2f, step);
    }
}

void StepBouncingPieces(float frameFactor) {
    for (BouncingPiece& p : BouncingPieces) {
        p.x += frameFactor * p.vx;
        p.y += frameFactor * p.vy;
        p.angle += frameFactor * p.spin;
        BounceOffWalls(p.x, p.vx);
        BounceOffWalls(p.y, p.vy);
    }
}

void DrawColourBackdrop() {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -9.0f);

    // A strip down the right beside the board, or the whole window where no board is shown.
    const bool strip = Prefs.difficulty != 0 && ScreenState != ScreenMessage && ScreenState != ScreenAbout;
    const float x0 = strip ? 8.3f : -1.0f;
    const float spacing = strip ? 1.7f : 8.85f;

    float px[kBackdropVertices], py[kBackdropVertices];
    for (int c = 0; c < kBackdropColumns; ++c) {
        for (int r = 0; r < kBackdropRows; ++r) {
            const int k = c * kBackdropRows + r;
            // The jitter has a ceiling and no floor, as it always had.
            const float jx = BackdropDrift[k].r > 0.2f ? 0.2f : BackdropDrift[k].r;
            const float jy = BackdropDrift[k].g > 0.2f ? 0.2f : BackdropDrift[k].g;
            px[k] = x0 + static_cast<float>(c) * spacing + jx;
            py[k] = static_cast<float>(r) * 2.375f - 0.8f + jy;
        }
    }

    glBegin(GL_QUADS);
    for (int c = 0; c + 1 < kBackdropColumns; ++c) {
        for (int r = 0; r + 1 < kBackdropRows; ++r) {
            const int corners[4] = {c * kBackdropRows + r, c * kBackdropRows + r + 1, (c + 1) * kBackdropRows + r + 1,
                                    (c + 1) * kBackdropRows + r};
            for (int k : corners) {
                // Four components, as every flat shape sends (see FillRect).
                glColor4f(BackdropColour[k].r, BackdropColour[k].g, BackdropColour[k].b, 1.0f);
                glVertex2f(px[k], py[k]);
            }
        }
    }
    glEnd();
    glPopMatrix();

    // Every quad above used last frame's colours; the new ones show next frame.
    StepColourBackdrop(FrameFactor);
}

void DrawBouncingPieces() {
    StepBouncingPieces(FrameFactor);
    for (int i = 0; i < kBouncingPieceCount; ++i) {
        const BouncingPiece& p = BouncingPieces[i];
        glPushMatrix();
        glTranslatef(p.x, p.y, 0.0f);
        glRotatef(p.angle, 0.0f, 0.0f, 1.0f);
        DrawPiecePicture(i + 1, 0);
        glPopMatrix();
    }
}

}  // namespace tessaran
