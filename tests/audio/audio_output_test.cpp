// What the player hears, captured through OpenAL Soft's file-writing backend: levels, voices,
// silence when sound is off or the number is not a sound, and a damaged sound left silent. Then
// what needs no device: the shipped sounds, the WAVE decoder and the volume law.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "audio/sound.h"
#include "audio/wav_file.h"
#include "audio/wave_decode.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "support/temp_home.h"

namespace tessaran {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kOutputRate = 44100;

void Wait(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

double Peak(const std::vector<double>& s) {
    double p = 0.0;
    for (double x : s) p = std::max(p, std::abs(x));
    return p;
}

// Each test runs in its own folder, where the device writes "out.wav". OpenAL Soft reads its
// configuration once per process, so the file name is relative and the folder is changed.
class AudioOutputTest : public test::TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        ASSERT_TRUE(ChangeDirectory(home));
        std::ofstream(home + "/alsoft.conf") << "[general]\ndrivers = wave\nchannels = mono\nsample-type = int16\n"
                                                "frequency = 44100\nperiod_size = 64\ndither = false\n"
                                                "output-limiter = false\n[wave]\nfile = out.wav\n";
        setenv("ALSOFT_CONF", (home + "/alsoft.conf").c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        Prefs.soundOn = 1;
    }
    void TearDown() override {
        StopAudio();
        ClearResourceOverrides();
        TempHomeTest::TearDown();
    }
    // Opens the device at `volume`, then (a change takes effect in ApplyVolumes) sets `later`.
    void Start(int volume = 70, int later = 70) {
        Prefs.soundVolume = volume;
        StartAudio();
        ASSERT_TRUE(AudioStarted()) << "the wave-file device did not open";
        Prefs.soundVolume = later;
        ApplyVolumes();
    }
    // Closes the device (which completes the file) and returns what was written.
    std::vector<double> Finish() {
        StopAudio();
        const auto wav = test::ReadWav(home + "/out.wav");
        EXPECT_TRUE(wav.has_value());
        if (!wav) return {};
        EXPECT_EQ(wav->channels, 1);
        EXPECT_EQ(wav->rate, kOutputRate);
        EXPECT_GT(wav->Frames(), static_cast<std::size_t>(kOutputRate / 20)) << "the device hardly ran";
        return wav->samples;
    }
};

// Volume 70 (the default) plays 20.4 dB down over the whole sound; volume 0 is 40 dB down, not silent.
TEST_F(AudioOutputTest, VolumesPlayAtTheirLevels) {
    for (auto [volume, sound, name, db, within] :
         {std::tuple{70, int{SoundGoodMove}, "GOODMOVE", -20.4, 0.05}, {0, int{SoundCrystalOver}, "CRYSTALOVER", -40.0, 0.2}}) {
        const auto resource = FindResource("WAVE", name);
        ASSERT_TRUE(resource.has_value());
        const auto source = test::ParseWav({resource->data, resource->size});
        ASSERT_TRUE(source.has_value());
        Start(volume == 0 ? 100 : volume, volume);
        PlaySound(sound);
        Wait(static_cast<double>(source->Frames()) / source->rate + 0.15);
        const std::vector<double> out = Finish();
        double energyOut = 0.0, energySource = 0.0;
        for (double x : out) energyOut += x * x;
        for (double x : source->samples) energySource += x * x;
        const double peakDb = 20.0 * std::log10(Peak(out) / Peak(source->samples));
        RecordProperty(std::string(name) + "_peak_db", std::to_string(peakDb));
        EXPECT_NEAR(peakDb, db, within) << name;
        EXPECT_NEAR(10.0 * std::log10(energyOut / energySource), db, within) << name;
    }
}

// Numbers that are not sounds, and a damaged or missing sound, play nothing.
TEST_F(AudioOutputTest, SilenceWhereThereIsNoSoundToPlay) {
    static const uint8_t junk[] = "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0garbage garbage garbage";
    OverrideResource("WAVE", "POP", Resource{junk, sizeof junk});
    OverrideResource("WAVE", "MOUSEOVER", Resource{nullptr, 0});
    Start();
    EXPECT_EQ(SoundSlots[SoundPop], 0u);
    EXPECT_EQ(SoundSlots[SoundMouseOver], 0u);
    for (int n = SoundBadMove; n <= SoundArgh; ++n) EXPECT_NE(SoundSlots[n], 0u) << n;
    for (int n : {0, 9, -1, 10, 100, INT_MIN, INT_MAX, int{SoundPop}, int{SoundMouseOver}}) PlaySound(n);
    EXPECT_EQ(ActiveVoiceCount(), 0);
    Wait(0.08);
    EXPECT_EQ(Peak(Finish()), 0.0);
}

// The game opens the device on a thread after its first frame: silent until a frame finds the
// opening done, then audible at the preferences' volume like a device opened at once.
TEST_F(AudioOutputTest, ADeviceOpenedInTheBackgroundPlaysOnceAFrameFindsItOpen) {
    SetSoundPlayer(nullptr);
    Prefs.soundVolume = 100;
    StartAudioInBackground();
    StartAudioInBackground();  // a second call while it opens does nothing
    bool started = false;
    for (int i = 0; i < 500 && !started; ++i) {
        RestAudioWhenQuiet();  // what each frame calls
        started = AudioStarted();
        if (!started) Wait(0.01);
    }
    ASSERT_TRUE(started);
    PlaySound(SoundGoodMove);  // through the player the opening set
    EXPECT_EQ(ActiveVoiceCount(), 1);
    Wait(0.3);
    EXPECT_GT(Peak(Finish()), 0.1);
}

uint32_t FakeMillis = 0;

// Stopping the file-writing device rewrites its header, so what a resumed device writes is not
// read back here; that the resumed mixer plays the sound through to its end is.
TEST_F(AudioOutputTest, AQuietDeviceRestsAndTheNextSoundResumesIt) {
    SetClockOverrides([] { return FakeMillis; }, nullptr);
    FakeMillis = 1000;
    Start();
    PlaySound(SoundPop);
    RestAudioWhenQuiet();
    EXPECT_FALSE(AudioPaused()) << "never while a sound plays";
    for (int i = 0; i < 300 && ActiveVoiceCount() > 0; ++i) Wait(0.01);
    RestAudioWhenQuiet();
    EXPECT_FALSE(AudioPaused()) << "rests only after a while without sound";
    FakeMillis += kAudioRestAfterMs;
    RestAudioWhenQuiet();
    EXPECT_TRUE(AudioPaused());
    PlaySound(SoundPop);
    EXPECT_FALSE(AudioPaused());
    EXPECT_EQ(ActiveVoiceCount(), 1);
    for (int i = 0; i < 300 && ActiveVoiceCount() > 0; ++i) Wait(0.01);
    EXPECT_EQ(ActiveVoiceCount(), 0) << "the resumed device did not play the sound through";
    SetClockOverrides(nullptr, nullptr);
}

TEST_F(AudioOutputTest, SoundOffIsReadOnEveryPlayAndManyPlaysStealTheOldestVoice) {
    Start();
    Prefs.soundOn = 0;
    for (int n = 1; n <= 8; ++n) PlaySound(n);
    EXPECT_EQ(ActiveVoiceCount(), 0);
    Prefs.soundOn = 1;  // switching back on needs no restart
    const auto before = Clock::now();
    for (int i = 0; i < 3 * kVoiceCount; ++i) PlaySound(SoundCrystal);
    EXPECT_LT(std::chrono::duration<double>(Clock::now() - before).count(), 0.1) << "PlaySound must not wait";
    EXPECT_EQ(ActiveVoiceCount(), kVoiceCount);
    StopAudio();
    EXPECT_EQ(ActiveVoiceCount(), 0);
    PlaySound(SoundPop);  // after StopAudio, quietly nothing
    StopAudio();          // twice is harmless
    EXPECT_FALSE(AudioStarted());
}

// ---- Without a device -----------------------------------------------------------------------

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
