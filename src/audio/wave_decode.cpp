// WAVE decoding through libsndfile's virtual I/O: reads only the bytes it is given.
#include "audio/wave_decode.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace tessaran {

namespace {

struct MemoryReader {
    const uint8_t* data;
    sf_count_t size;
    sf_count_t position;
};

sf_count_t MemoryLength(void* user) { return static_cast<MemoryReader*>(user)->size; }

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user) {
    auto* r = static_cast<MemoryReader*>(user);
    sf_count_t base = 0;
    switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = r->position; break;
    case SEEK_END: base = r->size; break;
    default: return -1;
    }
    // Offsets come from the file's own headers: keep the arithmetic from overflowing.
    if (offset > 0 && base > INT64_MAX - offset) return -1;
    const sf_count_t target = base + offset;
    if (target < 0) return -1;
    r->position = std::min(target, r->size);
    return r->position;
}

sf_count_t MemoryRead(void* out, sf_count_t count, void* user) {
    auto* r = static_cast<MemoryReader*>(user);
    if (count <= 0) return 0;
    const sf_count_t n = std::min(count, r->size - r->position);
    if (n <= 0) return 0;
    std::copy_n(r->data + r->position, n, static_cast<uint8_t*>(out));
    r->position += n;
    return n;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*) { return 0; }

sf_count_t MemoryTell(void* user) { return static_cast<MemoryReader*>(user)->position; }

}  // namespace

std::optional<DecodedWave> DecodeWave(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return std::nullopt;
    SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
    MemoryReader reader{bytes.data(), static_cast<sf_count_t>(bytes.size()), 0};
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &reader);
    if (!file) return std::nullopt;

    std::optional<DecodedWave> result;
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if ((container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX) && info.channels >= 1 &&
        info.channels <= kMaxWaveChannels && info.samplerate >= kMinWaveRate &&
        info.samplerate <= kMaxWaveRate) {
        DecodedWave wave;
        wave.rate = info.samplerate;
        wave.channels = info.channels;
        // Read in pieces rather than trusting the header's frame count.
        constexpr sf_count_t kChunkFrames = 4096;
        const auto channels = static_cast<std::size_t>(info.channels);
        std::vector<int16_t> chunk(static_cast<std::size_t>(kChunkFrames) * channels);
        bool tooLong = false;
        for (;;) {
            const sf_count_t got = sf_readf_short(file, chunk.data(), kChunkFrames);
            if (got <= 0) break;
            const std::size_t count = static_cast<std::size_t>(got) * channels;
            if (wave.samples.size() + count > kMaxWaveSamples) {
                tooLong = true;
                break;
            }
            wave.samples.insert(wave.samples.end(), chunk.begin(),
                                chunk.begin() + static_cast<std::ptrdiff_t>(count));
        }
        if (!tooLong && sf_error(file) == SF_ERR_NO_ERROR && !wave.samples.empty())
            result = std::move(wave);
    }
    sf_close(file);
    return result;
}

}  // namespace tessaran
