// The solver screen's frame: the board as typed in, the buttons down the right, the hint and
// status lines, and the spinning frames round the squares a hint is about.
#include "solver/solver_screen.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/board_render.h"
#include "board/pieces.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "game/pause.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/screens.h"
#include "solver/help.h"
#include "solver/solver.h"
#include "solver/solver_why.h"
#include "ui/backdrop.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

// The column right of the board, in percent. The game's font is wider than the texts here were
// first laid out for, so the whole column is narrowed by one common factor until its widest row
// fits: the buttons in pairs and the wrapped lines then keep inside the window.
constexpr float kColumnLeft = 75.5f, kColumnRight = 99.0f;
constexpr float kPanelCentre = 87.0f;
constexpr int32_t kColumnSize = 4;
constexpr float kButtonReach = 1.5f;  // a button's frame reaches this far past its text
constexpr float kButtonGap = 0.5f;    // between the frames of two buttons in a row
constexpr float kTitleY = 2.0f;
constexpr int32_t kTitleSize = 6;
constexpr float kRowY[5] = {10.0f, 16.0f, 22.0f, 28.0f, 34.0f};
constexpr float kHintY = 70.0f, kStatusY = 90.0f;
constexpr float kLinePitch = 0.8f;
constexpr float kOverlayDepth = 4.0f;
constexpr float kFrameOuter = 0.55f, kFrameInner = 0.5f;
constexpr float kHintPieceX = 10.5f, kHintPieceDepth = 5.0f, kHintPieceScale = 0.6f;
constexpr float kHintBoxHalf = 0.3f, kHintBoxBorder = 0.04f;
constexpr float kHintBoxGap = 0.1f;  // board units between the hint text and the piece's box

const char* const kGetHint = "Get a Hint";
const char* const kApplyHint = "Apply Hint";
const char* const kPlay = "Play this Game";
const char* const kSolve = "Solve";
const char* const kReturn = "Return to Main Screen";

float Width(const char* text) { return TextWidthPercent(text); }

// The width factor that fits every row of the column at full size.
float ColumnCondense() {
    TextWidth plain(1.0f);
    SetTextSize(kColumnSize);
    const float room = kColumnRight - kColumnLeft;
    const float single = room - 2.0f * kButtonReach;
    const float paired = room - 4.0f * kButtonReach - kButtonGap;
    float scale = 1.0f;
    auto fit = [&](float width, float space) {
        if (width > space) scale = std::min(scale, space / width);
    };
    fit(Width("Change Symbols"), single);
    fit(std::max(Width("Hide Possibles"), Width("Show Possibles")), single);
    fit(Width(kGetHint) + Width(kApplyHint), paired);
    fit(Width(kPlay) + Width(kSolve), paired);
    fit(Width(kReturn), single);
    return scale;
}

bool CentredButton(float y, const char* label) {
    return DoButton(kPanelCentre - Width(label) * 0.5f, y, kColumnSize, label);
}

// Two buttons sharing a row: the first against the column's left edge, the second its right.
bool LeftButton(float y, const char* label) { return DoButton(kColumnLeft + kButtonReach, y, kColumnSize, label); }
bool RightButton(float y, const char* label) {
    return DoButton(kColumnRight - kButtonReach - Width(label), y, kColumnSize, label);
}

void DrawMarkedSquares() {
    SetBoardProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    SpinAngle += FrameFactor;
    glColor3f(1.0f, 0.3f, 1.0f);
    const int32_t count = SolverState.markedCount < kMaxMarked ? SolverState.markedCount : kMaxMarked;
    for (int32_t k = 0; k < count; ++k) {
        glPushMatrix();
        glTranslatef(static_cast<float>(SolverState.markedColumns[k]), static_cast<float>(SolverState.markedRows[k]),
                     kOverlayDepth);
        glRotatef(SpinAngle, 0.0f, 0.0f, 1.0f);
        FillRect(-kFrameOuter, -kFrameOuter, -kFrameInner, kFrameOuter);
        FillRect(kFrameOuter, -kFrameOuter, kFrameInner, kFrameOuter);
        FillRect(-kFrameOuter, -kFrameOuter, kFrameOuter, -kFrameInner);
        FillRect(-kFrameOuter, kFrameOuter, kFrameOuter, kFrameInner);
        glPopMatrix();
    }
}

// The piece the hint sentence ends on, in its box just under the sentence. Returns where the
// box ends, in percent down.
float DrawHintPiece(float textBottom) {
    const float centreY = BoardYFromPercent(textBottom) + kHintBoxGap + kHintBoxHalf + kHintBoxBorder;
    DrawShadedBox(kHintPieceX - kHintBoxHalf, centreY - kHintBoxHalf, kHintPieceX + kHintBoxHalf,
                  centreY + kHintBoxHalf, kHintBoxBorder);
    glPushMatrix();
    glTranslatef(kHintPieceX, centreY, kHintPieceDepth);
    glScalef(kHintPieceScale, kHintPieceScale, 1.0f);
    DrawPieceBright(SolverState.hintValue, 0);
    glPopMatrix();
    // Beside its picture, the piece's name, as the game's hints call it; a digit needs none.
    if (PieceNamingShown() == PieceNaming::Names && SolverState.hintValue >= 1 && SolverState.hintValue <= 9) {
        const char* name = kPieceNames[SolverState.hintValue - 1];
        SetTextSize(kColumnSize);
        const float boxLeft = (kHintPieceX - kHintBoxHalf - kHintBoxBorder - static_cast<float>(kBoardLeft)) /
                              kBoardPerPercentX;
        const float middle = (centreY - static_cast<float>(kBoardTop)) / kBoardPerPercentY;
        DrawTextAt(boxLeft - 1.0f - Width(name), middle - static_cast<float>(kColumnSize) * 0.5f, name);
    }
    return (centreY + kHintBoxHalf + kHintBoxBorder + 0.6f) / kBoardPerPercentY;
}

// Wrapped text in the column; returns where its last line ends, in percent down.
float ColumnText(float top, const char* text) {
    SetTextSize(kColumnSize);
    const std::vector<std::string> lines = WrapTextLines(
        text, kColumnRight - kColumnLeft, [](const std::string& line) { return TextWidthPercent(line.c_str()); });
    DrawWrappedText(kColumnLeft, kColumnRight, top, kColumnSize, text);
    return top + static_cast<float>(lines.size()) * static_cast<float>(kColumnSize) * kLinePitch;
}

void WhyFrame(float x, float y, float outer, float width) {
    FillRect(x - outer, y - outer, x + outer, y - outer + width, kOverlayDepth);
    FillRect(x - outer, y + outer - width, x + outer, y + outer, kOverlayDepth);
    FillRect(x - outer, y - outer, x - outer + width, y + outer, kOverlayDepth);
    FillRect(x + outer - width, y - outer, x + outer, y + outer, kOverlayDepth);
}

// Around the hint's own frames: the unit its sentence names tinted, a subset's squares framed.
void DrawHintShape() {
    SetBoardProjection();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const int unit = SolverHintPattern.unit;
    glColor4f(1.0f, 0.9f, 0.2f, 0.25f);
    for (int s = 0; s < kCellCount && unit >= 0; ++s) {
        const int c = s % 9, r = s / 9;
        if (unit < 9 ? r == unit : unit < 18 ? c == unit - 9 : SectionOf(c, r) == unit - 18)
            FillRect(static_cast<float>(c) - 0.5f, static_cast<float>(r) - 0.5f, static_cast<float>(c) + 0.5f,
                     static_cast<float>(r) + 0.5f, kOverlayDepth - 1.0f);
    }
    glColor4f(0.3f, 0.9f, 1.0f, 0.95f);
    for (int s : SolverHintPattern.set) WhyFrame(static_cast<float>(s % 9), static_cast<float>(s / 9), 0.48f, 0.07f);
    glDisable(GL_BLEND);
}

// Two solutions: the shown one's values in the open squares, the squares where they differ
// framed; no solution: the square or unit that runs out, in red.
void DrawWhy() {
    const WhyView view = CurrentWhyView();
    if (view == WhyView::Off) return;
    SetBoardProjection();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const GridExplanation& e = SolverWhy.explanation;
    if (view == WhyView::RunsOut) {
        glColor4f(1.0f, 0.1f, 0.1f, 0.45f);
        for (int s = 0; s < kCellCount; ++s) {
            const int c = s % 9, r = s / 9;
            const int u = SolverWhy.runsOutUnit;
            const bool inUnit = u >= 0 && (u < 9 ? r == u : u < 18 ? c == u - 9 : SectionOf(c, r) == u - 18);
            if (inUnit || s == SolverWhy.runsOutSquare)
                FillRect(static_cast<float>(c) - 0.5f, static_cast<float>(r) - 0.5f, static_cast<float>(c) + 0.5f,
                         static_cast<float>(r) + 0.5f, kOverlayDepth);
        }
        glDisable(GL_BLEND);
        return;
    }
    const ValueGrid& shown = view == WhyView::FirstSolution ? e.first : e.second;
    for (int s = 0; s < kCellCount; ++s) {
        if (SolverWhy.grid[static_cast<std::size_t>(s)] != 0) continue;
        glPushMatrix();
        glTranslatef(static_cast<float>(s % 9), static_cast<float>(s / 9), kOverlayDepth - 0.5f);
        glScalef(0.7f, 0.7f, 1.0f);
        DrawPieceBright(shown[static_cast<std::size_t>(s)], 0);
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glColor4f(1.0f, 0.55f, 0.1f, 0.95f);
    for (int s : e.differing) WhyFrame(static_cast<float>(s % 9), static_cast<float>(s / 9), 0.5f, 0.08f);
    glDisable(GL_BLEND);
}

}  // namespace

void SolverFrame() {
    SetBoardProjection();
    // The solver's grid is always 9 x 9, so its backdrop is the strip beside it at every level.
    const int32_t level = Prefs.difficulty;
    if (level == LevelChild) Prefs.difficulty = LevelMedium;
    DrawColourBackdrop();
    Prefs.difficulty = level;
    SetBoardProjection();
    DrawBoard(false);
    SetBoardProjection();
    DrawCursorSquare();

    SetTextColor(1.0f, 1.0f, 0.0f);
    SetTextSize(kTitleSize);
    {
        TextWidth plain(1.0f);
        plain.DrawCentred(kPanelCentre, kTitleY, "Tessaran Solver", kColumnRight - kColumnLeft);
    }

    // Once a button has left the screen, the buttons after it are not offered in this frame.
    TextWidth column(ColumnCondense());
    if (CentredButton(kRowY[0], "Change Symbols")) ChangeSymbols();
    if (CentredButton(kRowY[1], SolverState.showPossibles ? "Hide Possibles" : "Show Possibles"))
        ToggleSolverPossibles();
    if (LeftButton(kRowY[2], kGetHint)) ShowSolverHint();
    if (RightButton(kRowY[2], kApplyHint)) ApplySolverHint();
    // "Solve" shares the row of "Play this Game": both are there only for a good puzzle.
    bool left = false;
    if (SolverPlayOffered()) {
        if (LeftButton(kRowY[3], kPlay)) {
            if (KeptGameWaiting()) {
                OpenConfirmation(ConfirmAbandonGame, ScreenSolver);  // asks before the kept game goes
                left = true;
            } else {
                left = PlaySolverGame();
            }
        }
        if (!left && RightButton(kRowY[3], kSolve)) SolveSolverGrid();
    } else if (WhyOffered()) {
        // A grid that is no good puzzle shows why in the row "Play this Game" would take.
        if (CentredButton(kRowY[3], WhyLabel())) ToggleWhy();
    }
    if (!left && CentredButton(kRowY[4], kReturn)) LeaveSolver();

    DrawWhy();

    SetTextColor(1.0f, 1.0f, 0.3f);
    float bottom = ColumnText(kHintY, SolverState.hintText);
    const bool hintShown = SolverState.markedCount != kNoHintShown;
    if (hintShown) {
        DrawHintShape();
        DrawMarkedSquares();
        if (SolverState.hintValue > 0) bottom = DrawHintPiece(bottom);
    }
    SetTextColor(0.3f, 1.0f, 1.0f);
    ColumnText(std::max(kStatusY, bottom + 1.0f), SolverState.statusText);
}

}  // namespace tessaran
