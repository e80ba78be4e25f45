// Picture decoding, masks and texture names, headless: the layout the textures are uploaded
// from, every kind of file the loader must refuse, and the built-in pictures themselves.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "ui/bitmap.h"
#include "ui/bmp_bytes.h"

namespace tessaran {
namespace {

using test::BmpLayout;
using test::Bgr;
using test::MakeBmp;

TEST(BitmapDecode, RowsComeBottomFirstInBlueGreenRedPaddedToFourBytes) {
    BmpLayout layout;
    layout.width = 2;  // 6 bytes of pixels, 2 of padding per row
    layout.height = 4;
    layout.pixel = [](int x, int y) { return Bgr{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 77}; };
    BitmapImage image;
    std::string reason;
    ASSERT_TRUE(DecodeBitmap(MakeBmp(layout), image, &reason)) << reason;
    EXPECT_EQ(image.height, 4);
    EXPECT_EQ(image.stride, 8);
    ASSERT_EQ(image.pixels.size(), 32u);
    for (int row = 0; row < 4; ++row) {
        for (int x = 0; x < 2; ++x) {
            const uint8_t* p = image.Pixel(x, row);
            EXPECT_EQ(p[0], x) << "blue first";
            EXPECT_EQ(p[1], 3 - row) << "row 0 is the picture's bottom";
            EXPECT_EQ(p[2], 77) << "red last";
        }
        EXPECT_EQ(image.pixels[static_cast<std::size_t>(row) * 8 + 6] | image.pixels[static_cast<std::size_t>(row) * 8 + 7], 0)
            << "padding";
    }
}

TEST(BitmapDecode, TopDownFilesOldHeadersAndExtremeSidesAreAccepted) {
    BmpLayout bottomUp;
    bottomUp.width = 8;
    bottomUp.height = 2;
    BitmapImage a, other;
    ASSERT_TRUE(DecodeBitmap(MakeBmp(bottomUp), a));
    for (auto [height, infoSize] : {std::pair{-2, 40u}, std::pair{2, 12u}, std::pair{2, 124u}}) {
        BmpLayout layout = bottomUp;
        layout.height = height;
        layout.infoSize = infoSize;
        ASSERT_TRUE(DecodeBitmap(MakeBmp(layout), other)) << height << " " << infoSize;
        EXPECT_EQ(other.pixels, a.pixels) << height << " " << infoSize;
        EXPECT_EQ(other.height, 2);
    }
    BmpLayout one;
    one.width = one.height = 1;
    ASSERT_TRUE(DecodeBitmap(MakeBmp(one), other));
    EXPECT_EQ(other.stride, 4);
    BmpLayout wide;
    wide.width = 4096;
    wide.height = 1;
    ASSERT_TRUE(DecodeBitmap(MakeBmp(wide), other));
}

// Every way a player's file can be wrong; each must be refused with a reason and leave the
// output alone.
TEST(BitmapDecode, RefusesWhatTheGameCannotUse) {
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto layout = [](auto change) {
        BmpLayout s;
        change(s);
        return MakeBmp(s);
    };
    cases.push_back({"empty", {}});
    cases.push_back({"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'}});
    std::vector<uint8_t> wrongMagic = MakeBmp({});
    wrongMagic[0] = 'P';
    cases.push_back({"wrong magic", wrongMagic});
    cases.push_back({"RLE compressed", layout([](BmpLayout& s) { s.bitsPerPixel = 8, s.compression = 1; })});
    cases.push_back({"bit fields", layout([](BmpLayout& s) { s.compression = 3; })});
    cases.push_back({"8-bit", layout([](BmpLayout& s) { s.bitsPerPixel = 8; })});
    cases.push_back({"32-bit", layout([](BmpLayout& s) { s.bitsPerPixel = 32; })});
    cases.push_back({"16-bit", layout([](BmpLayout& s) { s.bitsPerPixel = 16; })});
    cases.push_back({"width 3", layout([](BmpLayout& s) { s.width = 3; })});
    cases.push_back({"height 6", layout([](BmpLayout& s) { s.height = 6; })});
    cases.push_back({"width 0", layout([](BmpLayout& s) { s.width = 0; })});
    cases.push_back({"negative width", layout([](BmpLayout& s) { s.width = -4; })});
    cases.push_back({"8192 wide", layout([](BmpLayout& s) { s.width = 8192, s.height = 1; })});
    cases.push_back({"8192 tall", layout([](BmpLayout& s) { s.width = 1, s.height = 8192; })});
    std::vector<uint8_t> cut = MakeBmp({});
    cut.pop_back();
    cases.push_back({"one byte short", cut});
    cases.push_back({"header only", std::vector<uint8_t>(cut.begin(), cut.begin() + 54)});
    cases.push_back({"file header only", std::vector<uint8_t>(cut.begin(), cut.begin() + 20)});
    std::vector<uint8_t> inside = MakeBmp({});
    inside[10] = 20;  // pixels said to start inside the header
    cases.push_back({"pixel offset in header", inside});
    std::vector<uint8_t> beyond = MakeBmp({});
    beyond[13] = 0x40;  // pixels said to start 1 GB in
    cases.push_back({"pixel offset past end", beyond});
    std::vector<uint8_t> oddHeader = MakeBmp({});
    oddHeader[14] = 44;
    cases.push_back({"unknown header size", oddHeader});

    for (const Case& c : cases) {
        BitmapImage image;
        image.width = 99;
        std::string reason;
        EXPECT_FALSE(DecodeBitmap(c.bytes, image, &reason)) << c.name;
        EXPECT_FALSE(reason.empty()) << c.name;
        EXPECT_EQ(image.width, 99) << c.name;
        EXPECT_TRUE(image.pixels.empty()) << c.name;
    }
}

TEST(BitmapMask, OnlyPureBlackIsTransparentAndPaddingStaysZero) {
    BmpLayout layout;
    layout.width = 2;  // padded rows: the padding stays 0 too
    layout.height = 4;
    // From the top: black, (0,0,1) in BGR; (1,0,0), (0,1,0); white, black; grey, black.
    const Bgr pixels[4][2] = {{{0, 0, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 1, 0}}, {{255, 255, 255}, {0, 0, 0}},
                              {{9, 9, 9}, {0, 0, 0}}};
    layout.pixel = [&](int x, int y) { return pixels[y][x]; };
    TextureImage image;
    ASSERT_TRUE(DecodeTextureImage(MakeBmp(layout), true, image));
    ASSERT_EQ(image.mask.size(), image.picture.pixels.size()) << "the mask has the picture's padded rows";
    const std::size_t stride = static_cast<std::size_t>(image.picture.stride);
    for (std::size_t i = 0; i < image.mask.size(); ++i) {
        const std::size_t row = i / stride, x = (i % stride) / 3;
        const bool transparent = x < 2 && (row == 3 ? x == 0 : row < 2 && x == 1);
        EXPECT_EQ(image.mask[i], transparent ? 255 : 0) << "byte " << i;
    }
    TextureImage unmasked;
    ASSERT_TRUE(DecodeTextureImage(MakeBmp(layout), false, unmasked));
    EXPECT_TRUE(unmasked.mask.empty());
}

TEST(TextureNames, MasksAreNumberPlusThousandAndNoNamesCollide) {
    std::set<uint32_t> pictures, masks;
    for (const BuiltInPicture& p : kBuiltInPictures) {
        EXPECT_TRUE(pictures.insert(p.number).second) << "picture " << p.number << " listed twice";
        EXPECT_NE(p.number, TexturePieceSheet) << "the sheet is loaded on its own";
        EXPECT_TRUE(IsFixedTextureName(p.number));
        EXPECT_TRUE(IsFixedTextureName(MaskName(p.number))) << "even an unused mask name stays reserved";
        if (p.masked) masks.insert(MaskName(p.number));
    }
    pictures.insert(TexturePieceSheet);
    masks.insert(MaskName(TexturePieceSheet));
    EXPECT_EQ(MaskName(138), 1138u);
    EXPECT_EQ(pictures.size(), 13u);
    EXPECT_EQ(masks.size(), 7u);
    for (uint32_t m : masks) EXPECT_EQ(pictures.count(m), 0u) << m;
    // Names a generated texture may take.
    for (uint32_t free : {0u, 1u, 3u, 7u, 9u, 137u, 139u, 1001u, 1139u, 2138u}) EXPECT_FALSE(IsFixedTextureName(free)) << free;
}

TEST(BuiltInPictures, EveryResourceDecodesAtItsListedSize) {
    struct Expect {
        uint32_t number;
        int32_t width, height;
    };
    const Expect sizes[] = {{194, 512, 128}, {8, 128, 128},   {100, 256, 128}, {101, 256, 128}, {247, 256, 64},
                            {248, 512, 256}, {249, 512, 128}, {2, 32, 256},    {251, 256, 256}, {261, 128, 128},
                            {263, 256, 256}, {262, 256, 256}, {138, 512, 128}};
    for (const Expect& e : sizes) {
        TextureImage image;
        std::string reason;
        ASSERT_TRUE(LoadBitmapResource(e.number, true, image, &reason)) << e.number << ": " << reason;
        EXPECT_EQ(image.picture.width, e.width) << e.number;
        EXPECT_EQ(image.picture.height, e.height) << e.number;
    }
    // Masked pictures stand on black: their masks have transparent pixels, the corners included.
    for (const BuiltInPicture& p : kBuiltInPictures) {
        if (!p.masked) continue;
        TextureImage image;
        ASSERT_TRUE(LoadBitmapResource(p.number, true, image));
        EXPECT_EQ(image.mask[0], 255) << p.number << " bottom-left corner is not black";
    }
    OverrideResource("BITMAP", "8", Resource{nullptr, 0});  // a missing resource is reported
    std::string reason;
    TextureImage image;
    EXPECT_FALSE(LoadBitmapResource(8, false, image, &reason));
    EXPECT_FALSE(reason.empty());
    ClearResourceOverrides();
}

}  // namespace
}  // namespace tessaran
