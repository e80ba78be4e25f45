// Hand-rolled WAVE parsing for the tests: a second opinion on what the files really hold.
#include "audio/wav_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tessaran::test {

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::optional<WavFile> ParseWav(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    WavFile wav;
    bool haveFormat = false;
    std::size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const uint8_t* chunk = bytes.data() + pos;
        const std::size_t size = Le32(chunk + 4);
        const std::size_t body = pos + 8;
        const std::size_t available = std::min(size, bytes.size() - body);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
            wav.formatTag = Le16(chunk + 8);
            wav.channels = Le16(chunk + 10);
            wav.rate = static_cast<int>(Le32(chunk + 12));
            wav.bits = Le16(chunk + 22);
            if (wav.formatTag == 0xFFFE && available >= 40) wav.formatTag = Le16(chunk + 8 + 24);
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0 && haveFormat) {
            const uint8_t* p = chunk + 8;
            if (wav.formatTag == 1 && wav.bits == 16) {
                for (std::size_t i = 0; i + 1 < available; i += 2)
                    wav.samples.push_back(static_cast<int16_t>(Le16(p + i)) / 32768.0);
            } else if (wav.formatTag == 1 && wav.bits == 8) {
                for (std::size_t i = 0; i < available; ++i) wav.samples.push_back((p[i] - 128) / 128.0);
            } else if (wav.formatTag == 3 && wav.bits == 32) {
                for (std::size_t i = 0; i + 3 < available; i += 4) {
                    float f;
                    uint32_t u = Le32(p + i);
                    std::memcpy(&f, &u, 4);
                    wav.samples.push_back(f);
                }
            } else {
                return std::nullopt;
            }
            return wav;
        }
        pos = body + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<WavFile> ReadWav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseWav(bytes);
}

std::vector<uint8_t> MakeWavBytes(int rate, int channels, int bits, std::span<const uint8_t> data,
                                  int formatTag) {
    std::vector<uint8_t> out;
    out.reserve(44 + data.size());
    const uint32_t block = static_cast<uint32_t>(channels * bits / 8);
    PutTag(out, "RIFF");
    Put32(out, static_cast<uint32_t>(36 + data.size()));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, static_cast<uint16_t>(formatTag));
    Put16(out, static_cast<uint16_t>(channels));
    Put32(out, static_cast<uint32_t>(rate));
    Put32(out, static_cast<uint32_t>(rate) * block);
    Put16(out, static_cast<uint16_t>(block));
    Put16(out, static_cast<uint16_t>(bits));
    PutTag(out, "data");
    Put32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace tessaran::test
