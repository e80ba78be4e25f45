// The cost of keeping the unfinished game, which is saved after every move: a heavy Evil game
// (a full undo history, Crystal Ball on). What play waits for is the save of the game in play
// (serialised, then handed to the writer thread); the durable write itself (temporary file,
// sync, rename) is measured too, against the 15000-byte preferences record written the same
// way in this process.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include "game/kept_game.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/prefs.h"

namespace {

using namespace tessaran;

std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaran-save-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::exit(2);
        return pattern;
    }();
    return folder;
}

// The largest game a player can make: the undo history at its limit, every step touching a
// square, and the Crystal Ball's saved board.
KeptGame HeavyGame() {
    Prefs.difficulty = LevelEvil;
    tessaran::srand(5u);
    StartNewGame();
    for (int step = 0; History.done.size() < kUndoLimit; ++step) {
        const int cell = step % kCellCount;
        if (PlayBoard[static_cast<std::size_t>(cell)].known) continue;
        BeginUndoStep();
        PlayBoard[static_cast<std::size_t>(cell)].activated = 1;
        ActOnSymbol(cell / 9, cell % 9, step % 9);
        EndUndoStep();
    }
    EnterCrystalBall();
    return CaptureGame();
}

void KeptGameSave(benchmark::State& state) {
    PrefPath = Folder() + "/prefs.10W";
    const KeptGame game = HeavyGame();
    std::size_t size = 0;
    for (auto _ : state) {
        if (!SaveKeptGameFile(game)) state.SkipWithError("save failed");
        size = SerialiseKeptGame(game).size();
    }
    state.counters["bytes"] = static_cast<double>(size);
}

// What a move costs the game's thread.
void SaveOfTheGameInPlay(benchmark::State& state) {
    PrefPath = Folder() + "/prefs.10W";
    HeavyGame();
    KeepGamesOnDisk = true;
    for (auto _ : state) SaveGameInPlay();
    KeepGamesOnDisk = false;
    FinishPendingWrites();
}

// Baseline: the preferences record's own atomic save.
void RecordSave(benchmark::State& state) {
    const std::string path = Folder() + "/record.10W";
    for (auto _ : state)
        if (!WriteFileAtomically(path, std::span<const uint8_t>(Prefs.Bytes(), kPrefsSize))) state.SkipWithError("save failed");
}

BENCHMARK(RecordSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(KeptGameSave)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveOfTheGameInPlay)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder());
    return 0;
}
