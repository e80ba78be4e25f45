// The board drawn in batches with one-pass pictures and the ninth character from its cells gives
// the pixels that drawing each piece on its own, mask pass then picture pass, gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>

#include "board/pieces.h"
#include "game/game_state.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "shell/screens.h"
#include "support/game_window.h"
#include "ui/backdrop.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

// One game frame from the same state and the same random numbers, drawn one way or the other.
WindowPixels Frame(bool fast) {
    const auto colour = BackdropColour;
    const auto drift = BackdropDrift;
    const NinthPiece ninth = NinthPieceState;
    UseFastPieceDrawing(fast);
    srand(7);
    W::RunFrames(1);
    UseFastPieceDrawing(true);
    BackdropColour = colour;
    BackdropDrift = drift;
    NinthPieceState = ninth;
    return W::Capture();
}

int DifferingPixels(const WindowPixels& a, const WindowPixels& b) {
    return static_cast<int>(a.Difference(b, 0, 0, a.width - 1, a.height - 1, 1) * a.width * a.height + 0.5);
}

TEST(BoardDrawingTest, BatchedBoardMatchesPieceByPieceDrawingInEveryStyle) {
    W::Reset();
    W::StartGame(LevelMedium, 3);
    // Every open square shows marks, some left out; a few trials; matches highlighted; the
    // cursor on a given, so the side panel shows its piece and the dimmed ones.
    int given = -1;
    for (std::size_t i = 0; i < PlayBoard.size(); ++i) {
        Cell& cell = PlayBoard[i];
        if (cell.known) {
            if (given < 0 || cell.value == 9) given = static_cast<int>(i);
            continue;
        }
        cell.activated = 1;
        for (std::size_t k = 0; k < std::size(cell.marks); ++k) cell.marks[k] = (i + k) % 4 != 0;
    }
    MarkOptions.highlightMatches = true;
    CursorColumn = PlayBoard[static_cast<std::size_t>(given)].column;
    CursorRow = PlayBoard[static_cast<std::size_t>(given)].row;
    NinthPieceState.angle = 17.0f;
    W::RunFrames(2);
    for (int style = 0; style <= 2; ++style) {
        Prefs.pieceStyle = style;
        NinthPieceState.angle = 17.0f + static_cast<float>(style);  // the arm turned: cells made anew
        const WindowPixels slow = Frame(false);
        const WindowPixels fast = Frame(true);
        EXPECT_LE(DifferingPixels(slow, fast), 4) << "piece style " << style;
    }
}

}  // namespace
}  // namespace tessaran::test
