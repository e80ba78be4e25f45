// tessaran-shot run as a program, with pixel probes of its PNGs showing that masks let the
// background through and dimmed pieces are darker.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "shot/probe_layout.h"
#include "support/temp_home.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace tessaran {
namespace {

struct Png {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    // Mean of each channel over a square of pixels around a board point.
    std::array<double, 3> Mean(float bx, float by, int half) const {
        const int cx = shot::ProbePixelX(bx, width), cy = shot::ProbePixelY(by, height);
        std::array<double, 3> m{};
        for (int y = cy - half; y <= cy + half; ++y)
            for (int x = cx - half; x <= cx + half; ++x)
                for (std::size_t c = 0; c < 3; ++c)
                    m[c] += rgb[(static_cast<std::size_t>(y * width + x)) * 3 + c] / ((2.0 * half + 1) * (2 * half + 1));
        return m;
    }
};

class ShotTest : public ::testing::Test {
protected:
    void SetUp() override { folder = test::MakeTempFolder("tessaran-shot"); }
    void TearDown() override { test::RemoveTree(folder); }
    Png Shoot(const std::string& scene) {
        const std::string out = folder + "/" + scene + ".png";
        const int status = std::system((TESSARAN_BINARY_DIR "/tessaran-shot " + scene + " " + out + " 2>" + folder + "/err.txt").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << test::ReadText(folder + "/err.txt");
        Png png;
        int components = 0;
        if (stbi_uc* data = stbi_load(out.c_str(), &png.width, &png.height, &components, 3)) {
            png.rgb.assign(data, data + static_cast<std::size_t>(png.width) * static_cast<std::size_t>(png.height) * 3);
            stbi_image_free(data);
        }
        return png;
    }
    std::string folder;
};

TEST_F(ShotTest, BlackInAMaskedPictureShowsTheBackgroundThrough) {
    const Png png = Shoot("probe-mask");
    ASSERT_EQ(png.width, 800);
    const float half = shot::kProbeCrossSide / 2;
    for (float dx : {-1.0f, 1.0f})  // the cross's corners are black in the picture
        for (float dy : {-1.0f, 1.0f}) {
            const auto m = png.Mean(shot::kProbeCrossX + dx * (half - 0.15f), shot::kProbeCrossY + dy * (half - 0.15f), 3);
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(m[static_cast<std::size_t>(c)], shot::kProbeBackground[c] * 255, 2.0) << dx << "," << dy;
        }
    const auto mid = png.Mean(shot::kProbeCrossX, shot::kProbeCrossY, 2);  // its middle is red
    EXPECT_GT(mid[0], 150);
    EXPECT_GT(mid[0], mid[2] + 60);
}

TEST_F(ShotTest, DimmedPiecesAreDarkerAndDimmedDigitsGreen) {
    const Png png = Shoot("probe-pieces");
    ASSERT_EQ(png.width, 800);
    const int half = static_cast<int>(shot::kProbePieceSide / 2 / 12.2667f * 800) - 2;
    const float* x = shot::kProbePieceX;
    const float y = shot::kProbePieceY;
    auto brightness = [&](int i) {
        const auto m = png.Mean(x[i], y, half);
        return m[0] + m[1] + m[2];
    };
    EXPECT_GT(brightness(0), 20.0);
    EXPECT_LT(brightness(2), brightness(0) * 0.7);
    EXPECT_GT(brightness(3), 20.0);
    EXPECT_LT(brightness(4), brightness(3) * 0.5) << "the ninth piece dims its colours to 0.3";
    const auto digit = png.Mean(x[5], y, half), dimDigit = png.Mean(x[6], y, half);
    EXPECT_GT(digit[2], digit[0] + 20) << "light blue when bright";
    EXPECT_GT(dimDigit[1], dimDigit[2] + 10) << "green when dimmed";
    EXPECT_GT(dimDigit[1], dimDigit[0] + 10);
}

}  // namespace
}  // namespace tessaran
