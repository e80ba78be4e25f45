// The toolkit without a window: widget hit testing (percent rectangles against board-unit
// clicks, board-unit hit regions, whole-percent hover, who takes a click), and the backdrop and
// bouncing pieces stepped at fixed frame factors (bounds, Crystal Ball green, random draws).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/random.h"
#include "shell/input_state.h"
#include "ui/backdrop.h"
#include "ui/widgets.h"

namespace tessaran {
namespace {

std::vector<int> Played;

class WidgetHitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Played.clear();
        SetSoundPlayer([](int n) { Played.push_back(n); });
        MouseClicked = false;
        WidgetHover = HoverState{};
    }
    void TearDown() override { SetSoundPlayer(nullptr); }
    static Widget Make(uint8_t kind, float x, float y, float w, float h) {
        return Widget{.x = x, .y = y, .width = w, .height = h, .kind = kind};
    }
};

// Buttons reach 1 % further across and, in board units, as far down: 4/3 % of the height. A
// check box's text reaches 4 % left for its box; a text item has no margin. Hover is in whole
// percent with the same margins.
TEST_F(WidgetHitTest, ButtonMarginsAndTheCheckBoxReachAreKeptToTheEdge) {
    const float down = 1.0f * kBoardPerPercentX / kBoardPerPercentY;
    const float midX = BoardXFromPercent(40), midY = BoardYFromPercent(42);
    for (uint8_t kind : {WidgetButton, WidgetArrowButton}) {
        const Widget b = Make(kind, 30, 40, 20, 4);
        EXPECT_TRUE(WidgetContainsClick(b, BoardXFromPercent(29) + 1e-4f, midY));
        EXPECT_FALSE(WidgetContainsClick(b, BoardXFromPercent(29) - 1e-3f, midY));
        EXPECT_TRUE(WidgetContainsClick(b, midX, BoardYFromPercent(44 + down) - 1e-4f));
        EXPECT_FALSE(WidgetContainsClick(b, midX, BoardYFromPercent(44 + down) + 1e-3f));
        EXPECT_TRUE(WidgetContainsPointer(b, 51, 45));
        EXPECT_FALSE(WidgetContainsPointer(b, 28, 42));
    }
    const Widget box = Make(WidgetCheckBox, 30, 40, 20, 5), item = Make(WidgetTextItem, 30, 40, 20, 5);
    EXPECT_TRUE(WidgetContainsClick(box, BoardXFromPercent(26.02f), midY));
    EXPECT_FALSE(WidgetContainsClick(box, BoardXFromPercent(25.98f), midY));
    EXPECT_FALSE(WidgetContainsClick(item, BoardXFromPercent(29.98f), midY));
    EXPECT_FALSE(WidgetContainsClick(item, midX, BoardYFromPercent(45.02f)));
    EXPECT_TRUE(WidgetContainsPointer(box, 26, 42));
    EXPECT_FALSE(WidgetContainsPointer(box, 25, 42));
}

// The first enabled widget tested takes the click with one sound; disabled ones pass it on and
// hit regions, in board units with their edges, click silently.
TEST_F(WidgetHitTest, FirstEnabledWidgetTestedTakesTheClickWithOneSound) {
    Widget disabled = Make(WidgetTextItem, 30, 40, 20, 4), first = Make(WidgetTextItem, 30, 40, 10, 4);
    Widget second = Make(WidgetButton, 35, 41, 20, 4), other = Make(WidgetTextItem, 10, 20, 10, 4);
    disabled.disabled = 1;
    other.selected = 1;
    first.group[0] = &other;
    MouseClicked = true, ClickX = BoardXFromPercent(36), ClickY = BoardYFromPercent(42);
    EXPECT_FALSE(WidgetClicked(disabled));
    EXPECT_TRUE(WidgetClicked(first));
    EXPECT_FALSE(WidgetClicked(second));
    EXPECT_EQ(Played, std::vector<int>{SoundPop});
    EXPECT_EQ(first.selected, 1) << "a clicked text item is selected";
    EXPECT_EQ(other.selected, 0) << "and its group deselected";
    HoverX = 35, HoverY = 42;
    EXPECT_FALSE(WidgetHovered(disabled));

    const Widget region = Make(WidgetHitRegion, 2.5f, 3.5f, 1.0f, 1.0f);
    EXPECT_TRUE(WidgetContainsClick(region, 3.5f, 4.5f));
    EXPECT_FALSE(WidgetContainsClick(region, 2.49f, 4.0f));
    MouseClicked = true, ClickX = 2.5f, ClickY = 3.5f;
    EXPECT_TRUE(HitRegionClicked(2.5f, 3.5f, 3.5f, 4.5f));
    EXPECT_FALSE(MouseClicked);
    EXPECT_EQ(Played.size(), 1u);
}

class BackdropTest : public ::testing::Test {
protected:
    void SetUp() override {
        CrystalBallActive = false;
        ResetColourBackdrop();
        srand(20260);
    }
    void TearDown() override { CrystalBallActive = false; }
    // The highest component over `steps` steps (or the greenest vertex after them), failing
    // if a component leaves 0..0.8.
    static float Highest(int steps, float factor, bool greenAtEnd = false) {
        float high = 0, green = 0;
        for (int step = 0; step < steps; ++step) {
            StepColourBackdrop(factor);
            green = 0;
            for (const BackdropTriple& c : BackdropColour) {
                EXPECT_TRUE(std::min({c.r, c.g, c.b}) >= 0.0f && std::max({c.r, c.g, c.b}) <= kBackdropCeiling) << step;
                high = std::max({high, c.r, c.g, c.b});
                green = std::max(green, c.g);
            }
        }
        return greenAtEnd ? green : high;
    }
};

// At any frame factor the colours stay within 0..0.8 yet light up; Crystal Ball mode lifts the
// green well above its usual level.
TEST_F(BackdropTest, ColoursStayBetweenZeroAndPointEightAndGreenRisesInCrystalBallMode) {
    for (float factor : {0.5f, 40.0f}) EXPECT_GT(Highest(3000, factor), 0.1f) << "factor " << factor;
    ResetColourBackdrop();
    EXPECT_LT(Highest(4000, 1.0f, true), 0.15f);
    ResetColourBackdrop();
    CrystalBallActive = true;
    const float crystal = Highest(4000, 1.0f, true);
    EXPECT_TRUE(crystal > 0.25f && crystal < 0.5f) << crystal;
}

// The random sequence is shared with the puzzles: a step draws three numbers per vertex, a
// scatter five per piece.
TEST_F(BackdropTest, StepsAndScattersDrawTheirCountOfRandomNumbers) {
    auto stateAfter = [](int draws, uint32_t seed) {
        srand(seed);
        for (int i = 0; i < draws; ++i) rand();
        return RandomState();
    };
    srand(77);
    StepColourBackdrop(1.0f);
    EXPECT_EQ(RandomState(), stateAfter(45, 77));
    srand(5);
    ScatterBouncingPieces();
    EXPECT_EQ(RandomState(), stateAfter(45, 5));
    for (const BouncingPiece& p : BouncingPieces) {
        EXPECT_EQ(p.x, static_cast<float>(static_cast<int>(p.x)));
        EXPECT_TRUE(p.vx <= 0.0801f && p.vy >= -0.0801f && p.spin <= 14.5f && p.spin >= -14.5f);
    }
}

TEST_F(BackdropTest, PiecesNeverLeaveTheirSquareEvenAfterAStall) {
    ScatterBouncingPieces();
    for (int step = 0; step < 5000; ++step) {
        StepBouncingPieces(step % 100 == 0 ? 300.0f : 1.7f);
        for (const BouncingPiece& p : BouncingPieces)
            ASSERT_TRUE(p.x >= 0 && p.x <= kBounceLimit && p.y >= 0 && p.y <= kBounceLimit) << "step " << step;
    }
}

}  // namespace
}  // namespace tessaran
