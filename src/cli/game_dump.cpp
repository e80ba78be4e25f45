// game-dump FILE: a kept unfinished game, one "name value" line each.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "game/kept_game.h"
#include "platform/platform.h"

namespace tessaran {

namespace {

std::size_t BoardIndexOf(int row, int column) { return static_cast<std::size_t>(CellIndex(column, row)); }

// Row by row from the top-left square: `of` gives the symbol of a square, 0 for none.
template <typename Of>
void PrintSquares(const char* name, Of of) {
    std::printf("%s ", name);
    for (int r = 0; r < kBoardSide; ++r)
        for (int c = 0; c < kBoardSide; ++c) {
            const int v = of(BoardIndexOf(r, c));
            std::putchar(v >= 1 && v <= 9 ? static_cast<char>('0' + v) : '.');
        }
    std::putchar('\n');
}

int GameDump(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("tessaran-cli: game-dump takes one FILE\n", stderr);
        return 2;
    }
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!ReadWholeFile(args[0], bytes, &reason)) {
        std::fprintf(stderr, "tessaran-cli: cannot read %s: %s\n", args[0].c_str(), reason.c_str());
        return 1;
    }
    KeptGame game;
    std::string problem;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!ParseKeptGame(text, game, problem) || !MatchesLibrary(game, problem)) {
        std::fprintf(stderr, "tessaran-cli: %s: %s\n", args[0].c_str(), problem.c_str());
        return 1;
    }
    std::printf("level %d\ngame %d\nplayer %d\nscore %d\nseconds %d\nmistakes %d\ncrystal %d\n", game.level,
                ShownGameNumber(game), game.player, game.score, game.seconds, game.mistakes, game.crystal ? 1 : 0);
    PrintSquares("givens", [&](std::size_t i) { return game.givens[i] ? game.solution[i] : 0; });
    PrintSquares("known", [&](std::size_t i) {
        const CellNotes& n = game.cells[i];
        return n.known ? (n.guess ? n.guess : game.solution[i]) : 0;
    });
    for (int r = 0; r < kBoardSide; ++r)
        for (int c = 0; c < kBoardSide; ++c) {
            const CellNotes& n = game.cells[BoardIndexOf(r, c)];
            if (!n.activated || n.known) continue;
            std::string digits;
            for (int k = 0; k < 9; ++k)
                if (n.marks[static_cast<std::size_t>(k)]) digits += static_cast<char>('1' + k);
            std::printf("open %d %d %s\n", r + 1, c + 1, digits.empty() ? "-" : digits.c_str());
        }
    return 0;
}

const CliRegistration GameDumpRegistration("game-dump", "game-dump FILE       print the unfinished game kept in FILE", GameDump);

}  // namespace

}  // namespace tessaran
