// The pause menu and the confirmation question; each is one frame function, and every answer
// leaves the state so that a question is never answered twice.
#include "game/pause_menu.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "board/board_render.h"
#include "board/pieces.h"
#include "game/game_state.h"
#include "game/pause.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "solver/solver_entry.h"
#include "ui/backdrop.h"
#include "ui/focus.h"
#include "ui/bitmap.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

// Pause menu: the swinging banner in board units, the buttons centred in percent.
constexpr float kBannerX = 4.0f, kBannerY = 4.0f, kBannerDepth = 3.0f;
constexpr float kBannerWidth = 6.6666f, kBannerHeight = 1.4286f;
constexpr float kBannerSwing = 10.0f, kBannerRate = 0.05f;
constexpr float kMenuCentre = 87.5f;
constexpr int32_t kMenuTextSize = 5;

// Confirmation panel in screen units (400 x 300), centred on x = 150.
constexpr float kPanelCentre = 150.0f, kPanelTop = 110.0f, kPanelBottom = 170.0f, kBorder = 2.0f;
constexpr float kPanelDepth = 2.0f;
constexpr float kQuestionY = 40.0f;
constexpr float kQuestionRoom = 2.0f * (37.5f - 3.0f);
constexpr float kAnswerY = 48.0f, kYesX = 31.0f, kNoX = 42.0f, kFinishLaterX = 50.0f;

constexpr const char* kMenuLabels[] = {"Resume Game (Esc)", "End This Game (E)", "Quit and Exit (Q)",
                                       "Game Preferences", "Move to Solver"};
constexpr float kMenuRightEdge = 98.0f;  // a button's frame stays inside the window
constexpr float kButtonMargin = 1.5f;

// The buttons are centred on one column; where the widest would leave the window the column
// moves left over the hidden grid.
float MenuCentre() {
    SetTextSize(kMenuTextSize);
    float widest = 0.0f;
    {
        TextWidth design(kDesignTextWidth);
        for (const char* label : kMenuLabels) widest = std::max(widest, TextWidthPercent(label));
    }
    return std::min(kMenuCentre, kMenuRightEdge - kButtonMargin - widest * 0.5f);
}

bool MenuButton(float centre, float y, const char* label) {
    SetTextSize(kMenuTextSize);
    TextWidth design(kDesignTextWidth);
    return DoButton(centre - TextWidthPercent(label) * 0.5f, y, kMenuTextSize, label);
}

void Corner(float grey, float x, float y) {
    glColor3f(grey, grey, grey);
    glVertex2f(x, y);
}

void DrawQuestionPanel(float halfWidth) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    const float l = kPanelCentre - halfWidth, r = kPanelCentre + halfWidth;
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kPanelDepth);
    glBegin(GL_QUADS);
    Corner(0.5f, l, kPanelTop);
    Corner(0.3f, r, kPanelTop);
    Corner(0.1f, r, kPanelBottom);
    Corner(0.3f, l, kPanelBottom);
    glEnd();
    glTranslatef(0.0f, 0.0f, -1.0f);  // the dark blue border, one unit behind
    glBegin(GL_QUADS);
    glColor3f(0.2f, 0.2f, 0.5f);
    glVertex2f(l - kBorder, kPanelTop - kBorder);
    glColor3f(0.1f, 0.1f, 0.3f);
    glVertex2f(r + kBorder, kPanelTop - kBorder);
    glColor3f(0.0f, 0.0f, 0.1f);
    glVertex2f(r + kBorder, kPanelBottom + kBorder);
    glColor3f(0.1f, 0.1f, 0.3f);
    glVertex2f(l - kBorder, kPanelBottom + kBorder);
    glEnd();
    glPopMatrix();
}

// Grid only: the puzzle stays hidden while the clock is stopped. Behind the pause menu and the
// questions asked from it.
void DrawPausedBackground() {
    SetBoardProjection();
    DrawBoard(true);
    DrawColourBackdrop();
    DrawVersionStrip();
    SetBoardProjection();
    DrawBouncingPieces();
}

bool AnswerButton(float x, const char* label) {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kPanelDepth);  // in front of the panel
    bool clicked;
    {
        TextWidth design(kDesignTextWidth);
        clicked = DoButton(x, kAnswerY, kMenuTextSize, label);
    }
    glPopMatrix();
    return clicked;
}

}  // namespace

void DrawPauseMenu() {
    SummaryTimer += FrameFactor;
    DrawPausedBackground();

    glPushMatrix();
    glTranslatef(kBannerX, kBannerY, 0.0f);
    glRotatef(kBannerSwing * std::sin(SummaryTimer * kBannerRate), 0.0f, 0.0f, 1.0f);
    DrawMaskedPicture(0.0f, 0.0f, kBannerDepth, kBannerWidth, kBannerHeight, TexturePauseBanner);
    glPopMatrix();

    SetScreenProjection();
    const float x = MenuCentre();
    if (MenuButton(x, 25.0f, kMenuLabels[0])) OnKey(27, 0, 0);
    if (MenuButton(x, 33.0f, kMenuLabels[1])) OpenConfirmation(ConfirmEndGame, ScreenPause);
    if (MenuButton(x, 41.0f, kMenuLabels[2])) OpenConfirmation(ConfirmQuit, ScreenPause);
    if (MenuButton(x, 49.0f, kMenuLabels[3])) OpenDialog(ScreenPreferences, ScreenPause);
    if (MenuButton(x, 57.0f, kMenuLabels[4])) MoveGameToSolver();  // abandons the game unscored
}

void DrawConfirmDialog() {
    SetBoardProjection();
    if (ReturnState == ScreenPause) {
        DrawPausedBackground();  // asked from the pause menu: the puzzle stays hidden
    } else {
        DrawColourBackdrop();
        DrawBoard(false);  // not in play here, so a full board cannot end a game
        DrawVersionStrip();
    }
    SetScreenProjection();

    // The question is centred on 37.5 %, in the narrower width the layout was drawn for, and
    // narrowed further if it would leave the window.
    const char* question = ConfirmQuestion(ConfirmKind);
    SetTextSize(6);
    {
        TextWidth design(kDesignTextWidth);
        const float width = design.Fit(question, kQuestionRoom);
        DrawQuestionPanel(2.0f * width + 10.0f);
        SetTextColor(1.0f, 1.0f, 0.5f);
        DrawTextShadowed(kQuestionY, question);
    }

    const bool yes = AnswerButton(kYesX, "Yes");
    SetNextWidgetFocus(FocusPreferred);  // a stray Enter keeps what the question is about
    const bool no = AnswerButton(kNoX, "No") || FocusBackPressed();
    const bool later = ConfirmKind == ConfirmQuit && GameUnderQuestion() &&
                       (AnswerButton(kFinishLaterX, "Finish Later") || DialogKey == 'F');
    if (yes || DialogKey == 'Y')
        AnswerConfirmation(true);
    else if (no || DialogKey == 'N')
        AnswerConfirmation(false);
    else if (later)
        FinishGameLater();

    // A key or click that was not an answer is dropped, not kept for the next screen.
    DialogKey = 0;
    MouseClicked = false;
}

}  // namespace tessaran
