// Native window handle and keyboard modifier state through Xlib on the game's own connection.
#include "platform/native_window.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

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

}  // namespace tessaran
