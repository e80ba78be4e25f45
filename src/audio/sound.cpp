// Forwards sound requests from the rules to whichever player is installed.
#include "audio/sound.h"

namespace tessaran {

namespace {
SoundPlayer Player = nullptr;
}

void PlaySound(int number) {
    if (Player) Player(number);
}

void SetSoundPlayer(SoundPlayer player) { Player = player; }

}  // namespace tessaran
