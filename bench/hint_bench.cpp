// The in-game hint on the Evil library: every step of every puzzle's logical solve, each
// FindLogicStep timed alone in processor time. Reports the slowest hint a player can ask for,
// the 99th percentile and the median, with the median as the baseline of the ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "game/game_state.h"
#include "game/puzzles.h"
#include "solver/logic.h"

namespace {

using namespace tessaran;

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The givens of every Evil puzzle, rows first as the engine takes them.
std::vector<ValueGrid> EvilGivens() {
    std::vector<ValueGrid> grids;
    const int library = kLibraryNumbers[LevelEvil];
    for (int index = 0; index < LibraryRecordCount(library).value_or(0); ++index) {
        PuzzleRecord record;
        if (!ReadPuzzleRecord(library, index, record)) continue;
        ValueGrid grid{};
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int v = record.cells[CellIndex(c, r)];
                grid[static_cast<std::size_t>(GridIndex(c, r))] = static_cast<uint8_t>(v < 0 ? -v : 0);
            }
        grids.push_back(grid);
    }
    return grids;
}

void BM_EvilHints(benchmark::State& state) {
    const std::vector<ValueGrid> grids = EvilGivens();
    std::vector<double> steps;
    for (auto _ : state) {
        steps.clear();
        for (const ValueGrid& givens : grids) {
            LogicGrid grid = MakeLogicGrid(givens);
            LogicStep step;
            for (;;) {
                const double t0 = CpuSeconds();
                const bool found = FindLogicStep(grid, step);
                steps.push_back(CpuSeconds() - t0);
                if (!found || step.technique == Technique::DeadEnd) break;
                ApplyLogicStep(grid, step);
            }
        }
    }
    std::sort(steps.begin(), steps.end());
    const double median = steps[steps.size() / 2];
    state.counters["puzzles"] = static_cast<double>(grids.size());
    state.counters["hints"] = static_cast<double>(steps.size());
    state.counters["slowest_ms"] = steps.back() * 1e3;
    state.counters["p99_ms"] = steps[steps.size() * 99 / 100] * 1e3;
    state.counters["median_ms"] = median * 1e3;
    state.counters["slowest_vs_median"] = median > 0 ? steps.back() / median : 0.0;
}
BENCHMARK(BM_EvilHints)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
