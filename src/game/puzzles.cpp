// Loading library puzzles, starting games and generating Child puzzles. The random calls here
// are part of every game number's meaning: never add, drop or reorder one.
#include "game/puzzles.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "game/game_hint.h"
#include "game/kept_game.h"
#include "game/random.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/screens.h"

namespace tessaran {

int32_t PickedPuzzle = 0;

namespace {

std::optional<Resource> FindLibrary(int libraryNumber) {
    return FindResource("LEVEL", "LEVEL" + std::to_string(libraryNumber));
}

int32_t ReadLittleEndian32(const uint8_t* p) {
    const uint32_t u = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                       static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
    return static_cast<int32_t>(u);
}

}  // namespace

std::optional<int> LibraryRecordCount(int libraryNumber) {
    const std::optional<Resource> library = FindLibrary(libraryNumber);
    if (!library) return std::nullopt;
    return static_cast<int>(library->size / kRecordSize);
}

bool ReadPuzzleRecord(int libraryNumber, int index, PuzzleRecord& record) {
    const std::optional<Resource> library = FindLibrary(libraryNumber);
    if (!library || !library->data) return false;
    // Whole records only: a negative index or one at or past size / 85 reads nothing.
    if (index < 0 || static_cast<std::size_t>(index) >= library->size / kRecordSize) return false;
    const uint8_t* bytes = library->data + static_cast<std::size_t>(index) * kRecordSize;
    for (int i = 0; i < kCellCount; ++i) record.cells[i] = static_cast<int8_t>(bytes[i]);
    record.rating = ReadLittleEndian32(bytes + kRatingOffset);
    return true;
}

bool IsWellFormed(const PuzzleRecord& record) {
    return std::all_of(std::begin(record.cells), std::end(record.cells), [](int8_t v) {
        const int symbol = std::abs(static_cast<int>(v));
        return symbol >= 1 && symbol <= 9;
    });
}

bool LoadLevel(int libraryNumber, int index) {
    ClearBoard(PlayBoard);
    PuzzleRecord record;
    if (!ReadPuzzleRecord(libraryNumber, index, record) || !IsWellFormed(record)) return false;
    ChallengeRating = record.rating;
    for (int i = 0; i < kCellCount; ++i) {
        const int v = record.cells[i];
        Cell& cell = PlayBoard[static_cast<std::size_t>(i)];
        cell.known = static_cast<uint8_t>(v < 0);
        cell.value = std::abs(v);
    }
    return true;
}

void ResetForNewGame() {
    ClearFallingPieces();
    HighlightRow = kNoHighlight;
    ResetGameScore();
    MistakeCount = 0;
    ResetGameHints();
    CrystalBallActive = false;
    CrystalGuessed.fill(false);
}

void StartNewGame() {
    ResetForNewGame();
    SolverGame = false;
    SolverGridInUse = false;
    StartPlayClock();
    CountGameStarted();

    if (Prefs.fixedNumberSet) {
        GameIndex = Prefs.fixedNumber;
    } else {
        const int r1 = rand();
        const int r2 = rand();
        GameIndex = (r1 % 2) + 2 * r2;
    }
    srand(static_cast<uint32_t>(GameIndex));

    const int32_t level = Prefs.difficulty;
    if (level == LevelChild) {
        GenerateChildPuzzle();  // every Child square starts closed, whatever the options say
        GoToScreen(ScreenGame);
        BeginKeptGame();
        return;
    }

    const int index = Prefs.pickRandomly ? rand() % kLibraryIndexCount : PickedPuzzle;
    GameIndex = index;
    // Out-of-range levels never reach here from a repaired record; treat one as a missing library.
    LoadLevel(level > 0 && level < kLevelCount ? kLibraryNumbers[level] : -1, index);

    if (!Prefs.clickToActivate) {
        for (Cell& cell : PlayBoard) {
            cell.activated = 1;
            if (Prefs.startAllMarked) std::fill(std::begin(cell.marks), std::end(cell.marks), uint8_t{1});
        }
    }
    GoToScreen(ScreenGame);
    BeginKeptGame();
}

int GenerateChildPuzzle() {
    // G[c][r]: a valid 4 x 4 grid; its row and column swaps carry over from attempt to attempt.
    int g[kChildSide][kChildSide] = {{1, 2, 3, 4}, {3, 4, 1, 2}, {2, 3, 4, 1}, {4, 1, 2, 3}};
    // Pairs of given columns, one from {0, 1} and one from {2, 3}.
    static constexpr int kGivenColumns[8] = {0, 2, 0, 3, 1, 2, 1, 3};

    auto cell = [](int c, int r) -> Cell& { return PlayBoard[static_cast<std::size_t>(CellIndex(c, r))]; };

    int attempts = 0;
    for (;;) {
        ++attempts;
        ClearBoard(PlayBoard);
        for (int p = 0; p <= 2; p += 2)
            if (rand() > 16383)
                for (auto& column : g) std::swap(column[p], column[p + 1]);
        for (int q = 0; q <= 2; q += 2)
            if (rand() > 16383) std::swap(g[q], g[q + 1]);
        for (int c = 0; c < kChildSide; ++c)
            for (int r = 0; r < kChildSide; ++r) cell(c, r).value = g[c][r];

        // One given in each row and each 2 x 2 section: the columns come from one table pair for
        // rows 0..2 and from a second draw for row 3.
        int k = rand() % 4;
        int givenColumn[kChildSide];
        givenColumn[0] = kGivenColumns[2 * k];
        givenColumn[1] = kGivenColumns[2 * k + 1];
        givenColumn[2] = kGivenColumns[2 * k];
        for (int r = 0; r < 3; ++r) cell(givenColumn[r], r).known = 1;
        k = rand() % 4;
        givenColumn[3] = kGivenColumns[2 * k + 1];
        cell(givenColumn[3], 3).known = 1;

        bool seen[kChildSide + 1] = {};
        int distinct = 0;
        for (int r = 0; r < kChildSide; ++r) {
            const int symbol = g[givenColumn[r]][r];
            if (!seen[symbol]) {
                seen[symbol] = true;
                ++distinct;
            }
        }
        if (distinct >= 3) break;
    }

    // Quarter turns clockwise: the new cell (c, r) takes the old cell (r, 3 - c).
    const int turns = rand() % 4;
    for (int t = 0; t < turns; ++t) {
        int value[kChildSide][kChildSide];
        uint8_t known[kChildSide][kChildSide];
        for (int c = 0; c < kChildSide; ++c)
            for (int r = 0; r < kChildSide; ++r) {
                value[c][r] = cell(c, r).value;
                known[c][r] = cell(c, r).known;
            }
        for (int c = 0; c < kChildSide; ++c)
            for (int r = 0; r < kChildSide; ++r) {
                cell(c, r).value = value[r][kChildSide - 1 - c];
                cell(c, r).known = known[r][kChildSide - 1 - c];
            }
    }
    return attempts;
}

}  // namespace tessaran
