// Reading and writing the pencil-mark helpers' switches in the settings store.
#include "profile/mark_settings.h"

#include <optional>
#include <string_view>
#include <utility>

#include "platform/platform.h"
#include "profile/prefs_location.h"

namespace tessaran {

MarkSettings MarkOptions;

namespace {

// Only "true" and "false" (in any case) are values; anything else is the default.
bool ReadSwitch(const char* valueName, bool fallback) {
    const std::optional<std::string> text = ReadUserSetting(kSettingsKey, valueName);
    if (!text) return fallback;
    const auto same = [&](std::string_view word) {
        if (text->size() != word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (((*text)[i] | 0x20) != word[i]) return false;
        return true;
    };
    if (same("true")) return true;
    if (same("false")) return false;
    return fallback;
}

}  // namespace

void LoadMarkSettings() {
    const MarkSettings defaults;
    MarkOptions.highlightMatches = ReadSwitch(kHighlightMatchesValue, defaults.highlightMatches);
    MarkOptions.showConflicts = ReadSwitch(kShowConflictsValue, defaults.showConflicts);
    MarkOptions.autoRemoveMarks = ReadSwitch(kAutoRemoveMarksValue, defaults.autoRemoveMarks);
}

bool SaveMarkSettings(std::string* reason) {
    const std::pair<const char*, bool> values[] = {{kHighlightMatchesValue, MarkOptions.highlightMatches},
                                                   {kShowConflictsValue, MarkOptions.showConflicts},
                                                   {kAutoRemoveMarksValue, MarkOptions.autoRemoveMarks}};
    for (const auto& [name, on] : values)
        if (!WriteUserSetting(kSettingsKey, name, on ? "true" : "false", reason)) return false;
    return true;
}

}  // namespace tessaran
