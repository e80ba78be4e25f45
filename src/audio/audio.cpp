// The sound effects through OpenAL Soft; every failure degrades to silence for that sound or all.
#include "audio/audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <span>
#include <thread>
#include <type_traits>

#include "audio/sound.h"
#include "audio/wave_decode.h"
#include "platform/platform.h"
#include "profile/prefs.h"

namespace tessaran {

const char SoundNames[kSoundSlotCount][kSoundNameSize] = {
    "", "POP", "MOUSEOVER", "BADMOVE", "GOODMOVE", "GAMEWON", "CRYSTAL", "CRYSTALOVER", "ARGH", "",
};
unsigned int SoundSlots[kSoundSlotCount] = {};

static_assert(std::is_same_v<ALuint, unsigned int>, "SoundSlots hold OpenAL buffer names");

namespace {

constexpr float kMasterGain = 1.0f;  // the master volume is always 0 dB

struct Voice {
    ALuint source = 0;
    uint64_t started = 0;  // play order, to find the oldest voice to steal
};

ALCdevice* Device = nullptr;
ALCcontext* Context = nullptr;
Voice Voices[kVoiceCount];
int VoiceTotal = 0;  // a device may grant fewer sources than asked for
uint64_t PlayCounter = 0;

// A device with nothing to play is paused, so its mixer stops waking the processor.
LPALCDEVICEPAUSESOFT DevicePause = nullptr;
LPALCDEVICERESUMESOFT DeviceResume = nullptr;
bool DevicePaused = false;
uint32_t LastPlayMs = 0;

bool IsPlaying(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

Voice* FreeVoice() {
    Voice* oldest = nullptr;
    for (int i = 0; i < VoiceTotal; ++i) {
        Voice& v = Voices[i];
        if (!IsPlaying(v.source)) return &v;
        if (!oldest || v.started < oldest->started) oldest = &v;
    }
    return oldest;
}

void CreateVoices() {
    VoiceTotal = 0;
    for (Voice& v : Voices) {
        alGetError();
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) break;
        // Effects are not placed in space: at the listener, never attenuated.
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
        v = Voice{source, 0};
        ++VoiceTotal;
    }
}

void CloseDevice() {
    if (Context) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(Context);
        Context = nullptr;
    }
    if (Device) {
        alcCloseDevice(Device);
        Device = nullptr;
    }
    DevicePause = nullptr;
    DeviceResume = nullptr;
    DevicePaused = false;
}

void FindPauseControls() {
    if (alcIsExtensionPresent(Device, "ALC_SOFT_pause_device") != ALC_TRUE) return;
    DevicePause = reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(Device, "alcDevicePauseSOFT"));
    DeviceResume = reinterpret_cast<LPALCDEVICERESUMESOFT>(alcGetProcAddress(Device, "alcDeviceResumeSOFT"));
    if (!DevicePause || !DeviceResume) DevicePause = nullptr, DeviceResume = nullptr;
}

bool OpeningSettled(bool wait);

}  // namespace

int32_t VolumeMillibels(int32_t soundVolume) {
    const int32_t v = std::clamp(soundVolume, 0, 100);
    // v * v * 0.4 - 4000 in whole numbers, so no rounding of 0.4 can tip the truncation.
    return (2 * v * v - 20000) / 5;
}

float VolumeGain(int32_t soundVolume) {
    return std::pow(10.0f, static_cast<float>(VolumeMillibels(soundVolume)) / 2000.0f);
}

bool LoadSoundResource(const char* name, const char* type, unsigned int& out) {
    if (!Context) return false;
    const std::optional<Resource> resource = FindResource(type, name);
    if (!resource || !resource->data) return false;
    const std::optional<DecodedWave> wave = DecodeWave({resource->data, resource->size});
    if (!wave) return false;

    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) return false;
    const ALenum format = wave->channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    alBufferData(buffer, format, wave->samples.data(),
                 static_cast<ALsizei>(wave->samples.size() * sizeof(int16_t)), wave->rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return false;
    }
    out = buffer;
    return true;
}

void ApplyVolumes() {
    if (!OpeningSettled(false) || !Context) return;
    alListenerf(AL_GAIN, kMasterGain * VolumeGain(Prefs.soundVolume));
}

namespace {

// Opening the device, making its context current (for the whole process) and decoding the
// sounds: on the opener thread, or on the main thread for StartAudio.
void OpenDeviceAndLoadSounds() {
    Device = alcOpenDevice(nullptr);
    if (!Device) return;
    Context = alcCreateContext(Device, nullptr);
    if (!Context || alcMakeContextCurrent(Context) != ALC_TRUE) {
        CloseDevice();
        return;
    }
    alDistanceModel(AL_NONE);
    FindPauseControls();
    LastPlayMs = MillisecondClock();
    CreateVoices();
    for (int n = 0; n < kSoundSlotCount; ++n) {
        SoundSlots[n] = 0;
        if (SoundNames[n][0] != '\0') LoadSoundResource(SoundNames[n], "WAVE", SoundSlots[n]);
    }
}

void MakeAudible() {
    if (!Context) return;
    ApplyVolumes();
    SetSoundPlayer(PlaySoundEffect);
}

// Nothing else touches the audio state until the opener is joined.
std::thread Opener;
std::atomic<bool> OpenerDone{false};

// True when no opening is under way: one that has ended (or, told to wait, one that has not)
// is joined and made audible here, on the main thread.
bool OpeningSettled(bool wait) {
    if (!Opener.joinable()) return true;
    if (!wait && !OpenerDone.load(std::memory_order_acquire)) return false;
    Opener.join();
    MakeAudible();
    return true;
}

}  // namespace

void StartAudio() {
    if (!OpeningSettled(true) || Device) return;
    OpenDeviceAndLoadSounds();
    MakeAudible();
}

void StartAudioInBackground() {
    if (!OpeningSettled(true) || Device) return;
    OpenerDone.store(false);
    Opener = std::thread([] {
        OpenDeviceAndLoadSounds();
        OpenerDone.store(true, std::memory_order_release);
    });
}

void PlaySoundEffect(int number) {
    if (!Prefs.soundOn || !OpeningSettled(false) || !Context) return;
    if (number < 0 || number >= kSoundSlotCount || SoundSlots[number] == 0) return;
    Voice* voice = FreeVoice();
    if (!voice) return;
    LastPlayMs = MillisecondClock();
    // The paused mixer held no sound, so it starts again from silence: nothing to click.
    if (DevicePaused) {
        DeviceResume(Device);
        DevicePaused = false;
    }
    alSourceStop(voice->source);  // a stolen voice is cut short
    alSourcei(voice->source, AL_BUFFER, static_cast<ALint>(SoundSlots[number]));
    alSourcePlay(voice->source);
    voice->started = ++PlayCounter;
}

void StopAudio() {
    OpeningSettled(true);
    SetSoundPlayer(nullptr);
    if (Context) {
        for (int i = 0; i < VoiceTotal; ++i) {
            alSourceStop(Voices[i].source);
            alDeleteSources(1, &Voices[i].source);
            Voices[i] = Voice{};
        }
        for (unsigned int& slot : SoundSlots) {
            if (slot != 0) alDeleteBuffers(1, &slot);
            slot = 0;
        }
    }
    VoiceTotal = 0;
    PlayCounter = 0;
    CloseDevice();
}

void RestAudioWhenQuiet() {
    if (!OpeningSettled(false) || !Context || DevicePaused || !DevicePause) return;
    if (MillisecondClock() - LastPlayMs < kAudioRestAfterMs || ActiveVoiceCount() > 0) return;
    DevicePause(Device);
    DevicePaused = true;
}

bool AudioStarted() { return OpeningSettled(false) && Device != nullptr; }

bool AudioPaused() { return OpeningSettled(false) && DevicePaused; }

int ActiveVoiceCount() {
    if (!OpeningSettled(false) || !Context) return 0;
    int count = 0;
    for (int i = 0; i < VoiceTotal; ++i)
        if (IsPlaying(Voices[i].source)) ++count;
    return count;
}

}  // namespace tessaran
