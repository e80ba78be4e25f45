// Builds ".fnt" files in memory for the font tests: a small sheet, glyph records set per code.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tessaran::test {

struct FontBytes {
    struct Record {
        uint32_t top = 0, left = 0, bottom = 0, right = 0, present = 0;
        float ratio = 0.0f;
    };
    uint32_t magic = 6666, width = 4, height = 2, defaultHeight = 20;
    std::array<Record, 256> glyphs{};
    std::vector<uint8_t> sheet;  // width x height bytes; zeros when left short

    void Glyph(unsigned char c, uint32_t top, uint32_t left, uint32_t bottom, uint32_t right, float ratio) {
        glyphs[c] = {top, left, bottom, right, 1, ratio};
    }
    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> out;
        auto put = [&](uint32_t v) {
            for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
        };
        for (uint32_t v : {magic, width, height, defaultHeight}) put(v);
        for (const Record& r : glyphs) {
            uint32_t bits;
            std::memcpy(&bits, &r.ratio, sizeof bits);
            for (uint32_t v : {r.top, r.left, r.bottom, r.right, r.present, bits}) put(v);
        }
        std::vector<uint8_t> pixels = sheet;
        pixels.resize(static_cast<std::size_t>(width) * height, 0);
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

}  // namespace tessaran::test
