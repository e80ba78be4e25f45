// Drawing of the end-of-game summary over the finished board; the timeline it follows lives in
// summary_timeline.cpp. Panel graphics in screen units (400 x 300), text in percent.
#include "profile/summary.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "board/pieces.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "profile/prefs.h"
#include "profile/stats.h"
#include "shell/input_state.h"
#include "ui/bitmap.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

constexpr float kPanelHalfWidth = 96.0f, kPanelHalfHeight = 72.0f, kPanelY = 120.0f;
constexpr float kPanelDepth = 4.0f;
constexpr float kBannerX = 150.0f, kBannerY = 70.43f, kBannerWidth = 129.6f, kBannerHeight = 32.4f;
constexpr float kLabelX = 20.5f, kValueX = 49.0f;

void Octagon(float cx, float cy, float hx, float hy, float cut, float z) {
    glBegin(GL_POLYGON);
    glVertex3f(cx - hx + cut, cy - hy, z);
    glVertex3f(cx - hx, cy - hy + cut, z);
    glVertex3f(cx - hx, cy + hy - cut, z);
    glVertex3f(cx - hx + cut, cy + hy, z);
    glVertex3f(cx + hx - cut, cy + hy, z);
    glVertex3f(cx + hx, cy + hy - cut, z);
    glVertex3f(cx + hx, cy - hy + cut, z);
    glVertex3f(cx + hx - cut, cy - hy, z);
    glEnd();
}

// A gold rim, a purple frame and a translucent dark face.
void DrawPanel(float cx) {
    SetScreenProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(0.9f, 0.75f, 0.2f);
    Octagon(cx, kPanelY, kPanelHalfWidth + 4.0f, kPanelHalfHeight + 4.0f, 10.0f, kPanelDepth);
    glColor3f(0.35f, 0.0f, 0.45f);
    Octagon(cx, kPanelY, kPanelHalfWidth + 2.0f, kPanelHalfHeight + 2.0f, 9.0f, kPanelDepth + 0.1f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.02f, 0.0f, 0.1f, 0.92f);
    Octagon(cx, kPanelY, kPanelHalfWidth, kPanelHalfHeight, 8.0f, kPanelDepth + 0.2f);
    glDisable(GL_BLEND);
}

void DrawBanner(float timer) {
    SetScreenProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPushMatrix();
    glTranslatef(kBannerX, kBannerY, 0.0f);
    const float pulse = 0.7f + 0.05f * std::sin(0.1f * timer);
    glScalef(pulse, pulse, 1.0f);
    glColor3f(0.9f, 0.75f, 0.2f);
    Octagon(0.0f, 0.0f, kBannerWidth * 0.5f + 8.0f, kBannerHeight * 0.5f + 6.0f, 8.0f, kPanelDepth + 0.5f);
    glColor3f(0.05f, 0.0f, 0.12f);
    Octagon(0.0f, 0.0f, kBannerWidth * 0.5f + 6.0f, kBannerHeight * 0.5f + 4.0f, 7.0f, kPanelDepth + 0.6f);
    DrawMaskedPicture(0.0f, 0.0f, kPanelDepth + 0.7f, kBannerWidth, kBannerHeight, TextureBonusBanner);
    glPopMatrix();
}

// A value flashes from violet to its resting colour over the 50 timer units after it appears.
void ValueColour(float shownAt, float timer) {
    if (timer <= shownAt + 50.0f) {
        const float f = (shownAt + 50.0f - timer) * 0.02f;
        SetTextColor(f + 0.5f, 1.0f - f, 1.0f);
    } else {
        SetTextColor(0.5f, 1.0f, 1.0f);
    }
}

void Row(float y, float timer, float labelAt, const char* label, float valueAt, const char* value) {
    if (timer <= labelAt) return;
    SetTextColor(1.0f, 1.0f, 0.5f);
    {
        TextWidth design(kDesignTextWidth);
        design.Fit(label, kValueX - kLabelX - 1.5f);
        DrawTextAt(kLabelX, y, label);
    }
    if (timer <= valueAt) return;
    ValueColour(valueAt, timer);
    DrawTextAt(kValueX, y, value);
}

}  // namespace

void DrawSummary() {
    const bool clicked = MouseClicked;
    MouseClicked = false;
    const float s = AdvanceSummary(clicked);
    const float timer = SummaryTimer;
    const int32_t level = std::clamp(Prefs.difficulty, 0, 4);

    DrawPanel(150.0f + 5.0f * (100.0f - s));
    if (timer > 100.0f) DrawBanner(timer);

    TextWidth design(kDesignTextWidth);
    SetTextSize(6);
    char completion[24], used[24], bonus[24], mistakes[24], hints[24];
    std::snprintf(completion, sizeof completion, "%d", CompletionBonus(level));
    const int32_t seconds = TimeUsed < 0 ? 0 : TimeUsed;
    std::snprintf(used, sizeof used, "%d:%02d", seconds / 60, seconds % 60);
    if (SolverGame)
        std::snprintf(bonus, sizeof bonus, "Solver");
    else
        std::snprintf(bonus, sizeof bonus, "%d", ShownTimeBonus(timer));
    std::snprintf(mistakes, sizeof mistakes, "%d", MistakeCount);
    std::snprintf(hints, sizeof hints, "%d", HintLevelsUsed);
    // A game that used hints says so on a fifth row, so the rows close up to fit the panel.
    const bool hinted = HintLevelsUsed > 0;
    const float top = hinted ? 30.0f : 32.0f, pitch = hinted ? 7.0f : 8.0f;
    Row(top, timer, 150.0f, "COMPLETION BONUS:", kSummaryCompletion, completion);
    Row(top + pitch, timer, 250.0f, "TIME USED:", kSummaryTime, used);
    Row(top + 2.0f * pitch, timer, 350.0f, "TIME BONUS:", kSummaryBonus, bonus);
    Row(top + 3.0f * pitch, timer, 450.0f, "MISTAKES:", kSummaryMistakes, mistakes);
    if (hinted) Row(top + 4.0f * pitch, timer, 450.0f, "HINTS USED:", kSummaryMistakes, hints);
}

}  // namespace tessaran
