// The built game as a player meets it (run under xvfb-run): start-up to the first drawn frame,
// and the processor time it takes while sitting idle on the main screen.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/game_process.h"

namespace tessaran {
namespace {

using Clock = std::chrono::steady_clock;

// True once the window shows something other than black where the title logo is drawn.
bool FirstFrameDrawn(Display* display, unsigned long window) {
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

void StartupToFirstFrame(benchmark::State& state) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return state.SkipWithError("needs an X display");
    for (auto _ : state) {
        test::GameProcess game;
        auto start = Clock::now();
        game.Start();
        if (!game.WaitForWindow(20000)) return state.SkipWithError("the window did not appear");
        while (!FirstFrameDrawn(display, game.Window()) && Clock::now() - start < std::chrono::seconds(20))
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        game.RequestClose();
        game.WaitExit();
    }
    XCloseDisplay(display);
}

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

void IdleOnMainScreen(benchmark::State& state) {
    for (auto _ : state) {
        test::GameProcess game;
        game.Start();
        if (!game.WaitForWindow(20000)) return state.SkipWithError("the window did not appear");
        std::this_thread::sleep_for(std::chrono::seconds(2));  // past start-up
        double cpu0 = ProcessorSeconds(game.Pid());
        auto t0 = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(8));
        double busy = ProcessorSeconds(game.Pid()) - cpu0;
        double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        state.SetIterationTime(wall);
        state.counters["cpu_percent_of_one_core"] = 100.0 * busy / wall;
        game.RequestClose();
        game.WaitExit();
    }
}

BENCHMARK(StartupToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(IdleOnMainScreen)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tessaran

BENCHMARK_MAIN();
