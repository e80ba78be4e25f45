// The files a player can replace, decoded without a window: bitmaps (layout, refusals, masks)
// and ".fnt" fonts (refusals, the shipped Another.fnt), LFontRenderer's widths and TextWidth. A missing
// or damaged font file is played through end to end.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/bitmap.h"
#include "ui/bmp_bytes.h"
#include "ui/font.h"
#include "ui/font_bytes.h"
#include "ui/text.h"

namespace tessaran {
namespace {

using namespace test;  // the file builders

std::vector<uint8_t> Bmp(void (*change)(BmpLayout&)) {
    BmpLayout layout;
    change(layout);
    return MakeBmp(layout);
}

TEST(BitmapDecode, RowsComeBottomFirstInBlueGreenRedPaddedToFourBytesFromAnyHeader) {
    BmpLayout layout;
    layout.width = 2;  // 6 bytes of pixels, 2 of padding per row
    layout.pixel = [](int x, int y) { return Bgr{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 77}; };
    BitmapImage image, other;
    std::string reason;
    ASSERT_TRUE(DecodeBitmap(MakeBmp(layout), image, &reason)) << reason;
    ASSERT_EQ(image.pixels.size(), 32u);
    for (std::size_t i = 0; i < 32; ++i) {  // blue = x, green = y from the top, red; 2 bytes of padding
        const int y = 3 - static_cast<int>(i / 8);
        EXPECT_EQ(image.pixels[i], (std::array<int, 8>{0, y, 77, 1, y, 77, 0, 0}[i % 8])) << i;
    }
    // Top-down rows, the old core header and the long header give the same picture.
    for (auto [height, infoSize] : {std::pair{-4, 40u}, std::pair{4, 12u}, std::pair{4, 124u}}) {
        layout.height = height, layout.infoSize = infoSize;
        EXPECT_TRUE(DecodeBitmap(MakeBmp(layout), other) && other.pixels == image.pixels) << height << " " << infoSize;
    }
}

// Every way a player's file can be wrong: refused with a reason, the output left alone.
TEST(BitmapDecode, RefusesWhatTheGameCannotUse) {
    auto patched = [](std::size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = MakeBmp({});
        bytes[at] = value;
        return bytes;
    };
    std::vector<uint8_t> cut = MakeBmp({});
    cut.pop_back();
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"empty", {}},
        {"wrong magic", patched(0, 'P')},
        {"RLE", Bmp([](BmpLayout& s) { s.bitsPerPixel = 8, s.compression = 1; })},
        {"32-bit", Bmp([](BmpLayout& s) { s.bitsPerPixel = 32; })},
        {"width 3", Bmp([](BmpLayout& s) { s.width = 3; })},
        {"negative width", Bmp([](BmpLayout& s) { s.width = -4; })},
        {"8192 tall", Bmp([](BmpLayout& s) { s.width = 1, s.height = 8192; })},
        {"one byte short", cut},
        {"pixel offset in header", patched(10, 20)},
        {"pixel offset 1 GB in", patched(13, 0x40)},
        {"unknown header size", patched(14, 44)},
    };
    for (const auto& [name, bytes] : cases) {
        BitmapImage image;
        image.width = 99;
        std::string reason;
        EXPECT_FALSE(DecodeBitmap(bytes, image, &reason)) << name;
        EXPECT_FALSE(reason.empty()) << name;
        EXPECT_EQ(image.width, 99) << name;
        EXPECT_TRUE(image.pixels.empty()) << name;
    }
}

TEST(BitmapMask, OnlyPureBlackIsTransparentAndPaddingStaysZero) {
    BmpLayout layout;
    layout.width = 2;
    // From the top: black, (0,0,1); (1,0,0), (0,1,0); white, black; grey, black.
    static const Bgr pixels[4][2] = {{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 1, 0}}, {{255, 255, 255}, {0, 0, 0}},
                                     {{9, 9, 9}, {0, 0, 0}}};
    layout.pixel = [](int x, int y) { return pixels[y][x]; };
    TextureImage image;
    ASSERT_TRUE(DecodeTextureImage(MakeBmp(layout), true, image));
    ASSERT_EQ(image.mask.size(), image.picture.pixels.size());
    for (std::size_t i = 0; i < image.mask.size(); ++i) {
        const std::size_t row = i / 8, x = (i % 8) / 3;  // bottom row first
        const bool transparent = x < 2 && (row == 3 ? x == 0 : row < 2 && x == 1);
        EXPECT_EQ(image.mask[i], transparent ? 255 : 0) << "byte " << i;
    }
}

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
        {std::vector<uint8_t>(good.begin(), good.begin() + 6159), S::TruncatedGlyphTable},
        {std::vector<uint8_t>(good.begin(), good.end() - 1), S::TruncatedSheet},
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

// However a TextWidth scope is left, the width before it comes back: nested scopes give back
// the outer width, not the plain one, and each Fit starts again from its scope's width.
TEST(TextWidthScope, EveryExitGivesBackTheWidthBefore) {
    FontFileData data;
    ASSERT_EQ(DecodeFontFile(SmallFont().Bytes(), data), FontFileStatus::Ok);
    TextRenderer.AddFont("Another", data, 0);
    TextRenderer.SetActiveFont("Another");
    TextRefWidth = 100;  // a percent is a pixel: "AB" is 90 wide, "A" 30
    const auto inForce = [] { return TextRenderer.Font(0).widthScale; };
    {
        TextWidth design(0.5f);
        EXPECT_EQ(TextWidthPercent("AB"), 45.0f);
        {
            TextWidth inner(1.0f);
            EXPECT_EQ(inner.Fit("AB", 30.0f), 30.0f);
            EXPECT_FLOAT_EQ(inForce(), 1.0f / 3.0f);
            EXPECT_EQ(inner.Fit("A", 30.0f), 30.0f) << "fits at the scope's own width";
            EXPECT_EQ(inForce(), 1.0f);
            EXPECT_EQ(inner.Fit("AB", 0.0f), 90.0f) << "no room: left as it is, not shrunk away";
        }
        EXPECT_EQ(inForce(), 0.5f);
    }
    EXPECT_EQ(inForce(), 1.0f);
    try {
        TextWidth narrow(0.7f);
        narrow.Fit("ABAB", 1.0f);
        throw std::runtime_error("a frame cut short");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(inForce(), 1.0f);
    TextRenderer.Clear();
    TextRefWidth = 0;
}

}  // namespace
}  // namespace tessaran
