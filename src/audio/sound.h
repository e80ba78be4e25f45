// Sound effects as the rules see them: a number to play. The audio module installs the player;
// until then (and in headless tests that install a recorder) nothing is heard.
#pragma once

namespace tessaran {

enum Sound : int {
    SoundNone = 0,
    SoundPop = 1,
    SoundMouseOver = 2,
    SoundBadMove = 3,
    SoundGoodMove = 4,
    SoundGameWon = 5,
    SoundCrystal = 6,
    SoundCrystalOver = 7,
    SoundArgh = 8,
};

void PlaySound(int number);
using SoundPlayer = void (*)(int number);
void SetSoundPlayer(SoundPlayer player);  // nullptr: silence

}  // namespace tessaran
