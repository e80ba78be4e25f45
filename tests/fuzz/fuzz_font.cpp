// Fuzzes the font-file decoder: any bytes either decode into a consistent font or are refused
// with the one status their length and header call for, leaving the output untouched.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/font_file.h"

namespace {

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

tessaran::FontFileStatus Expected(const uint8_t* data, size_t size) {
    using tessaran::FontFileStatus;
    if (size < 4 || U32(data) != tessaran::kFontMagic) return FontFileStatus::WrongFormat;
    if (size < tessaran::kFontSheetOffset) return FontFileStatus::TruncatedGlyphTable;
    const uint64_t w = U32(data + 4), h = U32(data + 8);
    if (w == 0 || h == 0) return FontFileStatus::WrongFormat;
    if (size - tessaran::kFontSheetOffset < w * h) return FontFileStatus::TruncatedSheet;
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
    for (const tessaran::GlyphInfo& g : font.glyphs)
        if (!std::isfinite(g.left) || !std::isfinite(g.top) || !std::isfinite(g.right) || !std::isfinite(g.bottom) ||
            g.left < 0 || g.top < 0 || g.right < 0 || g.bottom < 0)
            std::abort();
    return 0;
}
