// Font-file decoding: exact lengths, cut-off files, bad headers, and the shipped Another.fnt itself.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "ui/font_bytes.h"
#include "ui/font_file.h"

namespace tessaran {
namespace {

using test::FontBytes;

FontBytes SmallFont() {
    FontBytes f;
    f.width = 8;
    f.height = 4;
    f.defaultHeight = 40;
    f.Glyph('A', 1, 2, 3, 6, 0.75f);
    f.Glyph(' ', 0, 0, 4, 2, 0.25f);
    f.glyphs['B'] = {0, 0, 0, 0, 7, 1.5f};  // any non-zero "present" counts
    f.sheet.resize(32);
    for (std::size_t i = 0; i < f.sheet.size(); ++i) f.sheet[i] = static_cast<uint8_t>(i * 7);
    return f;
}

TEST(FontFile, ExactLengthDecodesEveryFieldAndLaterBytesAreIgnored) {
    const FontBytes f = SmallFont();
    std::vector<uint8_t> bytes = f.Bytes();
    ASSERT_EQ(bytes.size(), 6160u + 8 * 4);
    FontFileData font;
    ASSERT_EQ(DecodeFontFile(bytes, font), FontFileStatus::Ok);
    EXPECT_EQ(font.sheetWidth, 8u);
    EXPECT_EQ(font.sheetHeight, 4u);
    EXPECT_EQ(font.defaultHeight, 40u);
    const GlyphInfo& a = font.glyphs['A'];
    EXPECT_FLOAT_EQ(a.top, 1.0f / 4);  // rows divide by the sheet height, columns by its width
    EXPECT_FLOAT_EQ(a.left, 2.0f / 8);
    EXPECT_FLOAT_EQ(a.bottom, 3.0f / 4);
    EXPECT_FLOAT_EQ(a.right, 6.0f / 8);
    EXPECT_EQ(a.advanceRatio, 0.75f);
    EXPECT_TRUE(font.glyphs['B'].present);
    EXPECT_FALSE(font.glyphs['C'].present);
    EXPECT_EQ(font.sheet, f.sheet);

    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    ASSERT_EQ(DecodeFontFile(bytes, font), FontFileStatus::Ok);
    EXPECT_EQ(font.sheet.size(), 32u);
}

// Each cut length and the status it gives; a failed decode leaves the output alone.
TEST(FontFile, CutFilesAndWrongMagicGiveTheirStatus) {
    std::vector<uint8_t> bytes = SmallFont().Bytes();
    const std::pair<std::size_t, FontFileStatus> cuts[] = {
        {0, FontFileStatus::WrongFormat},           {3, FontFileStatus::WrongFormat},
        {4, FontFileStatus::TruncatedGlyphTable},   {16, FontFileStatus::TruncatedGlyphTable},
        {6159, FontFileStatus::TruncatedGlyphTable}, {bytes.size() - 32, FontFileStatus::TruncatedSheet},
        {bytes.size() - 1, FontFileStatus::TruncatedSheet},
    };
    for (auto [length, status] : cuts) {
        FontFileData font;
        font.defaultHeight = 1234;
        EXPECT_EQ(DecodeFontFile(std::span(bytes.data(), length), font), status) << length;
        EXPECT_EQ(font.defaultHeight, 1234u);
    }
    EXPECT_STREQ(FontFileMessage(FontFileStatus::TruncatedSheet),
                 "LFontRenderer::LoadFont - error reading from font file");
    FontFileData font;
    bytes[0] = 0x0B;  // 6667
    EXPECT_EQ(DecodeFontFile(bytes, font), FontFileStatus::WrongFormat);
    bytes[0] = 0x00, bytes[1] = 0x00, bytes[2] = 0x1A, bytes[3] = 0x0A;  // big-endian 6666
    EXPECT_EQ(DecodeFontFile(bytes, font), FontFileStatus::WrongFormat);
    EXPECT_STREQ(FontFileMessage(FontFileStatus::WrongFormat), "LFontRenderer::LoadFont - wrong file format");
}

TEST(FontFile, EmptyOrAbsurdSizesAreRefusedBeforeAnyAllocation) {
    std::vector<uint8_t> bytes = SmallFont().Bytes();
    for (int i = 4; i < 12; ++i) bytes[static_cast<std::size_t>(i)] = 0xFF;  // 2^32-1 x 2^32-1
    FontFileData font;
    EXPECT_EQ(DecodeFontFile(bytes, font), FontFileStatus::WrongFormat);

    // (width, height, default height); a 4097-wide sheet is present in full, still refused.
    const uint32_t sizes[][3] = {{0, 4, 40}, {8, 0, 40}, {4097, 1, 40}, {8, 4, 0}, {8, 4, 4097}};
    for (const auto& size : sizes) {
        FontBytes f = SmallFont();
        f.width = size[0];
        f.height = size[1];
        f.defaultHeight = size[2];
        f.sheet.assign(static_cast<std::size_t>(size[0]) * size[1], 0);
        EXPECT_EQ(DecodeFontFile(f.Bytes(), font), FontFileStatus::WrongFormat) << size[0] << "x" << size[1];
    }
}

TEST(FontFile, DrawableGlyphsMustLieOnTheSheetWithAFiniteWidth) {
    FontFileData font;
    // (top, left, bottom, right, present, advance); the sheet is 8 wide and 4 high.
    const FontBytes::Record bad[] = {
        {0, 0, 5, 2, 1, 0.5f},           // below the sheet
        {0, 6, 4, 9, 1, 0.5f},           // right of the sheet
        {3, 0, 1, 2, 1, 0.5f},           // upside down
        {0, 0, 4, 2, 1, NAN},            // width not a number
        {0, 0, 4, 2, 1, INFINITY},
        {0, 0, 4, 2, 1, -1.0f},
    };
    for (const auto& record : bad) {
        FontBytes f = SmallFont();
        f.glyphs['C'] = record;
        EXPECT_EQ(DecodeFontFile(f.Bytes(), font), FontFileStatus::WrongFormat);
    }
    // An absent glyph is never drawn, so whatever its record holds does not matter...
    FontBytes absent = SmallFont();
    absent.glyphs['C'] = {0, 0, 99, 99, 0, NAN};
    EXPECT_EQ(DecodeFontFile(absent.Bytes(), font), FontFileStatus::Ok);
    // ...except the space's, which stands in for every absent glyph.
    FontBytes space = SmallFont();
    space.glyphs[' '] = {0, 0, 99, 99, 0, 0.25f};
    EXPECT_EQ(DecodeFontFile(space.Bytes(), font), FontFileStatus::WrongFormat);
}

// ---- The shipped font -----------------------------------------------------------------------

FontFileData ShippedFont(std::size_t* fileSize = nullptr) {
    std::ifstream in(std::string(TESSARAN_SOURCE_DIR) + "/data/Another.fnt", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (fileSize) *fileSize = bytes.size();
    FontFileData font;
    EXPECT_EQ(DecodeFontFile(bytes, font), FontFileStatus::Ok);
    return font;
}

struct PixelRect {
    long top, left, bottom, right;
};

PixelRect InPixels(const FontFileData& font, const GlyphInfo& g) {
    auto px = [](float v, uint32_t size) { return std::lround(static_cast<double>(v) * size); };
    return {px(g.top, font.sheetHeight), px(g.left, font.sheetWidth), px(g.bottom, font.sheetHeight),
            px(g.right, font.sheetWidth)};
}

TEST(ShippedFont, HasExactLengthAndAllPrintableAscii) {
    std::size_t size = 0;
    const FontFileData font = ShippedFont(&size);
    ASSERT_GT(font.sheetWidth, 0u);
    EXPECT_EQ(size, 6160u + static_cast<std::size_t>(font.sheetWidth) * font.sheetHeight);
    for (int c = 32; c <= 126; ++c) EXPECT_TRUE(font.glyphs[static_cast<std::size_t>(c)].present) << c;
    for (int c : {0xC9, 0xE9, 0xF1, 0xDF, 0xA0}) EXPECT_TRUE(font.glyphs[static_cast<std::size_t>(c)].present) << c;
    for (int c = 0; c < 32; ++c) EXPECT_FALSE(font.glyphs[static_cast<std::size_t>(c)].present) << c;
    // Crisp at the sizes the screens use: not far off 1:1 for the largest text (65 px).
    EXPECT_GE(font.defaultHeight, 48u);
    EXPECT_LE(font.defaultHeight, 96u);
}

// Text is laid out by cells alone, so every cell must be a whole line tall and exactly as wide as
// its advance; anything else squashes glyphs or breaks the baseline.
TEST(ShippedFont, CellsSpanTheLineAndMatchTheirAdvance) {
    const FontFileData font = ShippedFont();
    for (int c = 0; c < 256; ++c) {
        const GlyphInfo& g = font.glyphs[static_cast<std::size_t>(c)];
        if (!g.present) continue;
        const PixelRect r = InPixels(font, g);
        EXPECT_EQ(r.bottom - r.top, static_cast<long>(font.defaultHeight)) << c;
        const double width = static_cast<double>(r.right - r.left);
        EXPECT_NEAR(width, g.advanceRatio * static_cast<double>(font.defaultHeight), 1e-3) << c;
        EXPECT_GT(g.advanceRatio, 0.0f) << c;
    }
}

// Linear filtering reads one texel beyond a cell's edge: all ink must sit inside cells, with a
// blank texel between any cell and its neighbours, and the space must be blank.
TEST(ShippedFont, InkStaysInsideCellsWithBlankMargins) {
    const FontFileData font = ShippedFont();
    std::vector<int> owner(font.sheet.size(), -1);
    for (int c = 0; c < 256; ++c) {
        const GlyphInfo& g = font.glyphs[static_cast<std::size_t>(c)];
        if (!g.present) continue;
        const PixelRect r = InPixels(font, g);
        for (long y = r.top - 1; y <= r.bottom; ++y)
            for (long x = r.left - 1; x <= r.right; ++x) {
                if (x < 0 || y < 0 || x >= static_cast<long>(font.sheetWidth) || y >= static_cast<long>(font.sheetHeight))
                    continue;
                int& o = owner[static_cast<std::size_t>(y) * font.sheetWidth + static_cast<std::size_t>(x)];
                const bool inside = y >= r.top && y < r.bottom && x >= r.left && x < r.right;
                if (inside) {
                    ASSERT_EQ(o, -1) << "the cell of " << c << " touches another";
                    o = c;
                } else {
                    ASSERT_LT(o, 0) << "the cell of " << o << " touches that of " << c;
                    o = -2;  // margin
                }
            }
    }
    for (std::size_t i = 0; i < font.sheet.size(); ++i) {
        if (font.sheet[i] != 0) {
            ASSERT_GE(owner[i], 0) << "ink outside any cell at texel " << i;
        }
    }
    const PixelRect space = InPixels(font, font.glyphs[' ']);
    for (long y = space.top; y < space.bottom; ++y)
        for (long x = space.left; x < space.right; ++x)
            ASSERT_EQ(font.sheet[static_cast<std::size_t>(y) * font.sheetWidth + static_cast<std::size_t>(x)], 0);
}

}  // namespace
}  // namespace tessaran
