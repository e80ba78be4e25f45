// Linux implementation of the platform services: POSIX files and clocks, GLib key files,
// zenity/xmessage dialogs and xdg-open.
#include "platform/platform.h"
#include "platform/resource_table.h"

#include <glib.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <new>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tessaran {

namespace {

uint32_t (*ClockOverride)() = nullptr;
int64_t (*SecondsOverride)() = nullptr;
void (*SleepOverride)(int) = nullptr;
void (*MessageBoxRecorder)(std::string_view, std::string_view) = nullptr;

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return (v && *v) ? std::string(v) : fallback;
}

std::string HomeFolder() { return EnvOr("HOME", "/tmp"); }

std::string ErrnoText(int err) { return std::strerror(err); }

// Runs a program found on PATH and waits for it; returns its exit status or -1.
int RunAndWait(const std::vector<std::string>& args, std::string* output = nullptr) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipefd[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output) {
        if (pipe(pipefd) != 0) return -1;
        posix_spawn_file_actions_adddup2(&actions, pipefd[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipefd[0]);
    }
    // The dialogs must not read the game's standard input.
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output) close(pipefd[1]);
    if (rc != 0) {
        if (output) close(pipefd[0]);
        return -1;
    }
    if (output) {
        char buf[512];
        ssize_t n;
        while ((n = read(pipefd[0], buf, sizeof buf)) > 0) output->append(buf, static_cast<size_t>(n));
        close(pipefd[0]);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HaveDisplay() {
    const char* d = std::getenv("DISPLAY");
    return d && *d;
}

bool OnPath(const char* program) {
    std::string path = EnvOr("PATH", "/usr/bin:/bin");
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        std::string dir = path.substr(start, end - start);
        if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

struct OverrideKey {
    std::string type, name;
    bool operator<(const OverrideKey& o) const { return type != o.type ? type < o.type : name < o.name; }
};
std::map<OverrideKey, Resource>& Overrides() {
    static std::map<OverrideKey, Resource> overrides;
    return overrides;
}

std::string SettingsFile() {
    std::string base = EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config");
    return base + "/tessaran/registry.ini";
}

}  // namespace

// ---- Program location and directories -------------------------------------------------------

namespace {
std::string ProgramPath() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}
}  // namespace

std::string ProgramFolder() { return FolderOf(ProgramPath()); }

std::string ProgramFileName() {
    std::string path = ProgramPath();
    return path.substr(path.rfind('/') + 1);
}

std::string InstalledDataFolder() {
    const std::string prefix = FolderOf(ProgramFolder());
    if (prefix.empty()) return "";
    const std::string folder = JoinPath(prefix, "share/games/tessaran");
    struct stat st{};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? folder : "";
}

std::string CurrentDirectory() {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string();
}

bool ChangeDirectory(const std::string& folder) { return !folder.empty() && chdir(folder.c_str()) == 0; }

std::string UserDataFolder() {
    return EnvOr("XDG_DATA_HOME", HomeFolder() + "/.local/share") + "/tessaran";
}

bool MakeDirectories(const std::string& folder) {
    return g_mkdir_with_parents(folder.c_str(), 0755) == 0;
}

bool IsFolderWritable(const std::string& folder) {
    if (folder.empty()) return false;
    std::string probe = folder + "/.tessaran-write-test-XXXXXX";
    int fd = mkstemp(probe.data());
    if (fd < 0) return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// ---- Time ----------------------------------------------------------------------------------

uint32_t MillisecondClock() {
    if (ClockOverride) return ClockOverride();
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void SleepMilliseconds(int ms) {
    if (SleepOverride) {
        SleepOverride(ms);
        return;
    }
    timespec ts{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

int64_t CalendarSeconds() {
    if (SecondsOverride) return SecondsOverride();
    return static_cast<int64_t>(std::time(nullptr));
}

int32_t MillisecondsToNextCalendarSecond() {
    if (SecondsOverride) return 1000;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    // time() reads a coarse clock that turns up to a scheduler tick late: wake a little after.
    return 1000 - static_cast<int32_t>(ts.tv_nsec / 1000000L) + 12;
}

void SetClockOverrides(uint32_t (*millis)(), int64_t (*seconds)()) {
    ClockOverride = millis;
    SecondsOverride = seconds;
}

void SetSleepOverride(void (*sleeper)(int ms)) { SleepOverride = sleeper; }

// ---- Files ---------------------------------------------------------------------------------

bool FileExists(const std::string& path) {
    struct stat st{};
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

// Opens a regular file for reading. O_NONBLOCK keeps open() from waiting for a FIFO's writer;
// anything but a regular file is then refused. Returns -1 with a reason on failure.
int OpenRegularFile(const std::string& path, struct stat& st, std::string* reason) {
    int fd = path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        if (reason) *reason = ErrnoText(path.empty() ? ENOENT : errno);
        return -1;
    }
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (reason) *reason = "not a regular file";
        close(fd);
        return -1;
    }
    return fd;
}

// Appends up to `count` bytes; false with a reason on a read error or when memory runs out.
bool ReadUpTo(int fd, std::size_t count, std::vector<uint8_t>& out, std::string* reason) {
    try {
        uint8_t buf[65536];
        while (out.size() < count) {
            ssize_t n = read(fd, buf, std::min(sizeof buf, count - out.size()));
            if (n < 0) {
                if (errno == EINTR) continue;
                if (reason) *reason = ErrnoText(errno);
                return false;
            }
            if (n == 0) break;
            out.insert(out.end(), buf, buf + n);
        }
        return true;
    } catch (const std::bad_alloc&) {
        if (reason) *reason = ErrnoText(ENOMEM);
        out.clear();
        return false;
    }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* reason, std::size_t limit) {
    out.clear();
    struct stat st{};
    int fd = OpenRegularFile(path, st, reason);
    if (fd < 0) return false;
    // One byte past the limit tells a file that grew after fstat from one that fits.
    bool tooLarge = static_cast<uint64_t>(st.st_size) > limit;
    bool ok = !tooLarge && ReadUpTo(fd, limit + 1, out, reason);
    close(fd);
    if (ok && out.size() > limit) {
        tooLarge = true;
        ok = false;
    }
    if (!ok) {
        if (tooLarge && reason) *reason = "the file is too large";
        std::vector<uint8_t>().swap(out);
    }
    return ok;
}

bool ReadFileStart(const std::string& path, std::vector<uint8_t>& out, std::size_t count, std::string* reason) {
    out.clear();
    struct stat st{};
    int fd = OpenRegularFile(path, st, reason);
    if (fd < 0) return false;
    bool ok = ReadUpTo(fd, count, out, reason);
    close(fd);
    return ok;
}

namespace {

// A save killed between creating its temporary file and the rename leaves the temporary behind.
// Sweep those left by earlier runs; a fresh one may belong to another copy of the game saving now.
void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string prefix = path.substr(path.rfind('/') + 1) + ".tmp-";  // npos + 1 == 0
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    const time_t staleBefore = time(nullptr) - 60;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        struct stat st{};
        if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_mtime < staleBefore)
            unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

// A link (into a synced folder, a dotfiles repository) stays a link: the file at the end of
// its chain is the one replaced. A dangling link names the file to create.
std::string FollowLinks(const std::string& path) {
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        char buf[4096];
        const ssize_t n = readlink(at.c_str(), buf, sizeof buf);
        if (n <= 0 || static_cast<size_t>(n) == sizeof buf) break;
        const std::string target(buf, static_cast<size_t>(n));
        at = target[0] == '/' ? target : JoinPath(FolderOf(at), target);
    }
    return at;
}

}  // namespace

bool WriteFileAtomically(const std::string& linkOrPath, std::span<const uint8_t> bytes, std::string* reason) {
    auto fail = [&](int err) {
        if (reason) *reason = ErrnoText(err);
        return false;
    };
    if (linkOrPath.empty()) return fail(ENOENT);
    const std::string path = FollowLinks(linkOrPath);
    std::string temp = path + ".tmp-XXXXXX";
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return fail(errno);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            close(fd);
            unlink(temp.c_str());
            return fail(err);
        }
        done += static_cast<size_t>(n);
    }
    // Readable by the player like any ordinary file they saved.
    fchmod(fd, 0644);
    if (fsync(fd) != 0) {
        int err = errno;
        close(fd);
        unlink(temp.c_str());
        return fail(err);
    }
    if (close(fd) != 0) {
        int err = errno;
        unlink(temp.c_str());
        return fail(err);
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        unlink(temp.c_str());
        return fail(err);
    }
    RemoveStaleTemporaries(path);
    // Make the rename itself durable.
    std::string folder = FolderOf(path);
    int dfd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        fsync(dfd);
        close(dfd);
    }
    return true;
}

namespace {

// One writer thread for the whole process, started by the first queued write. Its state is
// never destroyed, so writes can still be finished from the end-of-process handler while
// static objects go away.
struct LaterWrites {
    std::mutex lock;
    std::condition_variable changed;
    std::map<std::string, std::vector<uint8_t>> pending;
    bool writing = false;
    bool started = false;
};

LaterWrites& Writes() {
    static LaterWrites* writes = new LaterWrites;
    return *writes;
}

void WriteLoop() {
    LaterWrites& w = Writes();
    std::unique_lock<std::mutex> hold(w.lock);
    for (;;) {
        w.changed.wait(hold, [&] { return !w.pending.empty(); });
        auto next = w.pending.begin();
        const std::string path = next->first;
        const std::vector<uint8_t> bytes = std::move(next->second);
        w.pending.erase(next);
        w.writing = true;
        hold.unlock();
        WriteFileAtomically(path, bytes);  // a failed save keeps the previous file
        hold.lock();
        w.writing = false;
        w.changed.notify_all();
    }
}

}  // namespace

void WriteFileAtomicallyLater(const std::string& path, std::vector<uint8_t> bytes) {
    LaterWrites& w = Writes();
    std::lock_guard<std::mutex> hold(w.lock);
    w.pending[path] = std::move(bytes);
    if (!w.started) {
        w.started = true;
        std::thread(WriteLoop).detach();
    }
    w.changed.notify_all();
}

void FinishPendingWrites() {
    LaterWrites& w = Writes();
    std::unique_lock<std::mutex> hold(w.lock);
    w.changed.wait(hold, [&] { return w.pending.empty() && !w.writing; });
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0 || errno == ENOENT; }

// ---- The process ---------------------------------------------------------------------------

namespace {
volatile sig_atomic_t TerminationFlag = 0;
void OnTerminationSignal(int) { TerminationFlag = 1; }
}  // namespace

void WatchTerminationSignals() {
    struct sigaction action{};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool TerminationRequested() { return TerminationFlag != 0; }

// ---- Per-user settings ---------------------------------------------------------------------

namespace {

// Through ReadWholeFile, so a FIFO or a huge file in place of the store never stalls the game.
bool LoadSettings(GKeyFile* file, const std::string& path, GKeyFileFlags flags) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, nullptr, 1u << 20)) return false;
    return g_key_file_load_from_data(file, reinterpret_cast<const gchar*>(bytes.data()), bytes.size(), flags,
                                     nullptr);
}

}  // namespace

std::optional<std::string> ReadUserSetting(std::string_view key, std::string_view valueName) {
    GKeyFile* file = g_key_file_new();
    std::optional<std::string> result;
    if (LoadSettings(file, SettingsFile(), G_KEY_FILE_NONE)) {
        gchar* value = g_key_file_get_string(file, std::string(key).c_str(), std::string(valueName).c_str(), nullptr);
        if (value) {
            result = value;
            g_free(value);
        }
    }
    g_key_file_free(file);
    return result;
}

bool WriteUserSetting(std::string_view key, std::string_view valueName, std::string_view value,
                      std::string* reason) {
    std::string path = SettingsFile();
    if (!MakeDirectories(FolderOf(path))) {
        if (reason) *reason = ErrnoText(errno);
        return false;
    }
    GKeyFile* file = g_key_file_new();
    // Keep whatever else the store holds; a missing or damaged store starts afresh.
    LoadSettings(file, path, G_KEY_FILE_KEEP_COMMENTS);
    g_key_file_set_string(file, std::string(key).c_str(), std::string(valueName).c_str(), std::string(value).c_str());
    GError* error = nullptr;
    bool ok = g_key_file_save_to_file(file, path.c_str(), &error);
    if (!ok && reason) *reason = error ? error->message : "unknown error";
    if (error) g_error_free(error);
    g_key_file_free(file);
    return ok;
}

// ---- Dialogs and the desktop ---------------------------------------------------------------

void SetMessageBoxRecorder(void (*recorder)(std::string_view, std::string_view)) {
    MessageBoxRecorder = recorder;
}

void ShowMessageBox(std::string_view caption, std::string_view text) {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
    if (MessageBoxRecorder) {
        MessageBoxRecorder(caption, text);
        return;
    }
    if (!HaveDisplay()) return;
    std::string cap(caption), body(text);
    if (OnPath("zenity")) {
        int rc = RunAndWait({"zenity", "--info", "--no-markup", "--title", cap, "--text", body});
        if (rc == 0 || rc == 1) return;  // answered or closed
    }
    if (OnPath("xmessage")) RunAndWait({"xmessage", "-center", "-title", cap, "-buttons", "OK", body});
}

std::optional<std::string> ShowOpenFileDialog(std::string_view title, std::string_view filterName,
                                              std::string_view pattern, std::string_view initialName) {
    if (!HaveDisplay() || !OnPath("zenity")) return std::nullopt;
    std::string out;
    std::string filter = std::string(filterName) + " | " + std::string(pattern);
    int rc = RunAndWait({"zenity", "--file-selection", "--title", std::string(title), "--file-filter", filter,
                         "--file-filter", "All files | *", "--filename", std::string(initialName)},
                        &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    if (rc != 0 || out.empty()) return std::nullopt;
    return out;
}

void OpenWebPage(std::string_view address) {
    if (address.empty() || !OnPath("xdg-open")) return;
    // A short-lived shell starts xdg-open in the background, so the browser is never our child
    // and the frame loop never waits for it. The address is an argument, never shell text.
    RunAndWait({"sh", "-c", "xdg-open \"$1\" >/dev/null 2>&1 &", "sh", std::string(address)});
}

// ---- Embedded game data ---------------------------------------------------------------------

std::optional<Resource> FindResource(std::string_view type, std::string_view name) {
    auto& overrides = Overrides();
    if (!overrides.empty()) {
        auto it = overrides.find({std::string(type), std::string(name)});
        if (it != overrides.end()) {
            if (!it->second.data) return std::nullopt;
            return it->second;
        }
    }
    for (int i = 0; i < kEmbeddedResourceCount; ++i) {
        const EmbeddedResource& r = kEmbeddedResources[i];
        if (type == r.type && name == r.name)
            return Resource{r.begin, static_cast<std::size_t>(r.end - r.begin)};
    }
    return std::nullopt;
}

void OverrideResource(std::string_view type, std::string_view name, Resource data) {
    Overrides()[{std::string(type), std::string(name)}] = data;
}

void ClearResourceOverrides() { Overrides().clear(); }

}  // namespace tessaran
