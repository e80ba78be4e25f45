// The pencil-mark helpers' switches. They live in the settings store beside the preferences
// path, never in the 15000-byte record, whose layout is a file format.
#pragma once

#include <string>

namespace tessaran {

struct MarkSettings {
    bool highlightMatches = true;  // "Highlight matching pieces"
    bool showConflicts = true;     // "Show conflicts": clashing Crystal Ball trials framed
    // Off by default: for a player who marks what a square cannot hold, removal would be wrong.
    bool autoRemoveMarks = false;  // "Remove marks a placed piece rules out"
};

extern MarkSettings MarkOptions;  // the switches in force

// Store value names, under the preferences path's key; values are "true" or "false".
inline constexpr const char* kHighlightMatchesValue = "HighlightMatches";
inline constexpr const char* kShowConflictsValue = "ShowConflicts";
inline constexpr const char* kAutoRemoveMarksValue = "AutoRemoveMarks";

// Reads the three switches; a missing or unreadable value leaves its default.
void LoadMarkSettings();
// Writes the three switches; false (with a reason) when the store cannot be written.
bool SaveMarkSettings(std::string* reason = nullptr);

}  // namespace tessaran
