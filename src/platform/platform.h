// The one platform header: every operating-system service Tessaran uses, and nothing else.
// Only src/platform includes OS or windowing headers or touches the file system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessaran {

// ---- Program location and directories -------------------------------------------------------

// Folder holding the running program, without a trailing separator; empty if unknown.
// Start-up uses it as the working directory and as the default home of the preferences file.
std::string ProgramFolder();
std::string ProgramFileName();  // the program file's own name, for error messages
// Where an installed game keeps its data: <prefix>/share/games/tessaran for a program in
// <prefix>/games (or any folder of <prefix>). Empty when there is no such folder, as when the
// game runs from its build, with its data beside it.
std::string InstalledDataFolder();
std::string CurrentDirectory();
bool ChangeDirectory(const std::string& folder);
// Per-user data folder ($XDG_DATA_HOME/tessaran, else ~/.local/share/tessaran); not created.
std::string UserDataFolder();
bool MakeDirectories(const std::string& folder);
// True when a new file could be created in the folder (checked by creating and removing one).
bool IsFolderWritable(const std::string& folder);
std::string JoinPath(const std::string& folder, const std::string& name);
std::string FolderOf(const std::string& path);

// ---- Time ----------------------------------------------------------------------------------

// Milliseconds on the monotonic clock, wrapping at 2^32 like the system tick counter.
uint32_t MillisecondClock();
void SleepMilliseconds(int ms);
// Calendar seconds (time(NULL)): the play clock and the random seed.
int64_t CalendarSeconds();
// Milliseconds until CalendarSeconds() has surely changed; 1000 while tests own the clocks.
int32_t MillisecondsToNextCalendarSecond();
// Tests replace the clocks and the sleep; nullptr restores the real ones.
void SetClockOverrides(uint32_t (*millis)(), int64_t (*seconds)());
void SetSleepOverride(void (*sleeper)(int ms));

// ---- Files ---------------------------------------------------------------------------------

bool FileExists(const std::string& path);
// The largest picture, font or other data file read whole; anything larger is damaged.
inline constexpr std::size_t kLargestDataFile = 64u << 20;
// Reads a whole regular file of at most `limit` bytes. On failure (no such file, not a regular
// file, too large, not enough memory) returns false and, if given, a reason for the player.
// A FIFO or device is refused without ever waiting on it.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, std::string* reason = nullptr,
                   std::size_t limit = kLargestDataFile);
// Reads at most `count` bytes from the start of a regular file; the rest is never touched.
bool ReadFileStart(const std::string& path, std::vector<uint8_t>& out, std::size_t count,
                   std::string* reason = nullptr);
// Replaces the file so that a crash or a full disk never leaves it torn: a temporary file in the
// same folder is written, flushed and synced, then renamed over the old one. Where the path is
// a symbolic link, the file it leads to is replaced and the link stays.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         std::string* reason = nullptr);
// The same, done by a writer thread so the caller never waits for the disk: for a file saved
// after every move. Only the newest bytes queued for a path are written.
void WriteFileAtomicallyLater(const std::string& path, std::vector<uint8_t> bytes);
// Waits until every write queued by WriteFileAtomicallyLater has reached the disk.
void FinishPendingWrites();
// Removes a file; true when it is gone (a file that was never there counts).
bool RemoveFile(const std::string& path);

// ---- The process ---------------------------------------------------------------------------

// From now on SIGTERM, SIGINT and SIGHUP only raise a flag that the frame loop polls, so the
// game ends through its ordinary exit path (keeping a game in play and saving the record).
void WatchTerminationSignals();
bool TerminationRequested();

// ---- Per-user settings (the game's small registry) ------------------------------------------

// One string value under a key, kept in $XDG_CONFIG_HOME/tessaran/registry.ini.
// Returns nullopt when the key or value is absent or the store cannot be read.
std::optional<std::string> ReadUserSetting(std::string_view key, std::string_view valueName);
bool WriteUserSetting(std::string_view key, std::string_view valueName, std::string_view value,
                      std::string* reason = nullptr);

// ---- Dialogs and the desktop ---------------------------------------------------------------

// A modal notice. The text always goes to standard error too; with an X display a real window
// (zenity, else xmessage) is shown and waited for.
void ShowMessageBox(std::string_view caption, std::string_view text);
// The system open-file dialog; nullopt when cancelled or unavailable.
std::optional<std::string> ShowOpenFileDialog(std::string_view title, std::string_view filterName,
                                              std::string_view pattern, std::string_view initialName);
// Opens an address (web page or local file) in the user's browser; failures are silent.
void OpenWebPage(std::string_view address);
// Tests record message boxes instead of showing them; nullptr restores real boxes.
void SetMessageBoxRecorder(void (*recorder)(std::string_view caption, std::string_view text));

// ---- Embedded game data ---------------------------------------------------------------------

struct Resource {
    const uint8_t* data;
    std::size_t size;
};
// Finds data of a type ("LEVEL", "BITMAP", "WAVE") by name ("LEVEL30", "138", "POP").
std::optional<Resource> FindResource(std::string_view type, std::string_view name);
// Tests replace or hide one resource (data == nullptr hides it); ClearResourceOverrides undoes all.
void OverrideResource(std::string_view type, std::string_view name, Resource data);
void ClearResourceOverrides();

}  // namespace tessaran
