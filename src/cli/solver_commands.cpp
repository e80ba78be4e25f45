// status and hints: the solver's verdict and its explained hints for grids read from standard
// input, one 81-character grid a line; a bad line is reported in its place and skipped.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "solver/grid.h"
#include "solver/hints.h"
#include "solver/search.h"
#include "solver/solver.h"

namespace tessaran {

int ForEachGrid(const char* command, const std::vector<std::string>& args,
                const std::function<void(const ValueGrid&)>& each) {
    if (!args.empty()) {
        std::fprintf(stderr, "tessaran-cli: %s takes no arguments; it reads grids from standard input\n", command);
        return 2;
    }
    int status = 0;
    std::string line;
    for (long number = 1; std::getline(std::cin, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ValueGrid grid;
        std::string reason;
        if (!ParseGrid(line, grid, &reason)) {
            std::printf("error line %ld: %s\n", number, reason.c_str());
            status = 1;
            continue;
        }
        each(grid);
    }
    return status;
}

namespace {

void PrintStatus(const ValueGrid& grid) {
    LoadSolverGrid(grid, PlayBoard);
    if (FindDeadEnd()) {
        std::printf("0 0 -\n");
        return;
    }
    const SearchResult result = CountBoardSolutions(PlayBoard, false);
    const std::string solution = result.code == SearchOneSolution ? FormatGrid(result.solution) : "-";
    std::printf("%d %lld %s\n", result.code, static_cast<long long>(result.steps), solution.c_str());
}

void PrintHints(const ValueGrid& grid) {
    LoadSolverGrid(grid, PlayBoard);
    ResetPossibles();
    EliminatePossibles();
    Hint hint;
    while (ApplyHint(hint)) {
        char squares[kMaxMarked * 4 + 1] = "";
        for (int k = 0, at = 0; k < hint.markedCount; ++k)
            at += std::snprintf(squares + at, sizeof squares - static_cast<size_t>(at), "%s%d,%d", k ? " " : "",
                                hint.markedColumns[k], hint.markedRows[k]);
        std::printf("%s\t%d\t%s\t%s\n", HintName(hint), hint.value, squares[0] ? squares : "-",
                    hint.text);
    }
    // A full grid is solved only if no value repeats in a unit, as status judges it.
    bool solved = !GivensConflict(GridFromBoard(PlayBoard));
    for (const Cell& cell : PlayBoard) solved = solved && cell.known;
    std::printf("%s\t%s\n", solved ? "solved" : "stuck", FormatGrid(GridFromBoard(PlayBoard)).c_str());
    std::fflush(stdout);
}

int Status(const std::vector<std::string>& args) { return ForEachGrid("status", args, PrintStatus); }
int Hints(const std::vector<std::string>& args) { return ForEachGrid("hints", args, PrintHints); }

const CliRegistration StatusRegistration(
    "status",
    "status               per grid on stdin: CODE STEPS SOLUTION (code 0 none, 1 one, 2 several,\n"
    "                       -1 past the step limit, where steps is the limit + 1; solution or -)",
    Status);
const CliRegistration HintsRegistration(
    "hints",
    "hints                per grid on stdin: each hint applied in turn, NAME<tab>VALUE<tab>SQUARES\n"
    "                       (column,row from 0)<tab>TEXT, then solved|stuck<tab>GRID",
    Hints);

}  // namespace
}  // namespace tessaran
