// Hints and wrong-move reasons on the game screen. Everything here reads ShownHint and
// WrongMoveExplanation; the only changes it makes go through PressHint.
#include "game/hint_view.h"

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "board/board_render.h"
#include "board/pieces.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "shell/clock.h"
#include "shell/screens.h"
#include "solver/help.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

// Board overlay depths: in front of the pieces (0) and trial frames, behind the magnified
// square and the side panel (2).
constexpr float kTintDepth = 0.7f, kFrameDepth = 0.8f, kPieceDepth = 0.9f, kCrossDepth = 1.1f;
// The box over the side panel, in percent, and the button above it.
constexpr float kBoxLeft = 76.0f, kBoxRight = 99.0f, kBoxTop = 43.0f, kBoxBottom = 66.0f;
constexpr float kBoxDepth = 6.0f;
constexpr float kButtonY = 37.0f, kPanelCentre = 87.5f;
constexpr int32_t kButtonSize = 4;
constexpr float kTextInset = 1.0f;
constexpr float kLinePitch = 0.8f;  // as DrawWrappedText spaces lines

float SquareX(int square) { return static_cast<float>(square % 9) + BoardShift(); }
float SquareY(int square) { return static_cast<float>(square / 9) + BoardShift(); }

void Plain() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void Frame(float x, float y, float outer, float width, float z) {
    FillRect(x - outer, y - outer, x + outer, y - outer + width, z);
    FillRect(x - outer, y + outer - width, x + outer, y + outer, z);
    FillRect(x - outer, y - outer, x - outer + width, y + outer, z);
    FillRect(x + outer - width, y - outer, x + outer, y + outer, z);
}

void TintUnits(const std::vector<int>& units) {
    glColor4f(1.0f, 0.9f, 0.2f, 0.28f);
    for (int unit : units)
        for (int s : UnitSquares(unit))
            FillRect(SquareX(s) - 0.5f, SquareY(s) - 0.5f, SquareX(s) + 0.5f, SquareY(s) + 0.5f, kTintDepth);
}

// A red cross where mark `value` sits in its square.
void CrossMark(int square, int value) {
    const bool child = ChildLayout();
    const int perRow = child ? 2 : 3;
    const float scale = child ? 0.45f : 0.3f, offset = child ? -0.5f : -1.0f;
    const int k = value - 1;
    const float x = SquareX(square) + scale * (offset + static_cast<float>(k % perRow));
    const float y = SquareY(square) + scale * (offset + static_cast<float>(k / perRow));
    const float half = scale * 0.42f;
    glColor4f(1.0f, 0.1f, 0.1f, 0.95f);
    glLineWidth(3.0f);
    glBegin(GL_LINES);
    glVertex3f(x - half, y - half, kCrossDepth);
    glVertex3f(x + half, y + half, kCrossDepth);
    glVertex3f(x + half, y - half, kCrossDepth);
    glVertex3f(x - half, y + half, kCrossDepth);
    glEnd();
    glLineWidth(1.0f);
}

void ShowPlacement(const Placement& p) {
    glColor4f(0.2f, 1.0f, 0.3f, 0.9f);
    Frame(SquareX(p.square), SquareY(p.square), 0.47f, 0.06f, kFrameDepth);
    glPushMatrix();
    glTranslatef(SquareX(p.square), SquareY(p.square), kPieceDepth);
    glScalef(0.8f, 0.8f, 1.0f);
    DrawPieceBright(p.value, 0);
    glPopMatrix();
    Plain();
}

bool NoteShowing() { return !WrongMoveExplanation.text.empty() && WrongMoveExplanation.shownMs < kWrongMoveNoteMs; }

void DrawFlash() {
    const WrongMoveNote& note = WrongMoveExplanation;
    // Three blinks a second while the note is up.
    const float blink = 0.5f + 0.5f * std::cos(note.shownMs * 0.0188f);
    glColor4f(1.0f, 0.15f, 0.1f, 0.35f + 0.55f * blink);
    if (note.flashSquare >= 0) Frame(SquareX(note.flashSquare), SquareY(note.flashSquare), 0.5f, 0.08f, kFrameDepth);
    glColor4f(1.0f, 0.5f, 0.1f, 0.6f);
    if (note.square >= 0) Frame(SquareX(note.square), SquareY(note.square), 0.46f, 0.04f, kFrameDepth);
}

// The box over the side panel: dark, rimmed in the panel's yellow, with the text wrapped in it
// at the largest size that fits.
void TextBox(const std::string& text, float r, float g, float b) {
    SetBoardProjection();
    Plain();
    const float x0 = BoardXFromPercent(kBoxLeft), x1 = BoardXFromPercent(kBoxRight);
    const float y0 = BoardYFromPercent(kBoxTop), y1 = BoardYFromPercent(kBoxBottom);
    glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
    FillRect(x0 - 0.04f, y0 - 0.04f, x1 + 0.04f, y1 + 0.04f, kBoxDepth);
    glColor4f(0.08f, 0.0f, 0.14f, 1.0f);
    FillRect(x0, y0, x1, y1, kBoxDepth + 0.1f);

    TextWidth design(kDesignTextWidth);
    const float left = kBoxLeft + kTextInset, right = kBoxRight - kTextInset;
    // Quarter steps: from 3 % straight to 2 % a long chain hint dropped to a size hard to read.
    float size = 4.0f;
    for (; size > 2.0f; size -= 0.25f) {
        SetTextSize(size);
        const auto lines = WrapTextLines(text, right - left, [](const std::string& line) {
            return TextWidthPercent(line.c_str());
        });
        if (static_cast<float>(lines.size()) * size * kLinePitch <= kBoxBottom - kBoxTop - 2.0f * kTextInset) break;
    }
    SetTextColor(r, g, b);
    DrawWrappedText(left, right, kBoxTop + kTextInset, size, text.c_str());
}

}  // namespace

void DrawHintOverlay() {
    const bool hint = HintOnDisplay();
    const bool note = NoteShowing();
    if (!hint && !note) return;
    SetBoardProjection();
    Plain();
    if (hint) {
        const GameHint& h = ShownHint;
        const bool chain = h.step.units.empty() || h.step.units.size() > 4;
        // Where to look: the units, or for a chain its squares.
        if (!chain) TintUnits(h.step.units);
        if (h.level >= 2 || chain) {
            const bool wrong = h.kind == HintKind::WrongPiece || h.kind == HintKind::WrongMarks;
            if (wrong)
                glColor4f(1.0f, 0.2f, 0.1f, 0.95f);
            else
                glColor4f(0.3f, 0.9f, 1.0f, 0.95f);
            if (h.level >= 2 || !wrong)
                for (int s : h.step.pattern) Frame(SquareX(s), SquareY(s), 0.48f, 0.07f, kFrameDepth);
        }
        if (h.level >= 3 && h.kind == HintKind::Step) {
            for (const Placement& p : h.step.placements) ShowPlacement(p);
            for (const Elimination& e : h.step.eliminations) CrossMark(e.square, e.value);
        }
    }
    if (note) DrawFlash();
    glDisable(GL_BLEND);
}

void DrawHintPanel() {
    WrongMoveNote& note = WrongMoveExplanation;
    if (!note.text.empty()) {
        note.shownMs += static_cast<float>(FramePeriodMs);
        if (note.shownMs >= kWrongMoveNoteMs) note = WrongMoveNote{};
    }

    // The button works only while the game is played, not under the summary.
    const char* label = HintApplicable() ? "Apply (H)" : "Hint (H)";
    SetTextSize(kButtonSize);
    bool pressed;
    {
        TextWidth design(kDesignTextWidth);
        const float width = design.Fit(label, kBoxRight - kBoxLeft - 3.0f);
        pressed = DoButton(kPanelCentre - width * 0.5f, kButtonY, kButtonSize, label);
    }
    if (pressed && ScreenState == ScreenGame) PressHint();

    if (!note.text.empty()) {
        TextBox(note.text, 1.0f, 0.55f, 0.45f);
    } else if (HintOnDisplay()) {
        const bool wrong = ShownHint.kind == HintKind::WrongPiece || ShownHint.kind == HintKind::WrongMarks;
        if (wrong)
            TextBox(ShownHintText(), 1.0f, 0.55f, 0.45f);
        else
            TextBox(ShownHintText(), 1.0f, 1.0f, 0.5f);
    }
}

}  // namespace tessaran
