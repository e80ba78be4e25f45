// The unfinished game on disk. Squares are written row by row from the top-left square, as a
// player reads the board; in memory the board is column by column.
#include "game/kept_game.h"

#include <glib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <span>

#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/menus.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"

namespace tessaran {

bool GameInPlay = false;
std::array<bool, kCellCount> GivenSquares{};
bool KeepGamesOnDisk = false;

namespace {

constexpr const char* kGameGroup = "Tessaran Unfinished Game";
constexpr const char* kBoardGroup = "Board";
constexpr const char* kCrystalGroup = "Crystal Ball";
constexpr const char* kHistoryGroup = "History";
constexpr int kNotesChars = 13;  // nine marks, opened, known, trial symbol, touched

bool KeptWaiting = false;

// Square p of the row-by-row order is board index c * 9 + r.
std::size_t BoardIndex(int square) { return static_cast<std::size_t>((square % 9) * 9 + square / 9); }
int SquareOf(int cell) { return (cell % 9) * 9 + cell / 9; }

int GridSide(const KeptGame& game) { return game.level == LevelChild && !game.solverGame ? kChildSide : kBoardSide; }
bool InGrid(const KeptGame& game, std::size_t cell) {
    const int side = GridSide(game);
    return static_cast<int>(cell) / 9 < side && static_cast<int>(cell) % 9 < side;
}

char Digit(int32_t v) { return v >= 1 && v <= 9 ? static_cast<char>('0' + v) : '.'; }

// ---- Writing --------------------------------------------------------------------------------

std::string Squares(const std::function<char(std::size_t)>& of) {
    std::string text(kCellCount, '.');
    for (int p = 0; p < kCellCount; ++p) text[static_cast<std::size_t>(p)] = of(BoardIndex(p));
    return text;
}

std::string MarksText(const std::array<CellNotes, kCellCount>& cells) {
    std::string text;
    for (int p = 0; p < kCellCount; ++p) {
        if (p) text += ',';
        const CellNotes& n = cells[BoardIndex(p)];
        const std::size_t before = text.size();
        for (int k = 0; k < 9; ++k)
            if (n.marks[static_cast<std::size_t>(k)]) text += static_cast<char>('1' + k);
        if (text.size() == before) text += '-';
    }
    return text;
}

std::string NotesCode(const CellNotes& n) {
    std::string code;
    for (uint8_t m : n.marks) code += m ? '1' : '0';
    code += n.activated ? '1' : '0';
    code += n.known ? '1' : '0';
    code += static_cast<char>('0' + std::clamp(n.guess, 0, 9));
    code += n.touched ? '1' : '0';
    return code;
}

std::string StepsText(const std::vector<UndoStep>& steps) {
    std::string text;
    for (const UndoStep& step : steps) {
        if (!text.empty()) text += ';';
        for (std::size_t i = 0; i < step.size(); ++i) {
            if (i) text += ',';
            text += std::to_string(SquareOf(step[i].cell)) + ':' + NotesCode(step[i].before) + '>' +
                    NotesCode(step[i].after);
        }
    }
    return text;
}

// ---- Reading --------------------------------------------------------------------------------

using KeyFilePtr = std::unique_ptr<GKeyFile, decltype(&g_key_file_free)>;

struct Reader {
    GKeyFile* file;
    std::string& problem;

    bool Fail(const std::string& what) {
        if (problem.empty()) problem = what;
        return false;
    }
    bool Int(const char* group, const char* key, int32_t& out, int32_t lo, int32_t hi) {
        GError* error = nullptr;
        gchar* raw = g_key_file_get_value(file, group, key, &error);
        if (!raw) {
            g_clear_error(&error);
            return Fail(std::string("missing ") + key);
        }
        std::string text(raw);
        g_free(raw);
        char* end = nullptr;
        errno = 0;
        const long long v = std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno != 0 || v < lo || v > hi) return Fail(std::string("bad ") + key);
        out = static_cast<int32_t>(v);
        return true;
    }
    bool Flag(const char* group, const char* key, bool& out) {
        int32_t v = 0;
        if (!Int(group, key, v, 0, 1)) return false;
        out = v != 0;
        return true;
    }
    bool Text(const char* group, const char* key, std::string& out) {
        gchar* raw = g_key_file_get_value(file, group, key, nullptr);
        if (!raw) return Fail(std::string("missing ") + key);
        out = raw;
        g_free(raw);
        return true;
    }
    // 81 characters, each one of `allowed`.
    bool Squares(const char* group, const char* key, const char* allowed, std::string& out) {
        if (!Text(group, key, out)) return false;
        if (out.size() != kCellCount || out.find_first_not_of(allowed) != std::string::npos)
            return Fail(std::string("bad ") + key);
        return true;
    }
};

bool ParseNotes(std::string_view code, CellNotes& n) {
    if (code.size() != kNotesChars) return false;
    for (int i = 0; i < kNotesChars; ++i) {
        const char ch = code[static_cast<std::size_t>(i)];
        if (i == 11 ? (ch < '0' || ch > '9') : (ch != '0' && ch != '1')) return false;
    }
    for (std::size_t k = 0; k < 9; ++k) n.marks[k] = code[k] == '1';
    n.activated = code[9] == '1';
    n.known = code[10] == '1';
    n.guess = code[11] - '0';
    n.touched = code[12] == '1';
    return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    if (text.empty()) return parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

bool ParseSteps(std::string_view text, std::vector<UndoStep>& steps) {
    for (std::string_view stepText : Split(text, ';')) {
        UndoStep step;
        for (std::string_view changeText : Split(stepText, ',')) {
            const std::size_t colon = changeText.find(':');
            const std::size_t arrow = changeText.find('>');
            if (colon == std::string_view::npos || arrow == std::string_view::npos || arrow < colon) return false;
            const std::string square(changeText.substr(0, colon));
            if (square.empty() || square.size() > 2 || square.find_first_not_of("0123456789") != std::string::npos)
                return false;
            const int p = std::stoi(square);
            if (p >= kCellCount) return false;
            NoteChange change{static_cast<int32_t>(BoardIndex(p)), {}, {}};
            if (!ParseNotes(changeText.substr(colon + 1, arrow - colon - 1), change.before) ||
                !ParseNotes(changeText.substr(arrow + 1), change.after))
                return false;
            if (std::any_of(step.begin(), step.end(), [&](const NoteChange& c) { return c.cell == change.cell; }))
                return false;
            step.push_back(change);
        }
        if (step.empty()) return false;
        steps.push_back(std::move(step));
    }
    return true;
}

bool ParseMarks(std::string_view text, std::array<CellNotes, kCellCount>& cells) {
    const std::vector<std::string_view> parts = Split(text, ',');
    if (parts.size() != kCellCount) return false;
    for (int p = 0; p < kCellCount; ++p) {
        std::string_view part = parts[static_cast<std::size_t>(p)];
        CellNotes& n = cells[BoardIndex(p)];
        n.marks.fill(0);
        if (part == "-") continue;
        if (part.empty()) return false;
        int last = 0;
        for (char ch : part) {
            if (ch < '1' || ch > '9' || ch - '0' <= last) return false;  // ascending, no repeats
            last = ch - '0';
            n.marks[static_cast<std::size_t>(last - 1)] = 1;
        }
    }
    return true;
}

// Known squares, opened squares and marks of one board (the board in play or its backup).
bool ReadNotes(Reader& in, const char* group, std::array<CellNotes, kCellCount>& cells, std::string& known) {
    std::string opened, marks;
    if (!in.Squares(group, "known", ".123456789", known) || !in.Squares(group, "opened", "01", opened) ||
        !in.Text(group, "marks", marks))
        return false;
    if (!ParseMarks(marks, cells)) return in.Fail("bad marks");
    for (int p = 0; p < kCellCount; ++p) {
        CellNotes& n = cells[BoardIndex(p)];
        n.known = known[static_cast<std::size_t>(p)] != '.';
        n.activated = opened[static_cast<std::size_t>(p)] == '1';
    }
    return true;
}

bool IsValidGrid(const KeptGame& game) {
    const int side = GridSide(game);
    const int box = side == kChildSide ? 2 : 3;
    for (int a = 0; a < side; ++a) {
        unsigned rowSeen = 0, columnSeen = 0, boxSeen = 0;
        for (int b = 0; b < side; ++b) {
            const int inRow = game.solution[static_cast<std::size_t>(CellIndex(b, a))];
            const int inColumn = game.solution[static_cast<std::size_t>(CellIndex(a, b))];
            const int bc = (a % box) * box + b % box, br = (a / box) * box + b / box;
            const int inBox = game.solution[static_cast<std::size_t>(CellIndex(bc, br))];
            for (int v : {inRow, inColumn, inBox})
                if (v < 1 || v > side) return false;
            rowSeen |= 1u << inRow;
            columnSeen |= 1u << inColumn;
            boxSeen |= 1u << inBox;
        }
        const unsigned all = ((1u << (side + 1)) - 1) & ~1u;
        if (rowSeen != all || columnSeen != all || boxSeen != all) return false;
    }
    return true;
}

// The board's own rules: givens shown, found squares showing their answer, trials only in
// Crystal Ball mode, nothing off the grid in use.
bool BoardConsistent(const KeptGame& game, std::string& problem) {
    auto fail = [&](const char* what) {
        problem = what;
        return false;
    };
    if (!IsValidGrid(game)) return fail("the answer is not a valid grid");
    for (std::size_t i = 0; i < kCellCount; ++i) {
        const CellNotes& n = game.cells[i];
        const CellNotes& b = game.backup[i];
        if (!InGrid(game, i)) {
            if (game.solution[i] != 0 || n.known || game.givens[i] || b.known)
                return fail("a square off the grid is in use");
            continue;
        }
        if (game.givens[i] && (!n.known || n.guess != 0)) return fail("a given square is not shown");
        if (n.guess != 0 && !(game.crystal && n.touched && n.known)) return fail("a trial outside Crystal Ball mode");
        if (n.touched && !game.crystal) return fail("a trial outside Crystal Ball mode");
        if (game.crystal) {
            if (b.guess != 0 || b.touched) return fail("a trial in the saved board");
            if (game.givens[i] && !b.known) return fail("a given square is not shown");
            // A square known before the trials began stays known and is never tried.
            if (b.known && (!n.known || n.guess != 0)) return fail("the saved board does not fit the trials");
        }
    }
    return true;
}

}  // namespace

// ---- The game in play and the globals -------------------------------------------------------

int32_t GameClockSeconds() { return ScreenState == ScreenGame ? PlayClockSeconds() : TimeUsed; }

KeptGame CaptureGame() {
    KeptGame game;
    game.level = Prefs.difficulty;
    game.gameIndex = GameIndex;
    game.solverGame = SolverGame;
    game.player = Prefs.currentPlayer;
    game.score = GameScore;
    game.seconds = std::max(0, GameClockSeconds());
    game.mistakes = MistakeCount;
    game.hints = HintLevelsUsed;
    game.crystal = CrystalBallActive;
    for (int i = 0; i < kCellCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        game.solution[at] = PlayBoard[at].value;
        game.givens[at] = GivenSquares[at];
        game.cells[at] = NotesOf(i);
        if (game.crystal) {
            const Cell& b = BackupBoard[at];
            CellNotes& n = game.backup[at];
            std::copy(std::begin(b.marks), std::end(b.marks), n.marks.begin());
            n.activated = b.activated;
            n.known = b.known;
        }
    }
    game.history = History;
    return game;
}

void InstallGame(const KeptGame& game) {
    Prefs.difficulty = game.level;
    if (Prefs.currentPlayer != game.player) {
        Prefs.currentPlayer = game.player;
        SetPlayerChecks(game.player);
    }
    GameIndex = game.gameIndex;
    SolverGame = SolverGridInUse = game.solverGame;
    PuzzleRecord record;
    if (!game.solverGame && game.level >= LevelEasy && game.level < kLevelCount &&
        ReadPuzzleRecord(kLibraryNumbers[game.level], game.gameIndex, record))
        ChallengeRating = record.rating;
    ClearFallingPieces();
    HighlightRow = kNoHighlight;
    ResetGameScore();
    if (game.score != 0) AddToScore(game.score);
    LastAward = 0;
    AwardPhase = 0.0f;
    MistakeCount = game.mistakes;
    ResetGameHints(game.hints);
    CrystalBallActive = game.crystal;
    CrystalWobbleX = CrystalWobbleY = 0.0f;
    for (int i = 0; i < kCellCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        Cell& cell = PlayBoard[at];
        cell.value = game.solution[at];
        SetNotes(i, game.cells[at]);
        GivenSquares[at] = game.givens[at];
        Cell& b = BackupBoard[at];
        b = cell;
        std::copy(game.backup[at].marks.begin(), game.backup[at].marks.end(), std::begin(b.marks));
        b.activated = game.backup[at].activated;
        b.known = game.backup[at].known;
        b.guess = 0;
    }
    History = game.history;
    TimeUsed = game.seconds;
    PlayClockStart = CalendarSeconds() - game.seconds;
}

// ---- The file's text ------------------------------------------------------------------------

std::string SerialiseKeptGame(const KeptGame& game) {
    KeyFilePtr file(g_key_file_new(), g_key_file_free);
    GKeyFile* f = file.get();
    g_key_file_set_integer(f, kGameGroup, "version", kKeptGameVersion);
    g_key_file_set_integer(f, kGameGroup, "level", game.level);
    g_key_file_set_integer(f, kGameGroup, "index", game.gameIndex);
    g_key_file_set_integer(f, kGameGroup, "solver", game.solverGame);
    g_key_file_set_integer(f, kGameGroup, "player", game.player);
    g_key_file_set_integer(f, kGameGroup, "score", game.score);
    g_key_file_set_integer(f, kGameGroup, "seconds", game.seconds);
    g_key_file_set_integer(f, kGameGroup, "mistakes", game.mistakes);
    g_key_file_set_integer(f, kGameGroup, "hints", game.hints);
    g_key_file_set_integer(f, kGameGroup, "crystal", game.crystal);

    auto set = [&](const char* group, const char* key, const std::string& value) {
        g_key_file_set_value(f, group, key, value.c_str());
    };
    auto knownText = [&](const std::array<CellNotes, kCellCount>& cells) {
        return Squares([&](std::size_t i) {
            return cells[i].known ? Digit(cells[i].guess ? cells[i].guess : game.solution[i]) : '.';
        });
    };
    auto openedText = [&](const std::array<CellNotes, kCellCount>& cells) {
        return Squares([&](std::size_t i) { return cells[i].activated ? '1' : '0'; });
    };
    set(kBoardGroup, "solution", Squares([&](std::size_t i) { return Digit(game.solution[i]); }));
    set(kBoardGroup, "givens", Squares([&](std::size_t i) { return game.givens[i] ? Digit(game.solution[i]) : '.'; }));
    set(kBoardGroup, "known", knownText(game.cells));
    set(kBoardGroup, "opened", openedText(game.cells));
    set(kBoardGroup, "marks", MarksText(game.cells));
    set(kBoardGroup, "trials", Squares([&](std::size_t i) {
            return game.cells[i].guess ? Digit(game.cells[i].guess) : (game.cells[i].touched ? '0' : '.');
        }));
    if (game.crystal) {
        set(kCrystalGroup, "known", knownText(game.backup));
        set(kCrystalGroup, "opened", openedText(game.backup));
        set(kCrystalGroup, "marks", MarksText(game.backup));
    }
    set(kHistoryGroup, "undo", StepsText(game.history.done));
    set(kHistoryGroup, "redo", StepsText(game.history.undone));
    g_key_file_set_integer(f, kHistoryGroup, "crystalbase", game.history.crystalBase);

    gsize length = 0;
    gchar* data = g_key_file_to_data(f, &length, nullptr);
    std::string text(data, length);
    g_free(data);
    return text;
}

bool ParseKeptGame(std::string_view text, KeptGame& game, std::string& problem) {
    problem.clear();
    game = KeptGame{};
    KeyFilePtr file(g_key_file_new(), g_key_file_free);
    GError* error = nullptr;
    if (!g_key_file_load_from_data(file.get(), text.data(), text.size(), G_KEY_FILE_NONE, &error)) {
        g_clear_error(&error);
        problem = "not a key file";
        return false;
    }
    Reader in{file.get(), problem};
    if (!g_key_file_has_group(file.get(), kGameGroup)) return in.Fail("not an unfinished game");
    int32_t version = 0;
    if (!in.Int(kGameGroup, "version", version, INT32_MIN, INT32_MAX)) return false;
    if (version != kKeptGameVersion) return in.Fail("from another version (" + std::to_string(version) + ")");

    if (!in.Int(kGameGroup, "level", game.level, 0, kLevelCount - 1) ||
        !in.Int(kGameGroup, "index", game.gameIndex, INT32_MIN, INT32_MAX) ||
        !in.Flag(kGameGroup, "solver", game.solverGame) ||
        !in.Int(kGameGroup, "player", game.player, 0, kPlayerCount) ||
        !in.Int(kGameGroup, "score", game.score, INT32_MIN, INT32_MAX) ||
        !in.Int(kGameGroup, "seconds", game.seconds, 0, INT32_MAX) ||
        !in.Int(kGameGroup, "mistakes", game.mistakes, 0, INT32_MAX) ||
        !in.Flag(kGameGroup, "crystal", game.crystal))
        return false;
    // Games kept before hints existed used none.
    game.hints = 0;
    if (g_key_file_has_key(file.get(), kGameGroup, "hints", nullptr) &&
        !in.Int(kGameGroup, "hints", game.hints, 0, INT32_MAX))
        return false;

    std::string solution, givens, known, trials;
    if (!in.Squares(kBoardGroup, "solution", ".123456789", solution) ||
        !in.Squares(kBoardGroup, "givens", ".123456789", givens) || !ReadNotes(in, kBoardGroup, game.cells, known) ||
        !in.Squares(kBoardGroup, "trials", ".0123456789", trials))
        return false;
    for (int p = 0; p < kCellCount; ++p) {
        const std::size_t at = static_cast<std::size_t>(p), i = BoardIndex(p);
        game.solution[i] = solution[at] == '.' ? 0 : solution[at] - '0';
        game.givens[i] = givens[at] != '.';
        if (game.givens[i] && givens[at] != solution[at]) return in.Fail("a given is not its answer");
        CellNotes& n = game.cells[i];
        n.touched = trials[at] != '.';
        n.guess = n.touched ? trials[at] - '0' : 0;
        // A shown square shows its answer, or its trial.
        if (n.known && known[at] != (n.guess ? trials[at] : solution[at])) return in.Fail("a shown square is wrong");
        if (!n.known && n.guess) return in.Fail("a trial is not shown");
    }
    if (game.crystal) {
        std::string backupKnown;
        if (!ReadNotes(in, kCrystalGroup, game.backup, backupKnown)) return false;
        for (int p = 0; p < kCellCount; ++p)
            if (game.backup[BoardIndex(p)].known && backupKnown[static_cast<std::size_t>(p)] != solution[static_cast<std::size_t>(p)])
                return in.Fail("a shown square is wrong");
    } else if (g_key_file_has_group(file.get(), kCrystalGroup)) {
        return in.Fail("a saved board outside Crystal Ball mode");
    }

    std::string undo, redo;
    if (!in.Text(kHistoryGroup, "undo", undo) || !in.Text(kHistoryGroup, "redo", redo) ||
        !in.Int(kHistoryGroup, "crystalbase", game.history.crystalBase, -1, INT32_MAX))
        return false;
    if (!ParseSteps(undo, game.history.done) || !ParseSteps(redo, game.history.undone)) return in.Fail("bad history");
    if (game.history.done.size() > kUndoLimit || game.history.undone.size() > kUndoLimit)
        return in.Fail("bad history");

    if (!BoardConsistent(game, problem)) return false;
    if (!HistoryFits(game.history, game.cells, game.crystal)) return in.Fail("the history does not fit the board");
    return true;
}

bool MatchesLibrary(const KeptGame& game, std::string& problem) {
    auto differs = [&]() {
        problem = "not the puzzle of its game number";
        return false;
    };
    if (game.solverGame) return true;  // checked as a grid; no library holds it
    if (game.level == LevelChild) {
        // Regenerate from the seed as a new game does, leaving the board and generator as found.
        const Board saved = PlayBoard;
        const uint32_t state = RandomState();
        srand(static_cast<uint32_t>(game.gameIndex));
        GenerateChildPuzzle();
        bool same = true;
        for (std::size_t i = 0; i < kCellCount; ++i)
            if (PlayBoard[i].value != game.solution[i] || (PlayBoard[i].known != 0) != game.givens[i]) same = false;
        PlayBoard = saved;
        srand(state);
        return same || differs();
    }
    PuzzleRecord record;
    if (!ReadPuzzleRecord(kLibraryNumbers[game.level], game.gameIndex, record) || !IsWellFormed(record))
        return differs();
    for (std::size_t i = 0; i < kCellCount; ++i) {
        const int v = record.cells[i];
        if (std::abs(v) != game.solution[i] || (v < 0) != game.givens[i]) return differs();
    }
    return true;
}

int32_t ShownGameNumber(const KeptGame& game) {
    return game.solverGame || game.level == LevelChild ? 0 : game.gameIndex + 1;
}

// ---- The file -------------------------------------------------------------------------------

std::string KeptGamePath() {
    const std::string folder = PrefPath.empty() ? CurrentDirectory() : FolderOf(PrefPath);
    return JoinPath(folder, kKeptGameFileName);
}

bool SaveKeptGameFile(const KeptGame& game, std::string* reason) {
    const std::string text = SerialiseKeptGame(game);
    return WriteFileAtomically(KeptGamePath(),
                               std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                               reason);
}

bool LoadKeptGameFile(KeptGame& game, std::string& problem) {
    problem.clear();
    FinishPendingWrites();
    const std::string path = KeptGamePath();
    if (!FileExists(path)) return false;
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, &reason)) {
        problem = "cannot be read: " + reason;
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return ParseKeptGame(text, game, problem) && MatchesLibrary(game, problem);
}

void RemoveKeptGameFile() {
    FinishPendingWrites();  // a queued save must not bring the file back
    RemoveFile(KeptGamePath());
    KeptWaiting = false;
}

bool KeptGameWaiting() { return KeptWaiting && !GameInPlay; }

void NoteKeptGameWaiting(bool waiting) { KeptWaiting = waiting; }

void RefreshKeptGameWaiting() { KeptWaiting = KeepGamesOnDisk && FileExists(KeptGamePath()); }

void BeginKeptGame() {
    for (std::size_t i = 0; i < kCellCount; ++i) GivenSquares[i] = PlayBoard[i].known != 0;
    ClearUndoHistory();
    GameInPlay = true;
    if (!KeepGamesOnDisk) return;
    Prefs.Save();
    SaveGameInPlay();
}

void SaveGameInPlay() {
    if (!KeepGamesOnDisk || !GameInPlay) return;
    // The disk's sync takes longer than a frame; the writer thread waits for it instead of play.
    const std::string text = SerialiseKeptGame(CaptureGame());
    WriteFileAtomicallyLater(KeptGamePath(), std::vector<uint8_t>(text.begin(), text.end()));
}

void EndGameInPlay() {
    const bool wasInPlay = GameInPlay;
    GameInPlay = false;
    ClearUndoHistory();
    if (KeepGamesOnDisk && wasInPlay) RemoveKeptGameFile();
}

bool ResumeKeptGame(std::string& problem) {
    KeptGame game;
    if (!LoadKeptGameFile(game, problem)) {
        if (problem.empty()) problem = "it is gone";
        RemoveKeptGameFile();
        return false;
    }
    InstallGame(game);
    GameInPlay = true;
    // Kept again at once, so a kill before the next move still finds it.
    SaveGameInPlay();
    return true;
}

bool AbandonKeptGame(std::string& problem) {
    const int32_t level = Prefs.difficulty, player = Prefs.currentPlayer;
    const bool oneMore = OneMoreGame;
    if (!ResumeKeptGame(problem)) return false;
    EndGameInPlay();
    OneMoreGame = false;  // the abandoned game is not the promised last one
    GoToScreen(ScreenMain);
    RecordScore();  // TimeUsed holds its clock
    OneMoreGame = oneMore;
    Prefs.difficulty = level;
    if (Prefs.currentPlayer != player) {
        Prefs.currentPlayer = player;
        SetPlayerChecks(player);
    }
    return true;
}

void CheckKeptGameAtStart() {
    KeptWaiting = false;
    if (!KeepGamesOnDisk) return;
    KeptGame game;
    std::string problem;
    if (LoadKeptGameFile(game, problem)) {
        KeptWaiting = true;
    } else if (!problem.empty()) {
        RemoveKeptGameFile();
        ShowKeptGameRefused(problem);
    }
}

void ShowKeptGameRefused(const std::string& problem) {
    ShowMessageScreen("Your unfinished game could not be resumed, and has been removed.",
                      ("Its file is damaged: " + problem + ".").c_str(), ScreenMain);
    DialogKey = 0;
}

}  // namespace tessaran
