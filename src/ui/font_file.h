// The ".fnt" bitmap-font file decoded into plain data: no OpenGL, no file access, never trusts its input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tessaran {

// Layout of a font file, all fields little-endian 32-bit:
//   0 magic 6666, 4 sheet width W, 8 sheet height H, 12 default height in pixels,
//   16 256 glyph records of 24 bytes (top, left, bottom, right in sheet pixels, present,
//   advance ratio as an IEEE single), 6160 W x H coverage bytes, first row = top of the sheet.
inline constexpr uint32_t kFontMagic = 6666;
inline constexpr std::size_t kFontGlyphCount = 256;
inline constexpr std::size_t kFontHeaderBytes = 16;
inline constexpr std::size_t kFontGlyphRecordBytes = 24;
inline constexpr std::size_t kFontSheetOffset = kFontHeaderBytes + kFontGlyphCount * kFontGlyphRecordBytes;
static_assert(kFontSheetOffset == 6160);
inline constexpr uint32_t kFontSheetMaxSide = 4096;   // larger sheets and heights are refused
inline constexpr float kFontMaxAdvanceRatio = 16.0f;  // no glyph is sixteen times wider than tall

// One character's place in the glyph sheet, in normalised texture coordinates (vertical
// coordinate runs down the sheet from its first row).
struct GlyphInfo {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    bool present = false;       // false: the font has no glyph; the space stands in for it
    float advanceRatio = 0.0f;  // drawn width divided by the font height
};

struct FontFileData {
    uint32_t sheetWidth = 0;
    uint32_t sheetHeight = 0;
    uint32_t defaultHeight = 0;  // pixels
    std::array<GlyphInfo, kFontGlyphCount> glyphs{};
    std::vector<uint8_t> sheet;  // sheetWidth x sheetHeight coverage bytes, row by row, top row first
};

enum class FontFileStatus {
    Ok,
    WrongFormat,          // bad magic, or a sheet with no pixels
    TruncatedGlyphTable,  // the file ends inside the header or the glyph records
    TruncatedSheet,       // the file ends inside the glyph sheet
    NoMemory,             // the sheet could not be allocated
};

// Decodes a whole font file. On failure `out` is left untouched. Bytes after the sheet are ignored.
FontFileStatus DecodeFontFile(std::span<const uint8_t> bytes, FontFileData& out);

// The loader's message for a failed decode ("" for Ok). TruncatedGlyphTable has no message of its
// own: the loader treats it as the font file being missing.
const char* FontFileMessage(FontFileStatus status);

}  // namespace tessaran
