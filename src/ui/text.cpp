// Text wrappers over TextRenderer: percent of the reference window in, pixels of the text space out.
#include "ui/text.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "shell/startup.h"

namespace tessaran {

LFontRenderer TextRenderer;
int32_t TextRefWidth = 0;
int32_t TextRefHeight = 0;

namespace {

const char* OrEmpty(const char* text) { return text != nullptr ? text : ""; }

void QueueAndDraw(float xPixels, float yPixels, const char* text) {
    TextRenderer.StringOut(xPixels, yPixels, OrEmpty(text));
    TextRenderer.Draw();
}

// The width factor TextRenderer holds: 1 outside every TextWidth, else the innermost one's.
float WidthInForce = 1.0f;

void ApplyWidth(float scale) {
    WidthInForce = scale;
    TextRenderer.SetWidthScale(scale);
}

float PixelsAcross(float percent) { return static_cast<float>(TextRefWidth * static_cast<double>(percent) * 0.01); }
float PixelsDown(float percent) { return static_cast<float>(TextRefHeight * static_cast<double>(percent) * 0.01); }

}  // namespace

void InitFonts() {
    try {
        TextRenderer.Clear();
        TextRenderer.LoadFont("Another", "Another.fnt");
        TextRenderer.SetActiveFont("Another");
        ApplyWidth(1.0f);
        TextRenderer.SetRotation(0.0f);
        TextRenderer.SetHeight(LFontRenderer::kDefaultHeight);
    } catch (const FontError& error) {
        // Without its font the game cannot show a single word: stop as for a missing file, and
        // leave the precise reason for whoever reads standard error.
        std::fprintf(stderr, "Tessaran: %s\n", error.what());
        FatalMissingFile("Another.fnt");
    }
    TextRefWidth = glutGet(GLUT_WINDOW_WIDTH);
    TextRefHeight = glutGet(GLUT_WINDOW_HEIGHT);
}

void SetTextSize(double percent) {
    const double pixels = static_cast<double>(TextRefHeight) * percent * 0.01;
    TextRenderer.SetHeight(pixels > 0.0 ? static_cast<uint32_t>(pixels) : 0u);
}

void SetTextColor(float r, float g, float b) { TextRenderer.SetColor(r, g, b); }

void DrawTextAt(float xPercent, float yPercent, const char* text) {
    QueueAndDraw(PixelsAcross(xPercent), PixelsDown(yPercent), text);
}

float TextWidthPercent(const char* text) {
    if (TextRefWidth <= 0) return 0.0f;
    return static_cast<float>(static_cast<double>(TextRenderer.GetStringWidth(OrEmpty(text))) / TextRefWidth * 100.0);
}

void DrawTextCentred(float yPercent, const char* text) {
    DrawTextAt(50.0f - TextWidthPercent(text) * 0.5f, yPercent, text);
}

void DrawTextShadowed(float yPercent, const char* text) {
    float r, g, b;
    TextRenderer.GetColor(r, g, b);
    const float x = PixelsAcross(37.5f - TextWidthPercent(text) * 0.5f);
    const float y = PixelsDown(yPercent);
    const float d = static_cast<float>(TextRefHeight * 0.003);
    TextRenderer.SetColor(0.1f, 0.1f, 0.1f);
    QueueAndDraw(x + d, y + d, text);
    TextRenderer.SetColor(r, g, b);
    QueueAndDraw(x, y, text);
}

TextWidth::TextWidth(float scale) : scale_(scale), outer_(WidthInForce) { ApplyWidth(scale); }

TextWidth::~TextWidth() { ApplyWidth(outer_); }

float TextWidth::Fit(const char* text, float room) {
    ApplyWidth(scale_);
    const float width = TextWidthPercent(text);
    if (width <= room || width <= 0.0f || room <= 0.0f) return width;
    ApplyWidth(scale_ * room / width);
    return TextWidthPercent(text);
}

void TextWidth::DrawCentred(float centre, float yPercent, const char* text, float room) {
    const float width = Fit(text, room);
    DrawTextAt(centre - width * 0.5f, yPercent, text);
    ApplyWidth(scale_);
}

float TextWidth::Scale() const { return WidthInForce; }

}  // namespace tessaran
