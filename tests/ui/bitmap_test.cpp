// Picture decoding without a window: the layout textures are uploaded from, every file the
// loader must refuse, and masks.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ui/bitmap.h"
#include "ui/bmp_bytes.h"

namespace tessaran {
namespace {

using test::Bgr;
using test::BmpLayout;
using test::MakeBmp;

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

}  // namespace
}  // namespace tessaran
