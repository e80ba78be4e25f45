// tessaran-puzzlegen: writes the puzzle libraries LEVEL30, LEVEL20, LEVEL12, LEVEL99 and the
// demonstration record LEVEL0 from one seed. Every record is checked for a single solution by
// this tool's counter and by the game's before it is written; see README.md for the method.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "generate.h"

using namespace puzzlegen;

namespace {

// What a library keeps. Ratings are the player effort of rater.h, unscaled: a level takes the
// puzzles whose effort falls in its band and whose techniques suit it.
struct Level {
    const char* label;
    const char* file;
    int records;
    Shape shape;
    int minGivens, maxGivens;
    int minRating, maxRating;
    bool needsSetsOrGuesses;  // false: single values and only places must solve it alone
    bool needsSomeEffort;     // at least one only place or narrow step: never a mere walk-over
};

constexpr int kEasy = 0, kMedium = 1, kHard = 2, kEvil = 3, kDemo = 4;
const Level kLevels[] = {
    {"Easy", "LEVEL30", 1000, Shape::Easy, 59, 60, 21, 22, false, false},
    {"Medium", "LEVEL20", 1000, Shape::Medium, 39, 40, 41, 296, false, true},
    {"Hard", "LEVEL12", 1000, Shape::Minimal, 23, 24, 101, 199, false, false},
    {"Evil", "LEVEL99", 1000, Shape::Minimal, 23, 24, 201, 960, true, false},
    {"Demonstration", "LEVEL0", 1, Shape::Demo, 24, 24, 761, 761, true, false},
};

struct Rated {
    Puzzle puzzle;
    SolveTrace trace;
    int64_t gameSteps = 0;
    int Rating() const { return trace.Effort(); }
};

struct LevelStats {
    int64_t candidates = 0;
    std::map<std::string, int> rejected;
    double seconds = 0;
};

std::string GivensKey(const Grid& givens) { return std::string(givens.begin(), givens.end()); }

bool Suits(const Level& level, const Rated& rated) {
    const SolveTrace& t = rated.trace;
    if (rated.puzzle.givenCount < level.minGivens || rated.puzzle.givenCount > level.maxGivens) return false;
    if (rated.Rating() < level.minRating || rated.Rating() > level.maxRating) return false;
    if (level.needsSetsOrGuesses == t.SinglesOnly()) return false;
    if (level.needsSomeEffort && t.onlyPlaces == 0 && t.narrowSteps == 0) return false;
    return true;
}

// The tool's counter must find exactly this solution and the simulated player must end on it;
// anything else is a fault of this tool or of the game's engine, so it stops the run.
void VerifyOrDie(const Rated& rated) {
    const Puzzle& p = rated.puzzle;
    const char* why = nullptr;
    int count = 0;
    for (int cell = 0; cell < 81; ++cell) {
        const int g = p.givens[static_cast<size_t>(cell)];
        if (g != 0 && g != p.solution[static_cast<size_t>(cell)]) why = "a given differs from the solution";
        count += g != 0;
    }
    Grid first{};
    if (!IsCompleteValidGrid(p.solution)) why = "the solution is not a valid grid";
    else if (count != p.givenCount) why = "wrong given count";
    else if (CountSolutionsUpTo(p.givens, 2, &first) != 1 || first != p.solution)
        why = "the tool's counter does not find exactly the solution";
    else if (!rated.trace.reachedSolution) why = "the simulated player did not end on the solution";
    if (why) {
        std::fprintf(stderr, "tessaran-puzzlegen: internal fault: %s\n", why);
        std::exit(1);
    }
}

// The game's counter has the last word: a puzzle it calls anything but "one solution" (for
// instance too many steps) is dropped, so the solver screen calls every shipped puzzle good.
bool GameAgrees(Rated& rated, LevelStats& stats) {
    const GameVerdict verdict = GameCountSolutions(rated.puzzle.givens);
    rated.gameSteps = verdict.steps;
    if (verdict.code == 1) return true;
    ++stats.rejected[verdict.code == -1 ? "game search over step limit" : "game counter disagrees"];
    return false;
}

Rated RatePuzzle(const Puzzle& puzzle) {
    Rated rated;
    rated.puzzle = puzzle;
    rated.trace = SimulatePlayer(puzzle.givens, puzzle.solution);
    return rated;
}

// A demonstration candidate: the minimal puzzle itself, or with 23 givens, the minimal puzzle
// plus one given of its solution (squares tried in board order), whichever first rates exactly.
bool FindDemo(const Level& level, const Puzzle& minimal, Rated& out) {
    if (minimal.givenCount == level.minGivens) {
        out = RatePuzzle(minimal);
        return Suits(level, out);
    }
    if (minimal.givenCount != level.minGivens - 1) return false;
    // A given more seldom makes the effort grow, so a minimal puzzle rated below the target is
    // passed over (a shortcut only: every result is rated in full).
    if (RatePuzzle(minimal).Rating() < level.minRating) return false;
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            const size_t cell = static_cast<size_t>(row * 9 + column);
            if (minimal.givens[cell] != 0) continue;
            Puzzle more = minimal;
            more.givens[cell] = more.solution[cell];
            ++more.givenCount;
            out = RatePuzzle(more);
            if (Suits(level, out)) return true;
        }
    return false;
}

void WriteLibrary(const std::string& folder, const Level& level, const std::vector<Rated>& records) {
    std::string bytes;
    for (const Rated& rated : records) {
        // The record runs down each column, left column first; a given is stored negated.
        for (int column = 0; column < 9; ++column)
            for (int row = 0; row < 9; ++row) {
                const size_t cell = static_cast<size_t>(row * 9 + column);
                const int v = rated.puzzle.solution[cell];
                bytes.push_back(static_cast<char>(rated.puzzle.givens[cell] != 0 ? -v : v));
            }
        const uint32_t rating = static_cast<uint32_t>(rated.Rating());
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((rating >> shift) & 0xFF));
    }
    const std::string path = folder + "/" + level.file + ".lvl";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.good()) {
        std::fprintf(stderr, "tessaran-puzzlegen: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::printf("wrote %s (%zu bytes)\n", path.c_str(), bytes.size());
}

void PrintHistogram(const char* title, const std::map<int, int>& counts, int bucket) {
    std::map<int, int> buckets;
    for (const auto& [value, n] : counts) buckets[value / bucket * bucket] += n;
    std::printf("  %s:\n", title);
    for (const auto& [low, n] : buckets) {
        if (bucket == 1) std::printf("    %4d      %5d ", low, n);
        else std::printf("    %4d-%-4d %5d ", low, low + bucket - 1, n);
        for (int k = 0; k < (n + 9) / 10; ++k) std::putchar('#');
        std::putchar('\n');
    }
}

void Report(const Level& level, const std::vector<Rated>& records, const LevelStats& stats) {
    std::map<int, int> givens, ratings;
    int onlyPlaces = 0, narrow = 0, sets = 0, guesses = 0, setsNoGuess = 0;
    int64_t maxSteps = 0;
    int minRating = 1 << 30, maxRating = 0;
    for (const Rated& r : records) {
        ++givens[r.puzzle.givenCount];
        ++ratings[r.Rating()];
        onlyPlaces += r.trace.onlyPlaces > 0;
        narrow += r.trace.narrowSteps > 0;
        sets += r.trace.Sets() > 0;
        guesses += r.trace.guesses > 0;
        setsNoGuess += r.trace.Sets() > 0 && r.trace.guesses == 0;
        maxSteps = std::max(maxSteps, r.gameSteps);
        minRating = std::min(minRating, r.Rating());
        maxRating = std::max(maxRating, r.Rating());
    }
    const double n = static_cast<double>(records.size());
    std::printf("\n%s (%s): %zu records from %lld candidates in %.1f s; ratings %d-%d\n", level.label, level.file,
                records.size(), static_cast<long long>(stats.candidates), stats.seconds, minRating, maxRating);
    std::printf("  needing: only places %.0f%%, narrow steps %.0f%%, sets %.0f%% (sets but no guess %.0f%%), "
                "guesses %.0f%%; longest game search %lld steps\n",
                100 * onlyPlaces / n, 100 * narrow / n, 100 * sets / n, 100 * setsNoGuess / n, 100 * guesses / n,
                static_cast<long long>(maxSteps));
    for (const auto& [why, count] : stats.rejected) std::printf("  rejected (%s): %d\n", why.c_str(), count);
    PrintHistogram("givens", givens, 1);
    const int span = level.maxRating - level.minRating;
    PrintHistogram("ratings", ratings, span < 10 ? 1 : span < 300 ? 10 : 50);
    std::fflush(stdout);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Usage() {
    std::fprintf(stderr, "usage: tessaran-puzzlegen [--seed N] [--out FOLDER]\n"
                         "  writes LEVEL30, LEVEL20, LEVEL12, LEVEL99 and LEVEL0 (.lvl) into FOLDER\n");
}

}  // namespace

int main(int argc, char** argv) {
    uint64_t seed = 2026;
    std::string out = "data/levels";
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--seed") && hasValue) {
            char* end = nullptr;
            seed = std::strtoull(argv[++i], &end, 10);
            if (!end || *end != '\0') {
                Usage();
                return 2;
            }
        } else if (!std::strcmp(argv[i], "--out") && hasValue) {
            out = argv[++i];
        } else {
            Usage();
            return 2;
        }
    }
    std::printf("tessaran-puzzlegen: seed %llu, output %s\n", static_cast<unsigned long long>(seed), out.c_str());
    const auto start = std::chrono::steady_clock::now();

    std::set<std::string> seen;  // the givens of every record kept so far, across all libraries
    std::vector<Rated> libraries[5];
    LevelStats stats[5];

    auto keep = [&](int which, Rated& rated) {
        const Level& level = kLevels[which];
        LevelStats& s = stats[which];
        if (seen.count(GivensKey(rated.puzzle.givens))) {
            ++s.rejected["duplicate givens"];
            return false;
        }
        if (!GameAgrees(rated, s)) return false;
        VerifyOrDie(rated);
        seen.insert(GivensKey(rated.puzzle.givens));
        libraries[which].push_back(rated);
        const size_t n = libraries[which].size();
        if (n % 250 == 0 || static_cast<int>(n) == level.records)
            std::printf("  %s: %zu/%d after %lld candidates, %.1f s\n", level.label, n, level.records,
                        static_cast<long long>(s.candidates), SecondsSince(start));
        std::fflush(stdout);
        return true;
    };

    // Easy and Medium: one candidate stream each.
    for (const int which : {kEasy, kMedium}) {
        const Level& level = kLevels[which];
        const auto begin = std::chrono::steady_clock::now();
        for (uint64_t k = 0; static_cast<int>(libraries[which].size()) < level.records; ++k) {
            auto random = CandidateRandom(seed, level.shape, k);
            Rated rated = RatePuzzle(DrawCandidate(level.shape, random));
            ++stats[which].candidates;
            if (Suits(level, rated)) keep(which, rated);
        }
        stats[which].seconds = SecondsSince(begin);
    }

    // Hard and Evil share the stream of minimal puzzles: each candidate goes to the level it suits.
    {
        const auto begin = std::chrono::steady_clock::now();
        const Level& hard = kLevels[kHard];
        const Level& evil = kLevels[kEvil];
        for (uint64_t k = 0; static_cast<int>(libraries[kHard].size()) < hard.records ||
                             static_cast<int>(libraries[kEvil].size()) < evil.records;
             ++k) {
            auto random = CandidateRandom(seed, Shape::Minimal, k);
            const Puzzle puzzle = DrawCandidate(Shape::Minimal, random);
            ++stats[kHard].candidates;
            ++stats[kEvil].candidates;
            if (puzzle.givenCount < hard.minGivens || puzzle.givenCount > hard.maxGivens) continue;
            Rated rated = RatePuzzle(puzzle);
            for (const int which : {kHard, kEvil})
                if (static_cast<int>(libraries[which].size()) < kLevels[which].records && Suits(kLevels[which], rated)) {
                    keep(which, rated);
                    break;
                }
        }
        stats[kHard].seconds = stats[kEvil].seconds = SecondsSince(begin);
    }

    // The demonstration puzzle: a solution with the help pages' top band and an exact rating.
    {
        const auto begin = std::chrono::steady_clock::now();
        const Level& level = kLevels[kDemo];
        for (uint64_t k = 0; libraries[kDemo].empty(); ++k) {
            auto random = CandidateRandom(seed, Shape::Demo, k);
            const Puzzle minimal = DrawCandidate(Shape::Demo, random);
            ++stats[kDemo].candidates;
            Rated rated;
            if (FindDemo(level, minimal, rated)) keep(kDemo, rated);
        }
        stats[kDemo].seconds = SecondsSince(begin);
    }

    for (int which = 0; which < 5; ++which) Report(kLevels[which], libraries[which], stats[which]);
    for (int which = 0; which < 5; ++which) WriteLibrary(out, kLevels[which], libraries[which]);
    std::printf("done in %.1f s\n", SecondsSince(start));
    return 0;
}
