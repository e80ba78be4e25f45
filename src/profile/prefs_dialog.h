// The preferences dialog (state 6): every option of the record, taking effect at once, and
// "Finished", which saves and returns to whoever opened it (the main screen or the pause menu).
#pragma once

#include <cstdint>

namespace tessaran {

// The pencil-mark helpers' page is shown instead of the record's options, which keep their
// places; "Pencil Marks..." opens it and "Back" closes it.
extern bool ShowingMarkPage;

// Called every frame in state 6.
void DrawPreferencesDialog();

// "Click to activate squares" inverted; switched off it opens every closed square of the board
// at once (with all nine marks when squares start with all Vorlas selected).
void ToggleClickToActivate();
// The volume moved by `delta` within 0..100 (nothing while sound is off), applied at once.
void StepSoundVolume(int32_t delta);

}  // namespace tessaran
