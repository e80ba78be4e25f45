// PNG encoding with stb_image_write, compiled here only and private to this file.
#include "shot/png.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace tessaran::shot {

namespace {
void Append(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}
}  // namespace

std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgb, int width, int height) {
    std::vector<uint8_t> png;
    if (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
        return png;
    if (!stbi_write_png_to_func(Append, &png, width, height, 3, rgb.data(), width * 3)) png.clear();
    return png;
}

}  // namespace tessaran::shot
