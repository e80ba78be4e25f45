// A small RIFF/WAVE reader and writer for the audio tests, independent of the game's decoder.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessaran::test {

struct WavFile {
    int formatTag = 0;  // 1 PCM, 3 float (extensible files report their sub-format)
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<double> samples;  // interleaved, full scale = 1.0

    std::size_t Frames() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

// Parses the chunks by hand; nullopt when the data are not a readable PCM WAVE file.
std::optional<WavFile> ParseWav(std::span<const uint8_t> bytes);
std::optional<WavFile> ReadWav(const std::string& path);

// A 16-bit or 8-bit PCM WAVE image with the given raw sample bytes (for decoder tests).
std::vector<uint8_t> MakeWavBytes(int rate, int channels, int bits, std::span<const uint8_t> data,
                                  int formatTag = 1);

}  // namespace tessaran::test
