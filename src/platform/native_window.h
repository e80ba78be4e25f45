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
// Waits until the X server has something for the game (input, expose, resize) or `timeoutMs`
// pass; true when there is something to handle. Without a display it only sleeps.
bool WaitForWindowEvent(int timeoutMs);

// The key press a keyboard callback is handling, as X reported it: GLUT passes on only the
// character, which depends on the layout, and the modifiers are gone by the time they are asked.
struct PressedKey {
    bool known = false;       // false outside a real key event (a call from a test, say)
    int digit = 0;            // 1..9 for the digit row or number pad key of that digit, by position
    bool shiftOrAlt = false;  // Shift, Alt or AltGr held with the key
    bool backTab = false;     // Shift+Tab, which reaches the key callback as a plain Tab (9)
};
// The press being handled, once: a second call, or a call after another event, is not known.
PressedKey TakePressedKey();

}  // namespace tessaran
