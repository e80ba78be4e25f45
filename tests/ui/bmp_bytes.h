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
    int32_t height = 4;          // negative: rows stored top first
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t infoSize = 40;      // 12 = the old core header
    // Pixel at (x, y), y counted from the top of the picture.
    std::function<Bgr(int x, int y)> pixel = [](int x, int y) {
        return Bgr{static_cast<uint8_t>(10 + x), static_cast<uint8_t>(20 + y), 200};
    };
};

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// Rows padded to 4 bytes, bottom row first unless the height is negative. Other depths get
// zero bytes of the matching size, which is all the loader needs to see to refuse them.
inline std::vector<uint8_t> MakeBmp(const BmpLayout& s) {
    const int32_t h = s.height < 0 ? -s.height : s.height;
    const int32_t w = s.width > 0 ? s.width : 0;  // a nonsense width still gets a header
    const std::size_t rowBytes = (static_cast<std::size_t>(w) * s.bitsPerPixel / 8 + 3) & ~std::size_t{3};
    std::vector<uint8_t> body;
    for (int32_t i = 0; i < h; ++i) {
        const int y = s.height < 0 ? i : h - 1 - i;  // picture row stored at file row i
        std::vector<uint8_t> row;
        for (int x = 0; x < w; ++x) {
            if (s.bitsPerPixel == 24) {
                const Bgr p = s.pixel(x, y);
                row.insert(row.end(), {p.b, p.g, p.r});
            }
        }
        row.resize(rowBytes, 0);
        body.insert(body.end(), row.begin(), row.end());
    }
    std::vector<uint8_t> info;
    Put32(info, s.infoSize);
    if (s.infoSize == 12) {
        Put16(info, static_cast<uint32_t>(s.width));
        Put16(info, static_cast<uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bitsPerPixel);
    } else {
        Put32(info, static_cast<uint32_t>(s.width));
        Put32(info, static_cast<uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bitsPerPixel);
        Put32(info, s.compression);
        Put32(info, static_cast<uint32_t>(body.size()));
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, 0);
        Put32(info, 0);
        info.resize(s.infoSize, 0);
    }
    std::vector<uint8_t> file = {'B', 'M'};
    const uint32_t offset = static_cast<uint32_t>(14 + info.size());
    Put32(file, static_cast<uint32_t>(offset + body.size()));
    Put32(file, 0);
    Put32(file, offset);
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

}  // namespace tessaran::test
