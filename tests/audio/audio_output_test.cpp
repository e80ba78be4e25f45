// What the player hears, captured through OpenAL Soft's file-writing backend: levels, overlap,
// silence when sound is off or the number is not a sound, and a damaged sound left silent.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "audio/audio.h"
#include "audio/sound.h"
#include "audio/wav_file.h"
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

double Energy(const std::vector<double>& s) {
    double e = 0.0;
    for (double x : s) e += x * x;
    return e;
}

double Decibels(double ratio) { return 20.0 * std::log10(ratio); }

test::WavFile Source(const char* name) {
    const auto resource = FindResource("WAVE", name);
    EXPECT_TRUE(resource.has_value());
    if (!resource) return {};
    auto wav = test::ParseWav({resource->data, resource->size});
    EXPECT_TRUE(wav.has_value());
    return wav ? *wav : test::WavFile{};
}

constexpr double kTolerance = 2.0 / 32768.0;  // two steps of the 16-bit output

std::size_t FirstAbove(const std::vector<double>& s, double level) {
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::abs(s[i]) > level) return i;
    return s.size();
}

// From the first to the last sample that is not silence.
std::vector<double> Trimmed(const std::vector<double>& s) {
    const std::size_t begin = FirstAbove(s, 0.0);
    std::size_t end = s.size();
    while (end > begin && s[end - 1] == 0.0) --end;
    return {s.begin() + static_cast<std::ptrdiff_t>(begin), s.begin() + static_cast<std::ptrdiff_t>(end)};
}

void Subtract(std::vector<double>& s, const std::vector<double>& part, std::size_t at) {
    for (std::size_t i = 0; i < part.size() && at + i < s.size(); ++i) s[at + i] -= part[i];
}

// Where, within a few samples of a guess, the part lines up best with the signal.
std::size_t BestPlacement(const std::vector<double>& s, const std::vector<double>& part, std::size_t guess) {
    std::size_t best = guess;
    double bestError = -1.0;
    for (std::size_t at = guess > 4 ? guess - 4 : 0; at <= guess + 4; ++at) {
        double error = 0.0;
        for (std::size_t i = 0; i < part.size(); ++i) {
            const double x = at + i < s.size() ? s[at + i] : 0.0;
            error += std::abs(x - part[i]);
        }
        if (bestError < 0.0 || error < bestError) {
            bestError = error;
            best = at;
        }
    }
    return best;
}

// Each test runs in its own folder, where the device writes "out.wav". OpenAL Soft reads its
// configuration once per process, so the file name is relative and the folder is changed.
class AudioOutputTest : public test::TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        ASSERT_TRUE(ChangeDirectory(home));
        const std::string conf = home + "/alsoft.conf";
        std::ofstream(conf) << "[general]\n"
                               "drivers = wave\n"
                               "channels = mono\n"
                               "sample-type = int16\n"
                               "frequency = 44100\n"
                               "period_size = 64\n"
                               "dither = false\n"
                               "output-limiter = false\n"
                               "[wave]\n"
                               "file = out.wav\n";
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        Prefs.soundOn = 1;
        Prefs.soundVolume = 70;
    }

    void TearDown() override {
        StopAudio();
        ClearResourceOverrides();
        TempHomeTest::TearDown();
    }

    void Start() {
        StartAudio();
        ASSERT_TRUE(AudioStarted()) << "the wave-file device did not open";
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

TEST_F(AudioOutputTest, DefaultVolumePlaysTwentyPointFourDecibelsDown) {
    const test::WavFile source = Source("GOODMOVE");
    Start();
    PlaySound(SoundGoodMove);
    Wait(static_cast<double>(source.Frames()) / source.rate + 0.15);
    const std::vector<double> out = Finish();

    const double peakDb = Decibels(Peak(out) / Peak(source.samples));
    const double energyDb = 10.0 * std::log10(Energy(out) / Energy(source.samples));
    RecordProperty("peak_db", std::to_string(peakDb));
    RecordProperty("energy_db", std::to_string(energyDb));
    EXPECT_NEAR(peakDb, -20.4, 0.05);
    EXPECT_NEAR(energyDb, -20.4, 0.05) << "the whole sound, at the same level";
}

TEST_F(AudioOutputTest, VolumeZeroIsFortyDecibelsDownNotSilent) {
    const test::WavFile source = Source("CRYSTALOVER");
    Prefs.soundVolume = 100;
    Start();
    Prefs.soundVolume = 0;
    ApplyVolumes();  // a volume change takes effect here
    PlaySound(SoundCrystalOver);
    Wait(static_cast<double>(source.Frames()) / source.rate + 0.15);
    const std::vector<double> out = Finish();
    RecordProperty("peak_db", std::to_string(Decibels(Peak(out) / Peak(source.samples))));
    EXPECT_NEAR(Decibels(Peak(out) / Peak(source.samples)), -40.0, 0.2);
}

TEST_F(AudioOutputTest, TwoQuickPopsOverlap) {
    // A pop on its own first: exactly what one pop sounds like through the mixer.
    Start();
    PlaySound(SoundPop);
    Wait(0.08);
    const std::vector<double> single = Trimmed(Finish());
    ASSERT_FALSE(single.empty());

    Start();
    const auto first = Clock::now();
    PlaySound(SoundPop);
    Wait(0.010);
    PlaySound(SoundPop);
    const double gap = std::chrono::duration<double>(Clock::now() - first).count();
    const int voices = ActiveVoiceCount();
    Wait(0.1);
    std::vector<double> rest = Finish();
    if (gap < 0.030) {
        EXPECT_EQ(voices, 2) << "the first pop must keep sounding under the second";
    }

    // Take the first pop away; what remains must be the whole second pop, started later.
    const std::size_t one = BestPlacement(rest, single, FirstAbove(rest, 0.0));
    Subtract(rest, single, one);
    const std::size_t rise = FirstAbove(rest, kTolerance);
    ASSERT_LT(rise, rest.size()) << "only one pop was heard";
    const std::size_t lead = FirstAbove(single, kTolerance);
    const std::size_t two = BestPlacement(rest, single, rise > lead ? rise - lead : 0);
    Subtract(rest, single, two);
    double left = 0.0;
    for (double x : rest) left = std::max(left, std::abs(x));
    EXPECT_LE(left, 3 * kTolerance) << "the output is not two whole pops";
    const double apart = static_cast<double>(two - one) / kOutputRate;
    EXPECT_GE(apart, 0.004) << "both onsets should be heard";
    EXPECT_LE(apart, gap + 0.010);
}

TEST_F(AudioOutputTest, SoundOffSilencesEverySoundAndIsReadOnEveryPlay) {
    Start();
    Prefs.soundOn = 0;
    for (int n = 1; n <= 8; ++n) PlaySound(n);
    EXPECT_EQ(ActiveVoiceCount(), 0);
    Wait(0.08);
    Prefs.soundOn = 1;  // switching back on needs no restart
    PlaySound(SoundPop);
    EXPECT_EQ(ActiveVoiceCount(), 1);
    Wait(0.1);
    const std::vector<double> out = Finish();
    std::size_t firstSound = out.size(), lastSound = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] != 0.0) {
            firstSound = std::min(firstSound, i);
            lastSound = i;
        }
    }
    ASSERT_LT(firstSound, out.size()) << "the pop after switching on was not heard";
    // Only the one pop (38 ms, plus the resampler's tail) was heard.
    EXPECT_LT(static_cast<double>(lastSound - firstSound) / kOutputRate, 0.045);
}

TEST_F(AudioOutputTest, NumbersThatAreNotSoundsPlayNothing) {
    Start();
    for (int n : {0, 9, -1, 10, 100, INT_MIN, INT_MAX}) PlaySound(n);
    EXPECT_EQ(ActiveVoiceCount(), 0);
    Wait(0.08);
    EXPECT_EQ(Peak(Finish()), 0.0);
}

TEST_F(AudioOutputTest, DamagedOrMissingSoundLeavesOnlyItsSlotSilent) {
    static const uint8_t junk[] = "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0garbage garbage garbage";
    OverrideResource("WAVE", "POP", Resource{junk, sizeof junk});
    OverrideResource("WAVE", "MOUSEOVER", Resource{nullptr, 0});
    Start();
    EXPECT_EQ(SoundSlots[SoundPop], 0u);
    EXPECT_EQ(SoundSlots[SoundMouseOver], 0u);
    for (int n = SoundBadMove; n <= SoundArgh; ++n) EXPECT_NE(SoundSlots[n], 0u) << n;
    PlaySound(SoundPop);
    PlaySound(SoundMouseOver);
    EXPECT_EQ(ActiveVoiceCount(), 0);
    Wait(0.08);
    EXPECT_EQ(Peak(Finish()), 0.0);
}

TEST_F(AudioOutputTest, ManyPlaysStealTheOldestVoiceAndNeverWait) {
    Start();
    const auto before = Clock::now();
    for (int i = 0; i < 3 * kVoiceCount; ++i) PlaySound(SoundCrystal);
    const double spent = std::chrono::duration<double>(Clock::now() - before).count();
    EXPECT_EQ(ActiveVoiceCount(), kVoiceCount);
    EXPECT_LT(spent, 0.1) << "PlaySound must not wait for the mixer";
    StopAudio();
    EXPECT_EQ(ActiveVoiceCount(), 0);
    PlaySound(SoundPop);  // after StopAudio, quietly nothing
    StopAudio();          // twice is harmless
    EXPECT_FALSE(AudioStarted());
}

}  // namespace
}  // namespace tessaran
