// WAVE decoding through libsndfile's virtual I/O: reads only the bytes it is given.
#include "audio/wave_decode.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

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

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// The game plays plain 8- or 16-bit PCM only (format code 1). The chunks are walked here and only the format
// and the samples are handed on, rebuilt as a minimal file: the fuzzer found metadata chunks
// (LIST/INFO) that keep libsndfile's parsers busy for many seconds. Every chunk before the
// samples must fit in the data; the sample chunk itself may be cut short.
std::optional<std::vector<uint8_t>> PlainPcmWave(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::span<const uint8_t> format;
    std::size_t at = 12;
    for (int chunks = 0; chunks < 32 && at + 8 <= bytes.size(); ++chunks) {
        const uint8_t* id = bytes.data() + at;
        const uint32_t size = U32(id + 4);
        const std::size_t body = at + 8;
        if (std::memcmp(id, "data", 4) == 0) {
            if (format.empty()) return std::nullopt;
            const std::size_t length = std::min<std::size_t>(size, bytes.size() - body);
            std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
            PutU32(out, static_cast<uint32_t>(4 + 8 + 16 + 8 + length));
            out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
            PutU32(out, 16);
            out.insert(out.end(), format.begin(), format.begin() + 16);
            out.insert(out.end(), {'d', 'a', 't', 'a'});
            PutU32(out, static_cast<uint32_t>(length));
            out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(body),
                       bytes.begin() + static_cast<std::ptrdiff_t>(body + length));
            return out;
        }
        if (size > bytes.size() - body) return std::nullopt;
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (size < 16) return std::nullopt;
            const uint8_t* f = bytes.data() + body;
            const uint16_t coding = U16(f), channels = U16(f + 2), align = U16(f + 12), bits = U16(f + 14);
            if (coding != 1 || channels < 1 || channels > 2 || (bits != 8 && bits != 16) ||
                align != channels * bits / 8)
                return std::nullopt;
            format = std::span<const uint8_t>(f, 16);
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

}  // namespace

std::optional<DecodedWave> DecodeWave(std::span<const uint8_t> bytes) {
    const auto plain = PlainPcmWave(bytes);
    if (!plain) return std::nullopt;
    SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
    MemoryReader reader{plain->data(), static_cast<sf_count_t>(plain->size()), 0};
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
