// High-score tables, personal tables and profiles: recording a finished game, clearing a level,
// resetting and renaming a player. Rules only; every name stays inside its 30-byte slot.
#pragma once

#include <cstdint>

#include "profile/prefs.h"

namespace tessaran {

extern bool PendingPersonalBest;  // the main screen owes the "Congratulations!" message

inline constexpr const char* kNobody = "Nobody";

// The confirmation dialog's question for ConfirmKind 0, 1, 2, 7 or 8; "" for any other kind.
const char* ConfirmQuestion(int32_t kind);

// trunc(wins * 100 / games + 0.5) in double precision; 0 when there are no games.
int32_t ErrorFreePercent(int32_t games, int32_t wins);

// "Yes" to clearing the scores of the current level: the ten overall entries become "Nobody"
// with 0 points (their times stay) and the level's game counters go back to 0. Nothing is saved
// and the screen is left to the dialog.
void ClearLevelScores();
// "Yes" to resetting the profile in use: its counters and best scores on every level slot go to
// 0, its name back to the default, and the Player menu is rebuilt. Nothing without a profile.
void ResetCurrentPlayer();

// Enters a score into the personal table of player p (1..9) at `level`: only above the fifth
// entry, and below any equal score. Returns the rank 0..4 it took, or -1.
int InsertPersonalScore(int32_t player, int32_t level, int32_t score, int32_t seconds);
// Enters a score into the overall table of `level` under `name`: only above the tenth entry;
// equal scores are ordered faster first, and an equal score in equal time stays below.
// Returns the rank 0..9 it took, or -1.
int InsertOverallScore(int32_t level, int32_t score, int32_t seconds, const char* name);

// The end of a game, won or abandoned: GameScore and TimeUsed enter the personal table (with a
// pending message) and the overall table (which opens the name entry over ScreenState).
void RecordScore();

// ---- Name entry (text-entry screens 5 and 26) ------------------------------------------------

// The text offered when the entry opened; an empty confirmed name falls back to it.
extern char EntryOffered[kNameSlot];

// Opens the text entry over ScreenState: `target` is edited in place, `returnTo` is where it goes
// back. The caller takes the preferences snapshot first where cancel relies on it.
void OpenTextEntry(int32_t state, const char* title, const char* prompt, char* target, int32_t returnTo);
// "Change Player Name" on the player page: snapshot, then the entry on the profile's name.
void OpenChangePlayerName();
// One key typed into the entry (not Enter or Esc): the first key replaces the offered text,
// backspace removes the last character, and a character the font can draw is added while the
// text holds fewer than 29 and is narrower than 35.5 % at size 3 (`width` measures it). Other
// bytes do nothing. The slot is kept NUL-terminated and zero-filled after the text.
void EditEntryText(uint8_t key, float (*width)(const char*));
// Keys typed into the entry wait here, in order, for its next frame: several keys can arrive
// between two frames (a fast typist, a pasted name) and none may be lost. A full queue drops
// further keys; opening an entry empties it.
inline constexpr int kEntryKeyQueueSize = 64;
void QueueEntryKey(uint8_t key);
bool NextEntryKey(uint8_t& key);
void ClearEntryKeys();
// One key for the open entry: Enter confirms, Esc cancels, anything else edits (see
// EditEntryText). Returns false once the entry has been left.
bool HandleEntryKey(uint8_t key, float (*width)(const char*));
// Leading blanks are dropped (a name never starts with one).
void TrimLeadingBlanks(char* text);
// Enter: keeps the name (an empty one becomes the offered text again), remembers a high-score
// name for next time, rebuilds the menus after a profile rename, saves.
void ConfirmTextEntry();
// Esc: the snapshot undoes the edit (and the new table entry of a high score).
void CancelTextEntry();

// Copies `text` into a name slot, cut to 29 bytes, the rest of the slot zero-filled.
void SetName(char (&slot)[kNameSlot], const char* text);
// True for bytes the game's font can draw: 32..126 and 160..255.
bool IsNameCharacter(uint8_t c);

}  // namespace tessaran
