// The backdrop and bouncing pieces stepped without drawing, at fixed frame factors: bounds,
// bounces, the Crystal Ball green, and how many random numbers each step draws.
#include <gtest/gtest.h>

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
    static float MaxGreen() {
        float g = 0;
        for (const BackdropTriple& c : BackdropColour) g = c.g > g ? c.g : g;
        return g;
    }
};

uint32_t StateAfter(int draws, uint32_t seed) {
    srand(seed);
    for (int i = 0; i < draws; ++i) rand();
    return RandomState();
}

TEST_F(BackdropTest, ColoursStayBetweenZeroAndPointEightAtAnyFrameFactor) {
    for (float factor : {0.5f, 1.0f, 4.0f, 40.0f}) {
        ResetColourBackdrop();
        float highest = 0;
        for (int step = 0; step < 3000; ++step) {
            StepColourBackdrop(factor);
            for (const BackdropTriple& c : BackdropColour) {
                for (float v : {c.r, c.g, c.b}) {
                    ASSERT_GE(v, 0.0f) << "factor " << factor << " step " << step;
                    ASSERT_LE(v, kBackdropCeiling) << "factor " << factor << " step " << step;
                    highest = v > highest ? v : highest;
                }
            }
        }
        EXPECT_GT(highest, 0.1f) << "the backdrop should light up at factor " << factor;
    }
}

TEST_F(BackdropTest, AComponentPushedDownStopsAtZeroAndLosesItsDrift) {
    for (BackdropTriple& d : BackdropDrift) d = {-0.5f, -0.5f, -0.5f};
    StepColourBackdrop(1.0f);
    for (int k = 0; k < kBackdropVertices; ++k) {
        EXPECT_EQ(BackdropColour[k].r, 0.0f);
        EXPECT_EQ(BackdropDrift[k].r, 0.0f);
        EXPECT_EQ(BackdropColour[k].b, 0.0f);
    }
}

TEST_F(BackdropTest, GreenRisesFurtherInCrystalBallMode) {
    for (int i = 0; i < 4000; ++i) StepColourBackdrop(1.0f);
    const float normal = MaxGreen();
    ResetColourBackdrop();
    CrystalBallActive = true;
    for (int i = 0; i < 4000; ++i) StepColourBackdrop(1.0f);
    const float crystal = MaxGreen();
    EXPECT_LT(normal, 0.15f);
    EXPECT_GT(crystal, 0.25f);
    EXPECT_LT(crystal, 0.5f);
}

TEST_F(BackdropTest, EachStepDrawsThreeRandomNumbersPerVertex) {
    srand(77);
    StepColourBackdrop(1.0f);
    EXPECT_EQ(RandomState(), StateAfter(45, 77));
}

TEST_F(BackdropTest, ScatterDrawsFivePerPieceIntoTheirRanges) {
    srand(5);
    ScatterBouncingPieces();
    EXPECT_EQ(RandomState(), StateAfter(45, 5));
    for (const BouncingPiece& p : BouncingPieces) {
        EXPECT_GE(p.x, 0.0f);
        EXPECT_LE(p.x, 8.0f);
        EXPECT_EQ(p.x, static_cast<float>(static_cast<int>(p.x)));
        EXPECT_LE(p.vx, 0.0801f);
        EXPECT_GE(p.vy, -0.0801f);
        EXPECT_LE(p.spin, 14.5f);
        EXPECT_GE(p.spin, -14.5f);
        EXPECT_EQ(p.angle, 0.0f);
    }
}

TEST_F(BackdropTest, PiecesBounceAtZeroAndEightKeepingTheirSpin) {
    BouncingPieces.fill({});
    BouncingPiece& right = BouncingPieces[0];
    right = {7.95f, 4.0f, 0.1f, 0.0f, 0.0f, 3.0f};
    BouncingPiece& top = BouncingPieces[1];
    top = {4.0f, 0.05f, 0.0f, -0.08f, 10.0f, -2.0f};
    StepBouncingPieces(1.0f);
    EXPECT_EQ(right.x, 8.0f);
    EXPECT_FLOAT_EQ(right.vx, -0.1f);
    EXPECT_EQ(right.spin, 3.0f);
    EXPECT_FLOAT_EQ(right.angle, 3.0f);
    EXPECT_EQ(top.y, 0.0f);
    EXPECT_FLOAT_EQ(top.vy, 0.08f);
    EXPECT_FLOAT_EQ(top.angle, 8.0f);
}

TEST_F(BackdropTest, PiecesNeverLeaveTheirSquareEvenAfterAStall) {
    ScatterBouncingPieces();
    for (int step = 0; step < 5000; ++step) {
        StepBouncingPieces(step % 100 == 0 ? 300.0f : 1.7f);
        for (const BouncingPiece& p : BouncingPieces) {
            ASSERT_GE(p.x, 0.0f);
            ASSERT_LE(p.x, kBounceLimit);
            ASSERT_GE(p.y, 0.0f);
            ASSERT_LE(p.y, kBounceLimit);
        }
    }
}

}  // namespace
}  // namespace tessaran
