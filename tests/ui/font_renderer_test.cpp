// LFontRenderer and the text wrappers without a window: loading failures, state, widths, the queue.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <string>

#include "shell/startup.h"
#include "support/temp_home.h"
#include "ui/font.h"
#include "ui/font_bytes.h"
#include "ui/text.h"

namespace tessaran {
namespace {

using test::FontBytes;

FontBytes SmallFont() {
    FontBytes f;
    f.width = 8;
    f.height = 4;
    f.defaultHeight = 40;
    f.Glyph('A', 0, 0, 4, 3, 0.75f);
    f.Glyph('B', 0, 3, 4, 7, 1.5f);
    f.Glyph(' ', 0, 7, 4, 8, 0.25f);
    return f;
}

FontFileData Decoded(const FontBytes& f) {
    FontFileData data;
    EXPECT_EQ(DecodeFontFile(f.Bytes(), data), FontFileStatus::Ok);
    return data;
}

std::string FontMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const FontError& e) {
        return e.what();
    }
    return "(no exception)";
}

// ---- Loading --------------------------------------------------------------------------------

class FontLoadTest : public ::testing::Test {
protected:
    void SetUp() override { folder = test::MakeTempFolder("tessaran-font"); }
    void TearDown() override { test::RemoveTree(folder); }
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& name = "Another.fnt") {
        const std::string path = folder + "/" + name;
        test::WriteBytes(path, bytes);
        return path;
    }
    std::string folder;
};

void PrintStartupError() { std::fprintf(stderr, "startup error %d: %s\n", StartupError, StartupErrorArgument.c_str()); }

using FontLoadDeathTest = FontLoadTest;

// A missing file and one ending inside the glyph table both end the program naming the file.
TEST_F(FontLoadDeathTest, MissingOrTruncatedGlyphTableEndsTheProgramNamingTheFile) {
    std::vector<uint8_t> bytes = SmallFont().Bytes();
    bytes.resize(16 + 24 * 100);
    for (const std::string& path : {folder + "/Missing/Another.fnt", Write(bytes)}) {
        EXPECT_EXIT(
            {
                std::atexit(PrintStartupError);
                LFontRenderer renderer;
                renderer.LoadFont("Another", path);
            },
            ::testing::ExitedWithCode(0), "startup error 1: .*/Another\\.fnt");
    }
}

TEST_F(FontLoadTest, DamagedFilesThrowTheirMessageAndAddNothing) {
    LFontRenderer renderer;
    std::vector<uint8_t> shortSheet = SmallFont().Bytes();
    shortSheet.pop_back();
    EXPECT_EQ(FontMessage([&] { renderer.LoadFont("Another", Write(shortSheet)); }),
              "LFontRenderer::LoadFont - error reading from font file");

    FontBytes wrong = SmallFont();
    wrong.magic = 6667;
    EXPECT_EQ(FontMessage([&] { renderer.LoadFont("Another", Write(wrong.Bytes())); }),
              "LFontRenderer::LoadFont - wrong file format");

    const std::string good = Write(SmallFont().Bytes(), "good.fnt");
    EXPECT_EQ(FontMessage([&] { renderer.LoadFont("", good); }),
              "LFontRenderer::LoadFont - invalid filename or font name");
    EXPECT_EQ(FontMessage([&] { renderer.LoadFont("Another", ""); }),
              "LFontRenderer::LoadFont - invalid filename or font name");
    EXPECT_EQ(renderer.FontCount(), 0u);
}

// ---- The renderer's state -------------------------------------------------------------------

TEST(FontRenderer, EveryOperationNeedsAnActiveFont) {
    LFontRenderer renderer;
    float r, g, b;
    const std::pair<std::function<void()>, std::string> calls[] = {
        {[&] { renderer.SetHeight(10); }, "LFontRenderer::SetHeight - no valid active font selected"},
        {[&] { renderer.SetColor(1, 0, 0); }, "LFontRenderer::SetColor - no valid active font selected"},
        {[&] { renderer.GetColor(r, g, b); }, "LFontRenderer::GetColor - no valid active font selected"},
        {[&] { renderer.SetWidthScale(2); }, "LFontRenderer::SetWidthScale - no valid active font selected"},
        {[&] { renderer.SetRotation(90); }, "LFontRenderer::SetRotation - no valid active font selected"},
        {[&] { renderer.GetStringWidth("A"); }, "LFontRenderer::GetStringWidth - no valid active font selected"},
        {[&] { renderer.StringOut(0, 0, "A"); }, "LFontRenderer::StringOut - no valid active font selected"},
        {[&] { renderer.SetActiveFont("Another"); }, "LFontRenderer::SetActiveFont - specified font not found"},
    };
    for (const auto& [call, message] : calls) EXPECT_EQ(FontMessage(call), message);
    EXPECT_EQ(renderer.QueuedCount(), 0u);
    EXPECT_EQ(renderer.QueueLength(), 0u);
}

TEST(FontRenderer, SetActiveFontMatchesExactlyAndPrefersTheFirst) {
    LFontRenderer renderer;
    const FontFileData data = Decoded(SmallFont());
    EXPECT_EQ(renderer.AddFont("Other", data, 0), 0);
    EXPECT_EQ(renderer.AddFont("Another", data, 0), 1);
    EXPECT_EQ(renderer.AddFont("Another", data, 0), 2);
    EXPECT_EQ(renderer.ActiveFontIndex(), 0u) << "adding a font does not select it";
    renderer.SetActiveFont("Another");
    EXPECT_EQ(renderer.ActiveFontIndex(), 1u);
    for (const char* near : {"another", "Another ", "Anothe", ""}) {
        EXPECT_EQ(FontMessage([&] { renderer.SetActiveFont(near); }),
                  "LFontRenderer::SetActiveFont - specified font not found");
        EXPECT_EQ(renderer.ActiveFontIndex(), 1u);
    }
}

TEST(FontRenderer, HeightSentinelRestoresTheFileHeightOtherValuesAreLiteral) {
    LFontRenderer renderer;
    renderer.AddFont("Another", Decoded(SmallFont()), 0);
    for (uint32_t h : {0u, 100000u}) {
        renderer.SetHeight(h);
        EXPECT_EQ(renderer.Font(0).currentHeight, h);
    }
    renderer.SetHeight(LFontRenderer::kDefaultHeight);
    EXPECT_EQ(renderer.Font(0).currentHeight, 40u);
}

TEST(FontRenderer, StringWidthFollowsHeightScaleAndSpaceForMissingGlyphs) {
    LFontRenderer renderer;
    renderer.AddFont("Another", Decoded(SmallFont()), 0);
    EXPECT_EQ(renderer.GetStringWidth(""), 0u);
    EXPECT_EQ(renderer.GetStringWidth("A"), 30u);   // 40 x 0.75
    EXPECT_EQ(renderer.GetStringWidth("AB"), 90u);  // + 40 x 1.5
    // Absent glyphs, control codes and bytes above 127 measure as a space (40 x 0.25).
    EXPECT_EQ(renderer.GetStringWidth("A\x01"), 40u);
    EXPECT_EQ(renderer.GetStringWidth("\xE9\xFF"), 20u);
    renderer.SetHeight(10);
    EXPECT_EQ(renderer.GetStringWidth("A"), 7u) << "7.5 truncates";
    EXPECT_EQ(renderer.GetStringWidth("AAAA"), 30u) << "the sum truncates, not each glyph";
    renderer.SetWidthScale(2.0f);
    EXPECT_EQ(renderer.GetStringWidth("A"), 15u);
    renderer.SetWidthScale(0.5f);
    EXPECT_EQ(renderer.GetStringWidth("AB"), 11u);  // (7.5 + 15) x 0.5 = 11.25
}

TEST(FontRenderer, StringWidthOfHostileAdvancesStaysDefined) {
    // The file decoder refuses such glyphs; the renderer stays defined even if handed them.
    FontFileData data = Decoded(SmallFont());
    const float hostile[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                             -3.0f, 3.0e38f};
    const char names[] = {'N', 'I', 'M', 'H'};
    for (int i = 0; i < 4; ++i) {
        GlyphInfo& g = data.glyphs[static_cast<unsigned char>(names[i])];
        g.present = true;
        g.advanceRatio = hostile[i];
    }
    LFontRenderer renderer;
    renderer.AddFont("Another", data, 0);
    EXPECT_EQ(renderer.GetStringWidth("N"), 0u);
    EXPECT_EQ(renderer.GetStringWidth("M"), 0u);
    EXPECT_EQ(renderer.GetStringWidth("I"), 0xFFFFFFFFu);
    EXPECT_EQ(renderer.GetStringWidth("H"), 0xFFFFFFFFu);
}

TEST(FontRenderer, QueueGrowsByTwentyCopiesTheFontStateAndClearForgetsAll) {
    LFontRenderer renderer;
    renderer.AddFont("Another", Decoded(SmallFont()), 0);
    renderer.SetColor(1, 0, 0);
    renderer.SetHeight(12);
    renderer.SetRotation(30);
    renderer.SetWidthScale(1.25f);
    renderer.StringOut(5, 6, "first");
    EXPECT_EQ(renderer.QueueLength(), 20u);
    renderer.SetColor(0, 0, 1);
    renderer.SetHeight(20);
    for (int i = 1; i < 21; ++i) renderer.StringOut(static_cast<float>(i), 0, "more");
    EXPECT_EQ(renderer.QueuedCount(), 21u);
    EXPECT_EQ(renderer.QueueLength(), 40u);
    const QueuedString& first = renderer.Queued(0);
    EXPECT_EQ(first.text, "first");
    EXPECT_EQ(first.height, 12u);
    EXPECT_EQ(first.r, 1.0f);
    EXPECT_EQ(first.rotation, 30.0f);
    EXPECT_EQ(first.widthScale, 1.25f);
    EXPECT_EQ(renderer.Queued(20).height, 20u);
    EXPECT_EQ(renderer.Queued(20).b, 1.0f);

    renderer.Clear();
    EXPECT_EQ(renderer.FontCount(), 0u);
    EXPECT_EQ(renderer.QueuedCount(), 0u);
    EXPECT_EQ(FontMessage([&] { renderer.StringOut(0, 0, "x"); }),
              "LFontRenderer::StringOut - no valid active font selected");
}

// ---- Wrappers: percent in, pixels out -------------------------------------------------------

class TextWrapperTest : public ::testing::Test {
protected:
    void SetUp() override {
        TextRenderer.Clear();
        TextRenderer.AddFont("Another", Decoded(SmallFont()), 0);
        TextRenderer.SetActiveFont("Another");
        TextRefWidth = 720;
        TextRefHeight = 540;
    }
    void TearDown() override { TextRenderer.Clear(); }
};

TEST_F(TextWrapperTest, TextSizeAndWidthArePercentsOfTheReferenceTruncated) {
    const std::pair<int, uint32_t> cases[] = {{5, 27}, {7, 37}, {12, 64}, {3, 16}, {0, 0}, {-4, 0}};
    for (auto [percent, pixels] : cases) {
        SetTextSize(percent);
        EXPECT_EQ(TextRenderer.Font(0).currentHeight, pixels) << percent;
    }
    SetTextSize(10);  // 54 px: "AB" = 40.5 + 81 = 121.5 -> 121
    EXPECT_FLOAT_EQ(TextWidthPercent("AB"), 121.0f / 720.0f * 100.0f);
    EXPECT_EQ(TextWidthPercent(""), 0.0f);
    EXPECT_EQ(TextWidthPercent(nullptr), 0.0f);
}

}  // namespace
}  // namespace tessaran
