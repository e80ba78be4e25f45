// The backdrop and bouncing pieces stepped without drawing, at fixed frame factors: bounds,
// bounces, the Crystal Ball green, and how many random numbers each step draws.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/game_state.h"
#include "game/random.h"
#include "ui/backdrop.h"

namespace tessaran {
namespace {

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
                for (float v : {c.r, c.g, c.b})
                    EXPECT_TRUE(v >= 0.0f && v <= kBackdropCeiling) << "factor " << factor << " step " << step;
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
