// Digit keys typed for real on the shared X server into the game's window: assignment follows the
// modifiers each key press carries, and the digit follows the key's position on every keyboard
// layout. Changes the server's keyboard layout, so this test runs alone.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "game/board.h"
#include "game/game_screen.h"
#include "game/game_state.h"
#include "platform/native_window.h"
#include "shell/screens.h"
#include "support/game_window.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

// Runs frames (and so the window's events) until `done` holds or a second has passed.
template <typename Done>
bool FramesUntil(Done done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!done() && std::chrono::steady_clock::now() < until) {
        W::RunFrames(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

class KeyPositionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Shell("command -v xdotool >/dev/null && command -v setxkbmap >/dev/null"))
            GTEST_SKIP() << "xdotool or setxkbmap is not installed";
        W::Reset();
        W::StartGame(LevelEasy, 5);
        cell = &*std::find_if(PlayBoard.begin(), PlayBoard.end(), [](const Cell& c) { return !c.known; });
        cell->activated = 1;
        // The pointer well away, so only keys move nothing; the keys go to the window regardless.
        Shell("xdotool mousemove 1270 1010 windowfocus --sync " + std::to_string(MainWindow));
        W::RunFrames(2);
        CursorColumn = cell->column;
        CursorRow = cell->row;
    }
    void TearDown() override { Shell("setxkbmap us"); }
    Cell* cell = nullptr;
};

// Sends a key event to the game's window as the server would deliver it.
void SendKey(Display* display, int type, KeySym sym, unsigned state) {
    XEvent event{};
    event.xkey.type = type;
    event.xkey.display = display;
    event.xkey.window = MainWindow;
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.time = CurrentTime;
    event.xkey.same_screen = True;
    event.xkey.keycode = XKeysymToKeycode(display, sym);
    event.xkey.state = state;
    XSendEvent(display, MainWindow, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
    XFlush(display);
}

// Alt goes down and a frame passes; then the digit comes with Alt, but Alt is up again before
// the game handles it, as when a number-pad player types fast: the keyboard, read when the digit
// is handled, shows no Alt. The press itself carries it, and every one of 100 assigns.
TEST_F(KeyPositionTest, FastAltDigitPressesAllAssign) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const KeySym wrong = XK_0 + static_cast<KeySym>(cell->value % 9 + 1);  // a wrong piece: each one counts
    for (int i = 0; i < 100; ++i) {
        SendKey(display, KeyPress, XK_Alt_L, 0);
        FramesUntil([] { return !AssignModifierLatched && AssignMode; });
        W::RunFrames(1);
        SendKey(display, KeyPress, wrong, Mod1Mask);
        SendKey(display, KeyRelease, wrong, Mod1Mask);
        SendKey(display, KeyRelease, XK_Alt_L, Mod1Mask);
        FramesUntil([&] { return MistakeCount + cell->marks[cell->value % 9] > i; });
        ASSERT_EQ(MistakeCount, i + 1) << "press " << i + 1 << " made a mark";
    }
    XCloseDisplay(display);
}

// The digit row by position: on a French layout the unshifted keys type "&", "é", ... and mark,
// Shift types the digit and assigns; on a German one Shift+3 is "§" and Shift+7 "/".
TEST_F(KeyPositionTest, DigitKeysActByPositionOnUsFrenchAndGermanLayouts) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    KeyCode keys[10] = {};
    for (int d = 1; d <= 9; ++d) keys[d] = XKeysymToKeycode(display, static_cast<KeySym>(XK_0 + d));  // US positions

    for (const std::string layout : {"us", "fr", "de"}) {
        SCOPED_TRACE(layout);
        ASSERT_TRUE(Shell("setxkbmap " + layout));
        XSync(display, False);
        std::fill(std::begin(cell->marks), std::end(cell->marks), uint8_t{0});
        MistakeCount = 0;
        for (int d = 1; d <= 9; ++d) {
            const char* name = XKeysymToString(XkbKeycodeToKeysym(display, keys[d], 0, 0));
            ASSERT_NE(name, nullptr);
            SCOPED_TRACE(std::string("key ") + std::to_string(d) + " types " + name);
            const int mistakes = MistakeCount;
            ASSERT_TRUE(Shell(std::string("xdotool key ") + name));
            EXPECT_TRUE(FramesUntil([&] { return cell->marks[d - 1] == 1; })) << "marks " << d;
            EXPECT_EQ(MistakeCount, mistakes) << "no modifier: never an assignment";
            if (d == cell->value) continue;
            ASSERT_TRUE(Shell(std::string("xdotool key shift+") + name));
            EXPECT_TRUE(FramesUntil([&] { return MistakeCount == mistakes + 1; })) << "Shift assigns " << d;
        }
    }
    XCloseDisplay(display);
}

}  // namespace
}  // namespace tessaran::test
