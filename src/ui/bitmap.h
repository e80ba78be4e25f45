// Pictures as the game keeps them: checked BMP decoding, transparency masks and the fixed
// texture names. No OpenGL here, so a player's bad file is caught by code that tests headless.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaran {

// ---- Texture names ----------------------------------------------------------------------
// A picture's texture is named by its resource number; its mask, where it has one, by that
// number + 1000. These names are bound without being generated, so nothing else may take them.

inline constexpr uint32_t kMaskNameOffset = 1000;
inline constexpr uint32_t MaskName(uint32_t picture) { return picture + kMaskNameOffset; }
// A masked picture is also kept as one texture for a single blended pass: its colours, and an
// alpha that is the mask's opposite (0 where the mask keeps the frame). Named number + 2000.
inline constexpr uint32_t kOnePassNameOffset = 2000;

enum TextureNumber : uint16_t {
    TextureMarbleBar = 2,       // 32 x 256 vertical blue bar
    TextureCrystalBall = 8,     // 128 x 128 icon on a grey tile
    TextureTimeLabel = 100,     // masked
    TextureScoreLabel = 101,    // masked
    TexturePieceSheet = 138,    // masked; 8 x 2 character faces
    TexturePauseBanner = 194,   // masked
    TextureBonusBanner = 247,   // masked
    TextureLogo = 248,          // title logo
    TextureDimSheet = 249,      // dimmed piece sheet, drawn with the sheet's mask
    TextureKeyDigits = 251,     // black digits on white, 1-2-3 in the top row
    TextureCross = 261,         // masked
    TextureDimDigits = 262,     // green digits, drawn with the light-blue digits' mask
    TextureDigits = 263,        // masked; light-blue digits, 1-2-3 in the bottom row
};

struct BuiltInPicture {
    uint16_t number;
    bool masked;
};
// Start-up load order of every built-in picture except the piece sheet, which is loaded on its
// own because the player may replace it.
inline constexpr BuiltInPicture kBuiltInPictures[] = {
    {TexturePauseBanner, true}, {TextureCrystalBall, false}, {TextureTimeLabel, true},
    {TextureScoreLabel, true},  {TextureBonusBanner, true},  {TextureLogo, false},
    {TextureDimSheet, false},   {TextureMarbleBar, false},   {TextureKeyDigits, false},
    {TextureCross, true},       {TextureDigits, true},       {TextureDimDigits, false},
};

// True for every name the picture loader binds: each picture and each mask, used or not.
// A generated texture (the font's) must avoid these.
bool IsFixedTextureName(uint32_t name);

// ---- Decoding ---------------------------------------------------------------------------

inline constexpr int32_t kMaxBitmapSide = 4096;

// 24-bit pixels in blue, green, red order, bottom row first, each row padded to 4 bytes: the
// layout the textures are uploaded from, so texture coordinate t = 0 is the picture's bottom.
struct BitmapImage {
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;  // bytes per row, a multiple of 4
    std::vector<uint8_t> pixels;

    bool Empty() const { return pixels.empty(); }
    const uint8_t* Pixel(int32_t x, int32_t rowFromBottom) const {
        return pixels.data() + static_cast<std::size_t>(rowFromBottom) * static_cast<std::size_t>(stride) +
               static_cast<std::size_t>(x) * 3;
    }
};

inline constexpr int32_t PaddedStride(int32_t width) { return (width * 3 + 3) & ~3; }

// Decodes an uncompressed 24-bit BMP whose sides are powers of two no larger than 4096. Anything
// else (not a BMP, compressed, another depth, bad sides, truncated, unreadable) returns false
// with `out` untouched and, if asked, the reason in plain words.
bool DecodeBitmap(std::span<const uint8_t> bytes, BitmapImage& out, std::string* reason = nullptr);

// ---- Masks ------------------------------------------------------------------------------

// One byte triple per pixel, rows laid out exactly as the picture's (same padded stride, so the
// upload's 4-byte alignment holds for any width): (255, 255, 255) where the picture is pure
// black (0, 0, 0), the transparent colour, and (0, 0, 0) elsewhere.
void FillMask(const BitmapImage& picture, std::vector<uint8_t>& mask);

// A picture with the mask it is drawn through; an empty mask means none.
struct TextureImage {
    BitmapImage picture;
    std::vector<uint8_t> mask;
};

// Allocates and fills the mask. If the memory cannot be had, shows "Can't allocate memory for
// mask!" (caption "ERROR!") and returns false, leaving `mask` empty: the picture is still usable.
bool MakeMask(const BitmapImage& picture, std::vector<uint8_t>& mask);

// Decodes a picture and, if asked, makes its mask.
bool DecodeTextureImage(std::span<const uint8_t> bytes, bool masked, TextureImage& out,
                        std::string* reason = nullptr);

// Decodes bitmap resource `number` (type "BITMAP", name the decimal number).
bool LoadBitmapResource(uint32_t number, bool masked, TextureImage& out, std::string* reason = nullptr);

}  // namespace tessaran
