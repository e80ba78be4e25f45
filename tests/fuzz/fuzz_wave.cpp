// Fuzzes the sound decoder: any bytes either decode into playable 16-bit frames or are refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "audio/wave_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto wave = tessaran::DecodeWave(std::span<const uint8_t>(data, size));
    if (!wave) return 0;
    if (wave->channels < 1 || wave->channels > tessaran::kMaxWaveChannels ||
        wave->rate < tessaran::kMinWaveRate || wave->rate > tessaran::kMaxWaveRate ||
        wave->samples.empty() || wave->samples.size() > tessaran::kMaxWaveSamples ||
        wave->samples.size() % static_cast<size_t>(wave->channels) != 0)
        std::abort();
    return 0;
}
