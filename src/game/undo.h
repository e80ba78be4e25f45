// Undo and redo of the player's own notes: marks, opened squares and Crystal Ball trials.
// Judged placements and a Crystal Ball commit are barriers: nothing before them can be taken
// back. No drawing, no files.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/board.h"

namespace tessaran {

// What undo restores of one square: everything the player may change without judgement.
struct CellNotes {
    std::array<uint8_t, 9> marks{};
    uint8_t activated = 0;
    uint8_t known = 0;
    int32_t guess = 0;    // Crystal Ball trial symbol, 0 = none
    uint8_t touched = 0;  // CrystalGuessed: changed in this visit to Crystal Ball mode
    bool operator==(const CellNotes&) const = default;
};

struct NoteChange {
    int32_t cell;  // board index (column * 9 + row)
    CellNotes before, after;
    bool operator==(const NoteChange&) const = default;
};
using UndoStep = std::vector<NoteChange>;

struct UndoHistory {
    std::vector<UndoStep> done;    // oldest first; undo takes the last
    std::vector<UndoStep> undone;  // redo takes the last
    // Size of `done` when Crystal Ball mode was entered, -1 outside the mode: undo stops there
    // while the mode is on, and leaving it drops the visit's steps with its trials.
    int32_t crystalBase = -1;
    bool operator==(const UndoHistory&) const = default;
};

extern UndoHistory History;  // of the game in play

// Steps kept; the oldest go first, so a long game's history stays small to save.
inline constexpr std::size_t kUndoLimit = 400;

CellNotes NotesOf(int cell);                         // of PlayBoard and CrystalGuessed
void SetNotes(int cell, const CellNotes& notes);

void ClearUndoHistory();

// Brackets one action of the player on the game in play, so that everything it changed in the
// notes of any number of squares is taken back by one undo. Any action that changes marks or
// opened squares outside the rules below uses it:
//     BeginUndoStep();
//     ...change PlayBoard's marks, activated flags or trials...
//     EndUndoStep();
// EndUndoStep records the step (nothing when nothing changed), forgets what was undone, and
// keeps the unfinished game on disk. Outside a game in play both do nothing.
void BeginUndoStep();
void EndUndoStep();

// A judged placement (called by the rules): undo stops here. Inside a bracketed action the
// action itself is not recorded.
void MarkUndoBarrier();
// Crystal Ball mode entered, left (its trials discarded) or committed (a barrier).
void NoteCrystalBallEntered();
void NoteCrystalBallLeft();
void NoteCrystalBallCommitted();

bool CanUndo();
bool CanRedo();
// Takes back / puts again the latest step; false when there is none. Both keep the game on disk.
bool UndoNotes();
bool RedoNotes();

// Checks a history read from a file against the board it belongs to: undoing every step from the
// current notes, and redoing every undone one, must meet exactly the recorded states. `cells`
// holds the current notes by board index.
bool HistoryFits(const UndoHistory& history, const std::array<CellNotes, kCellCount>& cells, bool crystal);

}  // namespace tessaran
