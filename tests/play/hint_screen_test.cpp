// Hints in the real window: key H and the panel's button through every level, what each level
// draws on the board, Apply, and the reason a wrong piece gives.
#include <gtest/gtest.h>

#include <string>

#include "board/board_render.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "shell/screens.h"
#include "support/game_window.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

Cell& At(int square) { return PlayBoard[static_cast<std::size_t>(CellIndex(square % 9, square / 9))]; }


// Share of the square's pixels that changed between two frames.
double SquareChange(const WindowPixels& a, const WindowPixels& b, int square) {
    const float x = static_cast<float>(square % 9), y = static_cast<float>(square / 9);
    return a.Difference(b, W::PixelX(x - 0.45f), W::PixelY(y - 0.45f), W::PixelX(x + 0.45f), W::PixelY(y + 0.45f));
}

TEST(HintScreen, KeyAndButtonGoThroughEveryLevelAndApply) {
    W::Reset();
    W::StartGame(LevelMedium, 41);
    W::MoveTo(2, 2);  // the pointer off the board: no magnified square in the way
    const WindowPixels before = W::Drawn();
    ASSERT_EQ(ScreenState, ScreenGame);

    W::Key('h');
    const WindowPixels look = W::Drawn();
    ASSERT_EQ(ShownHint.level, 1);
    ASSERT_EQ(ShownHint.kind, HintKind::Step);
    EXPECT_EQ(GameScore.Value(), -kHintCost);
    ASSERT_FALSE(ShownHint.step.units.empty());
    int tinted = -1;  // an empty square of the first unit: tinted now
    for (int s : UnitSquares(ShownHint.step.units[0]))
        if (!At(s).known) tinted = s;
    ASSERT_GE(tinted, 0);
    EXPECT_GT(SquareChange(before, look, tinted), 0.5) << "the unit to look at is tinted";
    // The box over the side panel says it.
    EXPECT_GT(before.Difference(look, W::PixelX(9.6f), W::PixelY(3.6f), W::PixelX(10.7f), W::PixelY(5.3f)), 0.3);

    W::ClickPercent(87.5f, 39.0f);  // "Hint (H)", taken in the panel after the board is drawn
    W::RunFrames(1);
    const WindowPixels pattern = W::Drawn();
    ASSERT_EQ(ShownHint.level, 2);
    const int square = ShownHint.step.placements.empty() ? ShownHint.step.pattern[0] : ShownHint.step.placements[0].square;
    EXPECT_GT(SquareChange(look, pattern, ShownHint.step.pattern[0]), 0.05) << "the pattern is framed";

    W::Key('H');
    const WindowPixels whole = W::Drawn();
    ASSERT_EQ(ShownHint.level, 3);
    ASSERT_TRUE(HintApplicable());
    EXPECT_EQ(GameScore.Value(), -3 * kHintCost);
    EXPECT_EQ(HintLevelsUsed, 3);
    ASSERT_FALSE(ShownHint.step.placements.empty());
    EXPECT_GT(SquareChange(pattern, whole, square), 0.2) << "the piece it places is shown";

    W::ClickPercent(87.5f, 39.0f);  // now "Apply (H)"
    W::RunFrames(1);
    EXPECT_TRUE(At(square).known);
    EXPECT_FALSE(HintOnDisplay());
    EXPECT_EQ(GameScore.Value(), -3 * kHintCost);
    EXPECT_EQ(MistakeCount, 0);
}

TEST(HintScreen, AWrongPieceSaysWhyInThePanel) {
    W::Reset();
    W::StartGame(LevelMedium, 41);
    // A closed square and a piece its row already shows.
    int square = -1, clash = 0;
    for (int s = 0; s < 81 && square < 0; ++s) {
        if (At(s).known) continue;
        for (int c = 0; c < 9; ++c)
            if (At(s / 9 * 9 + c).known) {
                square = s;
                clash = At(s / 9 * 9 + c).value;
                break;
            }
    }
    ASSERT_GE(square, 0);
    W::MoveToBoard(static_cast<float>(square % 9), static_cast<float>(square / 9));
    const WindowPixels before = W::Drawn();
    W::Key(static_cast<unsigned char>("!@#$%^&*("[clash - 1]));
    const WindowPixels after = W::Drawn();
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_NE(WrongMoveExplanation.text.find("There is already"), std::string::npos) << WrongMoveExplanation.text;
    EXPECT_GT(before.Difference(after, W::PixelX(9.6f), W::PixelY(3.6f), W::PixelX(10.7f), W::PixelY(5.3f)), 0.3);
    W::RunFrames(200);  // six seconds later the panel is back
    EXPECT_TRUE(WrongMoveExplanation.text.empty());
}

}  // namespace
}  // namespace tessaran::test
