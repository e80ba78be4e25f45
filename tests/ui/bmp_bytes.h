// Test helper: BMP files built byte by byte, good and deliberately broken.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace tessaran::test {

struct Bgr {
    uint8_t b, g, r;
};

struct BmpLayout {
    int32_t width = 4;
    int32_t height = 4;  // negative: rows stored top first
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;  // 12 = the old core header
    // Pixel at (x, y), y counted from the top of the picture.
    std::function<Bgr(int x, int y)> pixel = [](int, int) { return Bgr{10, 20, 200}; };
};

// Rows padded to 4 bytes, bottom row first unless the height is negative. Other depths get
// zero bytes of the matching size, which is all the loader needs to see to refuse them.
inline std::vector<uint8_t> MakeBmp(const BmpLayout& s) {
    auto put = [](std::vector<uint8_t>& v, uint32_t x, int bytes) {
        for (int i = 0; i < bytes; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
    };
    const int32_t h = s.height < 0 ? -s.height : s.height;
    const int32_t w = s.width > 0 ? s.width : 0;  // a nonsense width still gets a header
    const std::size_t rowBytes = (static_cast<std::size_t>(w) * s.bitsPerPixel / 8 + 3) & ~std::size_t{3};
    std::vector<uint8_t> body;
    for (int32_t i = 0; i < h; ++i) {
        const std::size_t start = body.size();
        for (int x = 0; x < w && s.bitsPerPixel == 24; ++x) {
            const Bgr p = s.pixel(x, s.height < 0 ? i : h - 1 - i);
            body.insert(body.end(), {p.b, p.g, p.r});
        }
        body.resize(start + rowBytes, 0);
    }
    std::vector<uint8_t> info;
    const int side = s.infoSize == 12 ? 2 : 4;
    put(info, s.infoSize, 4);
    put(info, static_cast<uint32_t>(s.width), side);
    put(info, static_cast<uint32_t>(s.height), side);
    put(info, 1, 2);
    put(info, s.bitsPerPixel, 2);
    if (s.infoSize != 12) {
        put(info, s.compression, 4);
        put(info, static_cast<uint32_t>(body.size()), 4);
        info.resize(s.infoSize, 0);
    }
    std::vector<uint8_t> file = {'B', 'M'};
    const uint32_t offset = static_cast<uint32_t>(14 + info.size());
    put(file, static_cast<uint32_t>(offset + body.size()), 4);
    put(file, 0, 4);
    put(file, offset, 4);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

}  // namespace tessaran::test
