// Decoder of the ".fnt" bitmap-font file; checks every length before it reads.
#include "ui/font_file.h"

#include <cmath>
#include <cstring>
#include <new>
#include <utility>

namespace tessaran {

namespace {

uint32_t ReadU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

float ReadF32(const uint8_t* p) {
    const uint32_t bits = ReadU32(p);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

FontFileStatus DecodeFontFile(std::span<const uint8_t> bytes, FontFileData& out) {
    if (bytes.size() < 4 || ReadU32(bytes.data()) != kFontMagic) return FontFileStatus::WrongFormat;
    if (bytes.size() < kFontSheetOffset) return FontFileStatus::TruncatedGlyphTable;

    const uint8_t* p = bytes.data();
    const uint32_t width = ReadU32(p + 4);
    const uint32_t height = ReadU32(p + 8);
    // A sheet without pixels would put every glyph at an infinite texture coordinate; one
    // larger than any texture is refused before anything is allocated for it.
    if (width == 0 || height == 0 || width > kFontSheetMaxSide || height > kFontSheetMaxSide)
        return FontFileStatus::WrongFormat;

    const uint64_t sheetBytes = static_cast<uint64_t>(width) * height;
    if (bytes.size() - kFontSheetOffset < sheetBytes) return FontFileStatus::TruncatedSheet;

    FontFileData data;
    data.sheetWidth = width;
    data.sheetHeight = height;
    data.defaultHeight = ReadU32(p + 12);
    if (data.defaultHeight == 0 || data.defaultHeight > kFontSheetMaxSide) return FontFileStatus::WrongFormat;
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    for (std::size_t i = 0; i < kFontGlyphCount; ++i) {
        const uint8_t* r = p + kFontHeaderBytes + i * kFontGlyphRecordBytes;
        // Every glyph that can be drawn (the space stands in for absent ones) must lie on the
        // sheet and have a sensible width.
        if (ReadU32(r + 16) != 0 || i == ' ') {
            const uint32_t top = ReadU32(r), left = ReadU32(r + 4), bottom = ReadU32(r + 8), right = ReadU32(r + 12);
            const float advance = ReadF32(r + 20);
            if (top > bottom || bottom > height || left > right || right > width || !std::isfinite(advance) ||
                advance < 0.0f || advance > kFontMaxAdvanceRatio)
                return FontFileStatus::WrongFormat;
        }
        GlyphInfo& g = data.glyphs[i];
        g.top = static_cast<float>(ReadU32(r)) / h;
        g.left = static_cast<float>(ReadU32(r + 4)) / w;
        g.bottom = static_cast<float>(ReadU32(r + 8)) / h;
        g.right = static_cast<float>(ReadU32(r + 12)) / w;
        g.present = ReadU32(r + 16) != 0;
        g.advanceRatio = ReadF32(r + 20);
    }
    try {
        const uint8_t* sheet = p + kFontSheetOffset;
        data.sheet.assign(sheet, sheet + static_cast<std::size_t>(sheetBytes));
    } catch (const std::bad_alloc&) {
        return FontFileStatus::NoMemory;
    }
    out = std::move(data);
    return FontFileStatus::Ok;
}

const char* FontFileMessage(FontFileStatus status) {
    switch (status) {
    case FontFileStatus::Ok:
    case FontFileStatus::TruncatedGlyphTable:
        return "";
    case FontFileStatus::WrongFormat:
        return "LFontRenderer::LoadFont - wrong file format";
    case FontFileStatus::TruncatedSheet:
        return "LFontRenderer::LoadFont - error reading from font file";
    case FontFileStatus::NoMemory:
        return "LFontRenderer::LoadFont - could not allocate memory for font";
    }
    return "";
}

}  // namespace tessaran
