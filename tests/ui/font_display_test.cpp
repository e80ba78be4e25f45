// Text drawn in a real freeglut window, read back from the frame: placement, colour, queue, textures.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "support/temp_home.h"
#include "ui/font.h"
#include "ui/font_bytes.h"
#include "ui/text.h"

namespace tessaran {
namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 540;

void NoDisplay() {}

// One window per process, set up as the game does: double-buffered RGBA with depth, fonts loaded
// from the data folder right after the window exists, source-alpha blending.
void OpenWindowOnce() {
    static bool open = false;
    if (open) return;
    open = true;
    int argc = 1;
    char name[] = "font_display_test";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutInitWindowPosition(10, 10);
    glutInitWindowSize(kWidth, kHeight);
    glutCreateWindow("Tessaran");
    glutDisplayFunc(NoDisplay);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    ASSERT_EQ(chdir(TESSARAN_SOURCE_DIR "/data"), 0);
    InitFonts();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

struct Frame {
    std::vector<uint8_t> rgb;  // rows top first
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)) * 3]; }
};

Frame ReadFrame() {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<uint8_t> up(static_cast<std::size_t>(kWidth) * kHeight * 3);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, up.data());
    Frame f;
    f.rgb.resize(up.size());
    for (int y = 0; y < kHeight; ++y)  // GL rows grow upward, the game's y grows downward
        std::copy_n(&up[static_cast<std::size_t>(kHeight - 1 - y) * kWidth * 3], kWidth * 3,
                    &f.rgb[static_cast<std::size_t>(y) * kWidth * 3]);
    return f;
}

struct Box {
    int left = kWidth, top = kHeight, right = -1, bottom = -1;  // inclusive
    int count = 0;
    bool Empty() const { return count == 0; }
    double CentreX() const { return (left + right + 1) / 2.0; }
};

template <typename Pred>
Box FindPixels(const Frame& f, Pred pred, int fromRow = 0, int toRow = kHeight) {
    Box b;
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (pred(f.At(x, y))) {
                b.left = std::min(b.left, x), b.right = std::max(b.right, x);
                b.top = std::min(b.top, y), b.bottom = std::max(b.bottom, y);
                ++b.count;
            }
    return b;
}

Box Lit(const Frame& f) {
    return FindPixels(f, [](const uint8_t* p) { return p[0] > 0 || p[1] > 0 || p[2] > 0; });
}

class FontDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenWindowOnce();
        ASSERT_EQ(TextRenderer.FontCount(), 1u);
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

TEST_F(FontDisplayTest, DrawTextAtFillsItsCellBoxAndCentredTextIsCentred) {
    SetTextSize(10);  // 54 px
    SetTextColor(1, 1, 1);
    DrawTextAt(10, 20, "Hello");  // top-left at (72, 108)
    const int width = static_cast<int>(TextRenderer.GetStringWidth("Hello"));
    Box lit = Lit(ReadFrame());
    ASSERT_FALSE(lit.Empty());
    EXPECT_GE(lit.top, 108 - 1);
    // The H's stem starts near the pen; the capitals reach the upper part of the line and, with
    // no descenders in "Hello", the ink stops at the baseline about four fifths down.
    EXPECT_GE(lit.left, 72 - 1);
    EXPECT_LE(lit.left, 72 + 54 / 8);
    EXPECT_LT(lit.top, 108 + 54 * 3 / 10);
    EXPECT_GT(lit.bottom, 108 + 54 * 7 / 10);
    EXPECT_LT(lit.bottom, 108 + 54 * 9 / 10);
    EXPECT_GT(lit.right, 72 + width * 3 / 4);
    EXPECT_LE(lit.right, 72 + width + 1);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SetTextSize(8);
    DrawTextCentred(40, "HOH");
    lit = Lit(ReadFrame());
    ASSERT_FALSE(lit.Empty());
    EXPECT_NEAR(lit.CentreX(), kWidth / 2.0, 3.0);
    EXPECT_GE(lit.top, static_cast<int>(kHeight * 0.40) - 1);
}

TEST_F(FontDisplayTest, ShadowedTextSitsOnADarkShadowAndKeepsTheColour) {
    SetTextSize(10);
    SetTextColor(1, 1, 0);
    DrawTextShadowed(50, "HOH");
    float r, g, b;
    TextRenderer.GetColor(r, g, b);
    EXPECT_TRUE(r == 1.0f && g == 1.0f && b == 0.0f) << r << " " << g << " " << b;
    const Frame f = ReadFrame();
    const Box yellow = FindPixels(f, [](const uint8_t* p) { return p[0] > 160 && p[1] > 160 && p[2] < 40; });
    const Box shadow = FindPixels(f, [](const uint8_t* p) { return p[2] > 0 && p[0] == p[2] && p[1] == p[2]; });
    ASSERT_FALSE(yellow.Empty());
    ASSERT_FALSE(shadow.Empty());
    EXPECT_NEAR(yellow.CentreX(), kWidth * 0.375, 3.0);
    EXPECT_GT(shadow.right, yellow.right);
    EXPECT_GT(shadow.bottom, yellow.bottom);
    EXPECT_EQ(FindPixels(f, [](const uint8_t* p) { return p[0] == p[2] && p[0] > 40; }).count, 0)
        << "the shadow is dark grey";
}

TEST_F(FontDisplayTest, TwentyOneQueuedStringsAllDrawInOrder) {
    LFontRenderer& t = TextRenderer;
    t.SetHeight(20);
    t.SetColor(1, 1, 1);
    for (int i = 0; i < 19; ++i) t.StringOut(10, static_cast<float>(i * 26), "HH");
    t.SetColor(1, 0, 0);
    t.StringOut(400, 100, "HH");
    t.SetColor(0, 1, 0);
    t.StringOut(400, 100, "HH");  // drawn after the red one, so it covers it
    EXPECT_EQ(t.QueueLength(), 40u);
    t.Draw();
    EXPECT_EQ(t.QueuedCount(), 0u);
    const Frame f = ReadFrame();
    for (int i = 0; i < 19; ++i)
        EXPECT_FALSE(FindPixels(f, [](const uint8_t* p) { return p[0] > 128 && p[1] > 128; }, i * 26, i * 26 + 20).Empty()) << i;
    EXPECT_GT(FindPixels(f, [](const uint8_t* p) { return p[1] > 200 && p[0] < 60; }).count, 20);
    EXPECT_EQ(FindPixels(f, [](const uint8_t* p) { return p[0] > 128 && p[1] < 60; }).count, 0);
}

// The text space is the viewport of the first Draw: after a reshape, text keeps its place
// relative to the window and scales with it.
TEST_F(FontDisplayTest, TextKeepsItsPlaceAfterTheViewportShrinks) {
    SetTextSize(10);
    SetTextColor(1, 1, 1);
    DrawTextAt(0, 0, "x");
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, kWidth / 2, kHeight / 2);  // the lower-left quarter of the window
    DrawTextAt(50, 50, "HOH");
    const Box lit = Lit(ReadFrame());
    ASSERT_FALSE(lit.Empty());
    EXPECT_NEAR(lit.left, kWidth / 4, 3);
    EXPECT_GE(lit.top, kHeight / 2 + kHeight / 4 - 1);
    EXPECT_LE(lit.bottom, kHeight / 2 + kHeight / 4 + 27 + 1);
}

class FontFileDisplayTest : public FontDisplayTest {
protected:
    void SetUp() override {
        FontDisplayTest::SetUp();
        folder = test::MakeTempFolder("tessaran-font");
    }
    void TearDown() override { test::RemoveTree(folder); }
    std::string Write(const test::FontBytes& f) {
        const std::string path = folder + "/font.fnt";
        test::WriteBytes(path, f.Bytes());
        return path;
    }
    std::string folder;
};

TEST_F(FontFileDisplayTest, FontTexturesNeverTakeThePicturesFixedNames) {
    test::FontBytes f;
    f.Glyph('A', 0, 0, 2, 4, 2.0f);
    const std::string path = Write(f);  // exactly 6160 + 4 x 2 bytes
    LFontRenderer renderer;
    std::set<uint32_t> names;
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(renderer.LoadFont("F" + std::to_string(i), path), i);
        names.insert(renderer.Font(static_cast<std::size_t>(i)).texture);
    }
    EXPECT_EQ(names.size(), 30u);
    for (uint32_t fixed : {2u, 8u, 100u, 101u, 138u, 194u, 247u, 248u, 249u, 251u, 261u, 262u, 263u}) {
        EXPECT_EQ(names.count(fixed), 0u) << fixed;
        EXPECT_EQ(names.count(fixed + 1000), 0u) << fixed + 1000;
    }
    EXPECT_EQ(names.count(0u), 0u);
}

// A 3-texel-wide sheet has rows that are not 4-byte aligned: each texel must still land in place.
TEST_F(FontFileDisplayTest, OddWidthSheetUploadsRowByRow) {
    test::FontBytes f;
    f.width = 3;
    f.height = 5;
    f.defaultHeight = 50;
    f.Glyph('A', 0, 0, 5, 3, 0.6f);
    f.sheet.resize(15);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) f.sheet[static_cast<std::size_t>(y * 3 + x)] = (x + y) % 2 == 0 ? 255 : 0;
    LFontRenderer renderer;
    renderer.LoadFont("Checks", Write(f));
    renderer.SetActiveFont("Checks");
    renderer.StringOut(100, 100, "A");  // each texel becomes a 10 x 10 block
    renderer.Draw();
    const Frame frame = ReadFrame();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x) {
            const uint8_t v = frame.At(100 + x * 10 + 5, 100 + y * 10 + 5)[0];
            EXPECT_EQ(v > 100, (x + y) % 2 == 0) << x << "," << y;
        }
}

}  // namespace
}  // namespace tessaran
