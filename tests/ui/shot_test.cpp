// tessaran-shot run as a program: its command line, and pixel probes of its PNGs showing that
// masks let the background through, poses differ and dimmed pieces are darker.
#include <gtest/gtest.h>

#include <sys/wait.h>

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
    const uint8_t* At(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3];
    }
    // Mean of each channel over a square of pixels around a board point.
    void Mean(float bx, float by, int half, double out[3]) const {
        const int cx = shot::ProbePixelX(bx, width), cy = shot::ProbePixelY(by, height);
        out[0] = out[1] = out[2] = 0;
        int n = 0;
        for (int y = cy - half; y <= cy + half; ++y)
            for (int x = cx - half; x <= cx + half; ++x, ++n)
                for (int c = 0; c < 3; ++c) out[c] += At(x, y)[c];
        for (int c = 0; c < 3; ++c) out[c] /= n;
    }
    double Brightness(float bx, float by, int half) const {
        double m[3];
        Mean(bx, by, half, m);
        return m[0] + m[1] + m[2];
    }
};

class ShotTest : public ::testing::Test {
protected:
    void SetUp() override { folder = test::MakeTempFolder("tessaran-shot"); }
    void TearDown() override { test::RemoveTree(folder); }

    int Run(const std::string& args) {
        const std::string command = std::string(TESSARAN_BINARY_DIR "/tessaran-shot ") + args + " 2>" + folder + "/err.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    Png Shoot(const std::string& scene, const std::string& extra = "") {
        const std::string out = folder + "/" + scene + ".png";
        EXPECT_EQ(Run(scene + " " + out + " " + extra), 0) << test::ReadText(folder + "/err.txt");
        Png png;
        int components = 0;
        stbi_uc* data = stbi_load(out.c_str(), &png.width, &png.height, &components, 3);
        if (!data) {
            ADD_FAILURE() << "no PNG from scene " << scene;
            return png;
        }
        png.rgb.assign(data, data + static_cast<std::size_t>(png.width) * static_cast<std::size_t>(png.height) * 3);
        stbi_image_free(data);
        return png;
    }
    std::string folder;
};

TEST_F(ShotTest, CommandLineMistakesAreRefused) {
    EXPECT_EQ(Run("no-such-scene " + folder + "/x.png"), 2);
    EXPECT_NE(test::ReadText(folder + "/err.txt").find("gallery"), std::string::npos) << "the scenes are listed";
    EXPECT_EQ(Run("gallery"), 2);
    EXPECT_EQ(Run("gallery " + folder + "/x.png --size 10x10"), 2);
    EXPECT_EQ(Run("gallery " + folder + "/x.png --frames 0"), 2);
    EXPECT_EQ(Run("gallery " + folder + "/x.png --bogus"), 2);
    EXPECT_FALSE(std::system(("test -e " + folder + "/x.png").c_str()) == 0);
    EXPECT_EQ(Run("gallery " + folder + "/no-folder/x.png"), 1);
}

TEST_F(ShotTest, GalleryAndBackdropRenderAtTheAskedSize) {
    const Png gallery = Shoot("gallery", "--size 640x480 --frames 3");
    EXPECT_EQ(gallery.width, 640);
    EXPECT_EQ(gallery.height, 480);
    const Png backdrop = Shoot("backdrop", "--frames 2");
    EXPECT_EQ(backdrop.width, 800);
    EXPECT_EQ(backdrop.height, 600);
}

TEST_F(ShotTest, BlackInAMaskedPictureShowsTheBackgroundThrough) {
    const Png png = Shoot("probe-mask");
    ASSERT_EQ(png.width, 800);
    const float half = shot::kProbeCrossSide / 2;
    // The cross's corners are black in the picture.
    for (float dx : {-1.0f, 1.0f}) {
        for (float dy : {-1.0f, 1.0f}) {
            double m[3];
            png.Mean(shot::kProbeCrossX + dx * (half - 0.15f), shot::kProbeCrossY + dy * (half - 0.15f), 3, m);
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(m[c], shot::kProbeBackground[c] * 255, 2.0) << dx << "," << dy;
        }
    }
    // Its middle is the picture: red, not the background.
    double mid[3];
    png.Mean(shot::kProbeCrossX, shot::kProbeCrossY, 2, mid);
    EXPECT_GT(mid[0], 150);
    EXPECT_GT(mid[0], mid[2] + 60);
    // Outside the picture the background is untouched.
    double out[3];
    png.Mean(shot::kProbeCrossX + half + 1, shot::kProbeCrossY, 3, out);
    EXPECT_NEAR(out[2], shot::kProbeBackground[2] * 255, 1.0);
}

TEST_F(ShotTest, PosesDifferAndDimmedPiecesAreDarker) {
    const Png png = Shoot("probe-pieces");
    ASSERT_EQ(png.width, 800);
    const int half = static_cast<int>(shot::kProbePieceSide / 2 / 12.2667f * 800) - 2;
    auto x = [](int i) { return shot::kProbePieceX[i]; };
    const float y = shot::kProbePieceY;

    // Piece 3, pose 0 against pose 1: same brightness class, different pictures.
    const int ax = shot::ProbePixelX(x(0), 800), bx = shot::ProbePixelX(x(1), 800), cy = shot::ProbePixelY(y, 600);
    double differing = 0;
    for (int dy = -half; dy <= half; ++dy)
        for (int dx = -half; dx <= half; ++dx)
            for (int c = 0; c < 3; ++c) differing += std::abs(png.At(ax + dx, cy + dy)[c] - png.At(bx + dx, cy + dy)[c]);
    EXPECT_GT(differing / ((2 * half + 1) * (2 * half + 1)), 10.0) << "pose 1 looks like pose 0";

    const double bright3 = png.Brightness(x(0), y, half), dim3 = png.Brightness(x(2), y, half);
    const double bright9 = png.Brightness(x(3), y, half), dim9 = png.Brightness(x(4), y, half);
    EXPECT_GT(bright3, 20.0);
    EXPECT_LT(dim3, bright3 * 0.7);
    EXPECT_GT(bright9, 20.0);
    EXPECT_LT(dim9, bright9 * 0.5) << "the ninth piece dims its colours to 0.3";

    // Digits: light blue when bright, green when dimmed.
    double digit[3], dimDigit[3];
    png.Mean(x(5), y, half, digit);
    png.Mean(x(6), y, half, dimDigit);
    EXPECT_GT(digit[2], digit[0] + 20);
    EXPECT_GT(dimDigit[1], dimDigit[2] + 10);
    EXPECT_GT(dimDigit[1], dimDigit[0] + 10);
}

}  // namespace
}  // namespace tessaran
