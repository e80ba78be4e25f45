// Immediate-mode widgets and the shared drawing routines; widgets keep no state between frames.
#include "ui/widgets.h"

#include <GL/gl.h>

#include <cstdio>

#include "audio/sound.h"
#include "shell/input_state.h"
#include "ui/focus.h"
#include "ui/text.h"
#include "ui/textures.h"

namespace tessaran {

bool DifficultyMenuOpen = false;
HoverState WidgetHover;
const char* const VersionText = "Version " TESSARAN_VERSION " W    \xA9 2026";

// ---- Projections and drawing routines ----------------------------------------------------

void SetScreenProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 400.0, 300.0, 0.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
}

void SetBoardProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(kBoardLeft, kBoardRight, kBoardBottom, kBoardTop, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
}

// Flat shapes all send a colour with every two-coordinate vertex (depth goes in the matrix):
// one vertex layout, so a software renderer compiles one program for them, not one per layout.
void FillRect(float x0, float y0, float x1, float y1, float z) {
    GLfloat c[4];
    glGetFloatv(GL_CURRENT_COLOR, c);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, z);
    glBegin(GL_QUADS);
    glColor4fv(c);  // inside the quad, so each vertex carries it
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
    glPopMatrix();
}

void DrawTick() {
    glBegin(GL_QUADS);
    glVertex2f(-3.0f, 0.0f);
    glVertex2f(-2.0f, -0.5f);
    glVertex2f(0.0f, 3.0f);
    glVertex2f(0.0f, 2.0f);
    glVertex2f(0.0f, 2.0f);
    glVertex2f(0.0f, 3.0f);
    glVertex2f(5.0f, -1.5f);
    glVertex2f(4.0f, -2.0f);
    glEnd();
}

void DrawShadedBox(float x0, float y0, float x1, float y1, float b) {
    glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetBoardProjection();
    glColor4f(0.0f, 0.0f, 0.0f, 0.8f);
    FillRect(x0, y0, x1, y1);
    glDisable(GL_BLEND);
    glColor3f(0.5f, 0.0f, 0.5f);
    FillRect(x0 - b, y0 - b, x0, y1 + b);
    FillRect(x1 + b, y0 - b, x1, y1 + b);
    FillRect(x0 - b, y0 - b, x1 + b, y0);
    FillRect(x0 - b, y1 + b, x1 + b, y1);
}

void DrawTexturedQuad(float x0, float y0, float x1, float y1, float s1, float t1, uint32_t texture, float z) {
    SetBoardProjection();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    BindTexture(texture);
    glNormal3f(0.0f, 0.0f, 1.0f);
    // Depth in the matrix: the same two-coordinate vertices as text and the other pictures.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, z);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(x0, y0);
    glTexCoord2f(s1, 0.0f);
    glVertex2f(x1, y0);
    glTexCoord2f(s1, t1);
    glVertex2f(x1, y1);
    glTexCoord2f(0.0f, t1);
    glVertex2f(x0, y1);
    glEnd();
    glPopMatrix();
}

void DrawVersionStrip() {
    constexpr float kLogoLeft = 8.55f;
    SetBoardProjection();
    DrawTexturedQuad(kLogoLeft, 1.0f, 11.65f, -0.42f, 1.0f, 1.0f, TextureLogo, 3.0f);
    SetTextSize(4);
    SetTextColor(1.0f, 1.0f, 1.0f);
    // Under the logo, in the band right of the board (and of the main screen's score panel,
    // which ends where the board does): narrowed where the font would carry it over their edge.
    const float left = (kLogoLeft + 0.6f) / kBoardPerPercentX + 1.0f, right = 99.5f;
    TextWidth plain(1.0f);
    plain.DrawCentred((left + right) * 0.5f, 18.0f, VersionText, right - left);
}

// ---- Construction ------------------------------------------------------------------------

namespace {

void Fill(Widget& w, float x, float y, int32_t size, const char* text, bool selected, bool disabled, uint8_t kind) {
    w = Widget{};
    w.x = x;
    w.y = y;
    w.size = size;
    std::snprintf(w.text, sizeof w.text, "%s", text ? text : "");
    w.selected = selected;
    w.disabled = disabled;
    w.kind = kind;
    SetTextSize(size);
    w.width = TextWidthPercent(w.text);
    w.height = static_cast<float>(size);
}

}  // namespace

void MakeTextItem(Widget& w, float x, float y, int32_t size, const char* text, bool selected, bool disabled) {
    Fill(w, x, y, size, text, selected, disabled, WidgetTextItem);
}

void MakeCheckBox(Widget& w, float x, float y, int32_t size, const char* text, bool checked, bool disabled) {
    Fill(w, x, y, size, text, checked, disabled, WidgetCheckBox);
}

void MakeButton(Widget& w, float x, float y, int32_t size, const char* text, bool disabled) {
    Fill(w, x, y, size, text, false, disabled, WidgetButton);
    w.height = static_cast<float>(size) * 0.8f;
}

void MakeArrowButton(Widget& w, float x, float y, float side, bool pointsUp, bool disabled) {
    w = Widget{};
    w.x = x;
    w.y = y;
    w.width = w.height = side;
    w.disabled = disabled;
    w.kind = WidgetArrowButton;
    w.pointsUp = pointsUp;
}

// ---- Hit testing -------------------------------------------------------------------------

namespace {

// Margin around buttons and arrows, and the check box standing left of its text, in percent.
float Margin(const Widget& w) { return (w.kind == WidgetButton || w.kind == WidgetArrowButton) ? 1.0f : 0.0f; }
float LeftExtra(const Widget& w) { return w.kind == WidgetCheckBox ? 4.0f : 0.0f; }

bool Inside(float left, float top, float right, float bottom, float px, float py) {
    return left <= px && px <= right && top <= py && py <= bottom;
}

}  // namespace

bool WidgetContainsClick(const Widget& w, float clickX, float clickY) {
    float x = w.x, y = w.y, width = w.width, height = w.height, m = Margin(w), e = LeftExtra(w);
    if (w.kind != WidgetHitRegion) {
        x = BoardXFromPercent(x);
        y = BoardYFromPercent(y);
        width *= kBoardPerPercentX;
        height *= kBoardPerPercentY;
        // The margin keeps its across size vertically too, so buttons are a little taller to hit.
        m *= kBoardPerPercentX;
        e *= kBoardPerPercentX;
    }
    return Inside(x - m - e, y - m, x + width + m, y + height + m, clickX, clickY);
}

bool WidgetContainsPointer(const Widget& w, int32_t hoverX, int32_t hoverY) {
    const float m = Margin(w), e = LeftExtra(w);
    return Inside(w.x - m - e, w.y - m, w.x + w.width + m, w.y + w.height + m, static_cast<float>(hoverX),
                  static_cast<float>(hoverY));
}

bool WidgetClicked(Widget& w) {
    if (w.disabled || !MouseClicked) return false;
    if (!WidgetContainsClick(w, ClickX, ClickY)) return false;
    if (w.kind != WidgetHitRegion) PlaySound(SoundPop);
    MouseClicked = false;
    if (w.kind == WidgetTextItem) {
        w.selected = 1;
        for (Widget* other : w.group)
            if (other && other != &w) other->selected = 0;
    }
    return true;
}

bool WidgetHovered(const Widget& w) {
    if (w.disabled || !WidgetContainsPointer(w, HoverX, HoverY)) return false;
    WidgetHover.hovered = true;
    WidgetHover.identity = static_cast<int32_t>(w.y * 1000.0f + w.x);
    return true;
}

bool HitRegionClicked(float x0, float y0, float x1, float y1) {
    Widget w;
    w.kind = WidgetHitRegion;
    w.x = x0;
    w.y = y0;
    w.width = x1 - x0;
    w.height = y1 - y0;
    return WidgetClicked(w);
}

void ServiceHoverSound() {
    HoverState& h = WidgetHover;
    if (!h.hovered) {
        h.previous = false;
        return;
    }
    h.hovered = false;
    if (h.previous && h.identity == h.previousIdentity) return;  // still the same widget
    PlaySound(SoundMouseOver);
    h.previousIdentity = h.identity;
    h.previous = true;
}

// ---- Drawing -----------------------------------------------------------------------------

namespace {

void Grey(float level) { glColor3f(level, level, level); }

// The button's outline: an octagon with corners cut by 2 units; colours go per vertex pair
// (top-left, bottom-left, bottom-right, top-right).
void Octagon(float ex, float ey, const float (&colours)[4][3]) {
    const float v[8][2] = {{-ex + 2, -ey}, {-ex, -ey + 2}, {-ex, ey - 2}, {-ex + 2, ey},
                           {ex - 2, ey},   {ex, ey - 2},   {ex, -ey + 2}, {ex - 2, -ey}};
    glBegin(GL_POLYGON);
    for (int i = 0; i < 8; ++i) {
        const float* c = colours[i / 2];
        glColor4f(c[0], c[1], c[2], 1.0f);
        glVertex2f(v[i][0], v[i][1]);
    }
    glEnd();
}

void DrawButton(const Widget& w) {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    const float hw = w.width * 0.5f, hh = w.height * 0.5f;
    glTranslatef((w.x + hw) * 4.0f, (w.y + hh + 0.7f) * 3.0f, 1.0f);
    const float ex = (1.0f + hw) * 4.0f, ey = (0.5f + hh) * 3.0f;

    glPushMatrix();
    glScalef((ex + 2.0f) / ex, (ey + 2.0f) / ey, 1.0f);
    Octagon(ex, ey, {{0.3f, 0.3f, 0.3f}, {0.2f, 0.2f, 0.2f}, {0.1f, 0.1f, 0.1f}, {0.2f, 0.2f, 0.2f}});
    glPopMatrix();

    glTranslatef(0.0f, 0.0f, 0.1f);
    glPushMatrix();
    glScalef(1.025f, 1.07f, 1.0f);
    Octagon(ex, ey, {{0.05f, 0.05f, 0.05f}, {0.1f, 0.1f, 0.1f}, {0.2f, 0.2f, 0.2f}, {0.1f, 0.1f, 0.1f}});
    glPopMatrix();

    glTranslatef(0.0f, 0.0f, 0.1f);
    Octagon(ex, ey, {{0.5f, 0.5f, 0.6f}, {0.3f, 0.3f, 0.4f}, {0.1f, 0.1f, 0.2f}, {0.3f, 0.3f, 0.4f}});
    glPopMatrix();

    if (w.disabled)
        SetTextColor(0.2f, 0.2f, 0.2f);
    else
        SetTextColor(1.0f, 1.0f, 1.0f);
    SetTextSize(w.size);
    DrawTextAt(w.x, w.y, w.text);
}

void ArrowPlate(float l, float t, float r, float b, const float (&c)[4][3]) {
    glBegin(GL_QUADS);
    glColor3fv(c[0]);
    glVertex2f(l, t);
    glColor3fv(c[1]);
    glVertex2f(l, b);
    glColor3fv(c[2]);
    glVertex2f(r, b);
    glColor3fv(c[3]);
    glVertex2f(r, t);
    glEnd();
}

void DrawArrowButton(const Widget& w) {
    const float l = w.x * 4.0f, t = w.y * 3.0f, r = (w.x + w.width) * 4.0f, b = (w.y + w.height) * 3.0f;
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -1.0f);
    ArrowPlate(l - 1.4f, t - 1.0f, r + 1.4f, b + 2.2f,
               {{0.4f, 0.4f, 0.7f}, {0.3f, 0.4f, 0.6f}, {0.2f, 0.4f, 0.5f}, {0.3f, 0.4f, 0.6f}});
    glTranslatef(0.3f, -0.3f, 0.1f);
    ArrowPlate(l - 0.7f, t - 0.3f, r + 0.7f, b + 1.5f,
               {{0.1f, 0.1f, 0.5f}, {0.0f, 0.0f, 0.4f}, {0.0f, 0.0f, 0.3f}, {0.0f, 0.0f, 0.4f}});
    glTranslatef(-0.3f, 0.3f, 0.1f);
    ArrowPlate(l - 0.7f, t - 0.3f, r + 0.7f, b + 1.5f,
               {{0.6f, 0.6f, 1.0f}, {0.5f, 0.5f, 0.9f}, {0.4f, 0.4f, 0.8f}, {0.5f, 0.5f, 0.9f}});
    glTranslatef(0.0f, 0.0f, 0.1f);
    if (w.disabled)
        Grey(0.3f);
    else
        glColor3f(1.0f, 1.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    if (w.pointsUp) {
        glVertex2f(l, b + 0.7f);
        glVertex2f(r, b + 0.7f);
        glVertex2f((l + r) * 0.5f, t + 0.7f);
    } else {
        glVertex2f(l, t + 0.7f);
        glVertex2f(r, t + 0.7f);
        glVertex2f((l + r) * 0.5f, b + 0.7f);
    }
    glEnd();
    glPopMatrix();
}

void DrawCheckBox(const Widget& w) {
    if (w.disabled)
        SetTextColor(0.3f, 0.3f, 0.3f);
    else if (WidgetHovered(w))
        SetTextColor(0.4f, 1.0f, 0.4f);
    else
        SetTextColor(1.0f, 1.0f, 1.0f);
    SetTextSize(w.size);
    DrawTextAt(w.x, w.y, w.text);

    SetScreenProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPushMatrix();
    glTranslatef((w.x - 2.0f) * 4.0f, (w.y + 2.2f) * 3.0f, 5.0f);
    glScalef(1.3f, 1.3f, 1.0f);
    glColor3f(0.0f, 0.8f, 0.8f);
    FillRect(-4.4f, -4.4f, 4.4f, 4.4f);
    glTranslatef(0.0f, 0.0f, 0.1f);
    glColor3f(0.0f, 0.0f, 0.2f);
    FillRect(-4.0f, -4.0f, 4.0f, 4.0f);
    if (w.selected) {
        glTranslatef(0.0f, 0.0f, 0.1f);
        glColor3f(1.0f, 0.3f, 0.3f);
        DrawTick();
    }
    glPopMatrix();
}

}  // namespace

void DrawWidget(const Widget& w) {
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    SetScreenProjection();
    switch (w.kind) {
    case WidgetTextItem:
        if (w.disabled)
            SetTextColor(0.3f, 0.3f, 0.3f);
        else if (w.selected)
            SetTextColor(0.1f, 0.8f, 0.1f);
        else
            SetTextColor(1.0f, 1.0f, 1.0f);
        SetTextSize(w.size);
        DrawTextAt(w.x, w.y, w.text);
        break;
    case WidgetButton: DrawButton(w); break;
    case WidgetArrowButton: DrawArrowButton(w); break;
    case WidgetCheckBox: DrawCheckBox(w); break;
    default: break;  // hit regions are invisible
    }
}

// ---- Keyboard focus ------------------------------------------------------------------------

namespace {

uint8_t NextFocusFlags = 0;

uint8_t TakeNextFocusFlags() {
    const uint8_t flags = NextFocusFlags;
    NextFocusFlags = 0;
    return flags;
}

// The widget's clickable rectangle in percent, margins and a check box's box included.
FocusRect FocusRectOf(const Widget& w) {
    const float m = Margin(w), e = LeftExtra(w);
    return {w.x - m - e, w.y - m, w.x + w.width + m, w.y + w.height + m};
}

// A click on the widget, or Enter or Space while the ring is on it.
bool ServeWidget(Widget& w) {
    const uint8_t flags = TakeNextFocusFlags();
    bool pressed = false;
    if (!w.disabled && !(flags & FocusSkip)) {
        FocusItem item;
        item.id = MakeFocusId(w.kind, w.text, w.x, w.y);
        item.rect = FocusRectOf(w);
        item.modal = (flags & FocusModal) != 0;
        item.preferred = (flags & FocusPreferred) != 0;
        if (FocusWidget(item)) {
            // A label's height includes the room over its letters, which the line above uses.
            const float above = w.kind == WidgetTextItem || w.kind == WidgetCheckBox ? 0.12f * w.height : 0.0f;
            DrawFocusRing(item.rect.x0, item.rect.y0 + above, item.rect.x1, item.rect.y1);
        }
        pressed = FocusPressed(item.id);
    }
    if (WidgetClicked(w)) return true;
    if (!pressed) return false;
    PlaySound(SoundPop);
    if (w.kind == WidgetTextItem) w.selected = 1;
    return true;
}

}  // namespace

void SetNextWidgetFocus(uint8_t flags) { NextFocusFlags = flags; }

void DrawFocusRing(float x0, float y0, float x1, float y1) {
    constexpr float kGap = 0.3f;                   // percent between the widget and the ring
    constexpr float kEdge = 0.5f, kLine = 1.0f;    // screen units: a bright line with dark edges
    const float l = (x0 - kGap) * 4.0f, t = (y0 - kGap) * 3.0f, r = (x1 + kGap) * 4.0f, b = (y1 + kGap) * 3.0f;
    const GLboolean depth = glIsEnabled(GL_DEPTH_TEST);
    SetScreenProjection();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    auto frame = [&](float inset, float thickness) {
        const float L = l + inset, T = t + inset, R = r - inset, B = b - inset;
        FillRect(L, T, R, T + thickness);
        FillRect(L, B - thickness, R, B);
        FillRect(L, T, L + thickness, B);
        FillRect(R - thickness, T, R, B);
    };
    glColor3f(0.1f, 0.05f, 0.0f);
    frame(-kEdge, kLine + 2.0f * kEdge);
    glColor3f(1.0f, 0.8f, 0.1f);
    frame(0.0f, kLine);
    if (depth) glEnable(GL_DEPTH_TEST);
}

// ---- The calls screens make --------------------------------------------------------------

bool ControlRegionClicked(float x0, float y0, float x1, float y1, const char* name) {
    FocusItem item;
    item.rect = {(x0 - static_cast<float>(kBoardLeft)) / kBoardPerPercentX,
                 (y0 - static_cast<float>(kBoardTop)) / kBoardPerPercentY,
                 (x1 - static_cast<float>(kBoardLeft)) / kBoardPerPercentX,
                 (y1 - static_cast<float>(kBoardTop)) / kBoardPerPercentY};
    item.id = MakeFocusId(WidgetHitRegion, name, item.rect.x0, item.rect.y0);
    if (FocusWidget(item)) DrawFocusRing(item.rect.x0, item.rect.y0, item.rect.x1, item.rect.y1);
    const bool pressed = FocusPressed(item.id);
    if (HitRegionClicked(x0, y0, x1, y1)) return true;
    if (pressed) PlaySound(SoundPop);
    return pressed;
}

bool DoButton(float x, float y, int32_t size, const char* text) {
    Widget w;
    MakeButton(w, x, y, size, text, false);
    DrawWidget(w);
    // An open Difficulty menu lies over the buttons; the click is left for it.
    if (DifficultyMenuOpen) {
        TakeNextFocusFlags();
        return false;
    }
    return ServeWidget(w);
}

bool DoRaisedButton(float x, float y, int32_t size, const char* text, float raise) {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, raise);
    const bool clicked = DoButton(x, y, size, text);
    glPopMatrix();
    return clicked;
}

bool DoTextItem(float x, float y, int32_t size, const char* text, bool disabled) {
    Widget w;
    MakeTextItem(w, x, y, size, text, false, disabled);
    DrawWidget(w);
    return ServeWidget(w);
}

bool DoSelectableItem(float x, float y, int32_t size, const char* text, bool disabled, bool selected) {
    Widget w;
    MakeTextItem(w, x, y, size, text, selected, disabled);
    DrawWidget(w);
    return ServeWidget(w);
}

bool DoCheckBox(float x, float y, int32_t size, const char* text, bool disabled, bool checked) {
    Widget w;
    MakeCheckBox(w, x, y, size, text, checked, disabled);
    DrawWidget(w);
    return ServeWidget(w);
}

bool DoArrowButton(float x, float y, float side, bool pointsUp, bool disabled) {
    Widget w;
    MakeArrowButton(w, x, y, side, pointsUp, disabled);
    DrawWidget(w);
    return ServeWidget(w);
}

}  // namespace tessaran
