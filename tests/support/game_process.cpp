// End-to-end harness over the real game binary.
#include "support/game_process.h"

// gtest (through temp_home.h) must come before Xlib, whose macros clash with it.
#include "support/temp_home.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <glib.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include "game/random.h"

extern char** environ;

namespace tessaran::test {

namespace fs = std::filesystem;

namespace {

// One connection for the whole test process. Besides saving a connection per screenshot, it
// keeps the X server from resetting whenever the game under test is gone for a moment: a
// server resetting with no clients may shut down.
Display* HarnessDisplay() {
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

}  // namespace

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool StartQuickGame(GameProcess& game, int32_t number) {
    static PrefsRecord record;  // 15000 bytes: not on the stack
    SetDefaults(record);
    record.difficulty = 1;
    record.showHelpAtStart = 0;
    record.pickRandomly = record.fixedNumberSet = 1;
    record.fixedNumber = number;
    WriteBytes(game.InstallDir() + "/Tessaran Prefs.10W", RecordBytes(record));
    if (!game.Launch()) return false;
    game.Key("n");
    Pause(700);
    return true;
}

int DealtIndex(int32_t number) {
    srand(static_cast<uint32_t>(number));
    return rand() % 1000;
}

std::vector<LibraryRecord> ReadLibrary(int library) {
    std::vector<LibraryRecord> records;
    std::istringstream in(RunCapture(TESSARAN_BINARY_DIR "/tessaran-cli library " + std::to_string(library)));
    LibraryRecord r;
    while (in >> r.index >> r.rating >> r.givens >> r.solution) records.push_back(r);
    return records;
}

GameProcess::GameProcess(bool withFont) {
    root_ = MakeTempFolder("tessaran-e2e");
    fs::create_directories(InstallDir());
    fs::create_directories(ConfigHome());
    fs::create_directories(DataHome());
    fs::copy_file(TESSARAN_BINARY_DIR "/tessaran", InstallDir() + "/tessaran");
    if (withFont) fs::copy_file(TESSARAN_SOURCE_DIR "/data/Another.fnt", InstallDir() + "/Another.fnt");
}

GameProcess::GameProcess(const std::string& program, int) : program_(program) {
    root_ = MakeTempFolder("tessaran-e2e");
    fs::create_directories(ConfigHome());
    fs::create_directories(DataHome());
}

GameProcess GameProcess::Installed(const std::string& program) { return GameProcess(program, 0); }

GameProcess::~GameProcess() {
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (!root_.empty() && !std::getenv("TESSARAN_KEEP_E2E")) RemoveTree(root_);
}

void GameProcess::Start(const std::string& cwd, bool noDialogs) {
    HarnessDisplay();
    // A game that has ended may be started again in the same home and installation.
    exited_ = false;
    exitStatus_ = -1;
    window_ = 0;
    std::vector<std::string> env = {
        "HOME=" + Home(), "XDG_CONFIG_HOME=" + ConfigHome(), "XDG_DATA_HOME=" + DataHome(),
        "GSETTINGS_BACKEND=memory", "ALSOFT_DRIVERS=null"};
    // Freed memory is overwritten, so a use after free shows in what the game writes.
    if (fillMemory_) env.push_back("MALLOC_PERTURB_=165");
    if (const char* d = std::getenv("DISPLAY")) env.push_back(std::string("DISPLAY=") + d);
    if (const char* x = std::getenv("XAUTHORITY")) env.push_back(std::string("XAUTHORITY=") + x);
    // A sanitized build of the game reports under the same options as the test itself.
    // Benchmarks choose where the renderer keeps its compiled shaders (empty: a first launch).
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "MESA_SHADER_CACHE_DIR"})
        if (const char* v = std::getenv(name)) env.push_back(std::string(name) + "=" + v);
    env.push_back(noDialogs ? "PATH=" + root_ + "/empty-path" : std::string("PATH=") + std::getenv("PATH"));
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    std::vector<std::string> args = wrapper_;
    args.push_back(Program());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::string out = root_ + "/stdout.txt", err = root_ + "/stderr.txt";
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string dir = cwd.empty() ? Home() : cwd;
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

bool GameProcess::WaitForWindow(int timeoutMs) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < until) {
        std::string out = RunCapture("xdotool search --onlyvisible --pid " + std::to_string(pid_) +
                                     " --name '^Tessaran$' 2>/dev/null");
        if (!out.empty()) {
            window_ = std::stoul(out);
            // Keys sent before the first frame would meet the start-up state and be lost: wait
            // until something is drawn, however slow the machine is today.
            while (std::chrono::steady_clock::now() < until) {
                const std::vector<unsigned char> rgb = Capture();
                if (std::any_of(rgb.begin(), rgb.end(), [](unsigned char c) { return c > 40; })) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(300));  // first frames
            return true;
        }
        if (WaitExit(0) != -1 || exited_) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void GameProcess::Key(const std::string& keys) {
    std::string w = std::to_string(window_);
    RunCapture("xdotool windowfocus --sync " + w + " key --clearmodifiers --delay 30 " + keys);
}

void GameProcess::Type(const std::string& text) {
    std::string w = std::to_string(window_);
    RunCapture("xdotool windowfocus --sync " + w + " type --delay 30 '" + text + "'");
}

void GameProcess::MoveTo(int x, int y) {
    RunCapture("xdotool mousemove --window " + std::to_string(window_) + " " + std::to_string(x) + " " +
               std::to_string(y));
}

void GameProcess::Click(int x, int y, const std::string& modifiers) {
    MoveTo(x, y);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    std::string w = std::to_string(window_);
    if (modifiers.empty()) {
        RunCapture("xdotool click --window " + w + " 1");
    } else {
        RunCapture("xdotool windowfocus --sync " + w + " keydown " + modifiers + " click 1 keyup " + modifiers);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
}

// Reads the window's pixels straight from the X server. (ImageMagick's import grabs the
// server while it waits for the window, which deadlocks against a game that is drawing.)
std::vector<unsigned char> GameProcess::Capture(int* width, int* height) {
    std::vector<unsigned char> rgb;
    Display* display = HarnessDisplay();
    if (!display) return rgb;
    // The window may be gone (the game quit): report that as an empty capture, not an X error.
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window_, &attributes) && attributes.width > 0 && attributes.height > 0) {
        XImage* image = XGetImage(display, window_, 0, 0, static_cast<unsigned>(attributes.width),
                                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (image) {
            rgb.resize(static_cast<size_t>(attributes.width) * attributes.height * 3);
            size_t at = 0;
            for (int y = 0; y < attributes.height; ++y)
                for (int x = 0; x < attributes.width; ++x) {
                    unsigned long p = XGetPixel(image, x, y);
                    rgb[at++] = static_cast<unsigned char>((p & image->red_mask) >> 16);
                    rgb[at++] = static_cast<unsigned char>((p & image->green_mask) >> 8);
                    rgb[at++] = static_cast<unsigned char>(p & image->blue_mask);
                }
            XDestroyImage(image);
            if (width) *width = attributes.width;
            if (height) *height = attributes.height;
        }
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return rgb;
}

bool GameProcess::Screenshot(const std::string& pngPath) {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb = Capture(&w, &h);
    return !rgb.empty() && stbi_write_png(pngPath.c_str(), w, h, 3, rgb.data(), w * 3) != 0;
}

void GameProcess::Resize(int width, int height) {
    RunCapture("xdotool windowsize " + std::to_string(window_) + " " + std::to_string(width) + " " +
               std::to_string(height) + " 2>/dev/null");
}

bool GameProcess::Running() { return WaitExit(0) == -1 && !exited_; }

void GameProcess::RequestClose() {
    Display* display = HarnessDisplay();
    if (!display) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window_, False, NoEventMask, &event);
    XFlush(display);
}

int GameProcess::WaitExit(int timeoutMs) {
    if (exited_) return exitStatus_;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        int status = 0;
        pid_t r = waitpid(pid_, &status, WNOHANG);
        if (r == pid_) {
            exited_ = true;
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return exitStatus_;
        }
        if (timeoutMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < until);
    return -1;
}

void GameProcess::Kill(int signal) {
    if (pid_ > 0 && !exited_) kill(pid_, signal);
}

std::string GameProcess::StoredPrefPath() const {
    GKeyFile* file = g_key_file_new();
    std::string path;
    if (g_key_file_load_from_file(file, (ConfigHome() + "/tessaran/registry.ini").c_str(), G_KEY_FILE_NONE, nullptr)) {
        gchar* value = g_key_file_get_string(file, "Software\\Vorla LLC\\Tessaran", "PrefPath", nullptr);
        if (value) path = value;
        g_free(value);
    }
    g_key_file_free(file);
    return path;
}

void GameProcess::StorePrefPath(const std::string& path) const {
    fs::create_directories(ConfigHome() + "/tessaran");
    GKeyFile* file = g_key_file_new();
    g_key_file_set_string(file, "Software\\Vorla LLC\\Tessaran", "PrefPath", path.c_str());
    g_key_file_save_to_file(file, (ConfigHome() + "/tessaran/registry.ini").c_str(), nullptr);
    g_key_file_free(file);
}

std::string GameProcess::Stderr() const { return ReadText(root_ + "/stderr.txt"); }

}  // namespace tessaran::test
