// Fuzzes the font-file decoder: any bytes either decode into a consistent font or are refused
// with the one status their length and header call for, leaving the output untouched.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "ui/font_file.h"

namespace {

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

float F32(const uint8_t* p) {
    const uint32_t bits = U32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The decoder's rules, restated from the file format independently of its code.
tessaran::FontFileStatus Expected(const uint8_t* data, size_t size) {
    using tessaran::FontFileStatus;
    using tessaran::kFontSheetMaxSide;
    if (size < 4 || U32(data) != tessaran::kFontMagic) return FontFileStatus::WrongFormat;
    if (size < tessaran::kFontSheetOffset) return FontFileStatus::TruncatedGlyphTable;
    const uint64_t w = U32(data + 4), h = U32(data + 8);
    if (w == 0 || h == 0 || w > kFontSheetMaxSide || h > kFontSheetMaxSide) return FontFileStatus::WrongFormat;
    if (size - tessaran::kFontSheetOffset < w * h) return FontFileStatus::TruncatedSheet;
    const uint32_t defaultHeight = U32(data + 12);
    if (defaultHeight == 0 || defaultHeight > kFontSheetMaxSide) return FontFileStatus::WrongFormat;
    for (size_t c = 0; c < tessaran::kFontGlyphCount; ++c) {
        const uint8_t* r = data + tessaran::kFontHeaderBytes + c * tessaran::kFontGlyphRecordBytes;
        if (U32(r + 16) == 0 && c != ' ') continue;  // never drawn
        const float advance = F32(r + 20);
        if (U32(r) > U32(r + 8) || U32(r + 8) > h || U32(r + 4) > U32(r + 12) || U32(r + 12) > w ||
            !std::isfinite(advance) || advance < 0.0f || advance > tessaran::kFontMaxAdvanceRatio)
            return FontFileStatus::WrongFormat;
    }
    return FontFileStatus::Ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaran::FontFileData font;
    font.defaultHeight = 0xDEADBEEF;  // must survive any refusal
    const tessaran::FontFileStatus status = tessaran::DecodeFontFile(std::span<const uint8_t>(data, size), font);
    if (status != Expected(data, size)) std::abort();
    if (status != tessaran::FontFileStatus::Ok) {
        if (font.defaultHeight != 0xDEADBEEF || !font.sheet.empty()) std::abort();
        return 0;
    }
    if (font.sheet.size() != static_cast<size_t>(font.sheetWidth) * font.sheetHeight) std::abort();
    for (size_t c = 0; c < font.glyphs.size(); ++c) {
        const tessaran::GlyphInfo& g = font.glyphs[c];
        if (!g.present && c != ' ') continue;
        // Every drawable glyph lies on the sheet, with a finite width.
        if (!(g.left >= 0 && g.left <= g.right && g.right <= 1 && g.top >= 0 && g.top <= g.bottom && g.bottom <= 1) ||
            !std::isfinite(g.advanceRatio))
            std::abort();
    }
    return 0;
}
