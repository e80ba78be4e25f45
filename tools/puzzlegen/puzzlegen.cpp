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
#include "profile.h"

using namespace puzzlegen;

namespace {

// What a library keeps: the givens of its shape and the techniques of its rule, judged on the
// logic engine's own path (what `tessaran-cli teach` shows). Ratings are spread afterwards.
enum class Rule {
    Singles,        // single values alone
    HiddenSingles,  // singles and hidden singles, nothing more
    Basic,          // at least one subset, pointing or claiming; nothing advanced
    Advanced,       // at least one advanced technique, and never a trial
};

struct Level {
    const char* label;
    const char* file;
    int records;
    Shape shape;
    int minGivens, maxGivens;
    int minRating, maxRating;
    Rule rule;
};

constexpr int kEasy = 0, kMedium = 1, kHard = 2, kEvil = 3, kDemo = 4;
const Level kLevels[] = {
    {"Easy", "LEVEL30", 1000, Shape::Easy, 59, 60, 21, 22, Rule::Singles},
    {"Medium", "LEVEL20", 1000, Shape::Medium, 39, 40, 41, 296, Rule::HiddenSingles},
    {"Hard", "LEVEL12", 1000, Shape::Minimal, 23, 24, 101, 199, Rule::Basic},
    {"Evil", "LEVEL99", 1000, Shape::Minimal, 23, 24, 201, 960, Rule::Advanced},
    {"Demonstration", "LEVEL0", 1, Shape::Demo, 24, 24, 761, 761, Rule::Advanced},
};

struct Rated {
    Puzzle puzzle;
    EngineProfile profile;
    int64_t gameSteps = 0;
    int rating = 0;  // the stored rating, inside the level's range
};

struct LevelStats {
    int64_t candidates = 0;
    std::map<std::string, int> rejected;
    double seconds = 0;
};

std::string GivensKey(const Grid& givens) { return std::string(givens.begin(), givens.end()); }

bool Suits(const Level& level, const Rated& rated) {
    const EngineProfile& p = rated.profile;
    if (rated.puzzle.givenCount < level.minGivens || rated.puzzle.givenCount > level.maxGivens) return false;
    if (!p.solved) return false;
    switch (level.rule) {
    case Rule::Singles: return !p.hiddenSingles && !p.basic && !p.advanced;
    case Rule::HiddenSingles: return !p.basic && !p.advanced;
    case Rule::Basic: return p.basic && !p.advanced && !tessaran::IsAdvanced(p.hardest);
    // The rating's own path must agree, so `tessaran-cli rate` names an advanced technique too.
    case Rule::Advanced: return p.advanced && tessaran::IsAdvanced(p.hardest);
    }
    return false;
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
    else if (!rated.profile.solved) why = "the logic engine does not end on the solution";
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
    rated.profile = ProfilePuzzle(puzzle.givens, puzzle.solution);
    return rated;
}

// The stored rating grows with the difficulty key: the d-th lowest of m distinct keys gets
// min + (max - min) * d / (m - 1), rounded, so a level's ratings run from one end of its range to
// the other in the order of difficulty, and equal keys get equal ratings. A key between two of
// them gets their rating where both have the same one, and -1 otherwise.
int SpreadRating(const Level& level, const std::vector<int64_t>& distinctKeys, int64_t key) {
    const int64_t m = static_cast<int64_t>(distinctKeys.size());
    const int64_t span = level.maxRating - level.minRating;
    auto at = [&](int64_t d) {
        return m < 2 ? level.minRating : level.minRating + static_cast<int>((2 * span * d + (m - 1)) / (2 * (m - 1)));
    };
    const int64_t d = std::lower_bound(distinctKeys.begin(), distinctKeys.end(), key) - distinctKeys.begin();
    if (d < m && distinctKeys[static_cast<size_t>(d)] == key) return at(d);
    if (d == 0 || d == m || at(d - 1) != at(d)) return -1;
    return at(d);
}

std::vector<int64_t> SortedKeys(const std::vector<Rated>& records) {
    std::vector<int64_t> keys;
    for (const Rated& r : records) keys.push_back(DifficultyKey(r.profile));
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

void SpreadRatings(const Level& level, std::vector<Rated>& records) {
    const std::vector<int64_t> keys = SortedKeys(records);
    for (Rated& r : records) r.rating = SpreadRating(level, keys, DifficultyKey(r.profile));
}

// A demonstration candidate: the minimal puzzle itself, or with 23 givens, the minimal puzzle
// plus one given of its solution (squares tried in board order), whichever first meets Evil's rule
// and takes exactly the demonstration's rating among Evil's.
bool FindDemo(const Level& level, const std::vector<int64_t>& evilKeys, const Puzzle& minimal, Rated& out) {
    auto fits = [&](const Puzzle& p) {
        out = RatePuzzle(p);
        if (!Suits(level, out)) return false;
        out.rating = SpreadRating(kLevels[kEvil], evilKeys, DifficultyKey(out.profile));
        return out.rating == level.minRating;
    };
    if (minimal.givenCount == level.minGivens) return fits(minimal);
    if (minimal.givenCount != level.minGivens - 1) return false;
    for (int column = 0; column < 9; ++column)
        for (int row = 0; row < 9; ++row) {
            const size_t cell = static_cast<size_t>(row * 9 + column);
            if (minimal.givens[cell] != 0) continue;
            Puzzle more = minimal;
            more.givens[cell] = more.solution[cell];
            ++more.givenCount;
            if (fits(more)) return true;
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
        const uint32_t rating = static_cast<uint32_t>(rated.rating);
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
    std::map<std::string, int> hardest;
    int hiddenSingles = 0, basic = 0, advanced = 0;
    int64_t maxSteps = 0;
    int minRating = 1 << 30, maxRating = 0, minEngine = 1 << 30, maxEngine = 0;
    for (const Rated& r : records) {
        ++givens[r.puzzle.givenCount];
        ++ratings[r.rating];
        ++hardest[tessaran::TechniqueName(r.profile.hardest)];
        hiddenSingles += r.profile.hiddenSingles;
        basic += r.profile.basic;
        advanced += r.profile.advanced;
        maxSteps = std::max(maxSteps, r.gameSteps);
        minRating = std::min(minRating, r.rating);
        maxRating = std::max(maxRating, r.rating);
        minEngine = std::min(minEngine, r.profile.rating);
        maxEngine = std::max(maxEngine, r.profile.rating);
    }
    const double n = static_cast<double>(records.size());
    std::printf("\n%s (%s): %zu records from %lld candidates in %.1f s; ratings %d-%d (engine %d-%d)\n",
                level.label, level.file, records.size(), static_cast<long long>(stats.candidates), stats.seconds,
                minRating, maxRating, minEngine, maxEngine);
    std::printf("  the engine's path takes: hidden singles %.0f%%, subsets or locked candidates %.0f%%, "
                "advanced techniques %.0f%%; longest game search %lld steps\n",
                100 * hiddenSingles / n, 100 * basic / n, 100 * advanced / n, static_cast<long long>(maxSteps));
    for (const auto& [why, count] : stats.rejected) std::printf("  rejected (%s): %d\n", why.c_str(), count);
    PrintHistogram("givens", givens, 1);
    const int span = level.maxRating - level.minRating;
    PrintHistogram("ratings", ratings, span < 10 ? 1 : span < 300 ? 10 : 50);
    std::printf("  hardest techniques:\n");
    for (const auto& [name, count] : hardest) std::printf("    %-14s %5d\n", name.c_str(), count);
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
    int withoutHidden = 0;  // Medium records that singles alone solve
    for (const int which : {kEasy, kMedium}) {
        const Level& level = kLevels[which];
        const auto begin = std::chrono::steady_clock::now();
        for (uint64_t k = 0; static_cast<int>(libraries[which].size()) < level.records; ++k) {
            auto random = CandidateRandom(seed, level.shape, k);
            Rated rated = RatePuzzle(DrawCandidate(level.shape, random));
            ++stats[which].candidates;
            if (!Suits(level, rated)) continue;
            // At least half of Medium must need a hidden single.
            if (which == kMedium && !rated.profile.hiddenSingles && 2 * withoutHidden >= level.records) {
                ++stats[which].rejected["enough without hidden singles"];
                continue;
            }
            if (keep(which, rated) && which == kMedium && !rated.profile.hiddenSingles) ++withoutHidden;
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

    for (const int which : {kEasy, kMedium, kHard, kEvil}) SpreadRatings(kLevels[which], libraries[which]);
    const std::vector<int64_t> evilKeys = SortedKeys(libraries[kEvil]);

    // The demonstration puzzle: a solution with the help pages' top band and an exact rating.
    {
        const auto begin = std::chrono::steady_clock::now();
        const Level& level = kLevels[kDemo];
        for (uint64_t k = 0; libraries[kDemo].empty(); ++k) {
            auto random = CandidateRandom(seed, Shape::Demo, k);
            const Puzzle minimal = DrawCandidate(Shape::Demo, random);
            ++stats[kDemo].candidates;
            Rated rated;
            if (FindDemo(level, evilKeys, minimal, rated)) keep(kDemo, rated);
        }
        stats[kDemo].seconds = SecondsSince(begin);
    }

    for (int which = 0; which < 5; ++which) Report(kLevels[which], libraries[which], stats[which]);
    for (int which = 0; which < 5; ++which) WriteLibrary(out, kLevels[which], libraries[which]);
    std::printf("done in %.1f s\n", SecondsSince(start));
    return 0;
}
