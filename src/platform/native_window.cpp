// Native window handle, keyboard modifier state and key positions through Xlib on the game's own
// connection.
#include "platform/native_window.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/platform.h"

namespace tessaran {

unsigned long MainWindow = 0;

unsigned long FindNativeWindow() {
    Display* display = glXGetCurrentDisplay();
    Window window = glXGetCurrentDrawable();
    if (!display || !window) return 0;
    XClassHint hint;
    char name[] = "tessaran";
    char cls[] = "Tessaran";
    hint.res_name = name;
    hint.res_class = cls;
    XSetClassHint(display, window, &hint);
    long pid = static_cast<long>(getpid());
    Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    XChangeProperty(display, window, netWmPid, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
    XFlush(display);
    return window;
}

namespace {

struct {
    Display* display = nullptr;
    unsigned keycode = 0;
    unsigned state = 0;
    bool backTab = false;
} LastKeyPress;

// freeglut drops Shift+Tab (ISO_Left_Tab has no character and is no special key of its own), so
// the press is handed on as a plain Tab and remembered as a backward one.
bool TurnBackTabIntoTab(Display* display, XKeyEvent& key) {
    const KeySym plain = XkbKeycodeToKeysym(display, static_cast<KeyCode>(key.keycode), 0, 0);
    if (!(plain == XK_Tab && (key.state & ShiftMask)) && plain != XK_ISO_Left_Tab) return false;
    const KeyCode tab = XKeysymToKeycode(display, XK_Tab);
    if (tab == 0) return false;
    key.keycode = tab;
    key.state &= ~static_cast<unsigned>(ShiftMask);
    return true;
}

}  // namespace

// freeglut reads each event with XNextEvent and runs its callbacks before reading the next, so
// the press read last is the one a key callback is handling. The program's own XNextEvent comes
// before libX11's for every caller, and keeps the keycode and modifiers that freeglut drops.
extern "C" int XNextEvent(Display* display, XEvent* event) {
    using Next = int (*)(Display*, XEvent*);
    static const auto next = reinterpret_cast<Next>(dlsym(RTLD_NEXT, "XNextEvent"));
    const int result = next(display, event);
    LastKeyPress.display = event->type == KeyPress ? display : nullptr;
    LastKeyPress.keycode = event->xkey.keycode;
    LastKeyPress.state = event->xkey.state;
    LastKeyPress.backTab = event->type == KeyPress && TurnBackTabIntoTab(display, event->xkey);
    return result;
}

PressedKey TakePressedKey() {
    PressedKey press;
    if (!LastKeyPress.display) return press;
    press.known = true;
    press.shiftOrAlt = (LastKeyPress.state & (ShiftMask | Mod1Mask | Mod5Mask)) != 0;
    press.backTab = LastKeyPress.backTab;
    // The digit keys carry their digit in the first group, unshifted (US, German) or shifted
    // (French), whatever else the layout puts on them; the number pad keys carry KP_1..KP_9.
    for (int level = 0; level < 2 && !press.digit; ++level) {
        const KeySym sym = XkbKeycodeToKeysym(LastKeyPress.display, static_cast<KeyCode>(LastKeyPress.keycode), 0, level);
        if (sym >= XK_1 && sym <= XK_9) press.digit = static_cast<int>(sym - XK_0);
        if (sym >= XK_KP_1 && sym <= XK_KP_9) press.digit = static_cast<int>(sym - XK_KP_0);
    }
    LastKeyPress.display = nullptr;
    return press;
}

bool ShiftOrAltDown() {
    Display* display = glXGetCurrentDisplay();
    if (!display) return false;
    char keys[32];
    XQueryKeymap(display, keys);
    static const KeySym watched[] = {XK_Shift_L, XK_Shift_R, XK_Alt_L, XK_Alt_R, XK_ISO_Level3_Shift, XK_Meta_L};
    for (KeySym sym : watched) {
        KeyCode code = XKeysymToKeycode(display, sym);
        if (code && (keys[code / 8] & (1 << (code % 8)))) return true;
    }
    return false;
}

bool WaitForWindowEvent(int timeoutMs) {
    Display* display = glXGetCurrentDisplay();
    if (!display) {
        SleepMilliseconds(timeoutMs);
        return false;
    }
    // Events already read off the connection would never wake poll(); this also sends any
    // requests still buffered, so the server has the last frame before the game rests.
    if (XEventsQueued(display, QueuedAfterFlush) > 0) return true;
    pollfd watched{ConnectionNumber(display), POLLIN, 0};
    const int ready = poll(&watched, 1, timeoutMs);
    // A signal ends the wait too: the frame loop looks at what it asked for.
    return ready > 0 || (ready < 0 && errno == EINTR);
}

}  // namespace tessaran
