// Undo and redo of notes. A step is the list of squares one action changed, with their notes
// before and after, so undo and redo are exact whatever the action was.
#include "game/undo.h"

#include <algorithm>
#include <cassert>

#include "game/game_state.h"
#include "game/kept_game.h"

namespace tessaran {

UndoHistory History;

namespace {

bool StepOpen = false;
bool StepJudged = false;
std::array<CellNotes, kCellCount> StepStart;

std::size_t At(int cell) {
    assert(cell >= 0 && cell < kCellCount && "board index of a note change");
    return static_cast<std::size_t>(cell);
}

// Undo never reaches below this many steps.
std::size_t UndoFloor() {
    return CrystalBallActive && History.crystalBase >= 0 ? static_cast<std::size_t>(History.crystalBase) : 0;
}

void Push(UndoStep step) {
    History.undone.clear();
    History.done.push_back(std::move(step));
    if (History.done.size() > kUndoLimit) {
        const std::size_t drop = History.done.size() - kUndoLimit;
        History.done.erase(History.done.begin(), History.done.begin() + static_cast<std::ptrdiff_t>(drop));
        if (History.crystalBase >= 0)
            History.crystalBase = std::max<int32_t>(0, History.crystalBase - static_cast<int32_t>(drop));
    }
}

}  // namespace

CellNotes NotesOf(int cell) {
    const Cell& c = PlayBoard[At(cell)];
    CellNotes notes;
    std::copy(std::begin(c.marks), std::end(c.marks), notes.marks.begin());
    notes.activated = c.activated;
    notes.known = c.known;
    // Trials mean something only in Crystal Ball mode; outside it the board keeps stale ones.
    notes.guess = CrystalBallActive ? c.guess : 0;
    notes.touched = CrystalBallActive && CrystalGuessed[At(cell)] ? 1 : 0;
    return notes;
}

void SetNotes(int cell, const CellNotes& notes) {
    Cell& c = PlayBoard[At(cell)];
    std::copy(notes.marks.begin(), notes.marks.end(), std::begin(c.marks));
    c.activated = notes.activated;
    c.known = notes.known;
    c.guess = notes.guess;
    CrystalGuessed[At(cell)] = notes.touched != 0;
}

void ClearUndoHistory() {
    History = UndoHistory{};
    StepOpen = false;
}

void BeginUndoStep() {
    if (!GameInPlay) return;
    StepOpen = true;
    StepJudged = false;
    for (int i = 0; i < kCellCount; ++i) StepStart[At(i)] = NotesOf(i);
}

void EndUndoStep() {
    if (!GameInPlay || !StepOpen) return;
    StepOpen = false;
    if (StepJudged) {
        SaveGameInPlay();  // the score or the mistakes changed
        return;
    }
    UndoStep step;
    for (int i = 0; i < kCellCount; ++i) {
        const CellNotes now = NotesOf(i);
        if (!(now == StepStart[At(i)])) step.push_back({i, StepStart[At(i)], now});
    }
    if (step.empty()) return;
    Push(std::move(step));
    SaveGameInPlay();
}

void MarkUndoBarrier() {
    History.done.clear();
    History.undone.clear();
    if (History.crystalBase >= 0) History.crystalBase = 0;
    StepJudged = true;
}

void NoteCrystalBallEntered() {
    History.undone.clear();
    History.crystalBase = static_cast<int32_t>(History.done.size());
    SaveGameInPlay();
}

void NoteCrystalBallLeft() {
    // The board is back as it was when the mode began, so the history is too.
    if (History.crystalBase >= 0 && static_cast<std::size_t>(History.crystalBase) <= History.done.size())
        History.done.resize(static_cast<std::size_t>(History.crystalBase));
    History.undone.clear();
    History.crystalBase = -1;
    SaveGameInPlay();
}

void NoteCrystalBallCommitted() {
    History.done.clear();
    History.undone.clear();
    History.crystalBase = -1;
    SaveGameInPlay();
}

bool CanUndo() { return History.done.size() > UndoFloor(); }
bool CanRedo() { return !History.undone.empty(); }

bool UndoNotes() {
    if (!CanUndo()) return false;
    UndoStep step = std::move(History.done.back());
    History.done.pop_back();
    for (auto it = step.rbegin(); it != step.rend(); ++it) SetNotes(it->cell, it->before);
    History.undone.push_back(std::move(step));
    SaveGameInPlay();
    return true;
}

bool RedoNotes() {
    if (!CanRedo()) return false;
    UndoStep step = std::move(History.undone.back());
    History.undone.pop_back();
    for (const NoteChange& change : step) SetNotes(change.cell, change.after);
    History.done.push_back(std::move(step));
    SaveGameInPlay();
    return true;
}

bool HistoryFits(const UndoHistory& history, const std::array<CellNotes, kCellCount>& cells, bool crystal) {
    if (crystal ? history.crystalBase < 0 || static_cast<std::size_t>(history.crystalBase) > history.done.size()
                : history.crystalBase != -1)
        return false;
    auto valid = [](const UndoStep& step) {
        if (step.empty()) return false;
        for (const NoteChange& change : step)
            if (change.cell < 0 || change.cell >= kCellCount) return false;
        return true;
    };
    std::array<CellNotes, kCellCount> board = cells;
    for (auto step = history.done.rbegin(); step != history.done.rend(); ++step) {
        if (!valid(*step)) return false;
        for (auto it = step->rbegin(); it != step->rend(); ++it) {
            if (!(board[At(it->cell)] == it->after)) return false;
            board[At(it->cell)] = it->before;
        }
    }
    board = cells;
    for (auto step = history.undone.rbegin(); step != history.undone.rend(); ++step) {
        if (!valid(*step)) return false;
        for (const NoteChange& change : *step) {
            if (!(board[At(change.cell)] == change.before)) return false;
            board[At(change.cell)] = change.after;
        }
    }
    return true;
}

}  // namespace tessaran
