// Hint techniques: their order, their texts and marked squares, what getting and applying a hint
// does to the board, the diagnostics, and whole puzzles solved by hints alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "solver/hints.h"
#include "solver/solver.h"
#include "solver_support.h"

namespace tessaran::test {
namespace {

Cell& At(int column, int row) { return PlayBoard[static_cast<size_t>(CellIndex(column, row))]; }

struct Square {
    int column, row;
    bool operator==(const Square&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Square& s) { return out << "(" << s.column << "," << s.row << ")"; }

std::vector<Square> Marked() {
    std::vector<Square> squares;
    for (int k = 0; k < SolverState.markedCount; ++k)
        squares.push_back({SolverState.markedColumns[k], SolverState.markedRows[k]});
    return squares;
}

bool SameBoard(const Board& a, const Board& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class HintTest : public SolverTest {
protected:
    // Gets the hint, checks the board did not change, and returns the record.
    Hint Get() {
        const Board before = PlayBoard;
        Hint hint;
        EXPECT_TRUE(GetHint(hint));
        EXPECT_TRUE(SameBoard(before, PlayBoard)) << "a hint request changed the board";
        return hint;
    }
};

TEST_F(HintTest, SingleValueBeatsAnEarlierOnlyPlaceAndGoesByColumn) {
    // Row 0 can take its 7 only at (0, 0); (5, 5) can only take 3.
    for (int column = 1; column < 9; ++column) Forbid(column, 0, 7);
    Allow(5, 5, {3});
    const Hint hint = Get();
    EXPECT_EQ(hint.technique, HintSingleValue);
    EXPECT_STREQ(SolverState.hintText, "The marked square has only one possible value left:");
    EXPECT_EQ(SolverState.hintValue, 3);
    EXPECT_EQ(Marked(), (std::vector<Square>{{5, 5}}));
    EXPECT_STREQ(HintName(hint), "single-value");

    // The leftmost column first; a square with no value at all is passed over.
    LoadOpen();
    Allow(2, 0, {4});
    Allow(1, 8, {6});
    Allow(1, 3, {});  // no possible value at all: passed over
    Get();
    EXPECT_EQ(Marked(), (std::vector<Square>{{1, 8}}));
    EXPECT_EQ(SolverState.hintValue, 6);
}

TEST_F(HintTest, OnlyPlaceOrderAndKnownSquares) {
    // Column 0 can take 7 only at (0, 4); row 6 can take 2 only at (8, 6); section 8 its 5 only
    // at (6, 8). Rows come first, whatever the board order.
    for (int row = 0; row < 9; ++row)
        if (row != 4) Forbid(0, row, 7);
    for (int column = 0; column < 8; ++column) Forbid(column, 6, 2);
    Get();
    EXPECT_STREQ(SolverState.hintText, "The marked square is the only possibility in its row for this type:");
    EXPECT_EQ(Marked(), (std::vector<Square>{{8, 6}}));
    EXPECT_EQ(SolverState.hintValue, 2);

    At(7, 6).possible[2] = 1;  // row 6 now has two places for its 2
    Get();
    EXPECT_STREQ(SolverState.hintText, "The marked square is the only possibility in its column for this type:");
    EXPECT_EQ(Marked(), (std::vector<Square>{{0, 4}}));
    EXPECT_EQ(SolverState.hintValue, 7);

    LoadOpen();
    for (int c = 6; c < 9; ++c)
        for (int r = 6; r < 9; ++r)
            if (c != 6 || r != 8) Forbid(c, r, 5);
    const Hint hint = Get();
    EXPECT_STREQ(SolverState.hintText,
                 "The marked square is the only possibility in its section for this type:");
    EXPECT_EQ(Marked(), (std::vector<Square>{{6, 8}}));
    EXPECT_STREQ(HintName(hint), "only-place-section");

    LoadOpen();
    // Section 4 can take its 8 only at (5, 3) and its 3 only at (4, 4): the 3 comes first.
    for (int c = 3; c < 6; ++c)
        for (int r = 3; r < 6; ++r) {
            if (c != 5 || r != 3) Forbid(c, r, 8);
            if (c != 4 || r != 4) Forbid(c, r, 3);
        }
    Get();
    EXPECT_EQ(SolverState.hintValue, 3);
    EXPECT_EQ(Marked(), (std::vector<Square>{{4, 4}}));

    // Row 2 holds a known 9; only (6, 2) of the others still shows a 9.
    Load(std::string(18, '.') + "9" + std::string(62, '.'));
    for (int column = 1; column < 9; ++column) Forbid(column, 2, 9);
    At(6, 2).possible[9] = 1;
    EXPECT_EQ(Get().technique, HintOnlyPlace);
    EXPECT_EQ(Marked(), (std::vector<Square>{{6, 2}}));
}

TEST_F(HintTest, PairInARow) {
    Allow(1, 2, {4, 6});
    Allow(5, 2, {4, 6});
    Allow(7, 2, {4, 5});  // loses only its 4
    const Hint hint = Get();
    EXPECT_STREQ(SolverState.hintText,
                 "There is a pair set in this row that lets you eliminate possibilities from the marked squares.");
    EXPECT_EQ(SolverState.hintValue, 0);
    EXPECT_EQ(hint.technique, HintSubset);
    EXPECT_STREQ(HintName(hint), "pair-row");
    // Board order, a square once for each value it loses.
    EXPECT_EQ(Marked(), (std::vector<Square>{{0, 2}, {0, 2}, {2, 2}, {2, 2}, {3, 2}, {3, 2}, {4, 2}, {4, 2},
                                            {6, 2}, {6, 2}, {7, 2}, {8, 2}, {8, 2}}));

    // Applying it finds the same hint and removes those values from possibles and marks alike.
    const std::vector<Square> shown = Marked();
    At(0, 2).marks[3] = 1;
    EXPECT_TRUE(ApplyHint());
    EXPECT_EQ(Marked(), shown);
    EXPECT_EQ(At(0, 2).possible[4] + At(0, 2).marks[3] + At(0, 2).possible[6], 0);
    EXPECT_EQ(At(7, 2).possible[5], 1);
    EXPECT_EQ(At(1, 2).possible[4], 1) << "the pair keeps its own values";
    EXPECT_EQ(At(1, 3).possible[4], 1) << "other rows are untouched";
}

TEST_F(HintTest, UselessPairGivesWayToTheNextUnitAndPair) {
    // (0, 0) and (4, 0) hold 1 and 2 in row 0, which has no other place for them; they share no
    // column or section. The pair (2, 5), (2, 7) in column 2 is the hint.
    Allow(0, 0, {1, 2});
    Allow(4, 0, {1, 2});
    for (int column = 0; column < 9; ++column)
        if (column != 0 && column != 4) {
            Forbid(column, 0, 1);
            Forbid(column, 0, 2);
        }
    Allow(2, 5, {8, 9});
    Allow(2, 7, {8, 9});
    Get();
    EXPECT_STREQ(SolverState.hintText,
                 "There is a pair set in this column that lets you eliminate possibilities from the marked squares.");
    EXPECT_EQ(Marked().front(), (Square{2, 0}));
    EXPECT_EQ(SolverState.markedCount, 14);
}

TEST_F(HintTest, TripleAndQuadruples) {
    // A triple in column 6 (no two of its squares form a pair).
    Allow(6, 1, {1, 2});
    Allow(6, 4, {2, 3});
    Allow(6, 8, {1, 3});
    Hint hint = Get();
    EXPECT_STREQ(SolverState.hintText,
                 "There is a triple set in this column that lets you eliminate possibilities from the marked squares.");
    EXPECT_STREQ(HintName(hint), "triple-column");
    EXPECT_EQ(SolverState.markedCount, 18);

    // A quadruple in section 4 whose squares share no row or column completely.
    LoadOpen();
    Allow(3, 3, {1, 2});
    Allow(4, 4, {2, 3});
    Allow(5, 5, {3, 4});
    Allow(3, 5, {1, 4});
    Allow(5, 3, {1, 6, 7});  // loses its 1 only
    hint = Get();
    EXPECT_STREQ(SolverState.hintText,
                 "There is a quadruple set in this section that lets you eliminate possibilities from the marked squares.");
    EXPECT_EQ(hint.setSize, 4);
    EXPECT_EQ(SolverState.markedCount, 1 + 4 * 4);
    EXPECT_EQ(Marked()[12], (Square{5, 3}));

    // Four squares of row 0 share 1..4; the other five each lose all four, more than the list holds.
    LoadOpen();
    Allow(0, 0, {1, 2});
    Allow(1, 0, {2, 3});
    Allow(2, 0, {3, 4});
    Allow(3, 0, {1, 4});
    ASSERT_TRUE(ApplyHint());
    EXPECT_EQ(SolverState.markedCount, kMaxMarked);
    for (int column = 4; column < 9; ++column)
        for (int v = 1; v <= 4; ++v) EXPECT_EQ(At(column, 0).possible[v], 0);
}

TEST_F(HintTest, NothingFoundAndSolved) {
    SolverState.markedCount = kNoHintShown;
    SolverState.hintValue = 4;
    Hint hint;
    EXPECT_FALSE(GetHint(hint));
    EXPECT_STREQ(SolverState.hintText, "No hints found.");
    EXPECT_EQ(SolverState.markedCount + SolverState.hintValue, 0);
    EXPECT_EQ(hint.technique, HintNone);

    Load(kSolvedGrid);
    EliminatePossibles();
    EXPECT_FALSE(GetHint());
    EXPECT_FALSE(ApplyHint());
    EXPECT_STREQ(SolverState.hintText, "Puzzle is solved.");
    EXPECT_EQ(SolverState.markedCount, 0);
}

TEST_F(HintTest, DiagnosticsForInconsistentPossibles) {
    // A square with one possible value reaching the subset stage.
    Allow(3, 7, {5});
    Hint hint;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(FindSubset(hint));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error!  Cell 3,7 found with one possible value.\n");

    // Three squares of a row sharing two values.
    LoadOpen();
    Allow(0, 1, {1, 2});
    Allow(1, 1, {1, 2});
    Allow(2, 1, {1, 2});
    const int three[3] = {CellIndex(0, 1), CellIndex(1, 1), CellIndex(2, 1)};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(CountMarks(three, 3));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR - too few counts for CountMarks test: R=1 C=0 G=0 num=3\n");
    EXPECT_TRUE(CountMarks(three, 2));

    testing::internal::CaptureStdout();
    EXPECT_FALSE(ScratchMarks(three, 2, 4, hint));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR - illegal type to scratch marks\n");
}

// Applies hints until none is left; returns the board's grid.
std::string SolveByHints(const std::string& puzzle, int* hintsUsed) {
    LoadSolverGrid(Grid(puzzle), PlayBoard);
    ResetPossibles();
    EliminatePossibles();
    int count = 0;
    while (ApplyHint() && count < 1000) ++count;
    *hintsUsed = count;
    return FormatGrid(GridFromBoard(PlayBoard));
}

TEST_F(HintTest, HintsSolveAnEasyPuzzleToTheEnd) {
    const EdgeCase easy = EdgeCases()[0];
    int used = 0;
    EXPECT_EQ(SolveByHints(easy.grid, &used), kSolvedGrid);
    EXPECT_STREQ(SolverState.hintText, "Puzzle is solved.");
    EXPECT_EQ(used, static_cast<int>(std::count(easy.grid.begin(), easy.grid.end(), '.')));
}

TEST_F(HintTest, HintsNeverContradictTheSolution) {
    // On hard puzzles the hints may stall, but whatever they place keeps the one solution.
    int solved = 0, stalled = 0;
    for (const std::string& puzzle : DataLines("norvig_top95.txt")) {
        int used = 0;
        const std::string reached = SolveByHints(puzzle, &used);
        const SearchResult check = CountGridSolutions(Grid(reached), false, 50'000'000);
        if (check.code == SearchTooDifficult) continue;
        EXPECT_EQ(check.code, SearchOneSolution) << puzzle << " became " << reached;
        if (reached.find('.') == std::string::npos)
            ++solved;
        else
            ++stalled;
    }
    EXPECT_GE(solved, 1);
    EXPECT_GE(stalled, 1);
}

}  // namespace
}  // namespace tessaran::test
