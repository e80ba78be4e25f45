// The X11 side of the game window: its native handle and the live modifier keys.
// Needs a current OpenGL context on the game window.
#pragma once

namespace tessaran {

extern unsigned long MainWindow;  // X window of the game; 0 before the window exists

// Finds the X window of the current GLUT window and gives it a class and process id,
// so that desktops and tests can find it.
unsigned long FindNativeWindow();
// True while Shift or Alt is held down, read from the keyboard itself (not from the last event).
bool ShiftOrAltDown();

}  // namespace tessaran
