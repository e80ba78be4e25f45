// BMP decoding with checks at the edge, masks and texture names; pure functions, no OpenGL.
#include "ui/bitmap.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/platform.h"

// The decoder is compiled here only, with its functions private to this file, so nothing else
// can collide with it and sanitizers and fuzzers instrument it with our code.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 4096
#include <stb_image.h>

namespace tessaran {

bool IsFixedTextureName(uint32_t name) {
    const auto fixed = [name](uint32_t n) {
        return name == n || name == MaskName(n) || name == n + kOnePassNameOffset;
    };
    if (fixed(TexturePieceSheet)) return true;
    for (const BuiltInPicture& p : kBuiltInPictures)
        if (fixed(p.number)) return true;
    return false;
}

namespace {

uint32_t Read16(std::span<const uint8_t> b, std::size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8;
}

uint32_t Read32(std::span<const uint8_t> b, std::size_t at) {
    return Read16(b, at) | Read16(b, at + 2) << 16;
}

bool IsPowerOfTwo(int64_t n) { return n > 0 && (n & (n - 1)) == 0; }

bool Fail(std::string* reason, const char* text) {
    if (reason) *reason = text;
    return false;
}

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // negative: rows stored top row first
    uint32_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
};

// Reads the file and information headers: the old 12-byte core header and the 40-byte header
// with its later extensions (56, 108, 124 bytes).
bool ReadHeader(std::span<const uint8_t> b, Header& h, std::string* reason) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return Fail(reason, "not a BMP picture");
    h.pixelOffset = Read32(b, 10);
    const uint32_t infoSize = h.infoSize = Read32(b, 14);
    if (infoSize == 12) {
        h.width = Read16(b, 18);
        h.height = Read16(b, 20);
        h.bitsPerPixel = Read16(b, 24);
        h.compression = 0;
    } else if (infoSize == 40 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        if (b.size() < 14 + 40) return Fail(reason, "the file is cut short");
        h.width = static_cast<int32_t>(Read32(b, 18));
        h.height = static_cast<int32_t>(Read32(b, 22));
        h.bitsPerPixel = Read16(b, 28);
        h.compression = Read32(b, 30);
    } else {
        return Fail(reason, "not a BMP picture");
    }
    if (b.size() < 14 + static_cast<std::size_t>(infoSize)) return Fail(reason, "the file is cut short");
    return true;
}

}  // namespace

bool DecodeBitmap(std::span<const uint8_t> bytes, BitmapImage& out, std::string* reason) {
    Header h;
    if (!ReadHeader(bytes, h, reason)) return false;
    if (h.compression != 0) return Fail(reason, "the picture is compressed");
    if (h.bitsPerPixel != 24) return Fail(reason, "not a 24-bit picture");
    const int64_t height = h.height < 0 ? -h.height : h.height;
    if (h.width > kMaxBitmapSide || height > kMaxBitmapSide)
        return Fail(reason, "the picture is larger than 4096 pixels");
    if (!IsPowerOfTwo(h.width) || !IsPowerOfTwo(height))
        return Fail(reason, "the picture's sides are not powers of two");

    // The decoder would quietly fill missing rows with black; a short file is an error here.
    const auto width = static_cast<int32_t>(h.width);
    const int32_t stride = PaddedStride(width);
    const uint64_t needed = static_cast<uint64_t>(h.pixelOffset) + static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
    if (h.pixelOffset < 14 + h.infoSize) return Fail(reason, "the picture cannot be read");
    if (needed > bytes.size()) return Fail(reason, "the file is cut short");
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return Fail(reason, "the file is too large");

    int w = 0, hh = 0, components = 0;
    stbi_uc* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w, &hh, &components, 3);
    if (!rgb) return Fail(reason, "the picture cannot be read");
    if (w != width || hh != height) {
        stbi_image_free(rgb);
        return Fail(reason, "the picture cannot be read");
    }

    BitmapImage image;
    try {
        image.pixels.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        stbi_image_free(rgb);
        return Fail(reason, "not enough memory for the picture");
    }
    image.width = width;
    image.height = static_cast<int32_t>(height);
    image.stride = stride;
    // The decoder hands rows top first in red, green, blue; textures want bottom first in blue, green, red.
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int32_t y = 0; y < image.height; ++y) {
        const stbi_uc* src = rgb + static_cast<std::size_t>(image.height - 1 - y) * rowBytes;
        uint8_t* dst = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride);
        for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    stbi_image_free(rgb);
    out = std::move(image);
    return true;
}

void FillMask(const BitmapImage& picture, std::vector<uint8_t>& mask) {
    mask.assign(picture.pixels.size(), 0);
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const uint8_t* p = picture.Pixel(x, y);
            if (p[0] == 0 && p[1] == 0 && p[2] == 0) {
                uint8_t* m = mask.data() + (p - picture.pixels.data());
                m[0] = m[1] = m[2] = 255;
            }
        }
    }
}

bool MakeMask(const BitmapImage& picture, std::vector<uint8_t>& mask) {
    try {
        FillMask(picture, mask);
        return true;
    } catch (const std::bad_alloc&) {
        mask.clear();
        mask.shrink_to_fit();
        ShowMessageBox("ERROR!", "Can't allocate memory for mask!");
        return false;
    }
}

bool DecodeTextureImage(std::span<const uint8_t> bytes, bool masked, TextureImage& out, std::string* reason) {
    TextureImage image;
    if (!DecodeBitmap(bytes, image.picture, reason)) return false;
    if (masked) MakeMask(image.picture, image.mask);
    out = std::move(image);
    return true;
}

bool LoadBitmapResource(uint32_t number, bool masked, TextureImage& out, std::string* reason) {
    const auto resource = FindResource("BITMAP", std::to_string(number));
    if (!resource) return Fail(reason, "the program holds no such picture");
    return DecodeTextureImage(std::span<const uint8_t>(resource->data, resource->size), masked, out, reason);
}

}  // namespace tessaran
