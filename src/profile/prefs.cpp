// The preferences record: defaults, load, atomic save, snapshot, and its pinned byte layout.
#include "profile/prefs.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

#include "platform/platform.h"
#include "profile/mark_settings.h"
#include "profile/prefs_location.h"
#include "shell/startup.h"

namespace tessaran {

static_assert(std::endian::native == std::endian::little, "the record is stored little-endian as in memory");
static_assert(sizeof(PrefsRecord) == kPrefsSize);
static_assert(sizeof(Preferences) == kPrefsSize);
#define PIN(field, offset) static_assert(offsetof(PrefsRecord, field) == (offset), #field)
PIN(difficulty, 0);
PIN(soundOn, 4);
PIN(hsScore, 8);
PIN(hsName, 608);
PIN(hsTime, 5108);
PIN(hsMark, 5708);
PIN(lastName, 5858);
PIN(reserved5888, 5888);
PIN(windowWidth, 5924);
PIN(windowHeight, 5928);
PIN(musicOn, 5932);
PIN(soundVolume, 5936);
PIN(musicVolume, 5940);
PIN(fixedNumberSet, 5948);
PIN(fixedNumber, 5952);
PIN(reserved5956, 5956);
PIN(currentPlayer, 5960);
PIN(playerName, 5964);
PIN(announcePlayer, 6234);
PIN(reserved6240, 6240);
PIN(gamesPlayed, 6244);
PIN(levelGamesPlayed, 6248);
PIN(levelErrorFreeWins, 6288);
PIN(playerGamesPlayed, 6328);
PIN(playerLevelGamesPlayed, 6364);
PIN(playerLevelErrorFreeWins, 6724);
PIN(playerBestScore, 7084);
PIN(playerBestTime, 8884);
PIN(pieceStyle, 10684);
PIN(startAllMarked, 10688);
PIN(clickToActivate, 10689);
PIN(pickRandomly, 10690);
PIN(flipNumberKeys, 10691);
PIN(showHelpAtStart, 10692);
PIN(useCustomGraphics, 10693);
PIN(graphicsChoice, 10696);
PIN(graphicsFile, 10700);
PIN(wonGames, 11000);
#undef PIN

const char* const PrefsFileName = "Tessaran Prefs.10W";
std::string PrefPath;
int32_t CurrentWindowHeight = 0;

// Construction order matters: the live record first, then its snapshot.
Preferences Prefs;
Preferences PrefsSnapshot;

namespace {

std::string SaveFailure;

template <size_t N>
void CopyText(char (&slot)[N], const char* text) {
    std::memset(slot, 0, N);
    std::strncpy(slot, text, N - 1);
}

}  // namespace

void SetDefaults(PrefsRecord& r) {
    std::memset(&r, 0, sizeof r);
    r.difficulty = 2;
    r.soundOn = 1;
    for (auto& table : r.hsName)
        for (auto& name : table) CopyText(name, "Nobody");
    CopyText(r.lastName, "Anonymous");
    r.windowWidth = 720;
    r.windowHeight = 540;
    r.musicOn = 1;
    r.soundVolume = 70;
    r.musicVolume = 50;
    r.reserved5956[2] = 1;  // byte 5958
    for (int p = 0; p < kPlayerCount; ++p) CopyText(r.playerName[p], DefaultPlayerNames[p]);
    r.announcePlayer = 1;
    r.reserved6240 = 1.0f;
    r.clickToActivate = 1;
    r.pickRandomly = 1;
    r.showHelpAtStart = 1;
}

Preferences::Preferences() { SetDefaults(*this); }

void RepairPrefs(PrefsRecord& r) {
    if (r.difficulty < 0 || r.difficulty > 4) r.difficulty = 2;
    if (r.currentPlayer < 0 || r.currentPlayer > kPlayerCount) r.currentPlayer = 0;
    if (r.pieceStyle < 0 || r.pieceStyle > 2) r.pieceStyle = 0;
    r.soundVolume = std::clamp(r.soundVolume, 0, 100);
    // Large enough to use, small enough for any real screen.
    r.windowWidth = std::clamp(r.windowWidth, 400, 7680);
    r.windowHeight = std::clamp(r.windowHeight, 300, 4320);
    // The window opens at this size and its text is scaled from it before any reshape: keep the
    // largest 4:3 size inside it, by the rule Save uses.
    const auto widthForHeight = static_cast<int32_t>(r.windowHeight * 1.3333333333333333);
    if (r.windowWidth > widthForHeight)
        r.windowWidth = widthForHeight;
    else if (r.windowWidth < widthForHeight)
        r.windowHeight = r.windowWidth * 3 / 4;
    for (auto& table : r.hsName)
        for (auto& name : table) name[kNameSlot - 1] = '\0';
    r.lastName[kNameSlot - 1] = '\0';
    for (auto& name : r.playerName) name[kNameSlot - 1] = '\0';
    r.graphicsFile[kGraphicsFileSlot - 1] = '\0';
}

void OverlayPrefsBytes(PrefsRecord& record, const uint8_t* bytes, std::size_t size) {
    if (size > 0) std::memcpy(&record, bytes, std::min<size_t>(size, kPrefsSize));
}

bool ReadPrefsFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadFileStart(path, bytes, kPrefsSize)) return false;
    OverlayPrefsBytes(Prefs, bytes.data(), bytes.size());
    return true;
}

bool WritePrefsFile(const std::string& path, std::string* reason) {
    return WriteFileAtomically(path, std::span<const uint8_t>(Prefs.Bytes(), kPrefsSize), reason);
}

void Preferences::Load() {
    ResolvePrefPath();
    LoadMarkSettings();  // kept beside the path, outside the record
    if (!ReadPrefsFile(PrefPath)) {
        std::vector<uint8_t> bytes;
        if (ReadFileStart(PrefsFileName, bytes, kPrefsSize)) OverlayPrefsBytes(*this, bytes.data(), bytes.size());
    }
    if (windowWidth < 400) {
        windowWidth = 400;
        windowHeight = 300;
    }
    RepairPrefs(*this);
}

void Preferences::Save() {
    if (StartupError == 0 && CurrentWindowHeight > 0) {
        windowHeight = CurrentWindowHeight;
        windowWidth = static_cast<int32_t>(windowHeight * 1.3333333333333333);
    }
    std::string firstReason, secondReason;
    if (WritePrefsFile(PrefPath, &firstReason)) {
        SaveFailure.clear();
        return;
    }
    std::string fallback = JoinPath(CurrentDirectory(), PrefsFileName);
    if (WriteFileAtomically(fallback, std::span<const uint8_t>(Bytes(), kPrefsSize), &secondReason)) {
        SaveFailure.clear();
        // The fallback now holds the newest record: the next start must load it, not the
        // older file at the stored path, which its first save would then put over this one.
        std::fprintf(stderr, "Tessaran: could not save to %s (%s); saved to %s, used from now on.\n",
                     PrefPath.c_str(), firstReason.c_str(), fallback.c_str());
        PrefPath = fallback;
        StorePrefPath();
        return;
    }
    SaveFailure = "Tessaran could not save your preferences and statistics.\n" +
                  (PrefPath.empty() ? std::string("No preferences file is set") : "Saving to " + PrefPath) +
                  " failed: " + firstReason + ".\nSaving to " + fallback + " failed: " + secondReason +
                  ".\nChanges since the last successful save are lost.";
}

void TakeSnapshot() { std::memcpy(PrefsSnapshot.Bytes(), Prefs.Bytes(), kPrefsSize); }
void RestoreSnapshot() { std::memcpy(Prefs.Bytes(), PrefsSnapshot.Bytes(), kPrefsSize); }

const std::string& PendingSaveFailure() { return SaveFailure; }

#define FIELD(name, type, slot) \
    {#name, offsetof(PrefsRecord, name), sizeof(PrefsRecord::name), type, slot}
const PrefsField kPrefsFields[] = {
    FIELD(difficulty, 'i', 4),
    FIELD(soundOn, 'u', 1),
    FIELD(hsScore, 'i', 4),
    FIELD(hsName, 's', kNameSlot),
    FIELD(hsTime, 'i', 4),
    FIELD(hsMark, 'u', 1),
    FIELD(lastName, 's', kNameSlot),
    FIELD(windowWidth, 'i', 4),
    FIELD(windowHeight, 'i', 4),
    FIELD(musicOn, 'u', 1),
    FIELD(soundVolume, 'i', 4),
    FIELD(musicVolume, 'i', 4),
    FIELD(fixedNumberSet, 'u', 1),
    FIELD(fixedNumber, 'i', 4),
    FIELD(currentPlayer, 'i', 4),
    FIELD(playerName, 's', kNameSlot),
    FIELD(announcePlayer, 'u', 1),
    FIELD(gamesPlayed, 'i', 4),
    FIELD(levelGamesPlayed, 'i', 4),
    FIELD(levelErrorFreeWins, 'i', 4),
    FIELD(playerGamesPlayed, 'i', 4),
    FIELD(playerLevelGamesPlayed, 'i', 4),
    FIELD(playerLevelErrorFreeWins, 'i', 4),
    FIELD(playerBestScore, 'i', 4),
    FIELD(playerBestTime, 'i', 4),
    FIELD(pieceStyle, 'i', 4),
    FIELD(startAllMarked, 'u', 1),
    FIELD(clickToActivate, 'u', 1),
    FIELD(pickRandomly, 'u', 1),
    FIELD(flipNumberKeys, 'u', 1),
    FIELD(showHelpAtStart, 'u', 1),
    FIELD(useCustomGraphics, 'u', 1),
    FIELD(graphicsChoice, 'i', 4),
    FIELD(graphicsFile, 's', kGraphicsFileSlot),
    FIELD(wonGames, 'u', 1),
};
#undef FIELD
const int kPrefsFieldCount = static_cast<int>(sizeof kPrefsFields / sizeof kPrefsFields[0]);

}  // namespace tessaran
