// Without any sound device the game runs silently: every audio call is safe.
#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/audio.h"
#include "audio/sound.h"
#include "profile/prefs.h"
#include "support/temp_home.h"

namespace tessaran {
namespace {

class NoAudioDeviceTest : public test::TempHomeTest {};

TEST_F(NoAudioDeviceTest, GameRunsSilently) {
    // A driver list naming no backend makes every device open fail, as on a machine without sound.
    setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
    Prefs.soundOn = 1;
    StartAudio();
    EXPECT_FALSE(AudioStarted());
    for (int n = -1; n <= 10; ++n) PlaySound(n), PlaySoundEffect(n);
    ApplyVolumes();
    EXPECT_EQ(ActiveVoiceCount(), 0);
    unsigned int buffer = 12345;
    EXPECT_FALSE(LoadSoundResource("POP", "WAVE", buffer));
    EXPECT_EQ(buffer, 12345u);
    StopAudio();
    StartAudio();  // trying again is just as quiet
    EXPECT_FALSE(AudioStarted());
}

}  // namespace
}  // namespace tessaran
