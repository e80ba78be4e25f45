// Drawing the help pages and the quick help over a live example board, and the text layout they
// share with the solver. The example board is shown, never played: it takes no clicks.
#include "solver/help.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/board_render.h"
#include "game/game_state.h"
#include "profile/prefs.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "ui/backdrop.h"
#include "ui/bitmap.h"
#include "ui/focus.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

constexpr float kPanelDepth = 4.0f;
constexpr float kPanelAlpha = 0.8f;
constexpr float kLinePitch = 0.8f;    // line spacing, as a share of the text size
constexpr float kPanelMargin = 2.0f;  // the panel reaches this far beyond its text column
constexpr float kTitleRoom = 8.0f;    // and this far above it, for the title
constexpr int32_t kTitleSize = 7;
constexpr float kTitleRise = 7.0f;
constexpr int32_t kHelpButtonSize = 6;
constexpr uint8_t kEscape = 27;
constexpr float kRightEdge = 99.5f;    // text keeps this far inside the window
constexpr float kButtonReach = 1.5f;  // a button's frame reaches this far past its text

// The help pages' panel stands below the top band of the board, where rows 0 to 2 hold most of
// the pages' examples, with a text column wide enough for the longest page to end above the
// buttons in the game's font. On the Columns page it stands right of columns 0 to 2, and on the
// Child page beside the small board, which sits in the middle of the window.
struct PanelRect {
    float left, top, right, bottom;
};
constexpr PanelRect kHelpPanel{10.0f, 42.0f, 70.0f, 80.0f};
constexpr PanelRect kColumnsPanel{33.0f, 42.0f, 70.0f, 80.0f};
constexpr PanelRect kChildPanel{57.0f, 35.0f, 96.0f, 75.0f};
constexpr int32_t kHelpTextSize = 5;
constexpr float kHelpButtonY = 91.0f;
constexpr float kFinishedX = 40.0f, kNextX = 60.0f;

const PanelRect& HelpPanel(int32_t page) {
    if (page == 2) return kColumnsPanel;
    return page == kHelpChildPage ? kChildPanel : kHelpPanel;
}

// The quick help's panel; its text is a size smaller than the pages', so that all of it stands
// above the two buttons inside the panel.
constexpr float kQuickLeft = 10.0f, kQuickTop = 20.0f, kQuickRight = 70.0f, kQuickBottom = 85.0f;
constexpr int32_t kQuickTextSize = 4;
constexpr float kQuickButtonY = 75.0f;

std::vector<std::string> WrapForDrawing(float width, const char* text) {
    return WrapTextLines(text ? text : "", width,
                         [](const std::string& line) { return TextWidthPercent(line.c_str()); });
}

// The title over the middle of its panel, on a dark shadow offset down and right.
void DrawPanelTitle(float centreX, float y, const char* title) {
    float r, g, b;
    TextRenderer.GetColor(r, g, b);
    const float x = centreX - TextWidthPercent(title) * 0.5f;
    const float dy = 0.3f;  // percent of the height; the same distance across
    const float dx = TextRefWidth > 0 ? dy * static_cast<float>(TextRefHeight) / static_cast<float>(TextRefWidth) : dy;
    SetTextColor(0.1f, 0.1f, 0.1f);
    DrawTextAt(x + dx, y + dy, title);
    SetTextColor(r, g, b);
    DrawTextAt(x, y, title);
}

// The translucent rectangle behind a panel, in percent, drawn in board units at depth 4.
void DrawPanelBackground(float x0, float y0, float x1, float y1) {
    SetBoardProjection();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, kPanelAlpha);
    glBegin(GL_QUADS);
    glVertex3f(BoardXFromPercent(x0), BoardYFromPercent(y0), kPanelDepth);
    glVertex3f(BoardXFromPercent(x1), BoardYFromPercent(y0), kPanelDepth);
    glVertex3f(BoardXFromPercent(x1), BoardYFromPercent(y1), kPanelDepth);
    glVertex3f(BoardXFromPercent(x0), BoardYFromPercent(y1), kPanelDepth);
    glEnd();
    glDisable(GL_BLEND);
}

// The panel grows downward when its text needs more room, so no line is drawn outside it.
void DrawPanel(float left, float top, float right, float bottom, int32_t size, const char* title, const char* text,
               float titleBlue) {
    SetTextSize(size);
    const std::size_t lines = WrapForDrawing(right - left, text).size();
    const float textBottom = top + static_cast<float>(lines) * static_cast<float>(size) * kLinePitch +
                             static_cast<float>(size) * (1.0f - kLinePitch);
    DrawPanelBackground(left - kPanelMargin, top - kTitleRoom, right + kPanelMargin,
                        std::max(bottom, textBottom + kPanelMargin * 0.5f));
    SetTextColor(1.0f, 1.0f, titleBlue);
    SetTextSize(kTitleSize);
    DrawPanelTitle((left + right) * 0.5f, top - kTitleRise, title);
    SetTextColor(1.0f, 1.0f, 1.0f);
    DrawWrappedText(left, right, top, size, text);
}

// The example board as the real renderer draws it. Its cursor square would take clicks meant
// for the buttons and play moves on the example, so it sees none.
void DrawExampleBoard(bool withCursor) {
    SetBoardProjection();
    DrawBoard(false);
    if (!withCursor) return;
    const bool pending = MouseClicked;
    MouseClicked = false;
    SetBoardProjection();
    DrawCursorSquare();
    MouseClicked = pending;
}

// The game's Crystal Ball control as the game screen shows it while the mode is on; the button
// is a picture of the game's and does nothing here.
void DrawCrystalBallControl() {
    const float d = CrystalWobbleX / 3.0f;
    DrawTexturedQuad(8.8f + d, 6.8f + d, 9.6f - d, 6.0f - d, 1.0f, 1.0f, TextureCrystalBall, 1.0f);
    SetTextColor(0.5f + 7.0f * CrystalWobbleX, 0.3f, 0.5f + 7.0f * CrystalWobbleY);
    SetTextSize(4);
    {
        TextWidth design(kDesignTextWidth);
        design.Fit("Crystal Ball Mode", kRightEdge - 84.0f);
        DrawTextAt(84.0f, 67.0f, "Crystal Ball Mode");
    }
    SetTextSize(6);
    DrawTextAt(89.0f, 70.0f, "ON");
    const char* commit = "Commit Changes";
    SetTextSize(4);
    TextWidth design(kDesignTextWidth);
    design.Fit(commit, kRightEdge - kButtonReach - 85.0f);
    SetNextWidgetFocus(FocusSkip);
    DoButton(85.0f, 77.0f, 4, commit);
}

// The page's question is about the squares marked with an X: (3, 1) and (4, 1).
void DrawQuestionMarks() {
    SetTextColor(0.6f, 1.0f, 0.2f);
    SetTextSize(7);
    const float half = TextWidthPercent("X") * 0.5f;
    for (const int column : {3, 4}) {
        const float x = (static_cast<float>(column) + 0.6f) / kBoardPerPercentX;
        const float y = (1.0f + 0.6f) / kBoardPerPercentY;
        DrawTextAt(x - half, y - 3.5f, "X");
    }
}

}  // namespace

void DrawWrappedText(float left, float right, float top, double size, const char* text) {
    SetTextSize(size);
    const std::vector<std::string> lines = WrapForDrawing(right - left, text);
    for (std::size_t k = 0; k < lines.size(); ++k)
        DrawTextAt(left, top + static_cast<float>(k) * static_cast<float>(size) * kLinePitch, lines[k].c_str());
}

void DrawTextPanel(float left, float top, float right, float bottom, int32_t size, const char* title,
                   const char* text) {
    DrawPanel(left, top, right, bottom, size, title, text, 0.0f);
}

void QuickHelp() {
    // The board at the size of the game about to start. A game from the solver is 9 x 9 at any
    // level, so after one the Child level shows its own small board, empty, not the old grid.
    const bool solverGrid = SolverGridInUse;
    const bool childAfterSolver = solverGrid && Prefs.difficulty == LevelChild;
    if (childAfterSolver) SolverGridInUse = false;
    SetBoardProjection();
    DrawColourBackdrop();
    if (childAfterSolver) {
        SetBoardProjection();
        DrawBoard(true);
    } else {
        DrawExampleBoard(false);
    }
    SolverGridInUse = solverGrid;
    DrawVersionStrip();  // after the board, whose right border would cut into its text
    DrawTextPanel(kQuickLeft, kQuickTop, kQuickRight, kQuickBottom, kQuickTextSize, "Quick Help",
                  Prefs.difficulty == LevelChild ? QuickHelpChildText : QuickHelpText);
    if (DoRaisedButton(14.0f, kQuickButtonY, kHelpButtonSize, "OK", kPanelDepth) || FocusBackPressed())
        QuickHelpChoice(false);
    else if (DoRaisedButton(27.0f, kQuickButtonY, kHelpButtonSize, "Don't show this again", kPanelDepth))
        QuickHelpChoice(true);
}

void HelpScreen() {
    PrepareHelpExample();
    const int32_t page = HelpPage;

    // This frame's example is drawn at the page's own level, whatever the player has chosen; a
    // finished game from the solver must not keep the Child page at 9 x 9.
    const int32_t level = Prefs.difficulty;
    const bool solverGrid = SolverGridInUse;
    Prefs.difficulty = HelpBoardLevel(page);
    SolverGridInUse = false;
    SetBoardProjection();
    DrawColourBackdrop();
    DrawExampleBoard(page == 4 || page == 5);
    DrawVersionStrip();
    if (page == kHelpCrystalPage) DrawCrystalBallControl();
    Prefs.difficulty = level;
    SolverGridInUse = solverGrid;

    const PanelRect& panel = HelpPanel(page);
    DrawPanel(panel.left, panel.top, panel.right, panel.bottom, kHelpTextSize, HelpPages[page].title,
              HelpPages[page].text, 0.2f);
    if (page == 9) DrawQuestionMarks();

    SetNextWidgetFocus(FocusPreferred);  // paging on is what the keyboard does here
    if (DoRaisedButton(kNextX, kHelpButtonY, kHelpButtonSize, "Next", kPanelDepth))
        NextHelpPage();
    else if (DoRaisedButton(kFinishedX, kHelpButtonY, kHelpButtonSize, "Finished", kPanelDepth) || DialogKey == kEscape)
        LeaveHelp();
}

}  // namespace tessaran
