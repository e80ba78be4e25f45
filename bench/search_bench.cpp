// The solution search: the game's bitmask search against the plain square-scanning reference,
// on the same boards in one process, with the speed-up per grid printed at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "solver/grid.h"
#include "solver/solver.h"
#include "support/reference_search.h"

namespace {

using namespace tessaran;

struct NamedGrid {
    const char* name;
    const char* grid;
};

// Public test grids (see tests/data/SOURCES.md): an empty grid, unique puzzles of growing cost
// to a row-by-row search, and one that runs out of steps.
const NamedGrid kGrids[] = {
    {"empty", "................................................................................."},
    {"unique_2k",  // tdoku test_puzzles line 1: 2,145 steps
     ".5..83.17...1..4..3.4..56.8....3...9.9.8245....6....7...9....5...729..861.36.72.4"},
    {"unique_4.0M",  // tdoku test_puzzles line 11: 4,006,682 steps
     "........2..8.1.9..5....3.4....1.93...6..3..8...37......4......53.1.7.8..2........"},
    {"unique_6.2M",  // tdoku test_puzzles line 14: 6,176,908 steps
     "..4..3....7..8....2.81....6..3....9..8..2....1..7....3......45....8..9....9..5..8"},
    {"exhausting",  // sudoku-zig naive_backtracking_killer_2: runs past 10,000,000 steps
     "9..8...........5............2..1...3.1.....6....4...7.7.86.........3.1..4.....2.."},
};

Board BoardOf(const std::string& text) {
    ValueGrid grid{};
    if (!ParseGrid(text, grid)) {
        std::fprintf(stderr, "bad grid %s\n", text.c_str());
        std::exit(2);
    }
    Board board;
    LoadSolverGrid(grid, board);
    return board;
}

void Game(benchmark::State& state, std::string text) {
    const Board board = BoardOf(text);
    SearchResult result;
    for (auto _ : state) {
        result = CountBoardSolutions(board, false);
        benchmark::DoNotOptimize(result);
    }
    state.counters["steps"] = static_cast<double>(result.steps);
    state.counters["code"] = result.code;
    state.SetItemsProcessed(state.iterations() * result.steps);
}

void Literal(benchmark::State& state, std::string text) {
    const Board board = BoardOf(text);
    SearchResult result;
    for (auto _ : state) {
        result = reference::CountSolutions(board, false);
        benchmark::DoNotOptimize(result);
    }
    state.counters["steps"] = static_cast<double>(result.steps);
    state.counters["code"] = result.code;
    state.SetItemsProcessed(state.iterations() * result.steps);
}

// Keeps each run's time so the ratios can be printed after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}  // plain text, for logs and notes

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
                cpuTimes_[run.benchmark_name()] = run.GetAdjustedCPUTime();
                const auto steps = run.counters.find("steps");
                if (steps != run.counters.end()) steps_[run.benchmark_name()] = steps->second.value;
            }
        ConsoleReporter::ReportRuns(runs);
    }

    // Wall-clock and CPU times in ms; on a shared machine the CPU ratio is the steadier one.
    void PrintRatios(const std::vector<std::string>& names) {
        std::printf("\n%-12s %9s | %11s %11s %8s | %11s %11s %8s\n", "grid", "steps", "literal ms", "game ms",
                    "speed-up", "literal cpu", "game cpu", "speed-up");
        for (const std::string& name : names) {
            const std::string literal = "Literal/" + name, game = "Game/" + name;
            if (!times_.count(literal) || !times_.count(game)) continue;
            std::printf("%-12s %9.0f | %11.3f %11.3f %7.1fx | %11.3f %11.3f %7.1fx\n", name.c_str(), steps_[game],
                        times_[literal], times_[game], times_[literal] / times_[game], cpuTimes_[literal],
                        cpuTimes_[game], cpuTimes_[literal] / cpuTimes_[game]);
        }
    }

private:
    std::map<std::string, double> times_, cpuTimes_, steps_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> names;
    for (const NamedGrid& grid : kGrids) {
        names.push_back(grid.name);
        benchmark::RegisterBenchmark(("Literal/" + names.back()).c_str(), Literal, std::string(grid.grid))
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Game/" + names.back()).c_str(), Game, std::string(grid.grid))
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(names);
    benchmark::Shutdown();
    return 0;
}
