// Screen-test fixture: the game's own window, opened once per test process exactly as the game
// opens it (InitGlut, InitWindow, InitResources), driven by real frames (RunFrame) and by the
// handlers the game registers (OnMouseButton, OnPointerMove, OnKey, OnSpecialKey), with the
// frame read back from the window. Needs an X display: register such tests with DISPLAY and
// link tessaran_windowsupport.
//
// Time is the test's: every frame lasts exactly 30 ms (FrameFactor 1), nothing sleeps, and the
// calendar seconds that the play clock reads are PlaySeconds(), which only the test moves.
// Sounds are recorded, not played.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tessaran::test {

inline constexpr int kGameWindowWidth = 800;
inline constexpr int kGameWindowHeight = 600;

// Pixels of one frame, rows top first.
struct WindowPixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* At(int x, int y) const;  // clamped to the frame
    // Mean of red + green + blue over a rectangle of pixels, inclusive, clipped to the frame.
    double Brightness(int x0, int y0, int x1, int y1) const;
    // Share (0..1) of the pixels in the rectangle that differ from `other` by more than `tolerance`.
    double Difference(const WindowPixels& other, int x0, int y0, int x1, int y1, int tolerance = 24) const;
};

class GameWindow {
public:
    // Once per process: the window, resources and test clocks. Later calls do nothing.
    static void Open();
    // Back to a fresh start between tests: default preferences, start-up state, empty board with
    // its geometry, no pending click or key, no falling pieces, no sounds recorded, clocks at 0.
    static void Reset();

    // n whole frames, as GLUT's display/idle callback runs them, with window events in between.
    static void RunFrames(int n = 1);
    // Starts a puzzle the way the game does (state 17, then the first game frame): library
    // puzzle `index` of `level`, or for the Child level the game number `index`.
    static void StartGame(int level, int index);

    // Input through the game's handlers, in window pixels (origin top left).
    static void Click(int x, int y, int button = 0 /* GLUT_LEFT_BUTTON */);
    static void MoveTo(int x, int y);
    static void Key(unsigned char key);
    static void SpecialKey(int key);
    // The same at board units (the board projection) and at percent of the window.
    static void ClickBoard(float x, float y);
    static void MoveToBoard(float x, float y);
    static void ClickPercent(float x, float y);
    // A click in the middle of mark slot `slot` of the magnified square (column, row), then a frame.
    static void ClickSlot(int column, int row, int slot);
    static int PixelX(float boardX);
    static int PixelY(float boardY);

    // The last frame of the latest RunFrames, as drawn (read just before its buffers swap).
    static WindowPixels Capture();
    static WindowPixels Drawn() {  // one more frame, captured
        RunFrames(1);
        return Capture();
    }
    // What the test itself has drawn since the last swap, read now.
    static WindowPixels ReadFrame();

    static int64_t& PlaySeconds();    // what the calendar clock reads now
    static std::vector<int>& Sounds();  // sound numbers played since Reset, in order
};

}  // namespace tessaran::test
