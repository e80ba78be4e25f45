// library, child and newgame: the puzzles exactly as the game loads, generates and deals them.
// Grids print row by row from the top, left to right; '.' marks a square that is not given.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "game/board.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "profile/prefs.h"

namespace tessaran {

namespace {

// The whole text must be a decimal number within [low, high].
bool ParseNumber(const std::string& text, uint64_t low, uint64_t high, uint64_t& out) {
    if (text.empty()) return false;
    uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < low || value > high) return false;
    out = value;
    return true;
}

int Reject(const char* command, const char* message) {
    std::fprintf(stderr, "tessaran-cli: %s: %s\n", command, message);
    return 2;
}

char SymbolChar(int symbol) { return symbol >= 1 && symbol <= 9 ? static_cast<char>('0' + symbol) : '?'; }

// Givens and solution of the side x side corner of PlayBoard.
void PrintBoard(int side) {
    std::string givens, solution;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            const Cell& cell = PlayBoard[static_cast<std::size_t>(CellIndex(c, r))];
            givens += cell.known ? SymbolChar(cell.value) : '.';
            solution += SymbolChar(cell.value);
        }
    std::printf("%s %s", givens.c_str(), solution.c_str());
}

int Library(const std::vector<std::string>& args) {
    uint64_t number = 0;
    if (args.size() != 1 || !ParseNumber(args[0], 0, 99, number) ||
        (number != 0 && number != 12 && number != 20 && number != 30 && number != 99))
        return Reject("library", "takes one library number: 0, 12, 20, 30 or 99");
    const int library = static_cast<int>(number);
    const std::optional<int> count = LibraryRecordCount(library);
    if (!count) {
        std::fprintf(stderr, "tessaran-cli: library %d is not built into this program\n", library);
        return 1;
    }
    int damaged = -1;
    for (int index = 0; index < *count; ++index) {
        PuzzleRecord record;
        ReadPuzzleRecord(library, index, record);
        if (damaged < 0 && !IsWellFormed(record)) damaged = index;
        std::string givens, solution;
        for (int r = 0; r < kBoardSide; ++r)
            for (int c = 0; c < kBoardSide; ++c) {
                const int v = record.cells[CellIndex(c, r)];
                givens += v < 0 ? SymbolChar(-v) : '.';
                solution += SymbolChar(v < 0 ? -v : v);
            }
        std::printf("%d %d %s %s\n", index, record.rating, givens.c_str(), solution.c_str());
    }
    if (damaged >= 0) {
        std::fprintf(stderr, "tessaran-cli: library %d: record %d holds a square without a symbol 1..9\n", library,
                     damaged);
        return 1;
    }
    return 0;
}

int Child(const std::vector<std::string>& args) {
    uint64_t seed = 0;
    if (args.size() != 1 || !ParseNumber(args[0], 0, UINT32_MAX, seed))
        return Reject("child", "takes one SEED, 0..4294967295");
    srand(static_cast<uint32_t>(seed));
    const int attempts = GenerateChildPuzzle();
    PrintBoard(kChildSide);
    std::printf(" %d\n", attempts);
    return 0;
}

int NewGame(const std::vector<std::string>& args) {
    uint64_t difficulty = 0, seed = 0;
    if (args.size() != 2 || !ParseNumber(args[0], 0, kLevelCount - 1, difficulty) ||
        !ParseNumber(args[1], 0, UINT32_MAX, seed))
        return Reject("newgame", "takes DIFFICULTY 0..4 and SEED 0..4294967295");
    Prefs.difficulty = static_cast<int32_t>(difficulty);
    Prefs.pickRandomly = 1;
    Prefs.fixedNumberSet = 0;
    srand(static_cast<uint32_t>(seed));
    StartNewGame();
    std::string givens;
    const int side = difficulty == LevelChild ? kChildSide : kBoardSide;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c) {
            const Cell& cell = PlayBoard[static_cast<std::size_t>(CellIndex(c, r))];
            givens += cell.known ? SymbolChar(cell.value) : '.';
        }
    std::printf("%d %s\n", GameIndex, givens.c_str());
    return 0;
}

const CliRegistration LibraryRegistration(
    "library", "library N            records of library N (0, 12, 20, 30, 99): index rating givens solution",
    Library);
const CliRegistration ChildRegistration("child",
                                        "child SEED           the Child puzzle of SEED: givens solution attempts",
                                        Child);
const CliRegistration NewGameRegistration(
    "newgame", "newgame LEVEL SEED   game number and givens dealt at difficulty LEVEL (0..4) after srand(SEED)",
    NewGame);

}  // namespace
}  // namespace tessaran
