// The 15000-byte preferences record: everything the game remembers between runs. Its byte
// layout is the file format (little-endian, no header), pinned down field by field below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "game/board.h"

namespace tessaran {

inline constexpr int kPrefsSize = 15000;
inline constexpr int kNameSlot = 30;       // text slots hold at most 29 characters and a NUL
inline constexpr int kTableCount = 15;     // overall tables; only 0..4 are used
inline constexpr int kTableRanks = 10;
inline constexpr int kLevelSlots = 10;     // per-level counters; only 0..4 are counted
inline constexpr int kPlayerCount = 9;     // profiles 1..9 use rows 0..8
inline constexpr int kPersonalRanks = 5;
inline constexpr int kPuzzlesPerLevel = 1000;
inline constexpr int kGraphicsFileSlot = 300;

// The raw record. Plain data so it can be copied byte for byte; `Preferences` adds the
// defaults, load and save.
struct PrefsRecord {
    int32_t difficulty;                                          // 0 Child .. 4 Evil
    uint8_t soundOn;
    uint8_t reserved5[3];
    int32_t hsScore[kTableCount][kTableRanks];                   // overall tables, rank 0 best
    char hsName[kTableCount][kTableRanks][kNameSlot];
    int32_t hsTime[kTableCount][kTableRanks];                    // seconds
    uint8_t hsMark[kTableCount][kTableRanks];                    // moves with its entry
    char lastName[kNameSlot];                                    // offered for the next high score
    uint8_t reserved5888[36];
    int32_t windowWidth;
    int32_t windowHeight;
    uint8_t musicOn;                                             // kept, never used: no music
    uint8_t reserved5933[3];
    int32_t soundVolume;                                         // 0..100 in steps of 5
    int32_t musicVolume;                                         // kept, never used
    uint8_t reserved5944[4];
    uint8_t fixedNumberSet;                                      // every game uses fixedNumber
    uint8_t reserved5949[3];
    int32_t fixedNumber;
    uint8_t reserved5956[4];                                     // byte 5958 defaults to 1
    int32_t currentPlayer;                                       // 0 none, 1..9
    char playerName[kPlayerCount][kNameSlot];
    uint8_t announcePlayer;
    uint8_t reserved6235[5];
    float reserved6240;                                          // defaults to 1.0
    int32_t gamesPlayed;
    int32_t levelGamesPlayed[kLevelSlots];
    int32_t levelErrorFreeWins[kLevelSlots];
    int32_t playerGamesPlayed[kPlayerCount];
    int32_t playerLevelGamesPlayed[kPlayerCount][kLevelSlots];
    int32_t playerLevelErrorFreeWins[kPlayerCount][kLevelSlots];
    int32_t playerBestScore[kPlayerCount][kLevelSlots][kPersonalRanks];
    int32_t playerBestTime[kPlayerCount][kLevelSlots][kPersonalRanks];
    int32_t pieceStyle;                                          // 0 pictures, 1 digits, 2 both
    uint8_t startAllMarked;
    uint8_t clickToActivate;
    uint8_t pickRandomly;
    uint8_t flipNumberKeys;
    uint8_t showHelpAtStart;
    uint8_t useCustomGraphics;
    uint8_t reserved10694[2];
    int32_t graphicsChoice;                                      // 99 = graphicsFile
    char graphicsFile[kGraphicsFileSlot];
    uint8_t wonGames[4][kPuzzlesPerLevel];                       // level L (1..4) at row L - 1
};

class Preferences : public PrefsRecord {
public:
    Preferences();  // every default of the record; all other bytes 0
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    void Load();  // resolve the path, read the file (or the current-directory copy), repair fields
    // Atomic replace at PrefPath, else in the current directory, which then becomes PrefPath
    // (remembered for the next start); a double failure is reported at exit.
    void Save();

    unsigned char* Bytes() { return reinterpret_cast<unsigned char*>(static_cast<PrefsRecord*>(this)); }
    const unsigned char* Bytes() const {
        return reinterpret_cast<const unsigned char*>(static_cast<const PrefsRecord*>(this));
    }
};

extern Preferences Prefs;          // the live record; all code reads and writes this one
extern Preferences PrefsSnapshot;  // undo copy for the name-entry dialogs; never saved

extern const char* const PrefsFileName;        // "Tessaran Prefs.10W"
inline constexpr const auto& DefaultPlayerNames = kPieceNames;  // the characters' names
static_assert(std::size(kPieceNames) == kPlayerCount);
extern std::string PrefPath;                   // full path of the preferences file
// Height of the window's drawing area, kept by the reshape handler so the last save at exit
// (after the window is gone) still records a real size. 0 = no window yet.
extern int32_t CurrentWindowHeight;

void SetDefaults(PrefsRecord& record);
// Makes a record read from a file safe to use: levels, player numbers, styles and volumes into
// range, window size onto a real screen and 4:3, a NUL at the end of every text slot. Counters stay.
void RepairPrefs(PrefsRecord& record);
// Copies file bytes over the start of a record: a short file leaves the rest as it was, bytes
// past the record are ignored.
void OverlayPrefsBytes(PrefsRecord& record, const uint8_t* bytes, std::size_t size);
// Reads the file over the start of Prefs (a short file leaves the rest as it was); false if it
// cannot be opened or read.
bool ReadPrefsFile(const std::string& path);
bool WritePrefsFile(const std::string& path, std::string* reason = nullptr);
void TakeSnapshot();
void RestoreSnapshot();
// A save that failed in both places, for the notice at process end; empty when none.
const std::string& PendingSaveFailure();

// Named fields in file order, for `tessaran-cli prefs-dump` and tests.
struct PrefsField {
    const char* name;
    std::size_t offset;
    std::size_t width;
    char type;  // 'i' int32, 'f' float, 'u' bytes, 's' text slots
    std::size_t slot;  // text slot size, or element size for arrays
};
extern const PrefsField kPrefsFields[];
extern const int kPrefsFieldCount;

}  // namespace tessaran
