// Finding, creating and remembering the path of the preferences file.
#include "profile/prefs_location.h"

#include <cstdio>

#include "platform/platform.h"
#include "profile/prefs.h"

namespace tessaran {

std::string ProgramFolderPath;
bool ProgramInstalled = false;

void FindProgramFolder() {
    ProgramFolderPath = ProgramFolder();
    ProgramInstalled = !InstalledDataFolder().empty();
}

std::string DefaultPrefPath() {
    if (!ProgramFolderPath.empty() && !ProgramInstalled && IsFolderWritable(ProgramFolderPath))
        return JoinPath(ProgramFolderPath, PrefsFileName);
    std::string data = UserDataFolder();
    MakeDirectories(data);
    return JoinPath(data, PrefsFileName);
}

void StorePrefPath() {
    std::string reason;
    if (!WriteUserSetting(kSettingsKey, kSettingsValue, PrefPath, &reason))
        std::fprintf(stderr, "Tessaran: could not remember the preferences path: %s\n", reason.c_str());
}

std::string PickPrefsFile() {
    auto chosen = ShowOpenFileDialog("Pick a Preferences File", "Vorla preferences files", "*.40W", PrefsFileName);
    if (!chosen || !ReadPrefsFile(*chosen)) return "";
    return *chosen;
}

void ResolvePrefPath() {
    auto stored = ReadUserSetting(kSettingsKey, kSettingsValue);
    if (stored && !stored->empty() && stored->size() <= kLongestPrefPath) {
        PrefPath = *stored;
        return;
    }
    FindProgramFolder();
    if (ProgramFolderPath.empty()) {
        // Without a program folder the player may point at an existing file; the choice is kept.
        PrefPath = PickPrefsFile();
        if (PrefPath.empty()) PrefPath = DefaultPrefPath();
    } else {
        PrefPath = DefaultPrefPath();
    }
    StorePrefPath();
}

}  // namespace tessaran
