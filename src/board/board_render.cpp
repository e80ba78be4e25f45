// The board renderer: everything on PlayBoard is drawn here each frame, and the board's own
// clicks are claimed while it is drawn. Changes the board only through flips, OpenCell and
// ActOnSymbol.
#include "board/board_render.h"

#include <GL/gl.h>

#include <algorithm>

#include "board/pieces.h"
#include "game/game_state.h"
#include "game/marks.h"
#include "game/random.h"
#include "game/rules.h"
#include "game/undo.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/screens.h"
#include "ui/bitmap.h"
#include "ui/textures.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

// Grid lines are 0.04 thick and overhang their squares by 0.02 at each end.
constexpr float kLineHalf = 0.52f;
constexpr float kLineInner = 0.48f;
constexpr float kSectionDepth = -6.0f;
constexpr float kTrialDepth = -5.5f;
constexpr float kLineDepth = -5.0f;
constexpr float kBorderRaise = 1.0f;
constexpr float kTrialHalf = 0.48f;
constexpr float kKnownScale = 0.9f;
constexpr float kEnlargedDepth = 2.0f;
constexpr float kEnlargedOuter = 0.6f;   // the yellow rim of the magnified square and side panel
constexpr float kEnlargedInner = 0.56f;  // the purple face inside it
constexpr float kEnlargedScale = 1.2f;
constexpr float kLayerStep = 0.1f;
constexpr float kPanelPieceScale = 1.25f;
constexpr float kDividerNear = 0.183333f, kDividerFar = 0.196667f;  // 9 x 9 panel dividers
constexpr float kChildDividerHalf = 0.02f;
constexpr float kKeyLabelNear = 0.5f;
constexpr float kKeyLabel0 = -0.45f, kKeyLabel1 = -0.15f;  // the key digit in a slot's top-left corner
constexpr float kSlotStep = 0.4f, kSlotSize = 0.39f;            // 9 x 9 slot click rectangles
constexpr float kChildSlotStep = 0.6f, kChildSlotSize = 0.59f;  // Child slot click rectangles
constexpr float kFallingDepth = 1.0f;
constexpr float kCrossSize = 0.5f;
// The mark helpers. The highlight sits just in front of a trial's background; the trial's
// dashed outline and the conflict frame lie over the square's edge, in front of its piece.
constexpr float kMatchDepth = -5.4f;
constexpr float kSlotMatchDepth = -1.0f;  // behind the marks, in front of the lines
constexpr float kOutlineDepth = 0.5f;
constexpr float kConflictDepth = 0.6f;
constexpr float kOutlineOuter = 0.47f, kOutlineWidth = 0.035f;
constexpr int kOutlineDashes = 5;  // per side: the dashes set a trial apart without its colour
constexpr float kConflictOuter = 0.48f, kConflictWidth = 0.07f;
constexpr float kSlotMatchHalf = 0.5f;  // slot units: the whole slot

// How the nine (four) symbols of a square are laid out: a grid of `perRow` slots, scaled and
// moved so that slot (0, 0) sits at the top left.
struct MarkLayout {
    int symbols;
    int perRow;
    float scale;
    float offset;
};
constexpr MarkLayout kFullMarks{9, 3, 0.3f, -1.0f};
constexpr MarkLayout kChildMarks{4, 2, 0.45f, -0.5f};

const MarkLayout& Marks() { return ChildLayout() ? kChildMarks : kFullMarks; }

void PlainColour() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

// 1 in `period` odds per frame of a 30 ms step, the same per second at any frame rate.
int ScaledPeriod(float base, int minimum) {
    const float factor = FrameFactor > 0.001f ? FrameFactor : 0.001f;
    const float period = std::min(base / factor, 1.0e6f);
    return std::max(static_cast<int>(period), minimum);
}

void MaybeChangePose(Cell& cell) {
    const int n = ScaledPeriod(50.0f, 5);
    if (rand() % n == 0 && rand() % 10 == 0) cell.flip = 1 - cell.flip;
}

void MaybeTurnNinthArm() {
    const int n = ScaledPeriod(500.0f, 15);
    if (rand() % n == 0) NinthPieceState.angle = static_cast<float>(rand() % 30);
}

Cell& CellAt(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

bool Trial(int column, int row) { return CrystalGuessed[static_cast<std::size_t>(CellIndex(column, row))]; }

// One rectangle's corners inside an open glBegin(GL_QUADS), in FillRect's order.
void RectCorners(float x0, float y0, float x1, float y1, float z) {
    glVertex3f(x0, y0, z);
    glVertex3f(x1, y0, z);
    glVertex3f(x1, y1, z);
    glVertex3f(x0, y1, z);
}

// All lines in one draw: the software renderer pays for every draw, and there are 180.
void DrawGridLines(int side, int sectionSide) {
    PlainColour();
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kLineDepth);
    glBegin(GL_QUADS);
    for (int i = 0; i <= side; ++i) {
        for (int j = 0; j <= side; ++j) {
            const float x = static_cast<float>(i), y = static_cast<float>(j);
            const bool section = (i / sectionSide + j / sectionSide) % 2 == 1;
            const auto colour = [&](bool border) {
                if (border)
                    glColor3f(1.0f, 1.0f, 0.0f);
                else if (section)
                    glColor3f(0.7f, 0.2f, 0.0f);
                else
                    glColor3f(0.0f, 0.2f, 0.7f);
            };
            if (i != side) {  // above square (i, j)
                const bool border = j % sectionSide == 0;
                colour(border);
                RectCorners(x - kLineHalf, y - kLineHalf, x + kLineHalf, y - kLineInner, border ? kBorderRaise : 0.0f);
            }
            if (j != side) {  // left of square (i, j)
                const bool border = i % sectionSide == 0;
                colour(border);
                RectCorners(x - kLineHalf, y - kLineHalf, x - kLineInner, y + kLineHalf, border ? kBorderRaise : 0.0f);
            }
        }
    }
    glEnd();
    glPopMatrix();
}

void DrawSections(int side, int sectionSide) {
    PlainColour();
    const float span = static_cast<float>(sectionSide);
    for (int a = 0; a < side; a += sectionSide) {
        for (int b = 0; b < side; b += sectionSide) {
            if ((a / sectionSide + b / sectionSide) % 2 == 0)
                glColor3f(0.0f, 0.0f, 0.2f);
            else
                glColor3f(0.2f, 0.0f, 0.0f);
            const float x = static_cast<float>(a), y = static_cast<float>(b);
            FillRect(x - 0.5f, y - 0.5f, x + span - 0.5f, y + span - 0.5f, kSectionDepth);
        }
    }
}

// Draws each symbol of the layout at its slot; the current transform is the square's centre.
template <typename Draw>
void ForEachSlot(const MarkLayout& layout, Draw draw) {
    glScalef(layout.scale, layout.scale, 1.0f);
    glTranslatef(layout.offset, layout.offset, 0.0f);
    for (int i = 0; i < layout.symbols; ++i) {
        glPushMatrix();
        glTranslatef(static_cast<float>(i % layout.perRow), static_cast<float>(i / layout.perRow), 0.0f);
        draw(i);
        glPopMatrix();
    }
}

// The digit sheet's cell k (1-2-3 along the top of the picture) on the slot's top-left corner.
void DrawKeyLabel(int k) {
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    BindTexture(TextureKeyDigits);
    // Texture t grows up the picture: row k / 3 from the top spans t1 (top) down to t0.
    const float s0 = static_cast<float>(k % 3) / 3.0f, s1 = s0 + 1.0f / 3.0f;
    const float t1 = 1.0f - static_cast<float>(k / 3) / 3.0f, t0 = t1 - 1.0f / 3.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t1);
    glVertex2f(kKeyLabel0, kKeyLabel0);
    glTexCoord2f(s1, t1);
    glVertex2f(kKeyLabel1, kKeyLabel0);
    glTexCoord2f(s1, t0);
    glVertex2f(kKeyLabel1, kKeyLabel1);
    glTexCoord2f(s0, t0);
    glVertex2f(kKeyLabel0, kKeyLabel1);
    glEnd();
}

// The key that selects slot i: with flipNumberKeys the number pad's rows are exchanged, so the
// top row of pieces answers to 7-8-9. The Child panel always shows 1-4.
int KeyForSlot(int slot) {
    if (ChildLayout() || !Prefs.flipNumberKeys) return slot;
    if (slot < 3) return slot + 6;
    if (slot >= 6) return slot - 6;
    return slot;
}

}  // namespace

float BoardShift() { return ChildLayout() ? kChildShift : 0.0f; }

bool CursorOnBoard() {
    const int last = BoardSideInUse() - 1;
    return CursorColumn >= 0 && CursorColumn <= last && CursorRow >= 0 && CursorRow <= last;
}

BoardRect SquareRect(int column, int row) {
    const float x = static_cast<float>(column) + BoardShift(), y = static_cast<float>(row) + BoardShift();
    return {x - 0.5f, y - 0.5f, x + 0.5f, y + 0.5f};
}

BoardRect MarkSlotRect(int column, int row, int slot) {
    const float c = static_cast<float>(column), r = static_cast<float>(row);
    if (ChildLayout()) {
        const float x = c - kEnlargedOuter + kChildSlotStep * static_cast<float>(slot % 2) + kChildShift;
        const float y = r - kEnlargedOuter + kChildSlotStep * static_cast<float>(slot / 2) + kChildShift;
        return {x, y, x + kChildSlotSize, y + kChildSlotSize};
    }
    const float x = c - kEnlargedOuter + kSlotStep * static_cast<float>(slot % 3);
    const float y = r - kEnlargedOuter + kSlotStep * static_cast<float>(slot / 3);
    return {x, y, x + kSlotSize, y + kSlotSize};
}

void SidePanelSlotCentre(int slot, float& x, float& y) {
    const MarkLayout& m = Marks();
    const float unit = kSidePanelScale * kPanelPieceScale * m.scale;
    x = kSidePanelX + unit * (m.offset + static_cast<float>(slot % m.perRow));
    y = kSidePanelY + unit * (m.offset + static_cast<float>(slot / m.perRow));
}

namespace {

void MatchColour() { glColor3f(0.42f, 0.40f, 0.24f); }

// A square frame of the given width just inside `outer` around the square centred at (x, y).
void DrawFrame(float x, float y, float outer, float width, float z) {
    const float inner = outer - width;
    FillRect(x - outer, y - outer, x + outer, y - inner, z);
    FillRect(x - outer, y + inner, x + outer, y + outer, z);
    FillRect(x - outer, y - inner, x - inner, y + inner, z);
    FillRect(x + inner, y - inner, x + outer, y + inner, z);
}

// A trial's outline: dashes along each side, so it reads without its colour.
void DrawTrialOutline(float x, float y) {
    PlainColour();
    glColor3f(0.85f, 1.0f, 0.85f);
    const float span = 2.0f * kOutlineOuter, step = span / static_cast<float>(2 * kOutlineDashes - 1);
    const float inner = kOutlineOuter - kOutlineWidth;
    for (int d = 0; d < kOutlineDashes; ++d) {
        const float a = -kOutlineOuter + 2.0f * step * static_cast<float>(d), b = a + step;
        FillRect(x + a, y - kOutlineOuter, x + b, y - inner, kOutlineDepth);  // top
        FillRect(x + a, y + inner, x + b, y + kOutlineOuter, kOutlineDepth);  // bottom
        FillRect(x - kOutlineOuter, y + a, x - inner, y + b, kOutlineDepth);  // left
        FillRect(x + inner, y + a, x + kOutlineOuter, y + b, kOutlineDepth);  // right
    }
}

}  // namespace

void DrawBoard(bool gridOnly) {
    const int side = BoardSideInUse();
    const int sectionSide = ChildLayout() ? 2 : 3;
    glPushMatrix();
    glTranslatef(BoardShift(), BoardShift(), 0.0f);
    DrawGridLines(side, sectionSide);
    DrawSections(side, sectionSide);
    glPopMatrix();
    if (gridOnly) return;

    // The helpers read only what the board shows; they are worked out afresh every frame.
    SquareSet matches, clashes;
    int matchSymbol = 0;
    if (MarkOptions.highlightMatches && ScreenState == ScreenGame && CursorOnBoard()) {
        matches = MatchingSquares(PlayBoard, CursorColumn, CursorRow);
        matchSymbol = ShownSymbol(PlayBoard, CursorColumn, CursorRow);
    }
    if (MarkOptions.showConflicts) clashes = ConflictingTrials(PlayBoard);

    // Every square's pieces lie inside the square, so they can all be drawn together at the end.
    BeginPieceBatch();
    for (int c = 0; c < side; ++c) {
        for (int r = 0; r < side; ++r) {
            const float x = static_cast<float>(c) + BoardShift(), y = static_cast<float>(r) + BoardShift();
            const std::size_t index = static_cast<std::size_t>(CellIndex(c, r));
            if (CrystalBallActive && Trial(c, r)) {
                PlainColour();
                glColor3f(0.0f, 0.2f, 0.0f);
                FillRect(x - kTrialHalf, y - kTrialHalf, x + kTrialHalf, y + kTrialHalf, kTrialDepth);
                DrawTrialOutline(x, y);
            }
            if (matches[index]) {
                PlainColour();
                MatchColour();
                FillRect(x - kTrialHalf, y - kTrialHalf, x + kTrialHalf, y + kTrialHalf, kMatchDepth);
            }
            if (clashes[index]) {
                PlainColour();
                glColor3f(1.0f, 0.2f, 0.4f);  // a red that protanopes still tell from the orange lines
                DrawFrame(x, y, kConflictOuter, kConflictWidth, kConflictDepth);
            }
            DrawSquare(CellAt(c, r), matchSymbol);
        }
    }
    EndPieceBatch();
    MaybeTurnNinthArm();
    CheckCompletion();
}

void DrawSquare(Cell& cell, int highlightSymbol) {
    const float x = static_cast<float>(cell.column) + BoardShift();
    const float y = static_cast<float>(cell.row) + BoardShift();
    const bool trial = cell.column >= 0 && cell.row >= 0 && Trial(cell.column, cell.row);
    if (cell.known) {
        glPushMatrix();
        glTranslatef(x, y, 0.0f);
        glScalef(kKnownScale, kKnownScale, 1.0f);
        if (CrystalBallActive && trial) {
            glScalef(1.0f + CrystalWobbleX, 1.0f + CrystalWobbleY, 1.0f);
            DrawPiece(cell.guess, cell.flip, false);
        } else {
            DrawPiece(cell.value, cell.flip, false);
        }
        glPopMatrix();
    } else if (cell.activated) {
        glPushMatrix();
        glTranslatef(x, y, 0.0f);
        if (trial) glScalef(1.0f + CrystalWobbleX, 1.0f + CrystalWobbleY, 1.0f);
        ForEachSlot(Marks(), [&](int i) {
            if (!cell.marks[i]) return;
            if (i + 1 == highlightSymbol) {
                PlainColour();
                MatchColour();
                FillRect(-kSlotMatchHalf, -kSlotMatchHalf, kSlotMatchHalf, kSlotMatchHalf, kSlotMatchDepth);
            }
            DrawPiece(i + 1, cell.flip, false);
        });
        glPopMatrix();
    }
    MaybeChangePose(cell);
}

void DrawCursorSquare() {
    if (!CursorOnBoard()) {
        DrawSidePanel(nullptr);
        return;
    }
    const int column = CursorColumn, row = CursorRow;
    Cell& cell = CellAt(column, row);
    DrawSidePanel(&cell);

    if (cell.activated && (!cell.known || ScreenState == ScreenSolver)) {
        DrawEnlargedSquare(cell);
        for (int i = 0; i < Marks().symbols; ++i) {
            const BoardRect s = MarkSlotRect(column, row, i);
            if (HitRegionClicked(s.x0, s.y0, s.x1, s.y1)) {
                BeginUndoStep();
                ActOnSymbol(column, row, i);
                EndUndoStep();
            }
        }
        return;
    }

    // The marbled frame: one bar along the left edge, turned to each side in turn.
    const float x = static_cast<float>(column) + BoardShift(), y = static_cast<float>(row) + BoardShift();
    glDisable(GL_BLEND);
    for (int quarter = 0; quarter < 4; ++quarter) {
        glPushMatrix();
        glTranslatef(x, y, 0.0f);
        glRotatef(90.0f * static_cast<float>(quarter), 0.0f, 0.0f, 1.0f);
        DrawTexturedQuad(-0.5f, -0.42f, -0.42f, 0.5f, 1.0f, 1.0f, TextureMarbleBar, 0.0f);
        glPopMatrix();
    }
    if (!cell.known) {
        const BoardRect s = SquareRect(column, row);
        if (HitRegionClicked(s.x0, s.y0, s.x1, s.y1)) {
            BeginUndoStep();
            OpenCell(cell);
            EndUndoStep();
        }
    }
}

namespace {

// The yellow-rimmed dark purple square behind the magnified square and the side panel; leaves
// the transform one layer in front of it.
void DrawPanelBackground() {
    PlainColour();
    glColor3f(1.0f, 1.0f, 0.0f);
    FillRect(-kEnlargedOuter, -kEnlargedOuter, kEnlargedOuter, kEnlargedOuter);
    glTranslatef(0.0f, 0.0f, kLayerStep);
    glColor3f(0.2f, 0.0f, 0.3f);
    FillRect(-kEnlargedInner, -kEnlargedInner, kEnlargedInner, kEnlargedInner);
    glTranslatef(0.0f, 0.0f, kLayerStep);
}

}  // namespace

void DrawEnlargedSquare(const Cell& cell) {
    const float x = static_cast<float>(cell.column) + BoardShift();
    const float y = static_cast<float>(cell.row) + BoardShift();
    glPushMatrix();
    glTranslatef(x, y, kEnlargedDepth);
    DrawPanelBackground();
    glScalef(kEnlargedScale, kEnlargedScale, 1.0f);
    if (cell.known) {
        glScalef(kKnownScale, kKnownScale, 1.0f);
        DrawPiece(cell.value, cell.flip, false);
    } else if (cell.activated) {
        ForEachSlot(Marks(), [&](int i) { DrawPiece(i + 1, cell.flip, !cell.marks[i]); });
    }
    glPopMatrix();
}

void DrawSidePanel(const Cell* cell) {
    glPushMatrix();
    glTranslatef(kSidePanelX, kSidePanelY, kEnlargedDepth);
    glScalef(kSidePanelScale, kSidePanelScale, 1.0f);
    DrawPanelBackground();
    glColor3f(0.3f, 1.0f, 1.0f);
    if (ChildLayout()) {
        FillRect(-kChildDividerHalf, -kEnlargedInner, kChildDividerHalf, kEnlargedInner);
        FillRect(-kEnlargedInner, -kChildDividerHalf, kEnlargedInner, kChildDividerHalf);
    } else {
        for (float sign : {-1.0f, 1.0f}) {
            const float a = sign * kDividerNear, b = sign * kDividerFar;
            FillRect(std::min(a, b), -kEnlargedInner, std::max(a, b), kEnlargedInner);
            FillRect(-kEnlargedInner, std::min(a, b), kEnlargedInner, std::max(a, b));
        }
    }
    glTranslatef(0.0f, 0.0f, kLayerStep);
    glScalef(kPanelPieceScale, kPanelPieceScale, 1.0f);
    ForEachSlot(Marks(), [&](int i) {
        glPushMatrix();
        glScalef(kKnownScale, kKnownScale, 1.0f);
        glEnable(GL_BLEND);
        if (cell)
            DrawPiece(i + 1, cell->flip, !cell->marks[i]);
        else
            DrawPiece(i + 1, 0, false);
        glPopMatrix();
        glTranslatef(0.0f, 0.0f, kKeyLabelNear);
        DrawKeyLabel(KeyForSlot(i));
    });
    glPopMatrix();
}

void DrawCompletedValues() {
    const int side = BoardSideInUse();
    int shown[10] = {};
    for (int c = 0; c < side; ++c)
        for (int r = 0; r < side; ++r) {
            const Cell& cell = CellAt(c, r);
            if (cell.known && cell.value >= 1 && cell.value <= 9) ++shown[cell.value];
        }
    const MarkLayout& m = Marks();
    glPushMatrix();
    glTranslatef(kSidePanelX, kSidePanelY, kEnlargedDepth);
    glScalef(kSidePanelScale, kSidePanelScale, 1.0f);
    glTranslatef(-0.5f, -0.5f, 0.0f);
    glScalef(kPanelPieceScale, kPanelPieceScale, 1.0f);
    glScalef(m.scale, m.scale, 1.0f);
    for (int i = 0; i < m.symbols; ++i) {
        if (shown[i + 1] < side) continue;
        glPushMatrix();
        glTranslatef(static_cast<float>(i % m.perRow), static_cast<float>(i / m.perRow), 0.0f);
        DrawMaskedPicture(0.5f, 0.5f, kEnlargedDepth, kCrossSize, kCrossSize, TextureCross);
        glPopMatrix();
    }
    glPopMatrix();
}

void UpdateFallingPieces() {
    for (FallingPiece& piece : FallingPieces) {
        if (!piece.inUse) continue;
        AdvanceFallingPiece(piece);  // a piece leaving the view is still drawn this once
        glPushMatrix();
        glTranslatef(piece.x, piece.y, kFallingDepth);
        glRotatef(piece.angle, 0.0f, 0.0f, 1.0f);
        DrawPiece(piece.symbol, rand() % 2, false);
        glPopMatrix();
    }
}

}  // namespace tessaran
