// The unfinished game on disk: every field through the file and back, refusal of damaged or
// foreign files without touching the game, undo and redo against a model, and tessaran-cli
// game-dump. Saves killed midway are the shared atomic writer's, tried in prefs_test and the soak.
#include <gtest/gtest.h>

#include <random>

#include "game/kept_game.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "game_fixture.h"
#include "support/cli.h"

namespace tessaran::test {
namespace {

int64_t FixedSeconds() { return 1'000'000; }

using Notes = std::array<CellNotes, kCellCount>;
Notes CurrentNotes() {
    Notes notes;
    for (int i = 0; i < kCellCount; ++i) notes[static_cast<std::size_t>(i)] = NotesOf(i);
    return notes;
}

bool SameGame(const KeptGame& a, const KeptGame& b) {
    return std::tie(a.level, a.gameIndex, a.solverGame, a.player, a.score, a.seconds, a.mistakes, a.crystal, a.solution,
                    a.givens, a.cells, a.history) ==
               std::tie(b.level, b.gameIndex, b.solverGame, b.player, b.score, b.seconds, b.mistakes, b.crystal,
                        b.solution, b.givens, b.cells, b.history) &&
           (!a.crystal || a.backup == b.backup);
}

class KeptGameTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        folder = MakeTempFolder("tessaran-kept");
        PrefPath = folder + "/prefs.10W";
        SetClockOverrides(nullptr, FixedSeconds);
        KeepGamesOnDisk = false;
        GameInPlay = false;
        ClearUndoHistory();
    }
    void TearDown() override {
        GameInPlay = false;
        KeepGamesOnDisk = false;
        RemoveTree(folder);
        GameTest::TearDown();
    }

    void Start(int level, uint32_t seed) {
        Prefs.difficulty = level;
        srand(seed);
        StartNewGame();
        BeginKeptGame();
    }
    std::vector<int> Hidden() const {
        std::vector<int> cells;
        for (int i = 0; i < kCellCount; ++i)
            if (PlayBoard[static_cast<std::size_t>(i)].value && !PlayBoard[static_cast<std::size_t>(i)].known)
                cells.push_back(i);
        return cells;
    }
    static void Act(int cell, int slot, bool assign) {
        BeginUndoStep();
        AssignMode = assign;
        ActOnSymbol(cell / 9, cell % 9, slot);
        AssignMode = false;
        EndUndoStep();
    }
    static void Open(int cell) {
        BeginUndoStep();
        OpenCell(PlayBoard[static_cast<std::size_t>(cell)]);
        EndUndoStep();
    }
    static int Right(int cell) { return PlayBoard[static_cast<std::size_t>(cell)].value - 1; }

    // A Hard game with every kind of state: found and wrong pieces, marks, an undone step, and
    // Crystal Ball trials over saved marks.
    void PlayVariedGame() {
        Prefs.currentPlayer = 3;
        Start(LevelHard, 7);
        const std::vector<int> h = Hidden();
        Act(h[0], Right(h[0]), true);
        Act(h[1], (Right(h[1]) + 1) % 9, true);
        Open(h[2]);
        Act(h[2], 1, false);
        Act(h[2], 6, false);
        Open(h[3]);
        Act(h[3], 0, false);
        ASSERT_TRUE(UndoNotes());
        EnterCrystalBall();
        Act(h[4], Right(h[4]), true);
        Act(h[5], 4, false);
        ScreenState = ScreenPause;
        TimeUsed = 754;
    }

    std::string folder;
};

TEST_F(KeptGameTest, EveryFieldSurvivesTheFileAndTheGlobals) {
    PlayVariedGame();
    const KeptGame played = CaptureGame();
    EXPECT_EQ(std::tie(played.level, played.player, played.score, played.seconds, played.mistakes, played.crystal),
              std::make_tuple(LevelHard, 3, -400, 754, 1, true));
    EXPECT_EQ(played.history.done.size(), 6u);
    EXPECT_TRUE(played.history.undone.empty()) << "entering Crystal Ball mode forgets what was undone";

    KeptGame read;
    std::string problem;
    ASSERT_TRUE(ParseKeptGame(SerialiseKeptGame(played), read, problem)) << problem;
    EXPECT_TRUE(MatchesLibrary(read, problem)) << problem;
    EXPECT_TRUE(SameGame(played, read));

    // Through the file, into a different game in play, and back out: the same game, with its
    // player and level current, its clock running from where it stopped.
    KeepGamesOnDisk = true;
    Prefs.currentPlayer = 0;
    Start(LevelEasy, 99);
    EndGameInPlay();
    ASSERT_TRUE(SaveKeptGameFile(played));
    RefreshKeptGameWaiting();
    EXPECT_TRUE(KeptGameWaiting());
    ASSERT_TRUE(ResumeKeptGame(problem)) << problem;
    ScreenState = ScreenGame;
    EXPECT_TRUE(SameGame(CaptureGame(), played));
    EXPECT_EQ(Prefs.currentPlayer, 3);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(PlayClockSeconds(), 754);
    EXPECT_FALSE(KeptGameWaiting()) << "in play, not waiting";
    FinishPendingWrites();
    EXPECT_TRUE(FileExists(KeptGamePath())) << "kept again at once after the resume";

    // The trials are still trials: leaving the mode restores the saved marks exactly.
    LeaveCrystalBall();
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_TRUE(UndoNotes()) << "the steps before the visit are still there to undo";
    EndGameInPlay();
    EXPECT_FALSE(FileExists(KeptGamePath()));
}

TEST_F(KeptGameTest, ChildAndSolverGamesRoundTrip) {
    Start(LevelChild, 5);
    Act(Hidden()[0], 2, false);
    KeptGame child = CaptureGame(), read;
    std::string problem;
    ASSERT_TRUE(ParseKeptGame(SerialiseKeptGame(child), read, problem) && MatchesLibrary(read, problem)) << problem;
    EXPECT_TRUE(SameGame(child, read));
    EXPECT_EQ(ShownGameNumber(read), 0);
    const uint32_t state = RandomState();
    read.gameIndex += 1;  // another seed deals another puzzle (the check leaves the generator be)
    EXPECT_FALSE(MatchesLibrary(read, problem));
    EXPECT_EQ(RandomState(), state);

    // A typed-in puzzle has no number; it only has to be a valid grid.
    Start(LevelHard, 8);
    SolverGame = true;
    KeptGame solver = CaptureGame();
    ASSERT_TRUE(ParseKeptGame(SerialiseKeptGame(solver), read, problem) && MatchesLibrary(read, problem)) << problem;
    EXPECT_EQ(ShownGameNumber(read), 0);
    std::swap(solver.solution[0], solver.solution[1]);
    EXPECT_FALSE(ParseKeptGame(SerialiseKeptGame(solver), read, problem));
}

// The record counts a game when it starts and reaches the disk before the game does; a win or
// an abandon ends the kept game, an abandoned one recorded once under its own player and level.
TEST_F(KeptGameTest, StartsAreSavedFirstAndEndsRemoveTheGame) {
    KeepGamesOnDisk = true;
    Prefs.currentPlayer = 2;
    Start(LevelHard, 11);
    const auto saved = ReadRecord(PrefPath);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->playerLevelGamesPlayed[1][LevelHard], 1);
    FinishPendingWrites();
    EXPECT_TRUE(FileExists(KeptGamePath()));
    const int cell = Hidden()[0];
    Act(cell, Right(cell), true);
    ScreenState = ScreenPause;
    TimeUsed = 90;
    SaveGameInPlay();

    // Another run: a different level and player chosen, then "Yes" to abandoning.
    GameInPlay = false;
    RefreshKeptGameWaiting();
    ASSERT_TRUE(KeptGameWaiting());
    Prefs.difficulty = LevelEasy;
    Prefs.currentPlayer = 0;
    std::string problem;
    ASSERT_TRUE(AbandonKeptGame(problem)) << problem;
    EXPECT_EQ(Prefs.playerBestScore[1][LevelHard][0], 100);
    EXPECT_EQ(Prefs.playerBestTime[1][LevelHard][0], 90);
    EXPECT_EQ(Prefs.playerLevelGamesPlayed[1][LevelHard], 1) << "never counted twice";
    EXPECT_EQ(std::make_tuple(Prefs.difficulty, Prefs.currentPlayer), std::make_tuple(int32_t{LevelEasy}, 0));
    EXPECT_FALSE(FileExists(KeptGamePath()));
    EXPECT_FALSE(KeptGameWaiting());

    Start(LevelEasy, 12);
    ScreenState = ScreenGame;
    CountGameWon();
    EXPECT_FALSE(GameInPlay);
    EXPECT_FALSE(FileExists(KeptGamePath()));
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST_F(KeptGameTest, DamagedForeignAndInconsistentFilesAreRefusedWhole) {
    PlayVariedGame();
    KeptGame played = CaptureGame();
    const std::string good = SerialiseKeptGame(played);
    const std::string index = "index=" + std::to_string(played.gameIndex);
    std::string givensLine = good.substr(good.find("givens="), 88);
    std::string swapped = givensLine;
    const std::size_t digit = swapped.find_first_of("123456789", 7);
    swapped[digit] = swapped[digit] == '9' ? '1' : static_cast<char>(swapped[digit] + 1);
    // A mark of the state after the oldest step: undoing down to it no longer meets the board.
    const std::size_t undoAt = good.find('>', good.find("undo=")) + 3;

    std::vector<std::pair<std::string, std::string>> damaged = {
        {"empty", ""},
        {"not a key file", "\x01\x02 garbage"},
        {"cut short", good.substr(0, good.size() / 2)},
        {"another version", Replace(good, "version=1", "version=2")},
        {"another game number", Replace(good, index, "index=" + std::to_string((played.gameIndex + 1) % 1000))},
        {"index past the library", Replace(good, index, "index=5000")},
        {"a given changed", Replace(good, givensLine, swapped)},
        {"no such level", Replace(good, "level=3", "level=7")},
        {"no such player", Replace(good, "player=3", "player=10")},
        {"a negative clock", Replace(good, "seconds=754", "seconds=-1")},
        {"a number with junk", Replace(good, "mistakes=1", "mistakes=1x")},
        {"trials outside the mode", Replace(good, "crystal=1", "crystal=0")},
        {"a history that does not fit", good.substr(0, undoAt) + (good[undoAt] == '0' ? "1" : "0") + good.substr(undoAt + 1)},
    };
    const Board board = PlayBoard;
    const int32_t score = GameScore.Value();
    KeepGamesOnDisk = true;
    for (const auto& [what, text] : damaged) {
        KeptGame read;
        std::string problem;
        EXPECT_FALSE(ParseKeptGame(text, read, problem) && MatchesLibrary(read, problem)) << what;
        EXPECT_FALSE(problem.empty()) << what;

        // Resuming it installs nothing and removes the file.
        WriteBytes(KeptGamePath(), {text.begin(), text.end()});
        GameInPlay = false;
        EXPECT_FALSE(ResumeKeptGame(problem)) << what;
        EXPECT_FALSE(FileExists(KeptGamePath())) << what;
        EXPECT_EQ(GameScore.Value(), score) << what;
        for (std::size_t i = 0; i < kCellCount; ++i)
            ASSERT_TRUE(PlayBoard[i].known == board[i].known && PlayBoard[i].value == board[i].value &&
                        std::equal(std::begin(board[i].marks), std::end(board[i].marks), PlayBoard[i].marks))
                << what;
    }
}

// Random play against a model that keeps whole boards: undo and redo give back exactly the
// board before and after each step, stop at judged moves and commits, stay inside a Crystal
// Ball visit, and the history goes through the file and back at any moment.
TEST_F(KeptGameTest, UndoAndRedoFollowAModelOfWholeBoards) {
    const unsigned seed = static_cast<unsigned>(std::random_device{}());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    Start(LevelEvil, seed);
    std::vector<Notes> past, future;
    std::size_t base = 0;
    Notes atEntry{};
    auto any = [&](const std::vector<int>& cells) { return cells[rng() % cells.size()]; };
    auto push = [&](const Notes& before) {
        past.push_back(before);
        future.clear();
        if (past.size() > kUndoLimit) {
            past.erase(past.begin());
            if (base > 0) --base;
        }
    };

    for (int move = 0; move < 3000; ++move) {
        const std::vector<int> hidden = Hidden();
        if (hidden.empty()) break;
        const Notes before = CurrentNotes();
        const int roll = static_cast<int>(rng() % 100);
        if (roll < 35) {
            Act(any(hidden), static_cast<int>(rng() % 9), false);
        } else if (roll < 45) {
            Open(any(hidden));
        } else if (roll < 50 && !CrystalBallActive) {
            const int cell = any(hidden);
            Act(cell, rng() % 2 ? Right(cell) : (Right(cell) + 1) % 9, true);
            past.clear();
            future.clear();
            continue;
        } else if (roll < 58 && CrystalBallActive) {
            Act(any(hidden), static_cast<int>(rng() % 9), true);  // a trial
        } else if (roll < 61) {
            if (!CrystalBallActive) {
                EnterCrystalBall();
                base = past.size();
                future.clear();
                atEntry = CurrentNotes();
            } else if (rng() % 2) {
                LeaveCrystalBall();
                past.resize(base);
                future.clear();
                ASSERT_EQ(CurrentNotes(), atEntry) << "move " << move;
            } else {
                CommitCrystalBall();
                past.clear();
                future.clear();
            }
            continue;
        } else if (roll < 82) {
            const std::size_t floor = CrystalBallActive ? base : 0;
            ASSERT_EQ(UndoNotes(), past.size() > floor) << "move " << move;
            if (past.size() > floor) {
                future.push_back(before);
                ASSERT_EQ(CurrentNotes(), past.back()) << "undo at move " << move;
                past.pop_back();
            }
            continue;
        } else if (roll < 97) {
            ASSERT_EQ(RedoNotes(), !future.empty()) << "move " << move;
            if (!future.empty()) {
                past.push_back(before);
                ASSERT_EQ(CurrentNotes(), future.back()) << "redo at move " << move;
                future.pop_back();
            }
            continue;
        } else {
            // Through the file's text and back into play.
            KeptGame read;
            std::string problem;
            ASSERT_TRUE(ParseKeptGame(SerialiseKeptGame(CaptureGame()), read, problem) && MatchesLibrary(read, problem))
                << "move " << move << ": " << problem;
            InstallGame(read);
            ASSERT_EQ(CurrentNotes(), before);
            continue;
        }
        if (CurrentNotes() != before) push(before);
    }

    // A long run of marks keeps only the newest steps.
    if (CrystalBallActive) CommitCrystalBall();
    const std::vector<int> hidden = Hidden();
    ASSERT_FALSE(hidden.empty());
    for (std::size_t i = 0; i < kUndoLimit + 50; ++i) Act(hidden[i % hidden.size()], static_cast<int>(i % 9), false);
    std::size_t undone = 0;
    while (UndoNotes()) ++undone;
    EXPECT_EQ(undone, kUndoLimit);
}

TEST_F(KeptGameTest, GameDumpPrintsTheGameOrOneLineNamingTheProblem) {
    PlayVariedGame();
    KeptGame game = CaptureGame();
    ASSERT_TRUE(SaveKeptGameFile(game));
    const auto [status, out] = RunCli("game-dump '" + KeptGamePath() + "'");
    EXPECT_EQ(status, 0);
    std::string givens, known;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const std::size_t i = static_cast<std::size_t>(CellIndex(c, r));
            givens += game.givens[i] ? static_cast<char>('0' + game.solution[i]) : '.';
            const CellNotes& n = game.cells[i];
            known += n.known ? static_cast<char>('0' + (n.guess ? n.guess : game.solution[i])) : '.';
        }
    // Hidden squares now, the first one placed: h[1] is open with marks 2 and 7, h[2] open with
    // its mark undone, h[3] marked in Crystal Ball mode without being opened.
    const std::vector<int> h = Hidden();
    std::string expected = "level 3\ngame " + std::to_string(GameIndex + 1) +
                           "\nplayer 3\nscore -400\nseconds 754\nmistakes 1\ncrystal 1\ngivens " + givens +
                           "\nknown " + known + "\n";
    EXPECT_EQ(out.substr(0, expected.size()), expected);
    auto openLine = [](int cell, const char* digits) {
        return "open " + std::to_string(cell % 9 + 1) + " " + std::to_string(cell / 9 + 1) + " " + digits + "\n";
    };
    EXPECT_NE(out.find(openLine(h[1], "27")), std::string::npos) << out;
    EXPECT_NE(out.find(openLine(h[2], "-")), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 9 + 2);

    WriteBytes(KeptGamePath(), {'x'});
    const auto [badStatus, message] = RunCli("game-dump '" + KeptGamePath() + "'", true);
    EXPECT_EQ(badStatus, 1);
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
}

}  // namespace
}  // namespace tessaran::test
