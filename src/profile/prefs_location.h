// Where the preferences file lives: a path kept in the per-user settings store.
#pragma once

#include <string>

namespace tessaran {

inline constexpr const char* kSettingsKey = "Software\\Vorla LLC\\Tessaran";
inline constexpr const char* kSettingsValue = "PrefPath";
inline constexpr std::size_t kLongestPrefPath = 4095;  // a longer stored value counts as missing

extern std::string ProgramFolderPath;  // folder of the program file; empty when unknown
extern bool ProgramInstalled;          // its data lives in the system's games data folder

// Leaves the path to use in PrefPath: the stored one, else a default that is stored for next time.
void ResolvePrefPath();
// The default path: the program folder when it is writable and not an installation (root can
// write /usr/games, which still belongs to the system), else the per-user data folder, created
// as needed.
std::string DefaultPrefPath();
void FindProgramFolder();
void StorePrefPath();
// The open-file dialog for a preferences file; on a choice reads it into Prefs and returns its path.
std::string PickPrefsFile();

}  // namespace tessaran
