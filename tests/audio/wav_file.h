// A small RIFF/WAVE reader for the audio tests, independent of the game's decoder.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaran::test {

struct WavFile {
    int channels = 0, rate = 0, bits = 0;
    std::vector<double> samples;  // interleaved, full scale = 1.0
    std::size_t Frames() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

inline uint32_t Le(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

// 8- or 16-bit PCM (plain or extensible) by walking the chunks; nullopt for anything else.
inline std::optional<WavFile> ParseWav(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavFile wav;
    for (std::size_t pos = 12; pos + 8 <= bytes.size();) {
        const uint8_t* chunk = bytes.data() + pos;
        const std::size_t size = Le(chunk + 4, 4), available = std::min(size, bytes.size() - pos - 8);
        const std::size_t step = static_cast<std::size_t>(wav.bits / 8);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
            wav.channels = static_cast<int>(Le(chunk + 10, 2));
            wav.rate = static_cast<int>(Le(chunk + 12, 4));
            wav.bits = static_cast<int>(Le(chunk + 22, 2));
        } else if (std::memcmp(chunk, "data", 4) == 0 && (wav.bits == 8 || wav.bits == 16)) {
            for (std::size_t i = 0; i + step <= available; i += step)
                wav.samples.push_back(step == 1 ? (chunk[8 + i] - 128) / 128.0 : static_cast<int16_t>(Le(chunk + 8 + i, 2)) / 32768.0);
            return wav;
        }
        pos += 8 + size + (size & 1);
    }
    return std::nullopt;
}

inline std::optional<WavFile> ReadWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseWav(bytes);
}

}  // namespace tessaran::test
