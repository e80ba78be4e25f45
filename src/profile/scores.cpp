// Tables, profiles and name entry over the preferences record. Levels and players read from the
// record are checked before indexing, and every name written is cut to its slot and zero-filled.
#include "profile/scores.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "game/game_state.h"
#include "game/rules.h"
#include "profile/menus.h"
#include "profile/stats.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"

namespace tessaran {

bool PendingPersonalBest = false;
char EntryOffered[kNameSlot] = "";

namespace {

uint8_t EntryKeys[kEntryKeyQueueSize];
int EntryKeyCount = 0, EntryKeyFirst = 0;

}  // namespace

namespace {

bool TableLevel(int32_t level) { return level >= 0 && level < kLevelCount; }
bool Profile(int32_t player) { return player >= 1 && player <= kPlayerCount; }

void CopyName(char* slot, const char* text) {
    std::size_t n = 0;
    if (text)
        while (n < kNameSlot - 1 && text[n] != '\0') ++n;
    std::memmove(slot, text ? text : "", n);
    std::memset(slot + n, 0, kNameSlot - n);
}

}  // namespace

const char* ConfirmQuestion(int32_t kind) {
    switch (kind) {
    case ConfirmEndGame: return "Really end this game?";
    case ConfirmQuit: return "Really end this game and exit Tessaran?";
    case ConfirmClearScores: return "Really clear scores for this difficulty level?";
    case ConfirmResetPlayer: return "Really reset all statistics for this player?";
    case ConfirmAbandonGame: return "Abandon your unfinished game?";
    case ConfirmResetGamesUsed: return "Really reset the games used at this level?";
    default: return "";
    }
}

int32_t ErrorFreePercent(int32_t games, int32_t wins) {
    if (games < 1) return 0;
    return static_cast<int32_t>(wins * 100.0 / games + 0.5);
}

void SetName(char (&slot)[kNameSlot], const char* text) { CopyName(slot, text); }

bool IsNameCharacter(uint8_t c) { return (c >= 32 && c <= 126) || c >= 160; }

void ClearLevelScores() {
    const int32_t level = Prefs.difficulty;
    if (!TableLevel(level)) return;
    for (int r = 0; r < kTableRanks; ++r) {
        Prefs.hsScore[level][r] = 0;
        SetName(Prefs.hsName[level][r], kNobody);
    }
    Prefs.levelGamesPlayed[level] = 0;
    Prefs.levelErrorFreeWins[level] = 0;
}

void ResetCurrentPlayer() {
    const int32_t p = Prefs.currentPlayer;
    if (!Profile(p)) return;
    const int row = p - 1;
    Prefs.playerGamesPlayed[row] = 0;
    for (int s = 0; s < kLevelSlots; ++s) {
        Prefs.playerLevelGamesPlayed[row][s] = 0;
        Prefs.playerLevelErrorFreeWins[row][s] = 0;
        for (int k = 0; k < kPersonalRanks; ++k) {
            Prefs.playerBestScore[row][s][k] = 0;
            Prefs.playerBestTime[row][s][k] = 0;
        }
    }
    SetName(Prefs.playerName[row], DefaultPlayerNames[row]);
    BuildMenus();
}

int InsertPersonalScore(int32_t player, int32_t level, int32_t score, int32_t seconds) {
    if (!Profile(player) || !TableLevel(level)) return -1;
    int32_t* s = Prefs.playerBestScore[player - 1][level];
    int32_t* t = Prefs.playerBestTime[player - 1][level];
    if (score <= s[kPersonalRanks - 1]) return -1;
    int k = kPersonalRanks - 1;
    s[k] = score;
    t[k] = seconds;
    // Only a strictly better score climbs: an equal one stays below, whatever the times.
    while (k >= 1 && s[k - 1] < s[k]) {
        std::swap(s[k - 1], s[k]);
        std::swap(t[k - 1], t[k]);
        --k;
    }
    return k;
}

int InsertOverallScore(int32_t level, int32_t score, int32_t seconds, const char* name) {
    if (!TableLevel(level)) return -1;
    int32_t* s = Prefs.hsScore[level];
    int32_t* t = Prefs.hsTime[level];
    uint8_t* m = Prefs.hsMark[level];
    auto& names = Prefs.hsName[level];
    int i = kTableRanks - 1;
    if (score <= s[i]) return -1;
    s[i] = score;
    t[i] = seconds;
    SetName(names[i], name);
    while (i > 0 && (s[i] > s[i - 1] || (s[i] == s[i - 1] && t[i] < t[i - 1]))) {
        std::swap(s[i - 1], s[i]);
        std::swap(t[i - 1], t[i]);
        std::swap(m[i - 1], m[i]);
        std::swap(names[i - 1], names[i]);
        --i;
    }
    return i;
}

void RecordScore() {
    const int32_t level = Prefs.difficulty;
    const int32_t player = Prefs.currentPlayer;
    const int32_t score = GameScore;
    if (OneMoreGame) {
        // Its OK quits, whatever the message was opened over.
        ShowMessageScreen("You said one more game...",
                          "Tessaran will now quit, but nobody will know if you start again!", ReturnState);
    }

    const int personal = InsertPersonalScore(player, level, score, TimeUsed);
    if (personal >= 0) {
        const char* name = Prefs.playerName[player - 1];
        std::snprintf(MessageLine1, sizeof MessageLine1, "Congratulations!");
        if (OneMoreGame)
            std::snprintf(MessageLine2, sizeof MessageLine2,
                          "#%d personal high score, %.29s!  You said just one more, so Tessaran will now quit.",
                          personal + 1, name);
        else
            std::snprintf(MessageLine2, sizeof MessageLine2, "This is your #%d personal high score, %.29s!",
                          personal + 1, name);
        PendingPersonalBest = true;
    }

    HighlightRow = kNoHighlight;
    if (!TableLevel(level) || score <= Prefs.hsScore[level][kTableRanks - 1]) return;
    // The snapshot holds the table without this entry, so a cancelled name takes it out again;
    // the personal table and the counters were changed before and stay.
    TakeSnapshot();
    const int rank = InsertOverallScore(level, score, TimeUsed, Prefs.lastName);
    OpenTextEntry(ScreenScoreName, "EXCELLENT SCORE!", "Enter your name, exalted one:", Prefs.hsName[level][rank],
                  ScreenState);
    HighlightRow = rank;
}

// ---- Name entry ------------------------------------------------------------------------------

void OpenTextEntry(int32_t state, const char* title, const char* prompt, char* target, int32_t returnTo) {
    std::snprintf(EntryTitle, sizeof EntryTitle, "%s", title);
    std::snprintf(EntryPrompt, sizeof EntryPrompt, "%s", prompt);
    EntryTarget = target;
    CopyName(EntryOffered, target);
    EntryEdited = 0;
    OpenDialog(state, returnTo);
}

void OpenChangePlayerName() {
    const int32_t p = Prefs.currentPlayer;
    if (!Profile(p)) return;
    TakeSnapshot();
    OpenTextEntry(ScreenPlayerName, "Change Player Name:", "Please enter the new name below:",
                  Prefs.playerName[p - 1], ScreenMain);
}

void QueueEntryKey(uint8_t key) {
    if (EntryKeyCount >= kEntryKeyQueueSize) return;
    EntryKeys[(EntryKeyFirst + EntryKeyCount) % kEntryKeyQueueSize] = key;
    ++EntryKeyCount;
}

bool NextEntryKey(uint8_t& key) {
    if (EntryKeyCount == 0) return false;
    key = EntryKeys[EntryKeyFirst];
    EntryKeyFirst = (EntryKeyFirst + 1) % kEntryKeyQueueSize;
    --EntryKeyCount;
    return true;
}

void ClearEntryKeys() { EntryKeyCount = EntryKeyFirst = 0; }

bool HandleEntryKey(uint8_t key, float (*width)(const char*)) {
    if (key == 13) {
        ConfirmTextEntry();
        return false;
    }
    if (key == 27) {
        CancelTextEntry();
        return false;
    }
    if (key != 0) EditEntryText(key, width);
    return true;
}

void TrimLeadingBlanks(char* text) {
    if (!text) return;
    std::size_t n = 0;
    while (text[n] == ' ') ++n;
    if (n == 0) return;
    const std::size_t rest = std::strlen(text + n);
    std::memmove(text, text + n, rest + 1);
    std::memset(text + rest, 0, n);  // the bytes freed at the end stay clean
}

void EditEntryText(uint8_t key, float (*width)(const char*)) {
    char* text = EntryTarget;
    if (!text) return;
    const bool backspace = key == 8;
    if (!backspace && !IsNameCharacter(key)) return;
    text[kNameSlot - 1] = '\0';  // whatever the slot held, it ends inside it
    if (!EntryEdited) std::memset(text, 0, kNameSlot);
    EntryEdited = 1;
    const std::size_t length = std::strlen(text);
    if (backspace) {
        if (length > 0) text[length - 1] = '\0';
        return;
    }
    if (length >= kNameSlot - 1) return;
    if (width && width(text) >= 35.5f) return;
    text[length] = static_cast<char>(key);
    text[length + 1] = '\0';
}

void ConfirmTextEntry() {
    char* text = EntryTarget;
    if (text) {
        text[kNameSlot - 1] = '\0';
        TrimLeadingBlanks(text);
        // A name is never left empty: Enter on an emptied box keeps the name that was offered.
        if (text[0] == '\0') CopyName(text, EntryOffered);
        CopyName(text, text);  // zero-fill the slot after the name
    }
    const int32_t state = ScreenState;
    CloseDialog();  // keys typed after Enter belong to no entry
    if (state == ScreenScoreName && text) CopyName(Prefs.lastName, text);
    if (state == ScreenPlayerName) BuildMenus();
    Prefs.Save();
}

void CancelTextEntry() {
    const int32_t state = ScreenState;
    CloseDialog();
    if (state == ScreenScoreName) HighlightRow = kNoHighlight;
    RestoreSnapshot();
}

}  // namespace tessaran
