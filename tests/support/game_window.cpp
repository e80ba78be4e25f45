// Screen-test fixture: the game's window and frames under the test's clocks and input.
#include "support/game_window.h"

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "audio/sound.h"
#include "board/board_render.h"
#include "game/board.h"
#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "profile/prefs_dialog.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/input.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "support/temp_home.h"
#include "ui/focus.h"
#include "ui/widgets.h"

namespace tessaran::test {

namespace {

constexpr uint32_t kFrameMs = 30;

uint32_t FakeMillis = 0;
int64_t FakeSeconds = 0;
std::vector<int> Played;

uint32_t TestMillis() {
    FakeMillis += kFrameMs;  // PaceFrame reads the clock once per frame: every frame is 30 ms
    return FakeMillis;
}
int64_t TestSeconds() { return FakeSeconds; }
void NoSleep(int) {}
void Record(int sound) { Played.push_back(sound); }
void NoDisplay() {}

// The window's picture can reach the X server a little after the swap, so the frame is read
// from the back buffer just before RunFrame swaps it (see glutSwapBuffers below).
bool CaptureAtSwap = false;
WindowPixels LastFrame;

WindowPixels ReadBackBuffer() {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    WindowPixels frame;
    frame.width = kGameWindowWidth;
    frame.height = kGameWindowHeight;
    const std::size_t row = static_cast<std::size_t>(kGameWindowWidth) * 3;
    std::vector<uint8_t> up(row * kGameWindowHeight);
    glReadPixels(0, 0, kGameWindowWidth, kGameWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, up.data());
    frame.rgb.resize(up.size());
    for (int y = 0; y < kGameWindowHeight; ++y)  // GL rows grow upward
        std::copy_n(&up[static_cast<std::size_t>(kGameWindowHeight - 1 - y) * row], row,
                    &frame.rgb[static_cast<std::size_t>(y) * row]);
    return frame;
}

}  // namespace
}  // namespace tessaran::test

// Stands in for freeglut's swap in the test programs: the frame is kept, then really swapped.
extern "C" void glutSwapBuffers(void) {
    if (tessaran::test::CaptureAtSwap) tessaran::test::LastFrame = tessaran::test::ReadBackBuffer();
    using Swap = void (*)();
    static const Swap realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    if (realSwap) realSwap();
}

namespace tessaran::test {

const uint8_t* WindowPixels::At(int x, int y) const {
    x = std::clamp(x, 0, width - 1);
    y = std::clamp(y, 0, height - 1);
    return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3];
}

double WindowPixels::Brightness(int x0, int y0, int x1, int y1) const {
    x0 = std::clamp(x0, 0, width - 1), x1 = std::clamp(x1, 0, width - 1);
    y0 = std::clamp(y0, 0, height - 1), y1 = std::clamp(y1, 0, height - 1);
    double sum = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) sum += At(x, y)[0] + At(x, y)[1] + At(x, y)[2];
    return sum / ((x1 - x0 + 1) * (y1 - y0 + 1));
}

double WindowPixels::Difference(const WindowPixels& other, int x0, int y0, int x1, int y1, int tolerance) const {
    x0 = std::clamp(x0, 0, width - 1), x1 = std::clamp(x1, 0, width - 1);
    y0 = std::clamp(y0, 0, height - 1), y1 = std::clamp(y1, 0, height - 1);
    int differing = 0;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const uint8_t* a = At(x, y);
            const uint8_t* b = other.At(x, y);
            for (int c = 0; c < 3; ++c) {
                if (std::abs(a[c] - b[c]) > tolerance) {
                    ++differing;
                    break;
                }
            }
        }
    }
    return static_cast<double>(differing) / ((x1 - x0 + 1) * (y1 - y0 + 1));
}

void GameWindow::Open() {
    static bool open = false;
    if (open) return;
    open = true;

    // A private home and a silent audio device; the font is read from the data folder, and
    // afterwards the working directory is a scratch folder, so a save can never land in the tree.
    const std::string root = MakeTempFolder("tessaran-window");
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    ASSERT_EQ(chdir(TESSARAN_SOURCE_DIR "/data"), 0);

    SetClockOverrides(TestMillis, TestSeconds);
    SetSleepOverride(NoSleep);
    Prefs.windowWidth = kGameWindowWidth;
    Prefs.windowHeight = kGameWindowHeight;

    int argc = 1;
    char name[] = "tessaran-screen-test";
    char* argv[] = {name, nullptr};
    ASSERT_TRUE(InitGlut(&argc, argv)) << "needs an X display (xvfb-run)";
    InitWindow();
    InitResources();
    // Frames are run by the test; event processing must not run one behind its back.
    glutDisplayFunc(NoDisplay);
    glutIdleFunc(nullptr);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    glViewport(0, 0, kGameWindowWidth, kGameWindowHeight);
    ASSERT_EQ(chdir(root.c_str()), 0);
    SetSoundPlayer(Record);
}

void GameWindow::Reset() {
    Open();
    SetDefaults(Prefs);
    Prefs.windowWidth = kGameWindowWidth;
    Prefs.windowHeight = kGameWindowHeight;
    SetClockOverrides(TestMillis, TestSeconds);
    SetSleepOverride(NoSleep);
    SetSoundPlayer(Record);
    FakeSeconds = 1'000'000;
    PlayClockStart = FakeSeconds;
    TimeUsed = 0;
    ClearBoard(PlayBoard);
    SetUpBoardGeometry();
    ClearFallingPieces();
    ResetGameScore();
    LastAward = 0;
    AwardPhase = 0.0f;
    MistakeCount = 0;
    CrystalBallActive = false;
    CrystalGuessed.fill(false);
    CrystalWobbleX = CrystalWobbleY = CrystalWobblePhase = 0.0f;
    MarkOptions = MarkSettings{};
    ShowingMarkPage = false;
    AssignMode = false;
    AssignModifierLatched = false;
    SolverGame = false;
    OneMoreGame = false;
    CursorColumn = CursorRow = -1;
    MouseClicked = false;
    DialogKey = 0;
    HideFocusRing();
    ScreenState = ScreenStartup;
    ReturnState = ScreenMain;
    PausedFromState = ScreenGame;
    RunFrames(1);  // the start-up frame, which rests on the main screen
    Played.clear();
}

void GameWindow::RunFrames(int n) {
    for (int i = 0; i < n; ++i) {
        CaptureAtSwap = i + 1 == n;
        RunFrame();
        CaptureAtSwap = false;
        glutMainLoopEvent();
    }
}

void GameWindow::StartGame(int level, int index) {
    Prefs.difficulty = level;
    Prefs.pickRandomly = 0;
    Prefs.fixedNumberSet = level == LevelChild ? 1 : 0;
    Prefs.fixedNumber = index;
    PickedPuzzle = index;
    ScreenState = ScreenNewGame;
    RunFrames(2);  // StartNewGame, then the first frame of the game screen
}

void GameWindow::Click(int x, int y, int button) {
    OnMouseButton(button, GLUT_DOWN, x, y);
    OnMouseButton(button, GLUT_UP, x, y);
}

void GameWindow::MoveTo(int x, int y) { OnPointerMove(x, y); }
void GameWindow::Key(unsigned char key) { OnKey(key, 0, 0); }
void GameWindow::SpecialKey(int key) { OnSpecialKey(key, 0, 0); }

int GameWindow::PixelX(float boardX) {
    return static_cast<int>((boardX - static_cast<float>(kBoardLeft)) / kBoardSpanX * static_cast<float>(kGameWindowWidth));
}
int GameWindow::PixelY(float boardY) {
    return static_cast<int>((boardY - static_cast<float>(kBoardTop)) / kBoardSpanY * static_cast<float>(kGameWindowHeight));
}

void GameWindow::ClickBoard(float x, float y) { Click(PixelX(x), PixelY(y)); }
void GameWindow::MoveToBoard(float x, float y) { MoveTo(PixelX(x), PixelY(y)); }
void GameWindow::ClickPercent(float x, float y) {
    Click(static_cast<int>(x * 0.01f * kGameWindowWidth), static_cast<int>(y * 0.01f * kGameWindowHeight));
}

void GameWindow::ClickSlot(int column, int row, int slot) {
    const BoardRect r = MarkSlotRect(column, row, slot);
    ClickBoard((r.x0 + r.x1) * 0.5f, (r.y0 + r.y1) * 0.5f);
    RunFrames(1);
}

WindowPixels GameWindow::Capture() { return LastFrame; }
WindowPixels GameWindow::ReadFrame() { return ReadBackBuffer(); }

int64_t& GameWindow::PlaySeconds() { return FakeSeconds; }
std::vector<int>& GameWindow::Sounds() { return Played; }

}  // namespace tessaran::test
