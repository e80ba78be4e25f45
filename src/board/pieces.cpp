// Piece drawing: characters from the sheet through its mask, the ninth from coloured geometry
// (through a texture cell made at the scale shown), digits from the digit sheet. Immediate mode;
// a batch draws many pieces with few state changes.
#include "board/pieces.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "board/ninth_cell.h"
#include "profile/prefs.h"
#include "ui/bitmap.h"
#include "ui/textures.h"

namespace tessaran {

NinthPiece NinthPieceState;

namespace {

// The unit quad with texture rectangle (s0, t0)..(s1, t1); t grows up the picture, y down the
// board, so the top edge takes t1 and the picture stands upright.
void SheetQuad(float s0, float t0, float s1, float t1) {
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t1);
    glVertex2f(-0.5f, -0.5f);
    glTexCoord2f(s1, t1);
    glVertex2f(0.5f, -0.5f);
    glTexCoord2f(s1, t0);
    glVertex2f(0.5f, 0.5f);
    glTexCoord2f(s0, t0);
    glVertex2f(-0.5f, 0.5f);
    glEnd();
}

// Pieces gathered while a batch is open, corners already through the model-view transform, so
// that a whole board costs one texture bind and one blend set-up per sheet and pass.
struct BatchedQuad {
    float x[4], y[4], z[4];
    float s0, t0, s1, t1;
};
struct SheetBatch {
    uint32_t mask = 0, picture = 0;
    std::vector<BatchedQuad> quads;
};
bool Batching = false;
constexpr int kNinthCellsPerBoard = 128;
bool FastDrawing = true;

uint32_t OnePass(uint32_t picture) { return FastDrawing ? OnePassName(picture) : 0; }
std::vector<SheetBatch> Batches;  // kept between frames, so a frame allocates nothing

void SheetQuadVertices(const BatchedQuad& q) {
    const float s[4] = {q.s0, q.s1, q.s1, q.s0}, t[4] = {q.t1, q.t1, q.t0, q.t0};
    for (int k = 0; k < 4; ++k) {
        glTexCoord2f(s[k], t[k]);
        glVertex3f(q.x[k], q.y[k], q.z[k]);
    }
}

void BatchSheetQuad(uint32_t mask, uint32_t picture, float s0, float t0, float s1, float t1) {
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    BatchedQuad q{{}, {}, {}, s0, t0, s1, t1};
    const float cx[4] = {-0.5f, 0.5f, 0.5f, -0.5f}, cy[4] = {-0.5f, -0.5f, 0.5f, 0.5f};
    for (int k = 0; k < 4; ++k) {
        q.x[k] = m[0] * cx[k] + m[4] * cy[k] + m[12];
        q.y[k] = m[1] * cx[k] + m[5] * cy[k] + m[13];
        q.z[k] = m[2] * cx[k] + m[6] * cy[k] + m[14];
    }
    auto batch = std::find_if(Batches.begin(), Batches.end(),
                              [&](const SheetBatch& b) { return b.mask == mask && b.picture == picture; });
    if (batch == Batches.end()) batch = Batches.insert(Batches.end(), SheetBatch{mask, picture, {}});
    batch->quads.push_back(q);
}

// What follows a masked piece (the ninth character in a blended panel) has always found the
// adding blend of the picture pass set up.
void LeaveAddingBlend() { glBlendFunc(GL_ONE, GL_ONE); }

// Mask first, multiplying: the frame is kept where the picture is black and cleared elsewhere.
// Then the picture, adding: black adds nothing, so black is the transparent colour.
void MaskedSheetQuad(uint32_t mask, uint32_t picture, float s0, float t0, float s1, float t1) {
    if (Batching) return BatchSheetQuad(mask, picture, s0, t0, s1, t1);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    if (const uint32_t onePass = OnePass(picture)) {
        BindTexture(onePass);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        SheetQuad(s0, t0, s1, t1);
        LeaveAddingBlend();
    } else {
        BindTexture(mask);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        SheetQuad(s0, t0, s1, t1);
        BindTexture(picture);
        glBlendFunc(GL_ONE, GL_ONE);
        SheetQuad(s0, t0, s1, t1);
    }
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void Colour(float r, float g, float b) { glColor3f(r, g, b); }

void NinthUpperBody(float k) {
    const NinthPiece& s = NinthPieceState;
    glPushMatrix();
    glTranslatef(0.0f, s.bob, 0.0f);

    // A shaded purple drum, lit down its middle.
    const float xs[5] = {-0.4f, -0.1f, 0.0f, 0.1f, 0.4f};
    const float shade[5][3] = {{0.3f, 0.0f, 0.3f}, {0.5f, 0.4f, 0.5f}, {1.0f, 0.5f, 1.0f},
                               {0.5f, 0.4f, 0.5f}, {0.3f, 0.0f, 0.3f}};
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 5; ++i) {
        Colour(shade[i][0] * k, shade[i][1] * k, shade[i][2] * k);
        glVertex2f(xs[i], -0.4f);
        glVertex2f(xs[i], 0.4f);
    }
    glEnd();

    // A dark dome with a cyan-to-white rim, ten segments over the half turn. Counted, not
    // accumulated, so rounding can never drop or add a segment.
    const float step = 0.314159f;
    for (int i = 0; i < 10; ++i) {
        const float a = static_cast<float>(i) * step, b = a + step;
        glBegin(GL_QUAD_STRIP);
        Colour(0.0f, 0.0f, 0.1f * k);
        glVertex2f(0.0f, -0.4f);
        glVertex2f(0.0f, -0.4f);
        Colour(0.0f, 0.8f * k, 0.8f * k);
        glVertex2f(-0.25f * std::cos(a), -0.4f - 0.3f * std::sin(a));
        glVertex2f(-0.25f * std::cos(b), -0.4f - 0.3f * std::sin(b));
        Colour(k, k, k);
        glVertex2f(-0.4f * std::cos(a), -0.4f - 0.5f * std::sin(a));
        glVertex2f(-0.4f * std::cos(b), -0.4f - 0.5f * std::sin(b));
        glEnd();
    }

    // The arm, turned by the board's random angle, ending in a red claw.
    glPushMatrix();
    glScalef(0.7f, 1.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, 0.1f);
    glRotatef(-s.angle, 0.0f, 0.0f, 1.0f);
    const float rowY[3] = {0.1f, 0.0f, -0.1f};
    const float rowG[3] = {0.3f * k, k, 0.3f * k};
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 3; ++i) {
        Colour(0.0f, rowG[i], 0.0f);
        glVertex2f(-0.1f, rowY[i]);
        glVertex2f(0.8f, rowY[i]);
    }
    glEnd();
    glBegin(GL_TRIANGLES);
    Colour(0.0f, 0.3f * k, 0.0f);
    glVertex2f(-0.1f, 0.1f);
    Colour(0.0f, k, 0.0f);
    glVertex2f(-0.15f, 0.0f);
    glVertex2f(-0.1f, 0.0f);
    Colour(0.0f, 0.3f * k, 0.0f);
    glVertex2f(-0.1f, -0.1f);
    Colour(0.0f, k, 0.0f);
    glVertex2f(-0.15f, 0.0f);
    glVertex2f(-0.1f, 0.0f);
    glEnd();
    // Three quads: each starts in dark red and ends in bright red.
    struct ClawVertex {
        float x, y;
        bool bright;
    };
    const ClawVertex claw[3][4] = {
        {{0.8f, -0.15f, false}, {0.9f, -0.3f, false}, {1.2f, -0.3f, false}, {1.1f, -0.15f, true}},
        {{0.8f, -0.15f, false}, {0.8f, 0.15f, false}, {1.0f, 0.15f, true}, {1.0f, -0.15f, true}},
        {{0.8f, 0.15f, false}, {0.9f, 0.3f, false}, {1.2f, 0.3f, false}, {1.1f, 0.15f, true}},
    };
    glBegin(GL_QUADS);
    for (const auto& quad : claw) {
        for (const ClawVertex& v : quad) {
            Colour(v.bright ? k : 0.5f * k, 0.0f, 0.0f);
            glVertex2f(v.x, v.y);
        }
    }
    glEnd();
    glPopMatrix();

    glPopMatrix();
}

void NinthLeg(float x, float y, float k) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    const float xs[3] = {-0.1f, 0.0f, 0.1f};
    const float red[3] = {0.2f * k, 0.8f * k, 0.2f * k};
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 3; ++i) {
        Colour(red[i], 0.0f, 0.0f);
        glVertex2f(xs[i], 0.0f);
        glVertex2f(xs[i], 0.7f);
    }
    glEnd();
    glBegin(GL_QUADS);
    Colour(0.7f * k, 0.7f * k, 0.7f * k);
    glVertex2f(-0.2f, 0.7f);
    glVertex2f(0.2f, 0.7f);
    Colour(0.2f * k, 0.2f * k, 0.2f * k);
    glVertex2f(0.3f, 0.8f);
    glVertex2f(-0.3f, 0.8f);
    glEnd();
    glPopMatrix();
}

}  // namespace

void DrawNinthPiece(bool dimmed) {
    const float k = dimmed ? 0.3f : 1.0f;
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(NinthPieceState.x, NinthPieceState.y, 0.1f);
    glScalef(0.63f, 0.55f, 1.0f);
    NinthUpperBody(k);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -0.1f);
    NinthLeg(0.25f, 0.04f, k);
    NinthLeg(-0.25f, 0.04f, k);
    glPopMatrix();
    NinthPieceState.bob = 0.0f;
    glPopMatrix();
}

void DrawPiece(int32_t value, int32_t pose, bool dimmed) {
    if (value < 1 || value > 9) return;
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);

    if (Prefs.pieceStyle != 1) {
        if (value <= 8) {
            const float s0 = static_cast<float>(value - 1) * 0.125f;
            const float t0 = pose == 1 ? 0.5f : 0.0f;
            MaskedSheetQuad(MaskName(TexturePieceSheet), dimmed ? TextureDimSheet : TexturePieceSheet, s0, t0,
                            s0 + 0.125f, t0 + 0.5f);
        } else {
            glPushMatrix();
            NinthPieceState.bob = pose == 0 ? 0.2f : 0.0f;
            if (!FastDrawing || !DrawNinthFromCell(dimmed, Batching)) DrawNinthPiece(dimmed);
            glPopMatrix();
        }
    }

    if (Prefs.pieceStyle != 0) {
        glPushMatrix();
        glEnable(GL_TEXTURE_2D);
        glColor3f(1.0f, 1.0f, 1.0f);
        const float s0 = static_cast<float>((value - 1) % 3) / 3.0f;
        const float t0 = static_cast<float>((value - 1) / 3) / 3.0f;
        MaskedSheetQuad(MaskName(TextureDigits), dimmed ? TextureDimDigits : TextureDigits, s0, t0, s0 + 0.333f,
                        t0 + 0.333f);
        glPopMatrix();
    }
}

void BeginPieceBatch() {
    Batching = FastDrawing;
    AllowNewNinthCells(kNinthCellsPerBoard);
}

void UseFastPieceDrawing(bool on) { FastDrawing = on; }

void EndPieceBatch() {
    Batching = false;
    DrawQueuedNinthCells();  // first, as their geometry was drawn before the sheets' batches
    if (std::all_of(Batches.begin(), Batches.end(), [](const SheetBatch& b) { return b.quads.empty(); })) return;
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    // Sheets in the order they were first used: the digits of "both" lie over the characters.
    for (SheetBatch& batch : Batches) {
        if (batch.quads.empty()) continue;
        const auto pass = [&](uint32_t texture, GLenum source, GLenum destination) {
            BindTexture(texture);
            glBlendFunc(source, destination);
            glBegin(GL_QUADS);
            for (const BatchedQuad& q : batch.quads) SheetQuadVertices(q);
            glEnd();
        };
        if (const uint32_t onePass = OnePass(batch.picture)) {
            pass(onePass, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        } else {
            pass(batch.mask, GL_DST_COLOR, GL_ZERO);
            pass(batch.picture, GL_ONE, GL_ONE);
        }
        batch.quads.clear();
    }
    LeaveAddingBlend();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}

void DrawPieceBright(int32_t value, int32_t pose) { DrawPiece(value, pose, false); }

void DrawPiecePicture(int32_t value, int32_t pose) {
    const int32_t style = Prefs.pieceStyle;
    Prefs.pieceStyle = 0;
    DrawPiece(value, pose, false);
    Prefs.pieceStyle = style;
}

void DrawMaskedPicture(float x, float y, float z, float width, float height, uint32_t texture) {
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    // Generated coordinates or a leftover text colour would shift or tint the picture.
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(width, -height, 1.0f);
    const uint32_t onePass = OnePass(texture);
    const uint32_t names[2] = {MaskName(texture), texture};
    for (int pass = onePass ? 1 : 0; pass < 2; ++pass) {
        BindTexture(onePass ? onePass : names[pass]);
        if (onePass)
            glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        else if (pass == 0)
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
        else
            glBlendFunc(GL_ONE, GL_ONE);
        glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(-0.5f, -0.5f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(0.5f, -0.5f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(0.5f, 0.5f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(-0.5f, 0.5f);
        glEnd();
    }
    LeaveAddingBlend();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}

}  // namespace tessaran
