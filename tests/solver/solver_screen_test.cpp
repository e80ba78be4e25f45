// The solver screen's flows as a player drives them: entries, hints against the marks on screen,
// "Solve", "Play this Game" and the game it starts; the puzzle picker's paging, flags and draw;
// line breaking for every text the help, quick help and solver show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "game/game_fixture.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "profile/summary.h"
#include "solver/complete.h"
#include "solver/help.h"
#include "solver/picker.h"
#include "solver/solver.h"
#include "solver/solver_entry.h"
#include "solver/solver_screen.h"
#include "solver/solver_why.h"
#include "solver_support.h"

namespace tessaran::test {
namespace {

int64_t ClockSeconds = 1000;
bool AnyMark() { return std::ranges::any_of(PlayBoard, [](auto& c) { return std::ranges::count(c.marks, 1) > 0; }); }

class SolverScreenTest : public SolverTest {
protected:
    void SetUp() override {
        SolverTest::SetUp();
        ClockSeconds = 1000;
        SetClockOverrides(nullptr, [] { return ClockSeconds; });
        OpenSolver();
    }
    static std::string Status() { return SolverState.statusText; }
    // Types a grid in square by square, as a player would.
    static void Enter(const std::string& grid) {
        for (int i = 0; i < 81; ++i)
            if (const char ch = grid[static_cast<size_t>(i)]; ch != '.') ActOnSymbol(i % 9, i / 9, ch - '1');
    }
};

// Mended: a new visit showed the last visit's status, hint marks and hint piece.
TEST_F(SolverScreenTest, OpeningForgetsTheLastVisit) {
    Enter(GoodPuzzle());
    ShowSolverHint();
    OpenSolver();
    EXPECT_EQ(ScreenState, ScreenSolver);
    EXPECT_EQ(Status() + (SolverPlayOffered() ? "offered" : ""), "");
    EXPECT_EQ(std::pair(SolverState.markedCount, SolverState.hintValue), std::pair(kNoHintShown, 0));
    EXPECT_STREQ(SolverState.hintText, "Click to add a value.@Click again to erase a value");
    EXPECT_TRUE(SolverState.showPossibles) << "kept between visits";
    for (const Cell& c : PlayBoard)
        EXPECT_EQ(std::tuple(c.value, c.known, c.activated, c.marks[3]), std::tuple(0, 0, 1, 1));
}

TEST_F(SolverScreenTest, EntriesRefusalsAndSolveKeepTheStatusCurrent) {
    Enter(GoodPuzzle());
    EXPECT_EQ(Status(), kStatusGood);
    SolverState.markedCount = 3;
    const Board before = PlayBoard;
    ActOnSymbol(0, 0, 4);  // a 5 where row 0 has one: refused, and the hint overlay goes
    EnterSolverValue(9, 0, 0);  // off the board: ignored
    EnterSolverValue(0, 0, 9);
    EXPECT_EQ(std::memcmp(&before, &PlayBoard, sizeof before), 0);
    EXPECT_EQ(PlayedSounds(), std::vector<int>{SoundBadMove});
    EXPECT_EQ(SolverState.markedCount, kNoHintShown);
    ActOnSymbol(0, 0, 8);  // a legal 9 where the answer is 6: no solution left
    EXPECT_EQ(Status(), kStatusIllegal);
    EXPECT_FALSE(SolverPlayOffered());
    ActOnSymbol(0, 0, 0);  // any slot of an entered square erases it
    EXPECT_EQ(Status(), kStatusGood);

    // "Solve" fills the grid, takes the old hint down with it and locks play.
    ShowSolverHint();
    ASSERT_TRUE(SolveSolverGrid());
    EXPECT_EQ(FormatGrid(GridFromBoard(PlayBoard)), kSolvedGrid);
    EXPECT_EQ(Status() + std::to_string(SolverState.markedCount), kStatusSolved + std::to_string(kNoHintShown));
    EXPECT_FALSE(SolveSolverGrid() || PlaySolverGame());
}

// Mended: a valid puzzle past the step-limited count was called too difficult and could be
// neither played nor solved. The screen settles it with the complete search; the count itself,
// which the status command and the puzzle generator report, is unchanged.
TEST_F(SolverScreenTest, AGridPastTheStepLimitIsSettledAndCanBePlayedAndSolved) {
    Enter(Exhausting());
    EXPECT_EQ(CountSolutions(false), SearchTooDifficult);
    EXPECT_EQ(Status(), kStatusGood);
    EXPECT_TRUE(SolverPlayOffered());
    ValueGrid solution{};
    ASSERT_EQ(CountSolutionsCompletely(Grid(Exhausting()), &solution), 1);
    ASSERT_TRUE(SolveSolverGrid());
    EXPECT_EQ(GridFromBoard(PlayBoard), solution);
    EXPECT_EQ(Status(), kStatusSolved);

    // Without one given it has many solutions, still past the limit: said so, and not offered.
    OpenSolver();
    std::string fewer = Exhausting();
    fewer[static_cast<size_t>(fewer.find_first_not_of('.'))] = '.';
    Enter(fewer);
    EXPECT_EQ(Status(), kStatusMultiple);
    EXPECT_FALSE(SolverPlayOffered());

    OpenSolver();
    Enter(Exhausting());
    ASSERT_TRUE(PlaySolverGame());
    EXPECT_EQ(ScreenState, ScreenGame);
    for (int p = 0; p < kCellCount; ++p)
        EXPECT_EQ(At(p % 9, p / 9).value, solution[static_cast<size_t>(p)]) << "the hidden squares hold the answer";
}

TEST_F(SolverScreenTest, HintsReasonAboutTheMarksOnScreen) {
    Enter(GoodPuzzle());
    ShowSolverHint();
    EXPECT_TRUE(SolverState.showPossibles) << "a hint shows the possibles first";
    ASSERT_EQ(SolverState.markedCount, 1);
    const int c = SolverState.markedColumns[0], r = SolverState.markedRows[0], v = SolverState.hintValue;
    EXPECT_EQ(v, kSolvedGrid[GridIndex(c, r)] - '0');
    EXPECT_TRUE(At(c, r).marks[v - 1]) << "the hinted piece is marked in its square";

    // "Apply Hint" carries out the same hint; the status waits for the next entry.
    std::strcpy(SolverState.statusText, "unchanged");
    ApplySolverHint();
    EXPECT_EQ(At(c, r).value, v);
    EXPECT_EQ(At(c, r).known, 1);
    EXPECT_EQ(Status(), "unchanged");
    ActOnSymbol(c, r, 0);  // erased again: overlay gone, status back
    EXPECT_EQ(Status() + std::to_string(SolverState.markedCount), kStatusGood + std::to_string(kNoHintShown));
    ToggleSolverPossibles();
    ActOnSymbol(c, r, v - 1);
    EXPECT_FALSE(AnyMark()) << "hidden possibles stay hidden";

    // Mended: a hint that places the last value updates the status, so play is no longer offered.
    OpenSolver();
    Enter(std::string(kSolvedGrid).replace(40, 1, "."));
    ASSERT_TRUE(SolverPlayOffered());
    ApplySolverHint();
    EXPECT_EQ(Status(), kStatusSolved);
    EXPECT_FALSE(SolverPlayOffered());
}

// Mended: "Play this Game" was not counted, kept the last game's mistakes and clock, carried the
// possibles over as marks, and its win marked a library puzzle won.
TEST_F(SolverScreenTest, PlayThisGameStartsAFreshCountedGameThatWinsNoLibraryPuzzle) {
    // The last game: library puzzle 418 with mistakes, a score, its clock and a falling piece.
    Prefs.difficulty = LevelMedium;
    GameIndex = 417;
    MistakeCount = 3;
    AddToScore(1234);
    StartPlayClock();
    SpawnFallingPiece(0, 0, 3);
    Enter(GoodPuzzle());
    ShowSolverHint();  // possibles on screen as marks
    ClockSeconds = 5000;
    ASSERT_TRUE(PlaySolverGame());
    EXPECT_EQ(ScreenState * 10 + SolverGame, ScreenGame * 10 + 1);
    EXPECT_EQ(GameScore.Value() | MistakeCount | PlayClockSeconds(), 0);
    EXPECT_EQ(Prefs.gamesPlayed + Prefs.levelGamesPlayed[LevelMedium], 2);
    EXPECT_TRUE(std::none_of(FallingPieces.begin(), FallingPieces.end(), [](const auto& p) { return p.inUse; }));
    EXPECT_FALSE(AnyMark()) << "the solver's possibles are not the player's marks";
    // The entered squares given, the rest hidden, all holding the solution.
    const std::string puzzle = GoodPuzzle();
    for (const Cell& cell : PlayBoard) {
        const size_t i = static_cast<size_t>(GridIndex(cell.column, cell.row));
        EXPECT_EQ(cell.known * 100 + cell.value * 10 + cell.activated,
                  (puzzle[i] != '.') * 100 + (kSolvedGrid[i] - '0') * 10);
    }
    AssignMode = true;
    for (Cell& cell : PlayBoard)
        if (!cell.known) ActOnSymbol(cell.column, cell.row, cell.value - 1);
    EXPECT_TRUE(CheckCompletion());
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelMedium], 1);
    EXPECT_EQ(std::count(&Prefs.wonGames[0][0], &Prefs.wonGames[0][0] + sizeof Prefs.wonGames, 1), 0);
}

}  // namespace
}  // namespace tessaran::test

namespace tessaran::test {
namespace {

class SolverWhyTest : public SolverScreenTest {};

// Two solutions of a grid with several, toggled, with the squares they differ in; where a grid
// without solution runs out; and a change of the grid takes the view down.
TEST_F(SolverWhyTest, NotUniqueShowsTwoSolutionsAndWhereTheyDiffer) {
    std::string grid(kSolvedGrid);
    // The four corners of a rectangle of two values over two sections: swapping them is a
    // second solution once they are open.
    const ValueGrid solved = Grid(kSolvedGrid);
    int a = -1, b = -1, c = -1, d = -1;
    for (int r1 = 0; r1 < 9 && a < 0; ++r1)
        for (int r2 = r1 + 1; r2 < 9 && a < 0; ++r2)
            for (int c1 = 0; c1 < 9 && a < 0; ++c1)
                for (int c2 = c1 + 1; c2 < 9 && a < 0; ++c2)
                    if (r1 / 3 == r2 / 3 && c1 / 3 != c2 / 3 &&
                        solved[GridIndex(c1, r1)] == solved[GridIndex(c2, r2)] &&
                        solved[GridIndex(c2, r1)] == solved[GridIndex(c1, r2)]) {
                        a = GridIndex(c1, r1), b = GridIndex(c2, r1), c = GridIndex(c1, r2), d = GridIndex(c2, r2);
                    }
    ASSERT_GE(a, 0);
    for (int s : {a, b, c, d}) grid[static_cast<std::size_t>(s)] = '.';
    Enter(grid);
    ASSERT_EQ(Status(), kStatusMultiple);
    ASSERT_TRUE(WhyOffered());
    EXPECT_STREQ(WhyLabel(), "Two Solutions");
    ToggleWhy();
    ASSERT_EQ(CurrentWhyView(), WhyView::FirstSolution);
    std::vector<int> differing = SolverWhy.explanation.differing;
    std::sort(differing.begin(), differing.end());
    EXPECT_EQ(differing, (std::vector<int>{a, b, c, d}));
    EXPECT_NE(SolverWhy.explanation.first[static_cast<std::size_t>(a)], SolverWhy.explanation.second[static_cast<std::size_t>(a)]);
    ToggleWhy();
    EXPECT_EQ(CurrentWhyView(), WhyView::SecondSolution);
    ToggleWhy();
    EXPECT_EQ(CurrentWhyView(), WhyView::FirstSolution);
    ActOnSymbol(a % 9, a / 9, solved[static_cast<std::size_t>(a)] - 1);
    EXPECT_EQ(CurrentWhyView(), WhyView::Off) << "the grid changed";
    EXPECT_FALSE(WhyOffered()) << "one solution now";
}

TEST_F(SolverWhyTest, NoSolutionAndNoHintSayWhy) {
    // Row 1 lacks only its 1 and 2, and column 1 holds both lower down: r1c1 runs out, though
    // every entry is legal.
    Enter(".3456789." + std::string(72, '.'));
    ActOnSymbol(0, 1, 0);
    ActOnSymbol(0, 2, 1);
    ASSERT_EQ(Status(), kStatusIllegal);
    ASSERT_TRUE(WhyOffered());
    EXPECT_STREQ(WhyLabel(), "Why No Solution");
    ToggleWhy();
    EXPECT_EQ(CurrentWhyView(), WhyView::RunsOut);
    EXPECT_EQ(SolverWhy.runsOutSquare, GridIndex(0, 0)) << SolverWhy.explanation.runsOut;
    EXPECT_EQ(WhyNoHint(), "The grid has no solution, so no hint can follow from it: nothing can go in square (row 1, "
                           "column 1).");

    // Row 1 has no place for its 9: its open squares share a section with one. The piece goes by name.
    OpenSolver();
    Enter("123456..." "......9.." + std::string(63, '.'));
    ASSERT_EQ(Status(), kStatusIllegal);
    EXPECT_EQ(WhyNoHint(), "The grid has no solution, so no hint can follow from it: Barnaby has no place left in "
                           "row 1.");

    // An empty grid: the solver's hints find nothing, and say why.
    OpenSolver();
    ShowSolverHint();
    EXPECT_EQ(std::string(SolverState.hintText).rfind("No hints found. ", 0), 0u) << SolverState.hintText;
    EXPECT_GT(std::strlen(SolverState.hintText), std::strlen("No hints found. "));
}

using PickerTest = GameTest;

// Stored numbers out of range (a damaged record, an odd page) are treated as safe defaults.
TEST_F(PickerTest, PagesWonFlagsAndTheRandomChoice) {
    for (const auto& [from, to] : {std::pair{0, 200}, {600, 800}, {800, 0}, {-200, 0}, {1000, 0}, {37, 0}}) {
        PickerPageStart = from;
        NextPickerPage();
        EXPECT_EQ(PickerPageStart, to) << from;
    }
    for (auto& level : Prefs.wonGames) level[5] = level[999] = 1;
    EXPECT_FALSE(PuzzleWon(LevelMedium, 6));
    // (level, index): out of range, or the Child level, which has no flags.
    for (const auto& [level, index] : {std::pair{2, -1}, {2, 1000}, {0, 5}, {5, 5}, {-1, 5}})
        EXPECT_FALSE(PuzzleWon(level, index)) << level << " " << index;
    Prefs.difficulty = LevelMedium;  // "Reset games used" forgets this level's wins only
    ResetGamesUsed();
    EXPECT_FALSE(PuzzleWon(LevelMedium, 5) || PuzzleWon(LevelMedium, 999));
    EXPECT_TRUE(PuzzleWon(LevelEasy, 999) && PuzzleWon(LevelHard, 5) && PuzzleWon(LevelEvil, 5));
    Prefs.difficulty = LevelChild;  // no flags of its own: nothing touched
    ResetGamesUsed();
    EXPECT_TRUE(PuzzleWon(LevelEasy, 5));

    Prefs.showHelpAtStart = 0;  // "Random" draws from the one generator
    srand(99);
    const int expected = rand() % 1000;
    srand(99);
    PickRandomPuzzle();
    EXPECT_EQ(PickedPuzzle, expected);
    EXPECT_EQ(ScreenState, ScreenNewGame);
}

// ---- Help text ------------------------------------------------------------------------------

using Lines = std::vector<std::string>;

// One unit per character, so widths can be counted by eye.
Lines Wrap(const std::string& text, float width) {
    return WrapTextLines(text, width, [](const std::string& s) { return static_cast<float>(s.size()); });
}

TEST(WrapText, BreaksAtSignsSpacesAndOverlongWords) {
    const std::pair<std::pair<std::string, float>, Lines> cases[] = {
        {{"Rule 1.@ @To play", 100}, {"Rule 1.", " ", "To play"}}, {{"end@", 100}, {"end", ""}}, {{"", 100}, {""}},
        // "one two" is 7 wide: at width 7 it is already too wide, at 8 it fits.
        {{"one two three", 7}, {"one", "two", "three"}}, {{"one two three", 8}, {"one two", "three"}},
        {{"Stop.  Go on", 6}, {"Stop.", "Go on"}},  // the second space does not start the next line
        {{"go abcdefghij", 5}, {"go", "abcd", "efgh", "ij"}}, {{"abc", 0.5f}, {"a", "b", "c"}},
    };
    for (const auto& [in, lines] : cases) EXPECT_EQ(Wrap(in.first, in.second), lines) << in.first;
}

TEST(WrapText, EveryTextKeepsItsCharactersInOrderWithinTheColumn) {
    std::vector<std::string> texts{QuickHelpText, QuickHelpChildText, std::string(700, 'x') + " y"};
    for (const HelpPageText& page : HelpPages) texts.emplace_back(page.text);
    auto squeeze = [](std::string s) {
        std::erase_if(s, [](char c) { return c == ' ' || c == '@'; });
        return s;
    };
    for (const std::string& text : texts)
        for (const float width : {12.0f, 37.0f, 70.0f}) {
            std::string joined;
            for (const std::string& line : Wrap(text, width)) {
                EXPECT_LT(static_cast<float>(line.size()), width) << line;
                joined += line;
            }
            EXPECT_EQ(squeeze(joined), squeeze(text)) << "no character lost or added";
        }
}

// The help must quote the bonuses the game pays, which grow with the level.
TEST(HelpPages, TheScoringPageQuotesTheCompletionBonusesPaid) {
    const std::string scoring = HelpPages[8].text;
    for (const auto& [level, name] : {std::pair{LevelChild, "Child"}, {LevelEvil, "Evil"}})
        EXPECT_NE(scoring.find(std::to_string(CompletionBonus(level)) + " (" + name + ")"), std::string::npos) << name;
}

}  // namespace
}  // namespace tessaran::test
