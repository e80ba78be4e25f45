// Fonts without a window: decoding and refusing ".fnt" files, the shipped Another.fnt, and
// LFontRenderer's widths. (A missing or damaged font file is played through end to end.)
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "ui/font.h"
#include "ui/font_bytes.h"

namespace tessaran {
namespace {

using test::FontBytes;

FontBytes SmallFont(const std::function<void(FontBytes&)>& change = nullptr) {  // 8 x 4 sheet, 40 px
    FontBytes f;
    f.width = 8, f.height = 4, f.defaultHeight = 40;
    f.Glyph('A', 0, 0, 4, 3, 0.75f);
    f.Glyph('B', 1, 3, 3, 7, 1.5f);
    f.Glyph(' ', 0, 7, 4, 8, 0.25f);
    for (int i = 0; i < 32; ++i) f.sheet.push_back(static_cast<uint8_t>(i * 7));
    if (change) change(f);
    return f;
}

std::vector<uint8_t> Cut(const std::vector<uint8_t>& bytes, std::size_t n) {
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<long>(n));
}

TEST(FontFile, ExactLengthDecodesEveryFieldAndLaterBytesAreIgnored) {
    std::vector<uint8_t> bytes = SmallFont().Bytes();
    ASSERT_EQ(bytes.size(), 6160u + 8 * 4);
    bytes.insert(bytes.end(), {1, 2, 3});
    FontFileData font;
    ASSERT_EQ(DecodeFontFile(bytes, font), FontFileStatus::Ok);
    EXPECT_EQ(font.defaultHeight, 40u);
    const GlyphInfo& b = font.glyphs['B'];  // rows divide by the sheet height, columns by its width
    EXPECT_EQ(std::vector<float>({b.top, b.left, b.bottom, b.right, b.advanceRatio}),
              std::vector<float>({1.0f / 4, 3.0f / 8, 3.0f / 4, 7.0f / 8, 1.5f}));
    EXPECT_FALSE(font.glyphs['C'].present);
    EXPECT_EQ(font.sheet, SmallFont().sheet);
}

// Each damage gives its status and leaves the output alone; absurd sizes are refused before
// any allocation, and only glyphs that can be drawn (present, or the space) are checked.
TEST(FontFile, DamagedFilesGiveTheirStatusAndChangeNothing) {
    const std::vector<uint8_t> good = SmallFont().Bytes();
    std::vector<uint8_t> huge = good;  // 2^32-1 x 2^32-1
    std::fill(huge.begin() + 4, huge.begin() + 12, 0xFF);
    using S = FontFileStatus;
    const std::pair<std::vector<uint8_t>, S> cases[] = {
        {Cut(good, 6159), S::TruncatedGlyphTable},
        {Cut(good, good.size() - 1), S::TruncatedSheet},
        {huge, S::WrongFormat},
        {SmallFont([](FontBytes& f) { f.magic = 6667; }).Bytes(), S::WrongFormat},
        {SmallFont([](FontBytes& f) { f.width = 4097, f.height = 1; }).Bytes(), S::WrongFormat},
        {SmallFont([](FontBytes& f) { f.glyphs['C'] = {0, 0, 5, 2, 1, 0.5f}; }).Bytes(), S::WrongFormat},
        {SmallFont([](FontBytes& f) { f.glyphs['C'] = {0, 0, 4, 2, 1, NAN}; }).Bytes(), S::WrongFormat},
        {SmallFont([](FontBytes& f) { f.glyphs['C'] = {0, 0, 99, 99, 0, NAN}; }).Bytes(), S::Ok},
        {SmallFont([](FontBytes& f) { f.glyphs[' '] = {0, 0, 99, 99, 0, 0.25f}; }).Bytes(), S::WrongFormat},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        FontFileData font;
        font.defaultHeight = 1234;
        EXPECT_EQ(DecodeFontFile(cases[i].first, font), cases[i].second) << "case " << i;
        EXPECT_EQ(font.defaultHeight, cases[i].second == S::Ok ? 40u : 1234u) << "case " << i;
    }
}

// Text is laid out by cells alone, and linear filtering reads one texel beyond a cell: every
// cell spans the line, is as wide as its advance, and has a blank ring around it.
TEST(ShippedFont, HasExactLengthPrintableAsciiAndCleanCells) {
    std::ifstream in(std::string(TESSARAN_SOURCE_DIR) + "/data/Another.fnt", std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    FontFileData font;
    ASSERT_EQ(DecodeFontFile(bytes, font), FontFileStatus::Ok);
    const long w = font.sheetWidth, h = font.sheetHeight;
    EXPECT_EQ(bytes.size(), 6160u + static_cast<std::size_t>(w * h));
    EXPECT_GE(font.defaultHeight, 48u);  // crisp at the largest text the screens use
    for (int c = 0; c < 256; ++c) {
        const GlyphInfo& g = font.glyphs[static_cast<std::size_t>(c)];
        EXPECT_TRUE(c < 32 ? !g.present : c > 126 || g.present) << c;
        if (!g.present) continue;
        auto px = [](float v, long side) { return std::lround(static_cast<double>(v) * static_cast<double>(side)); };
        const long top = px(g.top, h), left = px(g.left, w), bottom = px(g.bottom, h), right = px(g.right, w);
        EXPECT_EQ(bottom - top, static_cast<long>(font.defaultHeight)) << c;
        EXPECT_NEAR(static_cast<double>(right - left), static_cast<double>(g.advanceRatio) * font.defaultHeight, 1e-3) << c;
        for (long y = std::max(top - 1, 0L); y <= std::min(bottom, h - 1); ++y)
            for (long x = std::max(left - 1, 0L); x <= std::min(right, w - 1); ++x) {
                const bool ring = y < top || y == bottom || x < left || x == right;
                ASSERT_TRUE(!(ring || c == ' ') || font.sheet[static_cast<std::size_t>(y * w + x)] == 0) << c;
            }
    }
}

TEST(FontRenderer, StringWidthFollowsHeightScaleAndSpaceForMissingGlyphs) {
    FontFileData data;
    ASSERT_EQ(DecodeFontFile(SmallFont().Bytes(), data), FontFileStatus::Ok);
    data.glyphs['N'] = {0, 0, 1, 1, true, NAN};  // hostile advances the decoder refuses stay defined
    data.glyphs['I'] = {0, 0, 1, 1, true, INFINITY};
    LFontRenderer renderer;
    renderer.AddFont("Another", data, 0);
    EXPECT_EQ(renderer.GetStringWidth("AB"), 90u);         // 40 x 0.75 + 40 x 1.5
    EXPECT_EQ(renderer.GetStringWidth("A\x01\xE9"), 50u);  // absent glyphs measure as a space
    EXPECT_EQ(renderer.GetStringWidth("N"), 0u);
    EXPECT_EQ(renderer.GetStringWidth("I"), 0xFFFFFFFFu);
    renderer.SetHeight(10);
    EXPECT_EQ(renderer.GetStringWidth("AAAA"), 30u) << "the sum truncates, not each glyph";
    renderer.SetWidthScale(0.5f);
    EXPECT_EQ(renderer.GetStringWidth("AB"), 11u);  // (7.5 + 15) x 0.5 = 11.25
}

}  // namespace
}  // namespace tessaran
