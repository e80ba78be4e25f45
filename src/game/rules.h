// The rules of play on PlayBoard: opening, marking, assigning, scoring, Crystal Ball trials,
// falling pieces and the win. AddToScore is the only way the score of a game changes.
#pragma once

#include <cstdint>

#include "game/board.h"
#include "game/game_state.h"

namespace tessaran {

// The score of the current game, kept so that a stray write or a memory editor cannot change it
// unnoticed. Two copies are stored masked with a key that changes on every write, each with a
// keyed check word; neither copy holds the plain score. Reading returns the value of the first
// copy whose check holds (the last good score) and 0 when both are damaged; the next award
// rewrites both. Only AddToScore and ResetGameScore write it.
class ScoreStore {
public:
    ScoreStore() { Store(0); }
    ScoreStore(const ScoreStore&) = delete;  // the keys depend on where the store lives
    ScoreStore& operator=(const ScoreStore&) = delete;

    int32_t Value() const;
    operator int32_t() const { return Value(); }
    bool Intact() const;  // both copies pass their checks

private:
    friend void AddToScore(int32_t points);
    friend void ResetGameScore();
    struct Copy {
        uint32_t nonce;
        uint32_t masked;
        uint32_t check;
    };
    void Store(int32_t value);
    bool Decode(const Copy& copy, uint32_t salt, int32_t& value) const;
    uint32_t Salt(uint32_t lane) const;
    Copy primary_{}, shadow_{};
    uint32_t writes_ = 0;
};

extern ScoreStore GameScore;  // points of the current game; may be negative

// GameScore += points (saturating at the 32-bit limits); one award and one pop-up.
void AddToScore(int32_t points);
// GameScore := 0, for a new game.
void ResetGameScore();

// Opens a closed cell (neither known nor activated) clicked on the game screen; "Start squares
// with all Vorlas selected" marks all nine symbols. Does nothing to any other cell.
void OpenCell(Cell& cell);

// The one entry for marking and assigning symbol k + 1 in cell (column, row). On the solver
// screen it toggles the entered value instead. During play a known cell, a cell outside the grid
// in use or a slot outside the level's symbols is left alone.
void ActOnSymbol(int column, int row, int k);

// Crystal Ball: trials placed without judgement, then committed or discarded. Entering while on,
// or leaving or committing while off, does nothing.
void EnterCrystalBall();
void LeaveCrystalBall();
void CommitCrystalBall();

// A wrongly placed piece tumbling off the board from cell (column, row); nothing when all slots
// are busy. Draws three random numbers.
void SpawnFallingPiece(int column, int row, int symbol);
// One frame of motion for one piece in use, scaled by FrameFactor. A piece that passes the
// bottom of the view frees its slot but is still drawn in this frame.
void AdvanceFallingPiece(FallingPiece& piece);
// AdvanceFallingPiece for every slot in use (the drawing is the board renderer's).
void AdvanceFallingPieces();
void ClearFallingPieces();

// Once per frame while the pieces are drawn: every square of the grid in use known, in play and
// outside Crystal Ball mode, counts the win (CountGameWon). Returns whether it did.
bool CheckCompletion();

}  // namespace tessaran
