// The shipped sounds, the WAVE decoder and the volume law: everything that needs no device.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "audio/audio.h"
#include "audio/wav_file.h"
#include "audio/wave_decode.h"
#include "platform/platform.h"

namespace tessaran {
namespace {

std::vector<uint8_t> Bytes(const char* name) {
    const auto resource = FindResource("WAVE", name);
    return resource ? std::vector<uint8_t>(resource->data, resource->data + resource->size) : std::vector<uint8_t>{};
}

// The game's decoder must play exactly what an independent reading finds, 8-bit and stereo included.
TEST(ShippedSounds, HaveTheirFormatAndLengthStayBelowFullScaleAndDecodeExactly) {
    struct Format {
        const char* name;
        int rate, channels, bits, milliseconds;
    };
    constexpr Format kTable[] = {
        {"POP", 22050, 1, 16, 38},      {"MOUSEOVER", 22050, 1, 16, 41},    {"BADMOVE", 44100, 1, 8, 464},
        {"GOODMOVE", 44100, 1, 16, 839}, {"GAMEWON", 44100, 1, 16, 1046},  {"CRYSTAL", 44100, 1, 16, 2673},
        {"CRYSTALOVER", 44100, 1, 16, 473}, {"ARGH", 44100, 2, 16, 891}};
    for (int n = 0; n < 8; ++n) {
        const Format& f = kTable[n];
        SCOPED_TRACE(f.name);
        EXPECT_STREQ(SoundNames[n + 1], f.name);
        const std::vector<uint8_t> bytes = Bytes(f.name);
        const auto wav = test::ParseWav(bytes);
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(std::vector<int>({wav->rate, wav->channels, wav->bits}), std::vector<int>({f.rate, f.channels, f.bits}));
        EXPECT_EQ(static_cast<long>(wav->Frames()), std::lround(f.milliseconds / 1000.0 * f.rate));
        double peak = 0.0, sum = 0.0;
        for (double s : wav->samples) peak = std::max(peak, std::abs(s)), sum += s;
        EXPECT_LE(peak, std::pow(10.0, -1.0 / 20.0)) << "peak above -1 dBFS";
        EXPECT_GT(peak, 0.1) << "far too quiet to hear";
        EXPECT_LT(std::abs(sum / static_cast<double>(wav->samples.size())), 1e-3) << "DC offset";
        EXPECT_LT(std::abs(wav->samples.front()) + std::abs(wav->samples.back()), 0.02) << "a click at an end";

        const auto decoded = DecodeWave(bytes);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->rate, f.rate);
        EXPECT_EQ(decoded->channels, f.channels);
        ASSERT_EQ(decoded->samples.size(), wav->samples.size());
        for (std::size_t i = 0; i < wav->samples.size(); ++i)
            ASSERT_EQ(decoded->samples[i], std::lround(wav->samples[i] * 32768.0)) << i;
    }
    EXPECT_EQ(std::string(SoundNames[0]) + SoundNames[9], "");
}

// Damaged files are refused or read only as far as they go (the fuzz corpus holds harder ones).
TEST(WaveDecoder, RefusesWhatCannotBePlayedAndTrustsNoLength) {
    const std::vector<uint8_t> pop = Bytes("POP");
    ASSERT_EQ(pop.size(), 44u + 0x68c);
    const auto patched = [&pop](std::size_t at, std::vector<uint8_t> with) {
        std::vector<uint8_t> bytes = pop;
        for (std::size_t i = 0; i < with.size(); ++i) bytes.at(at + i) = with[i];
        return bytes;
    };
    EXPECT_FALSE(DecodeWave({}).has_value());
    EXPECT_FALSE(DecodeWave(std::vector<uint8_t>(pop.begin(), pop.begin() + 16)).has_value());
    EXPECT_FALSE(DecodeWave(patched(20, {0x34, 0x12})).has_value()) << "unknown coding";
    EXPECT_FALSE(DecodeWave(patched(22, {3})).has_value()) << "three channels";
    EXPECT_FALSE(DecodeWave(patched(24, {0, 0, 0, 0})).has_value()) << "rate 0";
    std::vector<uint8_t> empty = patched(40, {0, 0, 0, 0});
    empty.resize(44);
    EXPECT_FALSE(DecodeWave(empty).has_value()) << "no frames";
    const auto lying = DecodeWave(patched(40, {0xFF, 0xFF, 0xFF, 0xFF}));  // a data size of 4 GB
    EXPECT_EQ(lying ? lying->samples.size() : 0x68cu / 2, 0x68cu / 2);
    // Every prefix of a real file is either refused or decodes to no more than the file holds.
    for (std::size_t cut = 0; cut < pop.size(); cut += 7) {
        const auto part = DecodeWave({pop.data(), cut});
        EXPECT_LE(part ? part->samples.size() * 2 : 0u, cut);
    }
}

TEST(VolumeLaw, FollowsTruncatedSquareLaw) {
    for (auto [volume, millibels] : {std::pair{100, 0}, {70, -2040}, {50, -3000}, {1, -3999}, {0, -4000}, {-5, -4000}, {250, 0}})
        EXPECT_EQ(VolumeMillibels(volume), millibels) << volume;  // 0 is quiet, not silent; -3999.6 truncates
    for (int v = 0; v < 100; ++v) EXPECT_NEAR(VolumeMillibels(v), v * v * 0.4 - 4000.0, 1.0) << v;
    EXPECT_NEAR(VolumeGain(70), std::pow(10.0, -20.4 / 20.0), 1e-6);
    EXPECT_NEAR(VolumeGain(0), 0.01, 1e-7);
}

}  // namespace
}  // namespace tessaran
