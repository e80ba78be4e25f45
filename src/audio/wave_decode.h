// WAVE data in memory decoded to 16-bit samples; anything unplayable is refused, never trusted.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tessaran {

inline constexpr int kMaxWaveChannels = 2;               // what the mixer takes as-is
inline constexpr int kMinWaveRate = 1000;
inline constexpr int kMaxWaveRate = 384000;
inline constexpr std::size_t kMaxWaveSamples = 1u << 24;  // 32 MB of samples caps a lying header

struct DecodedWave {
    int rate = 0;
    int channels = 0;
    std::vector<int16_t> samples;  // interleaved, channels per frame

    std::size_t Frames() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

// Decodes RIFF/WAVE data (any PCM width or float) held in memory. Returns nullopt for anything
// that is not WAVE, is damaged, holds no frames, has more than two channels or an absurd rate.
std::optional<DecodedWave> DecodeWave(std::span<const uint8_t> bytes);

}  // namespace tessaran
