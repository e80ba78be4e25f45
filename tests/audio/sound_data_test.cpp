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

using test::MakeWavBytes;
using test::ParseWav;

struct SoundFormat {
    const char* name;
    int rate;
    int channels;
    int bits;
    int milliseconds;
};

constexpr SoundFormat kTable[] = {
    {"POP", 22050, 1, 16, 38},        {"MOUSEOVER", 22050, 1, 16, 41},
    {"BADMOVE", 44100, 1, 8, 464},    {"GOODMOVE", 44100, 1, 16, 839},
    {"GAMEWON", 44100, 1, 16, 1046},  {"CRYSTAL", 44100, 1, 16, 2673},
    {"CRYSTALOVER", 44100, 1, 16, 473}, {"ARGH", 44100, 2, 16, 891},
};

std::span<const uint8_t> Bytes(const Resource& r) { return {r.data, r.size}; }

TEST(ShippedSounds, HaveTheTablesFormatAndLengthAndStayBelowFullScale) {
    const double limit = std::pow(10.0, -1.0 / 20.0);
    for (const SoundFormat& f : kTable) {
        SCOPED_TRACE(f.name);
        const auto resource = FindResource("WAVE", f.name);
        ASSERT_TRUE(resource.has_value());
        const auto wav = ParseWav(Bytes(*resource));
        ASSERT_TRUE(wav.has_value());
        EXPECT_EQ(wav->formatTag, 1);  // plain PCM
        EXPECT_EQ(wav->rate, f.rate);
        EXPECT_EQ(wav->channels, f.channels);
        EXPECT_EQ(wav->bits, f.bits);
        EXPECT_EQ(static_cast<long>(wav->Frames()), std::lround(f.milliseconds / 1000.0 * f.rate));

        double peak = 0.0, sum = 0.0;
        for (double s : wav->samples) {
            peak = std::max(peak, std::abs(s));
            sum += s;
        }
        EXPECT_LE(peak, limit) << "peak above -1 dBFS";
        EXPECT_GT(peak, std::pow(10.0, -20.0 / 20.0)) << "far too quiet to hear";
        EXPECT_LT(std::abs(sum / static_cast<double>(wav->samples.size())), 1e-3) << "DC offset";
        // Faded in and out: no click when a voice starts or ends.
        for (int c = 0; c < f.channels; ++c) {
            EXPECT_LT(std::abs(wav->samples[static_cast<std::size_t>(c)]), 0.01);
            EXPECT_LT(std::abs(wav->samples[wav->samples.size() - static_cast<std::size_t>(f.channels - c)]), 0.01);
        }

        // The game's decoder agrees on what it will play.
        const auto decoded = DecodeWave(Bytes(*resource));
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->rate, f.rate);
        EXPECT_EQ(decoded->channels, f.channels);
        EXPECT_EQ(decoded->Frames(), wav->Frames());
    }
}

TEST(ShippedSounds, SlotNamesMatchTheResources) {
    EXPECT_STREQ(SoundNames[0], "");
    EXPECT_STREQ(SoundNames[9], "");
    for (int n = 1; n <= 8; ++n) EXPECT_STREQ(SoundNames[n], kTable[n - 1].name);
}

TEST(WaveDecoder, ConvertsEightBitUnsignedAroundTheMidpoint) {
    const std::vector<uint8_t> data = {128, 255, 0, 129, 127};
    const auto decoded = DecodeWave(MakeWavBytes(8000, 1, 8, data));
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->samples.size(), 5u);
    EXPECT_EQ(decoded->samples[0], 0);
    EXPECT_GT(decoded->samples[1], 32000);
    EXPECT_EQ(decoded->samples[2], -32768);
    EXPECT_EQ(decoded->samples[3], 256);
    EXPECT_EQ(decoded->samples[4], -256);
}

TEST(WaveDecoder, KeepsStereoInterleaved) {
    const std::vector<uint8_t> data = {0x10, 0x00, 0xF0, 0xFF, 0x20, 0x00, 0xE0, 0xFF};
    const auto decoded = DecodeWave(MakeWavBytes(44100, 2, 16, data));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Frames(), 2u);
    EXPECT_EQ(decoded->samples, (std::vector<int16_t>{16, -16, 32, -32}));
}

TEST(WaveDecoder, RefusesWhatCannotBePlayed) {
    const std::vector<uint8_t> frame = {0, 0, 0, 0, 0, 0};
    const std::vector<uint8_t> junk = {'R', 'I', 'F', 'F', 9, 9, 9, 9, 'W', 'A', 'V', 'E', 'j', 'u', 'n', 'k'};
    EXPECT_FALSE(DecodeWave({}).has_value());
    EXPECT_FALSE(DecodeWave(junk).has_value());
    EXPECT_FALSE(DecodeWave(MakeWavBytes(44100, 1, 16, {})).has_value()) << "no frames";
    EXPECT_FALSE(DecodeWave(MakeWavBytes(44100, 3, 16, frame)).has_value()) << "three channels";
    EXPECT_FALSE(DecodeWave(MakeWavBytes(0, 1, 16, frame)).has_value()) << "rate 0";
    EXPECT_FALSE(DecodeWave(MakeWavBytes(44100, 1, 16, frame, 0x1234)).has_value()) << "unknown coding";

    // Every prefix of a real file is either refused or decodes to no more than the file holds.
    const auto pop = FindResource("WAVE", "POP");
    ASSERT_TRUE(pop.has_value());
    for (std::size_t cut = 0; cut < pop->size; cut += 7) {
        const auto decoded = DecodeWave({pop->data, cut});
        if (decoded) {
            EXPECT_LE(decoded->samples.size() * 2, cut);
        }
    }
}

TEST(WaveDecoder, DoesNotTrustTheHeadersLength) {
    std::vector<uint8_t> data(400, 0);
    auto bytes = MakeWavBytes(22050, 1, 16, data);
    for (int i = 40; i < 44; ++i) bytes[static_cast<std::size_t>(i)] = 0xFF;  // data size 4 GB
    const auto decoded = DecodeWave(bytes);
    if (decoded) {
        EXPECT_EQ(decoded->samples.size(), 200u);
    }
}

TEST(VolumeLaw, FollowsTruncatedSquareLaw) {
    EXPECT_EQ(VolumeMillibels(100), 0);
    EXPECT_EQ(VolumeMillibels(70), -2040);
    EXPECT_EQ(VolumeMillibels(50), -3000);
    EXPECT_EQ(VolumeMillibels(0), -4000);  // quiet, not silent
    EXPECT_EQ(VolumeMillibels(1), -3999);  // -3999.6 truncates toward zero
    EXPECT_EQ(VolumeMillibels(-5), -4000);
    EXPECT_EQ(VolumeMillibels(250), 0);
    for (int v = 0; v < 100; ++v) {
        EXPECT_LE(VolumeMillibels(v), VolumeMillibels(v + 1)) << v;
        EXPECT_NEAR(VolumeMillibels(v), v * v * 0.4 - 4000.0, 1.0) << v;
    }
    EXPECT_NEAR(VolumeGain(70), std::pow(10.0, -20.4 / 20.0), 1e-6);
    EXPECT_NEAR(VolumeGain(0), 0.01, 1e-7);
    EXPECT_FLOAT_EQ(VolumeGain(100), 1.0f);
}

}  // namespace
}  // namespace tessaran
