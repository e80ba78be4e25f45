// Scenes of the presentation toolkit: the gallery of every picture, piece and widget, the
// animated backdrop, and the probe scenes whose pixels the tests read.
#include <GL/gl.h>

#include <cstdio>

#include "board/pieces.h"
#include "profile/prefs.h"
#include "shot/probe_layout.h"
#include "shot/scene.h"
#include "ui/backdrop.h"
#include "ui/bitmap.h"
#include "ui/text.h"
#include "ui/textures.h"
#include "ui/widgets.h"

namespace tessaran::shot {
namespace {

void FillBoardRect(float x0, float y0, float x1, float y1, float r, float g, float b) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(r, g, b);
    FillRect(x0, y0, x1, y1);
}

// A checkerboard, so a masked picture's transparent parts are plain to see.
void Checker(float x0, float y0, float x1, float y1) {
    const float step = (x1 - x0) / 8.0f;
    int row = 0;
    for (float y = y0; y < y1 - 1e-4f; y += step, ++row) {
        int col = 0;
        for (float x = x0; x < x1 - 1e-4f; x += step, ++col) {
            const float v = (row + col) % 2 ? 0.55f : 0.35f;
            FillBoardRect(x, y, x + step, y + step < y1 ? y + step : y1, v, v * 0.8f, v);
        }
    }
}

void Label(float boardX, float boardY, int size, const char* text, float r = 1, float g = 1, float b = 1) {
    SetTextSize(size);
    SetTextColor(r, g, b);
    DrawTextAt((boardX + 0.6f) / kBoardPerPercentX, (boardY + 0.6f) / kBoardPerPercentY, text);
}

struct PictureSize {
    uint32_t number;
    int width, height;
};

PictureSize SizeOf(uint32_t number) {
    if (number == TexturePieceSheet) return {number, PieceSheet.picture.width, PieceSheet.picture.height};
    for (int i = 0; i < TextureSlotCount; ++i)
        if (TextureSlots[i].number == number)
            return {number, TextureSlots[i].image.picture.width, TextureSlots[i].image.picture.height};
    return {number, 1, 1};
}

// The picture fitted into a box, keeping its shape.
void FitBox(uint32_t number, float box, float& w, float& h) {
    const PictureSize s = SizeOf(number);
    const float aspect = s.height > 0 ? static_cast<float>(s.width) / static_cast<float>(s.height) : 1.0f;
    w = aspect >= 1 ? box : box * aspect;
    h = aspect >= 1 ? box / aspect : box;
}

void Thumbnail(uint32_t number, float cx, float cy, float box) {
    float w, h;
    FitBox(number, box, w, h);
    // (0, 0) of the texture is its bottom-left, so the quad starts at the bottom edge.
    DrawTexturedQuad(cx - w / 2, cy + h / 2, cx + w / 2, cy - h / 2, 1, 1, number, 0.0f);
}

void MaskedThumbnail(uint32_t number, float cx, float cy, float box) {
    float w, h;
    FitBox(number, box, w, h);
    SetBoardProjection();
    Checker(cx - box / 2, cy - box / 2, cx + box / 2, cy + box / 2);
    DrawMaskedPicture(cx, cy, 0.0f, w, h, number);
}

constexpr uint32_t kGalleryPictures[] = {TexturePauseBanner, TextureCrystalBall, TextureTimeLabel, TextureScoreLabel,
                                         TextureBonusBanner, TextureLogo,        TextureDimSheet,  TextureMarbleBar,
                                         TextureKeyDigits,   TextureCross,       TextureDigits,    TextureDimDigits,
                                         TexturePieceSheet};
constexpr uint32_t kMaskedPictures[] = {TexturePauseBanner, TextureTimeLabel, TextureScoreLabel, TextureBonusBanner,
                                        TextureCross,       TextureDigits,    TexturePieceSheet};

void GallerySetUp() {
    Prefs.difficulty = 0;  // the backdrop fills the window
    for (int i = 0; i < 400; ++i) StepColourBackdrop(1.0f);
    NinthPieceState.angle = 18.0f;
}

void GalleryPictures() {
    Label(-0.5f, -0.55f, 2, "Pictures");
    char number[16];
    for (int i = 0; i < 13; ++i) {
        const float cx = -0.1f + static_cast<float>(i) * 0.93f, cy = 0.3f;
        SetBoardProjection();
        Thumbnail(kGalleryPictures[i], cx, cy, 0.85f);
        std::snprintf(number, sizeof number, "%u", kGalleryPictures[i]);
        Label(cx - 0.15f, 0.78f, 2, number, 0.8f, 0.8f, 0.8f);
    }
    Label(-0.5f, 1.0f, 2, "Masks, and masked pictures over a checkerboard");
    for (int i = 0; i < 7; ++i) {
        const uint32_t n = kMaskedPictures[i];
        const float cx = -0.1f + static_cast<float>(i) * 1.74f, cy = 1.85f;
        SetBoardProjection();
        Thumbnail(MaskName(n), cx, cy, 0.8f);
        MaskedThumbnail(n, cx + 0.86f, cy, 0.8f);
        std::snprintf(number, sizeof number, "%u", MaskName(n));
        Label(cx - 0.2f, 2.3f, 2, number, 0.8f, 0.8f, 0.8f);
    }
}

void GalleryPieces() {
    static const char* const kStyles[3] = {"Vorlas", "Numbers", "Both"};
    const int32_t style = Prefs.pieceStyle;
    for (int s = 0; s < 3; ++s) {
        for (int dim = 0; dim < 2; ++dim) {
            const float cy = 2.9f + static_cast<float>(s * 2 + dim) * 0.6f;
            char label[32];
            std::snprintf(label, sizeof label, "%s%s", kStyles[s], dim ? ", dim" : "");
            Label(-0.55f, cy - 0.12f, 2, label, 0.8f, 0.8f, 0.8f);
            Prefs.pieceStyle = s;
            SetBoardProjection();
            for (int v = 1; v <= 9; ++v) {
                for (int pose = 0; pose < 2; ++pose) {
                    const float cx = 1.05f + static_cast<float>((v - 1) * 2 + pose) * 0.585f + static_cast<float>(v - 1) * 0.03f;
                    glPushMatrix();
                    glTranslatef(cx, cy, 0.0f);
                    glScalef(0.56f, 0.56f, 1.0f);
                    DrawPiece(v, pose, dim != 0);
                    glPopMatrix();
                }
            }
        }
    }
    Prefs.pieceStyle = style;
}

void GalleryText() {
    Label(-0.5f, 6.3f, 2, "Text");
    SetTextSize(3);
    SetTextColor(1, 1, 1);
    DrawTextAt(1.0f, 79.5f, "Size 3: The quick brown Vorla");
    SetTextSize(5);
    SetTextColor(1.0f, 0.85f, 0.2f);
    DrawTextAt(1.0f, 83.0f, "Size 5: 0123456789");
    SetTextSize(8);
    SetTextColor(0.4f, 0.8f, 1.0f);
    DrawTextAt(1.0f, 88.0f, "Size 8: Vorla");
    SetTextColor(1.0f, 0.3f, 1.0f);
    SetTextSize(4);
    DrawTextShadowed(95.5f, "Shadowed, centred at 37.5%");
}

void GalleryWidgets() {
    const int kAway = -1000;
    PointAt(kAway, kAway);
    Label(3.6f, 6.3f, 2, "Widgets: idle | pointer over, disabled");
    const float col[2] = {40.0f, 56.0f};
    for (int hovered = 0; hovered < 2; ++hovered) {
        const float x = col[hovered];
        Widget w;
        MakeButton(w, x, 80.0f, 4, "Button", false);
        if (hovered) PointAt(static_cast<int>(x + 2), 82);
        DrawWidget(w);
        MakeTextItem(w, x, 85.0f, 3, "Text item", false, false);
        if (hovered) PointAt(static_cast<int>(x + 2), 86);
        DrawWidget(w);
        MakeTextItem(w, x, 88.5f, 3, hovered ? "Disabled" : "Selected", !hovered, hovered != 0);
        DrawWidget(w);
        MakeCheckBox(w, x + 4, 92.0f, 3, "Check box", hovered != 0, false);
        if (hovered) PointAt(static_cast<int>(x + 5), 93);
        DrawWidget(w);
        MakeArrowButton(w, x + 11.5f, 80.5f, 2.5f, true, false);
        if (hovered) PointAt(static_cast<int>(x + 12), 81);
        DrawWidget(w);
        MakeArrowButton(w, x + 11.5f, 85.0f, 2.5f, false, hovered != 0);
        DrawWidget(w);
        PointAt(kAway, kAway);
    }
}

void GalleryPanels() {
    DrawShadedBox(8.5f, 6.35f, 11.45f, 8.45f, 0.06f);
    Label(8.6f, 6.38f, 2, "Shaded box, bouncing pieces");
    // The bouncing pieces roam 0..8 board units; here they roam a small panel.
    SetBoardProjection();
    glPushMatrix();
    glTranslatef(9.2f, 6.85f, 0.0f);
    glScalef(0.17f, 0.17f, 1.0f);
    DrawBouncingPieces();
    glPopMatrix();
}

void GalleryFrame(int) {
    SetBoardProjection();
    DrawColourBackdrop();
    GalleryPictures();
    GalleryPieces();
    GalleryText();
    GalleryWidgets();
    GalleryPanels();
}

TESSARAN_SHOT_SCENE(gallery, "gallery", "every picture, piece style and widget, text, backdrop", GallerySetUp,
                    GalleryFrame);

// ---- The backdrop and the bouncing pieces, full size ---------------------------------------

void BackdropSetUp() {
    Prefs.difficulty = 0;
    for (int i = 0; i < 400; ++i) StepColourBackdrop(1.0f);
}

void BackdropFrame(int) {
    SetBoardProjection();
    DrawColourBackdrop();
    DrawVersionStrip();
    SetBoardProjection();
    DrawBouncingPieces();
}

TESSARAN_SHOT_SCENE(backdrop, "backdrop", "colour backdrop, version strip and bouncing pieces", BackdropSetUp,
                    BackdropFrame);

// ---- Probes for the tests ------------------------------------------------------------------

void ProbeMaskFrame(int) {
    SetBoardProjection();
    glDisable(GL_DEPTH_TEST);
    FillBoardRect(-0.6f, -0.6f, 11.7f, 8.6f, kProbeBackground[0], kProbeBackground[1], kProbeBackground[2]);
    DrawMaskedPicture(kProbeCrossX, kProbeCrossY, 0.0f, kProbeCrossSide, kProbeCrossSide, TextureCross);
}

TESSARAN_SHOT_SCENE(probe_mask, "probe-mask", "test probe: a masked picture over a solid colour", nullptr,
                    ProbeMaskFrame);

void ProbePiecesFrame(int) {
    SetBoardProjection();
    const struct {
        int value, pose, style;
        bool dim;
    } cells[7] = {{3, 0, 0, false}, {3, 1, 0, false}, {3, 0, 0, true}, {9, 0, 0, false},
                  {9, 0, 0, true},  {5, 0, 1, false}, {5, 0, 1, true}};
    const int32_t style = Prefs.pieceStyle;
    for (int i = 0; i < 7; ++i) {
        Prefs.pieceStyle = cells[i].style;
        glPushMatrix();
        glTranslatef(kProbePieceX[i], kProbePieceY, 0.0f);
        glScalef(kProbePieceSide, kProbePieceSide, 1.0f);
        DrawPiece(cells[i].value, cells[i].pose, cells[i].dim);
        glPopMatrix();
    }
    Prefs.pieceStyle = style;
}

TESSARAN_SHOT_SCENE(probe_pieces, "probe-pieces", "test probe: poses, dimming and digits of single pieces", nullptr,
                    ProbePiecesFrame);

}  // namespace
}  // namespace tessaran::shot
