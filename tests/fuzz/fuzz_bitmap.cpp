// Fuzzes the picture loader that reads a player's custom piece sheet: any bytes either decode
// into a consistent picture with a matching mask or are refused; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaran::TextureImage image;
    std::string reason;
    if (!tessaran::DecodeTextureImage(std::span<const uint8_t>(data, size), true, image, &reason)) {
        if (reason.empty() || !image.picture.Empty()) std::abort();
        return 0;
    }
    const tessaran::BitmapImage& p = image.picture;
    if (p.width <= 0 || p.height <= 0 || p.width > tessaran::kMaxBitmapSide || p.height > tessaran::kMaxBitmapSide ||
        (p.width & (p.width - 1)) != 0 || (p.height & (p.height - 1)) != 0 || p.stride % 4 != 0 ||
        p.pixels.size() != static_cast<size_t>(p.stride) * static_cast<size_t>(p.height) ||
        image.mask.size() != p.pixels.size())
        std::abort();
    return 0;
}
