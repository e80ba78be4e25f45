// End-to-end harness: runs the built game in a private home under the test's X server and
// drives it with real X input (xdotool), screenshots (ImageMagick import) and close requests.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaran::test {

class GameProcess {
public:
    // Copies the built game (and, unless told otherwise, its font file) into a fresh folder
    // that stands for an installation, with a private HOME and XDG folders beside it.
    explicit GameProcess(bool withFont = true);
    // Runs an installed game where it is, instead of a copy of the built one.
    static GameProcess Installed(const std::string& program);
    GameProcess(const GameProcess&) = delete;  // it owns a process and a folder
    ~GameProcess();

    // Starts the game with `cwd` as its current directory (default: the home folder).
    // With `noDialogs` PATH holds no dialog programs, so notices go to standard error only.
    void Start(const std::string& cwd = "", bool noDialogs = true);
    // Runs the game under a checker such as valgrind: `command` is put before the program.
    void WrapWith(std::vector<std::string> command) { wrapper_ = std::move(command); }
    // Timings start the game with memory handled as on a player's system, not filled on every
    // allocation and release as tests have it.
    void LeaveMemoryUnfilled() { fillMemory_ = false; }
    bool WaitForWindow(int timeoutMs = 15000);
    bool Launch(const std::string& cwd = "") {  // Start, then WaitForWindow
        Start(cwd);
        return WaitForWindow();
    }
    void Key(const std::string& keys);          // xdotool key names, e.g. "q" or "shift+3"
    void Type(const std::string& text);
    void Click(int x, int y, const std::string& modifiers = "");  // window pixels
    void MoveTo(int x, int y);
    bool Screenshot(const std::string& pngPath);
    // The window's pixels as RGB rows, top first; empty when the window cannot be read.
    std::vector<unsigned char> Capture(int* width = nullptr, int* height = nullptr);
    // Resizes the window as a window manager would.
    void Resize(int width, int height);
    bool Running();  // not yet exited
    void RequestClose();                        // the window manager's close request
    // Waits for the process to end; returns its exit status, or -1 on timeout or signal.
    int WaitExit(int timeoutMs = 15000);
    void Kill(int signal);
    std::string Stderr() const;
    // The preferences path the game remembered in its settings store; empty if none.
    std::string StoredPrefPath() const;
    // Points the settings store at a preferences path, as an earlier run (or the player) would.
    void StorePrefPath(const std::string& path) const;

    const std::string& Root() const { return root_; }
    std::string InstallDir() const { return root_ + "/game"; }
    std::string Program() const { return program_.empty() ? InstallDir() + "/tessaran" : program_; }
    std::string Home() const { return root_ + "/home"; }
    std::string ConfigHome() const { return root_ + "/home/config"; }
    std::string DataHome() const { return root_ + "/home/data"; }
    unsigned long Window() const { return window_; }
    pid_t Pid() const { return pid_; }

private:
    GameProcess(const std::string& program, int);
    std::string root_;
    std::string program_;
    std::vector<std::string> wrapper_;
    pid_t pid_ = -1;
    unsigned long window_ = 0;
    int exitStatus_ = -1;
    bool exited_ = false;
    bool fillMemory_ = true;
};

void Pause(int ms);

// Preferences beside the program for a quick start, then the game launched and N pressed on its
// main screen: an Easy puzzle dealt at random from the fixed game number `number`, no quick help.
// False when the game did not show its window.
bool StartQuickGame(GameProcess& game, int32_t number);
// The Easy library index that the fixed game number `number` deals.
int DealtIndex(int32_t number);

// The records of a built-in puzzle library as tessaran-cli lists them (row by row, '.' = open).
struct LibraryRecord {
    int index = -1, rating = 0;
    std::string givens, solution;
};
std::vector<LibraryRecord> ReadLibrary(int library);

}  // namespace tessaran::test
