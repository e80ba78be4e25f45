// The sound effects: WAVE resources decoded once into OpenAL buffers and played as overlapping
// one-shot voices. No device, or a sound that fails to decode, means silence, never an error.
#pragma once

#include <cstdint>

namespace tessaran {

inline constexpr int kSoundSlotCount = 10;  // sound numbers 0..9; 0 and 9 are never filled
inline constexpr int kSoundNameSize = 15;   // names of at most 14 characters
inline constexpr int kVoiceCount = 16;      // sounds that can ring at once

extern const char SoundNames[kSoundSlotCount][kSoundNameSize];  // "" leaves the slot empty
extern unsigned int SoundSlots[kSoundSlotCount];                // OpenAL buffer per slot, 0 = empty

// Opens the default device, loads every named sound, applies the volume and makes PlaySound
// audible. Does nothing if already started; leaves the game silent if there is no device.
void StartAudio();
// The same on a thread of its own, as the device can take tens of milliseconds to open: the
// game stays silent until a later call here (each frame's RestAudioWhenQuiet) finds it done.
// LoadSoundResource must not be called while it runs.
void StartAudioInBackground();
// The player behind PlaySound: starts slot n once, mixed over whatever is playing. Never waits.
// Silent when sound is off in the preferences, for an empty slot or a number outside 0..9.
void PlaySoundEffect(int number);
// Master at 0 dB, effects at the preferences' soundVolume (see VolumeMillibels).
void ApplyVolumes();
// Decodes the named resource into a new OpenAL buffer. False (and out unchanged) if the
// resource is absent, fails to decode or audio is not started.
bool LoadSoundResource(const char* name, const char* type, unsigned int& out);
// Silences and releases everything; PlaySound is quiet again afterwards.
void StopAudio();

// Called every frame: once nothing has sounded for kAudioRestAfterMs, pauses the device (where
// it can be paused); the next PlaySoundEffect resumes it before it starts its sound.
void RestAudioWhenQuiet();
inline constexpr uint32_t kAudioRestAfterMs = 1500;

bool AudioStarted();     // a device is open
bool AudioPaused();      // the open device is paused, holding no sound
int ActiveVoiceCount();  // voices sounding right now

// Volume law: soundVolume 0..100 to hundredths of a decibel, trunc(v * v * 0.4 - 4000):
// 100 -> 0 dB, 70 -> -20.4 dB, 50 -> -30 dB, 0 -> -40 dB. Out-of-range volumes are clamped.
int32_t VolumeMillibels(int32_t soundVolume);
// The same as an amplitude factor, 10^(mB / 2000).
float VolumeGain(int32_t soundVolume);

}  // namespace tessaran
