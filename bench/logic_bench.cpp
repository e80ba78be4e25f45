// The logic engine and the complete search on public hard lists (tests/data/SOURCES.md):
//  - teach: the whole logical solve of each magictour puzzle, timed one by one in processor
//    time; the median, 90th percentile and worst per puzzle, and the total against the complete
//    search of the same puzzles as the baseline;
//  - why: grids per second of the complete search in this process, and of `tessaran-cli why`
//    against `qqwing --solve --count-solutions` run side by side on the same file, with their
//    ratio, by processor time and by wall clock. Without qqwing installed the comparison is left
//    out and the label says so.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "solver/complete.h"
#include "solver/logic.h"

namespace {

using namespace tessaran;
using Clock = std::chrono::steady_clock;

// This thread's processor time in seconds: the machine is shared, and a wall clock would time the
// neighbours too. Wall time is what Google Benchmark reports beside it.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

std::string DataPath(const char* name) { return std::string(TESSARAN_SOURCE_DIR) + "/tests/data/" + name; }

std::vector<ValueGrid> LoadGrids(const char* name) {
    std::ifstream in(DataPath(name));
    std::vector<ValueGrid> grids;
    for (std::string line; std::getline(in, line);) {
        ValueGrid grid{};
        if (ParseGrid(line, grid)) grids.push_back(grid);
    }
    if (grids.empty()) {
        std::fprintf(stderr, "no grids in %s\n", DataPath(name).c_str());
        std::exit(2);
    }
    return grids;
}

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

void TeachHardSet(benchmark::State& state) {
    const std::vector<ValueGrid> grids = LoadGrids("magictour_top1465.txt");
    std::vector<double> ms;
    int solved = 0;
    double searchSeconds = 0.0;
    for (auto _ : state) {
        ms.clear();
        solved = 0;
        for (const ValueGrid& grid : grids) {
            const double start = CpuSeconds();
            const LogicSolve solve = SolveLogically(grid);
            ms.push_back((CpuSeconds() - start) * 1000.0);
            solved += solve.outcome == LogicOutcome::Solved;
        }
        const double start = CpuSeconds();
        for (const ValueGrid& grid : grids) benchmark::DoNotOptimize(ExplainGrid(grid));
        searchSeconds = CpuSeconds() - start;
    }
    std::sort(ms.begin(), ms.end());
    double total = 0.0;
    for (const double m : ms) total += m;
    state.counters["puzzles"] = static_cast<double>(grids.size());
    state.counters["solved"] = solved;
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p90_ms"] = ms[ms.size() * 9 / 10];
    state.counters["worst_ms"] = ms.back();
    state.counters["vs_search"] = total / 1000.0 / searchSeconds;  // times the complete search
}

void WhyInProcess(benchmark::State& state, const char* name) {
    const std::vector<ValueGrid> grids = LoadGrids(name);
    for (auto _ : state)
        for (const ValueGrid& grid : grids) benchmark::DoNotOptimize(ExplainGrid(grid));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(grids.size()));
}

struct CommandTime {
    double wall = -1.0;  // seconds; negative if the command failed
    double cpu = -1.0;   // processor seconds of the command and its children
};

double ChildCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The best of three runs of a whole command over the file.
CommandTime TimeCommand(const std::string& command) {
    CommandTime best;
    for (int run = 0; run < 3; ++run) {
        const auto start = Clock::now();
        const double cpuStart = ChildCpuSeconds();
        if (std::system(command.c_str()) != 0) return CommandTime{};
        const double wall = Seconds(start), cpu = ChildCpuSeconds() - cpuStart;
        if (best.wall < 0.0 || wall < best.wall) best.wall = wall;
        if (best.cpu < 0.0 || cpu < best.cpu) best.cpu = cpu;
    }
    return best;
}

// Rates by processor time, which the other programs sharing the machine do not inflate; the
// wall-clock rates are reported beside them.
void WhyAgainstQqwing(benchmark::State& state, const char* name) {
    const double count = static_cast<double>(LoadGrids(name).size());
    const std::string input = " < '" + DataPath(name) + "' > /dev/null";
    const bool haveQqwing = std::system("command -v qqwing > /dev/null 2>&1") == 0;
    CommandTime why, qqwing;
    for (auto _ : state) {
        why = TimeCommand("'" TESSARAN_CLI "' why" + input);
        if (haveQqwing) qqwing = TimeCommand("qqwing --solve --count-solutions" + input);
    }
    if (why.wall <= 0.0 || why.cpu <= 0.0) {
        state.SkipWithError("tessaran-cli why failed");
        return;
    }
    state.counters["why_per_s"] = count / why.cpu;
    state.counters["why_per_wall_s"] = count / why.wall;
    if (haveQqwing && qqwing.wall > 0.0 && qqwing.cpu > 0.0) {
        state.counters["qqwing_per_s"] = count / qqwing.cpu;
        state.counters["qqwing_per_wall_s"] = count / qqwing.wall;
        state.counters["ratio"] = qqwing.cpu / why.cpu;
        state.counters["wall_ratio"] = qqwing.wall / why.wall;
    } else {
        state.SetLabel("qqwing not installed: comparison left out");
    }
}

}  // namespace

BENCHMARK(TeachHardSet)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WhyInProcess, magictour_top1465, "magictour_top1465.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WhyInProcess, forum_hardest_1106, "forum_hardest_1106.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WhyAgainstQqwing, magictour_top1465, "magictour_top1465.txt")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WhyAgainstQqwing, forum_hardest_1106, "forum_hardest_1106.txt")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
