// Frames of the game, software-rendered in a real window (run under xvfb-run): a frame that only
// clears is the baseline that the full game-screen frame is measured against in the same run.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "game/board.h"
#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/screens.h"
#include "shell/shell.h"

namespace tessaran {
namespace {

bool OpenWindow() {
    static bool open = false;
    if (open) return true;
    if (chdir(TESSARAN_BINARY_DIR) != 0) return false;  // the font file lives beside the game
    Prefs.windowWidth = 800;
    Prefs.windowHeight = 600;
    int argc = 1;
    char name[] = "frame_bench";
    char* argv[] = {name, nullptr};
    if (!InitGlut(&argc, argv)) return false;
    InitWindow();
    InitResources();
    // Frames are driven here; the game's own frame callback would pace (and sleep) them.
    glutDisplayFunc([] {});
    glutIdleFunc(nullptr);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();  // map the window, first reshape
    open = true;
    return true;
}

void FinishFrame() {
    glFinish();
    glutSwapBuffers();
    glutMainLoopEvent();
}

// Whole frames of one screen as RunFrame draws them, minus the pacing.
void RunScreenFrames(benchmark::State& state, int32_t screen) {
    ScreenState = screen;
    FrameFactor = 1.0f;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        RunScreen();
        DrawScoreDisplay();
        DrawClockDisplay();
        FinishFrame();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void ClearOnlyFrame(benchmark::State& state) {
    if (!OpenWindow()) return state.SkipWithError("needs an X display");
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        FinishFrame();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The heaviest board a player can make: every square open with all nine marks drawn.
void GameFrameEveryMarkShown(benchmark::State& state) {
    if (!OpenWindow()) return state.SkipWithError("needs an X display");
    Prefs.difficulty = LevelEasy;
    LoadLevel(30, 0);
    for (Cell& cell : PlayBoard) {
        cell.known = 0;
        cell.activated = 1;
        for (auto& mark : cell.marks) mark = 1;
    }
    CursorColumn = 4;
    CursorRow = 4;
    RunScreenFrames(state, ScreenGame);
}

void MainScreenFrame(benchmark::State& state) {
    if (!OpenWindow()) return state.SkipWithError("needs an X display");
    ClearBoard(PlayBoard);
    RunScreenFrames(state, ScreenMain);
}

BENCHMARK(ClearOnlyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GameFrameEveryMarkShown)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MainScreenFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace tessaran

BENCHMARK_MAIN();
