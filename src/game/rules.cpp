// Moves, marks, scoring, Crystal Ball and the win, on PlayBoard. No drawing here: the renderers
// read the state these rules leave behind.
#include "game/rules.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "audio/sound.h"
#include "game/game_hint.h"
#include "game/marks.h"
#include "game/random.h"
#include "game/undo.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/screens.h"
#include "solver/solver_entry.h"

namespace tessaran {

ScoreStore GameScore;

// ---- The guarded score ---------------------------------------------------------------------

namespace {

constexpr uint32_t kMaskKey = 0x9e3779b9u;
constexpr uint32_t kCheckKey = 0x6a09e667u;

uint32_t Mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

uint32_t CheckWord(uint32_t nonce, uint32_t masked, uint32_t salt) {
    return Mix(masked ^ Mix(nonce ^ salt ^ kCheckKey)) ^ kCheckKey;
}

}  // namespace

uint32_t ScoreStore::Salt(uint32_t lane) const {
    // The store's own address varies from run to run, so the masked bytes do too.
    const auto where = reinterpret_cast<std::uintptr_t>(this);
    return Mix(static_cast<uint32_t>(where) ^ static_cast<uint32_t>(static_cast<uint64_t>(where) >> 32) ^
               (lane + 1) * kMaskKey);
}

void ScoreStore::Store(int32_t value) {
    ++writes_;
    Copy* copies[2] = {&primary_, &shadow_};
    for (uint32_t lane = 0; lane < 2; ++lane) {
        const uint32_t salt = Salt(lane);
        Copy& copy = *copies[lane];
        copy.nonce = Mix(writes_ * kMaskKey + lane);
        copy.masked = static_cast<uint32_t>(value) ^ Mix(copy.nonce ^ salt);
        copy.check = CheckWord(copy.nonce, copy.masked, salt);
    }
}

bool ScoreStore::Decode(const Copy& copy, uint32_t salt, int32_t& value) const {
    if (copy.check != CheckWord(copy.nonce, copy.masked, salt)) return false;
    value = static_cast<int32_t>(copy.masked ^ Mix(copy.nonce ^ salt));
    return true;
}

int32_t ScoreStore::Value() const {
    int32_t value = 0;
    if (Decode(primary_, Salt(0), value)) return value;
    if (Decode(shadow_, Salt(1), value)) return value;
    return 0;
}

bool ScoreStore::Intact() const {
    int32_t a = 0, b = 0;
    return Decode(primary_, Salt(0), a) && Decode(shadow_, Salt(1), b) && a == b;
}

void AddToScore(int32_t points) {
    const int64_t sum = static_cast<int64_t>(GameScore.Value()) + points;
    GameScore.Store(static_cast<int32_t>(std::clamp<int64_t>(sum, std::numeric_limits<int32_t>::min(),
                                                             std::numeric_limits<int32_t>::max())));
    LastAward = points;
    AwardPhase = 0.3f;
}

void ResetGameScore() { GameScore.Store(0); }

// ---- Moves ---------------------------------------------------------------------------------

namespace {

constexpr int32_t kRightPoints = 100;
constexpr int32_t kWrongPoints = -500;

Cell& CellAt(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

bool InGridInUse(int column, int row) {
    const int side = BoardSideInUse();
    return column >= 0 && column < side && row >= 0 && row < side;
}

}  // namespace

void OpenCell(Cell& cell) {
    if (cell.known || cell.activated) return;
    cell.activated = 1;
    if (Prefs.startAllMarked) std::fill(std::begin(cell.marks), std::end(cell.marks), uint8_t{1});
    PlaySound(SoundPop);
}

void ActOnSymbol(int column, int row, int k) {
    if (ScreenState == ScreenSolver) {
        EnterSolverValue(column, row, k);
        return;
    }
    // Keys can name slots the level does not use (the flipped number row at the Child level) and
    // squares off the grid; neither is a move. A known square is never judged twice.
    if (!InGridInUse(column, row) || k < 0 || k >= BoardSideInUse()) return;
    Cell& cell = CellAt(column, row);
    if (cell.known) return;
    const std::size_t index = static_cast<std::size_t>(CellIndex(column, row));

    if (!AssignMode) {
        cell.marks[k] = cell.marks[k] ? 0 : 1;
        PlaySound(SoundPop);
        if (CrystalBallActive) CrystalGuessed[index] = true;
        return;
    }
    if (CrystalBallActive) {
        CrystalGuessed[index] = true;
        cell.known = 1;
        cell.activated = 0;
        cell.guess = k + 1;
        PlaySound(SoundPop);
        return;
    }
    MarkUndoBarrier();  // judged: never taken back
    if (k + 1 == cell.value) {
        PlaySound(SoundGoodMove);
        cell.known = 1;
        cell.activated = 0;
        AddToScore(kRightPoints);
        if (MarkOptions.autoRemoveMarks) RemoveRuledOutMarks(column, row, k + 1);
    } else {
        PlaySound(SoundBadMove);
        WrongMoveExplanation = ExplainWrongMove(column, row, k + 1);
        SpawnFallingPiece(column, row, k + 1);
        MistakeCount += 1;
        AddToScore(kWrongPoints);
    }
}

// ---- Crystal Ball --------------------------------------------------------------------------

void EnterCrystalBall() {
    if (CrystalBallActive) return;  // a second entry would overwrite the backup with trials
    CrystalBallActive = true;
    PlaySound(SoundCrystal);
    CopyBoard(PlayBoard, BackupBoard);
    CrystalGuessed.fill(false);
    for (Cell& cell : PlayBoard) cell.guess = 0;
    NoteCrystalBallEntered();
}

void LeaveCrystalBall() {
    if (!CrystalBallActive) return;  // the backup is stale outside the mode
    CrystalBallActive = false;
    CrystalWobbleX = 0.0f;
    CrystalWobbleY = 0.0f;
    CopyBoard(BackupBoard, PlayBoard);
    PlaySound(SoundCrystalOver);
    NoteCrystalBallLeft();
}

void CommitCrystalBall() {
    if (!CrystalBallActive) return;
    CrystalWobbleX = 0.0f;
    CrystalWobbleY = 0.0f;
    CrystalBallActive = false;

    int right = 0, wrong = 0;
    for (int i = 0; i < kCellCount; ++i) {
        Cell& cell = PlayBoard[static_cast<std::size_t>(i)];
        if (!CrystalGuessed[static_cast<std::size_t>(i)] || cell.known != 1) continue;
        if (cell.guess == cell.value) {
            ++right;
            if (MarkOptions.autoRemoveMarks) RemoveRuledOutMarks(i / kBoardSide, i % kBoardSide, cell.guess);
        } else {
            cell.known = 0;
            SpawnFallingPiece(i / kBoardSide, i % kBoardSide, cell.guess);
            ++wrong;
        }
    }
    for (int n = 0; n < right; ++n) AddToScore(kRightPoints);
    if (wrong > 0) {
        for (int i = 0; i < kCellCount; ++i) {
            Cell& cell = PlayBoard[static_cast<std::size_t>(i)];
            if (CrystalGuessed[static_cast<std::size_t>(i)] && cell.known == 0)
                std::fill(std::begin(cell.marks), std::end(cell.marks), uint8_t{0});
        }
        PlaySound(SoundArgh);
        AddToScore(kWrongPoints * wrong);
    }
    NoteCrystalBallCommitted();
}

// ---- Falling pieces ------------------------------------------------------------------------

namespace {
constexpr float kChildOffset = 2.5f;  // the Child grid sits 2.5 units right of and below the origin
constexpr float kFallBottom = 13.0f;
constexpr float kGravity = 0.01f;
}  // namespace

void SpawnFallingPiece(int column, int row, int symbol) {
    auto slot = std::find_if(FallingPieces.begin(), FallingPieces.end(),
                             [](const FallingPiece& piece) { return !piece.inUse; });
    if (slot == FallingPieces.end()) return;
    FallingPiece& piece = *slot;
    piece.inUse = true;
    piece.x = static_cast<float>(column);
    piece.y = static_cast<float>(row);
    if (ChildLayout()) {
        piece.x += kChildOffset;
        piece.y += kChildOffset;
    }
    // Three draws, in this order.
    piece.vx = static_cast<float>((rand() % 1001 - 500) * 0.00001);
    piece.angle = 0.0f;
    piece.vy = static_cast<float>(-(rand() % 1001) * 0.0001);
    piece.spin = static_cast<float>((rand() % 1001 - 500) * 0.001);
    piece.symbol = static_cast<int8_t>(symbol);
}

void AdvanceFallingPiece(FallingPiece& piece) {
    piece.x += FrameFactor * piece.vx;
    piece.y += FrameFactor * piece.vy;
    piece.angle += FrameFactor * piece.spin;
    if (piece.y > kFallBottom) piece.inUse = false;
    piece.vy += FrameFactor * kGravity;
}

void AdvanceFallingPieces() {
    for (FallingPiece& piece : FallingPieces)
        if (piece.inUse) AdvanceFallingPiece(piece);
}

void ClearFallingPieces() { FallingPieces.fill(FallingPiece{}); }

// ---- The win -------------------------------------------------------------------------------

bool CheckCompletion() {
    const int side = BoardSideInUse();
    for (int c = 0; c < side; ++c)
        for (int r = 0; r < side; ++r)
            if (CellAt(c, r).known != 1) return false;
    if (ScreenState != ScreenGame || CrystalBallActive) return false;
    CountGameWon();
    return true;
}

}  // namespace tessaran
