// The built game as a player meets it (run under xvfb-run): start-up to the first drawn frame,
// and the processor time it takes while sitting idle on the main and the game screen.
#include <benchmark/benchmark.h>

// Before Xlib, whose macros (None, Bool) would break the test headers.
#include "support/game_process.h"
#include "support/temp_home.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace tessaran {
namespace {

using Clock = std::chrono::steady_clock;

// The game's top-level window, found by the process id it puts on it; 0 while there is none.
Window GameWindowOf(Display* display, pid_t pid) {
    static const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &data) == Success &&
            data && items == 1 && format == 32 && static_cast<pid_t>(*reinterpret_cast<long*>(data)) == pid)
            found = children[i];
        if (data) XFree(data);
    }
    if (children) XFree(children);
    return found;
}

// True once the window shows something other than black where the title logo is drawn.
bool FirstFrameDrawn(Display* display, Window window) {
    XWindowAttributes a{};
    if (!XGetWindowAttributes(display, window, &a) || a.map_state != IsViewable) return false;
    int x = a.width * 88 / 100, y = a.height * 4 / 100;
    XImage* image = XGetImage(display, window, x, y, 16, 16, AllPlanes, ZPixmap);
    if (!image) return false;
    bool drawn = false;
    for (int j = 0; j < 16 && !drawn; ++j)
        for (int i = 0; i < 16 && !drawn; ++i) drawn = (XGetPixel(image, i, j) & 0xFFFFFF) != 0;
    XDestroyImage(image);
    return drawn;
}

// Seconds from starting the game to its first drawn frame, looking every millisecond, or a
// negative number when no frame came.
double SecondsToFirstFrame(Display* display, test::GameProcess& game) {
    const auto start = Clock::now();
    game.Start();
    const auto limit = start + std::chrono::seconds(20);
    Window window = 0;
    // X errors from a window that goes away while it is looked at are not the game's fault.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    while (Clock::now() < limit) {
        if (!window) window = GameWindowOf(display, game.Pid());
        if (window && FirstFrameDrawn(display, window)) return std::chrono::duration<double>(Clock::now() - start).count();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return -1.0;
}

// A first launch compiles the renderer's shaders into an empty cache; a warm launch finds them
// cached by the launch before. Each launch has its own home either way.
void StartupToFirstFrame(benchmark::State& state, bool warm) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return state.SkipWithError("needs an X display");
    const std::string cache = test::MakeTempFolder("tessaran-shader-cache");
    int launch = 0;
    auto launchOnce = [&](bool timed) {
        const std::string folder = warm ? cache : cache + "/" + std::to_string(launch++);
        setenv("MESA_SHADER_CACHE_DIR", folder.c_str(), 1);
        test::GameProcess game;
        game.LeaveMemoryUnfilled();
        const double seconds = SecondsToFirstFrame(display, game);
        game.RequestClose();
        game.WaitExit();
        if (seconds < 0) state.SkipWithError("no frame was drawn");
        else if (timed) state.SetIterationTime(seconds);
    };
    if (warm) launchOnce(false);  // fills the cache
    for (auto _ : state) launchOnce(true);
    unsetenv("MESA_SHADER_CACHE_DIR");
    XCloseDisplay(display);
}

void StartupToFirstFrameFirstLaunch(benchmark::State& state) { StartupToFirstFrame(state, false); }
void StartupToFirstFrameWarm(benchmark::State& state) { StartupToFirstFrame(state, true); }

// User plus system time of a process, in seconds.
double ProcessorSeconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Processor time while the game sits untouched, measured after the quiet period that follows
// the last input.
void MeasureIdle(benchmark::State& state, bool inGame) {
    for (auto _ : state) {
        test::GameProcess game;
        game.LeaveMemoryUnfilled();
        game.Start();
        if (!game.WaitForWindow(20000)) return state.SkipWithError("the window did not appear");
        if (inGame) {
            game.Key("n");  // a random Medium puzzle, after the quick help
            test::Pause(1000);
            game.Click(120, 420);  // its OK button in the 720 x 540 window
            test::Pause(1000);
            game.MoveTo(700, 10);
        }
        std::this_thread::sleep_for(std::chrono::seconds(3));
        double cpu0 = ProcessorSeconds(game.Pid());
        auto t0 = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(20));
        double busy = ProcessorSeconds(game.Pid()) - cpu0;
        double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        state.SetIterationTime(wall);
        state.counters["cpu_percent_of_one_core"] = 100.0 * busy / wall;
        game.RequestClose();
        game.WaitExit();
    }
}

void IdleOnMainScreen(benchmark::State& state) { MeasureIdle(state, false); }
void IdleOnGameScreen(benchmark::State& state) { MeasureIdle(state, true); }

BENCHMARK(StartupToFirstFrameFirstLaunch)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(StartupToFirstFrameWarm)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(IdleOnMainScreen)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(IdleOnGameScreen)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tessaran

BENCHMARK_MAIN();
