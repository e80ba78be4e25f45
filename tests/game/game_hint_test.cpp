// Hints in the game: levels and their cost, what Apply does, wrong boards first, the error-free
// rule and the kept count; and the reasons given for a wrong piece.
#include <gtest/gtest.h>

#include <bit>
#include <string>

#include "game/game_hint.h"
#include "game/kept_game.h"
#include "game/marks.h"
#include "game/puzzles.h"
#include "game_fixture.h"

namespace tessaran::test {
namespace {

class GameHintTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        KeepGamesOnDisk = false;
        ResetGameHints();
    }
    void TearDown() override {
        GameInPlay = false;
        GameTest::TearDown();
    }
    // A library game by its number, as the picker starts it.
    static void StartLibraryGame(int level, int index) {
        Prefs.difficulty = level;
        Prefs.fixedNumberSet = 1;
        Prefs.fixedNumber = index;
        StartNewGame();
        for (std::size_t i = 0; i < kCellCount; ++i) GivenSquares[i] = PlayBoard[i].known != 0;
        ClearUndoHistory();
        GameInPlay = true;
        ScreenState = ScreenGame;
    }
    static Cell& Square(int square) { return At(square % 9, square / 9); }
    static bool Starts(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }
};

TEST_F(GameHintTest, EachLevelCostsFiftyAndApplyPlacesWithoutPoints) {
    StartLibraryGame(LevelMedium, 41);
    ASSERT_TRUE(RequestHint());
    ASSERT_EQ(ShownHint.kind, HintKind::Step);
    EXPECT_TRUE(Starts(ShownHintText(), "Look at ")) << ShownHintText();
    EXPECT_FALSE(ApplyGameHint()) << "Apply waits for the whole explanation";
    const std::string look = ShownHintText();
    ASSERT_TRUE(RequestHint());
    EXPECT_EQ(ShownHint.level, 2);
    EXPECT_NE(ShownHintText(), look);
    ASSERT_TRUE(RequestHint());
    EXPECT_EQ(ShownHintText(), StepText(ShownHint.step, PieceNaming::Names));
    Prefs.pieceStyle = 1;  // digits only, chosen while the hint is up: it speaks in digits now
    EXPECT_EQ(ShownHintText(), StepText(ShownHint.step, PieceNaming::Digits));
    Prefs.pieceStyle = 0;
    EXPECT_FALSE(RequestHint()) << "nothing deeper, and no charge for asking";
    EXPECT_EQ(GameScore.Value(), -3 * kHintCost);
    EXPECT_EQ(HintLevelsUsed, 3);

    const LogicStep step = ShownHint.step;
    ASSERT_TRUE(ApplyGameHint());
    EXPECT_FALSE(HintOnDisplay());
    EXPECT_EQ(GameScore.Value(), -3 * kHintCost) << "an applied piece earns nothing";
    EXPECT_EQ(MistakeCount, 0);
    for (const Placement& p : step.placements) {
        EXPECT_TRUE(Square(p.square).known);
        EXPECT_EQ(Square(p.square).value, p.value);
    }

    // A new hint starts over; a change of the board retires it, and the next press starts a
    // new one at the first level.
    ASSERT_TRUE(RequestHint());
    ASSERT_TRUE(RequestHint());
    ASSERT_EQ(ShownHint.level, 2);
    for (int s = 0; s < kCellCount; ++s)
        if (!Square(s).known && Square(s).value != 1) {
            OpenCell(Square(s));
            ActOnSymbol(s % 9, s / 9, Square(s).value - 1);  // one mark, the right one
            break;
        }
    EXPECT_FALSE(HintOnDisplay());
    ASSERT_TRUE(RequestHint());
    EXPECT_EQ(ShownHint.level, 1);
    EXPECT_EQ(HintLevelsUsed, 6);
}

TEST_F(GameHintTest, WrongTrialsAndMarksAreNamedBeforeAnyLogic) {
    StartLibraryGame(LevelEasy, 4);
    int open = 0;
    while (At(open / 9, open % 9).known) ++open;  // board index
    const int column = open / 9, row = open % 9;
    const int right = At(column, row).value;
    const int wrong = right % 9 + 1;

    // Marks that leave out the square's piece.
    OpenCell(At(column, row));
    ActOnSymbol(column, row, wrong - 1);
    ASSERT_TRUE(RequestHint());
    EXPECT_EQ(ShownHint.kind, HintKind::WrongMarks);
    EXPECT_EQ(ShownHintText(), "The marks of a square in column " + std::to_string(column + 1) +
                                  " leave out the piece that belongs there.");
    ASSERT_TRUE(RequestHint());
    ASSERT_TRUE(ApplyGameHint());
    const auto candidates = DirectCandidates(PlayBoard, column, row);
    for (int k = 0; k < 9; ++k) EXPECT_EQ(At(column, row).marks[k], candidates[static_cast<std::size_t>(k)] ? 1 : 0);
    EXPECT_EQ(At(column, row).marks[right - 1], 1);

    // A wrong trial in Crystal Ball mode.
    EnterCrystalBall();
    AssignMode = true;
    ActOnSymbol(column, row, wrong - 1);
    AssignMode = false;
    ASSERT_TRUE(RequestHint());
    EXPECT_EQ(ShownHint.kind, HintKind::WrongPiece);
    EXPECT_EQ(ShownHintText(), "One of your trials in column " + std::to_string(column + 1) + " is not the solution's.");
    ASSERT_TRUE(RequestHint());
    EXPECT_NE(ShownHintText().find("(row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1) + ")"),
              std::string::npos);
    ASSERT_TRUE(ApplyGameHint());
    EXPECT_FALSE(At(column, row).known) << "the trial is taken back";

    // With a right trial the hint reasons from it, and Apply places a trial, not a piece.
    AssignMode = true;
    ActOnSymbol(column, row, right - 1);
    AssignMode = false;
    const LogicGrid shown = GridShownOnBoard();
    EXPECT_EQ(shown.values[static_cast<std::size_t>(GridIndex(column, row))], right);
    ASSERT_TRUE(RequestHint() && RequestHint() && RequestHint());
    ASSERT_EQ(ShownHint.kind, HintKind::Step);
    const LogicStep step = ShownHint.step;
    ASSERT_TRUE(ApplyGameHint());
    for (const Placement& p : step.placements) {
        EXPECT_TRUE(CrystalGuessed[static_cast<std::size_t>(CellIndex(p.square % 9, p.square / 9))]);
        EXPECT_EQ(Square(p.square).guess, p.value);
    }
    EXPECT_EQ(HintLevelsUsed, 2 + 2 + 3);
}

TEST_F(GameHintTest, ApplyRemovesMarksWritingOutUnmarkedSquaresFirst) {
    StartLibraryGame(LevelMedium, 2);
    const LogicGrid before = GridShownOnBoard();
    int marked = -1, unmarked = -1;  // logic squares with three candidates or more
    for (int s = 0; s < kCellCount && unmarked < 0; ++s) {
        if (Square(s).known || std::popcount(before.candidates[static_cast<std::size_t>(s)]) < 3) continue;
        (marked < 0 ? marked : unmarked) = s;
    }
    ASSERT_GE(unmarked, 0);
    OpenCell(Square(marked));
    // Two candidates other than the right piece, one from each square.
    auto other = [&](int s) {
        for (int v = 1; v <= 9; ++v)
            if (v != Square(s).value && ((before.candidates[static_cast<std::size_t>(s)] >> v) & 1u)) return v;
        return 0;
    };
    for (int v = 1; v <= 9; ++v)
        if ((before.candidates[static_cast<std::size_t>(marked)] >> v) & 1u) ActOnSymbol(marked % 9, marked / 9, v - 1);
    const int a = other(marked), b = other(unmarked);
    ASSERT_TRUE(a && b);

    ShownHint = GameHint{};
    ShownHint.kind = HintKind::Step;
    ShownHint.level = 3;
    ShownHint.step.technique = Technique::NakedPair;
    ShownHint.step.eliminations = {{marked, a}, {unmarked, b}};
    ShownHint.grid = GridShownOnBoard();
    ASSERT_TRUE(ApplyGameHint());
    EXPECT_EQ(Square(marked).marks[a - 1], 0);
    EXPECT_TRUE(Square(unmarked).activated);
    for (int v = 1; v <= 9; ++v)
        EXPECT_EQ(Square(unmarked).marks[v - 1],
                  v != b && ((before.candidates[static_cast<std::size_t>(unmarked)] >> v) & 1u) ? 1 : 0)
            << v;
    EXPECT_TRUE(UndoNotes()) << "one step of the undo history";
    EXPECT_FALSE(Square(unmarked).activated);
}

TEST_F(GameHintTest, HintsSpoilTheErrorFreeWinAndTravelWithTheKeptGame) {
    StartLibraryGame(LevelEasy, 9);
    Prefs.levelErrorFreeWins[LevelEasy] = 0;
    CountGameWon();
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEasy], 1);

    StartLibraryGame(LevelEasy, 9);
    EXPECT_EQ(HintLevelsUsed, 0) << "a new game starts without hints";
    ASSERT_TRUE(RequestHint());
    ScreenState = ScreenGame;
    CountGameWon();
    EXPECT_EQ(Prefs.levelErrorFreeWins[LevelEasy], 1) << "a hinted game is not error-free";

    KeptGame read;
    std::string problem;
    ASSERT_TRUE(ParseKeptGame(SerialiseKeptGame(CaptureGame()), read, problem)) << problem;
    EXPECT_EQ(read.hints, 1);
    ResetGameHints();
    InstallGame(read);
    EXPECT_EQ(HintLevelsUsed, 1);

    // A game kept before hints were counted used none.
    std::string text = SerialiseKeptGame(CaptureGame());
    const auto at = text.find("hints=");
    ASSERT_NE(at, std::string::npos);
    text.erase(at, text.find('\n', at) - at + 1);
    ASSERT_TRUE(ParseKeptGame(text, read, problem)) << problem;
    EXPECT_EQ(read.hints, 0);
}

TEST_F(GameHintTest, ChildGamesGetHintsToo) {
    StartLibraryGame(LevelChild, 5);
    ASSERT_TRUE(RequestHint() && RequestHint() && RequestHint());
    ASSERT_EQ(ShownHint.kind, HintKind::Step);
    ASSERT_EQ(ShownHint.step.placements.size(), 1u);
    const Placement p = ShownHint.step.placements[0];
    EXPECT_LT(p.square % 9, 4);
    EXPECT_LT(p.square / 9, 4);
    // The piece goes by its character's name, one of the four the Child level plays with.
    ASSERT_LE(p.value, 4);
    EXPECT_NE(ShownHintText().find(kPieceNames[p.value - 1]), std::string::npos) << ShownHintText();
    ASSERT_TRUE(ApplyGameHint());
    EXPECT_TRUE(Square(p.square).known);
}

TEST_F(GameHintTest, AWrongPieceSaysWhy) {
    Prefs.pieceStyle = 0;
    FillHiddenPuzzle();
    // Row 1 shown but for its first square; column 1 shown but for rows 1 and 2.
    for (int c = 1; c < 9; ++c) At(c, 0).known = 1;
    for (int r = 2; r < 9; ++r) At(0, r).known = 1;
    const int tupa = 4, hortense = 6;
    ASSERT_NE(SolvedSymbol(0, 0), tupa);
    int tupaColumn = 0;
    while (SolvedSymbol(tupaColumn, 0) != tupa) ++tupaColumn;
    AssignMode = true;
    ActOnSymbol(0, 0, tupa - 1);
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_EQ(WrongMoveExplanation.text, "There is already Tupa in this row.");
    EXPECT_EQ(WrongMoveExplanation.flashSquare, GridIndex(tupaColumn, 0));

    // No clash at (column 1, row 2), but the row-1 square above can only take one piece, and a
    // piece that is the only one left for a square rules itself out of its neighbours.
    const int above = SolvedSymbol(0, 0);
    const WrongMoveNote note = ExplainWrongMove(0, 1, above);
    EXPECT_EQ(note.flashSquare, -1);
    EXPECT_EQ(note.text.rfind(std::string(kPieceNames[above - 1]) + " cannot go here: ", 0), 0u) << note.text;

    // With digits only, pieces are named by their digits.
    Prefs.pieceStyle = 1;
    const int other = above == hortense ? tupa : hortense;
    ActOnSymbol(0, 0, other - 1);
    EXPECT_EQ(WrongMoveExplanation.text, "There is already a " + std::to_string(other) + " in this row.");

    // An empty board rules nothing out.
    ClearBoard(PlayBoard);
    FillHiddenPuzzle();
    EXPECT_EQ(ExplainWrongMove(4, 4, 8).text, "Putting an 8 here leads to a contradiction later.");
}

}  // namespace
}  // namespace tessaran::test
