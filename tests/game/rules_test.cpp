// Moves, scoring, Crystal Ball, falling pieces and the win, on crafted boards.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <tuple>

#include "game/random.h"
#include "game_fixture.h"

namespace tessaran::test {
namespace {

using RulesTest = GameTest;

// Field by field: padding bytes are not part of a board.
bool SameBoard(const Board& a, const Board& b) {
    for (int i = 0; i < kCellCount; ++i) {
        const Cell& x = a[static_cast<std::size_t>(i)];
        const Cell& y = b[static_cast<std::size_t>(i)];
        if (x.value != y.value || x.guess != y.guess || x.row != y.row || x.column != y.column ||
            x.section != y.section || std::memcmp(x.possible, y.possible, sizeof x.possible) != 0 ||
            std::memcmp(x.marks, y.marks, sizeof x.marks) != 0 || x.activated != y.activated ||
            x.known != y.known || x.flip != y.flip)
            return false;
    }
    return true;
}

int FallingCount() {
    return static_cast<int>(std::count_if(FallingPieces.begin(), FallingPieces.end(),
                                          [](const FallingPiece& p) { return p.inUse; }));
}

// ---- Score ---------------------------------------------------------------------------------

TEST_F(RulesTest, ScoreGoesNegativeClampsAndResistsPokes) {
    AddToScore(100);
    AddToScore(-500);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(LastAward, -500);

    // A score that cannot grow further stops at the limit instead of wrapping round.
    AddToScore(std::numeric_limits<int32_t>::max());
    AddToScore(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(GameScore.Value(), std::numeric_limits<int32_t>::max());
    ResetGameScore();
    AddToScore(std::numeric_limits<int32_t>::min());
    AddToScore(-500);
    EXPECT_EQ(GameScore.Value(), std::numeric_limits<int32_t>::min());

    // The guarded store: poking its bytes cannot change the score.
    ResetGameScore();
    AddToScore(123456);
    auto* bytes = reinterpret_cast<unsigned char*>(&GameScore);
    const std::size_t size = sizeof(ScoreStore);

    // The plain score is nowhere in the store, so a memory search for it finds nothing.
    const int32_t plain = 123456;
    for (std::size_t at = 0; at + 4 <= size; ++at) EXPECT_NE(std::memcmp(bytes + at, &plain, 4), 0) << at;

    // Any single changed byte: the score reads as before, and the next award carries on from it.
    for (std::size_t at = 0; at < size; ++at) {
        bytes[at] ^= 0x5a;
        EXPECT_EQ(GameScore.Value(), 123456) << "byte " << at;
        bytes[at] ^= 0x5a;
    }
    bytes[4] ^= 0x01;
    EXPECT_FALSE(GameScore.Intact());
    AddToScore(100);
    EXPECT_EQ(GameScore.Value(), 123556);
    EXPECT_TRUE(GameScore.Intact());

    // A wholesale overwrite (a poke of both copies) reads as no score at all, never as the poked value.
    std::memset(bytes, 0x7f, size);
    EXPECT_EQ(GameScore.Value(), 0);
    AddToScore(-500);
    EXPECT_EQ(GameScore.Value(), -500);
    EXPECT_TRUE(GameScore.Intact());
}

// ---- Opening and marking -------------------------------------------------------------------

TEST_F(RulesTest, OpeningAndMarkingNeverScore) {
    OpenCell(At(2, 2));
    EXPECT_EQ(At(2, 2).activated, 1);
    Prefs.startAllMarked = 1;
    OpenCell(At(3, 3));
    for (uint8_t m : At(3, 3).marks) EXPECT_EQ(m, 1);
    At(4, 4).known = 1;  // open or known squares are not opened again
    OpenCell(At(4, 4));
    OpenCell(At(2, 2));
    EXPECT_EQ(At(4, 4).activated, 0);
    EXPECT_EQ(At(2, 2).marks[0], 0);
    EXPECT_EQ(PlayedSounds().size(), 2u);

    FillHiddenPuzzle();
    ActOnSymbol(2, 2, 4);
    EXPECT_EQ(At(2, 2).marks[4], 1);
    ActOnSymbol(2, 2, 4);
    EXPECT_EQ(At(2, 2).marks[4], 0);
    ActOnSymbol(2, 2, At(2, 2).value - 1);
    EXPECT_EQ(At(2, 2).known, 0);
    EXPECT_EQ(GameScore.Value() | MistakeCount | LastAward, 0);
    EXPECT_FALSE(CrystalGuessed[CellIndex(2, 2)]);
}

TEST_F(RulesTest, RightAndWrongAssignments) {
    FillHiddenPuzzle();
    Cell& cell = At(5, 7);
    cell.activated = 1;
    cell.marks[2] = 1;
    AssignMode = true;
    const int wrong = cell.value % 9;  // slot of the next symbol, never the right one
    ActOnSymbol(5, 7, wrong);
    EXPECT_EQ(GameScore.Value(), -500);
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_EQ(cell.known * 4 + cell.activated * 2 + cell.marks[2], 3);
    ASSERT_TRUE(FallingPieces[0].inUse);
    EXPECT_EQ(FallingPieces[0].symbol, wrong + 1);
    EXPECT_FLOAT_EQ(FallingPieces[0].x, 5.0f);
    EXPECT_FLOAT_EQ(FallingPieces[0].y, 7.0f);

    ActOnSymbol(5, 7, cell.value - 1);
    EXPECT_EQ(cell.known, 1);
    EXPECT_EQ(cell.activated, 0);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(LastAward, 100);
    EXPECT_EQ(PlayedSounds(), (std::vector<int>{SoundBadMove, SoundGoodMove}));

    // The same square again, a given, a square off the grid: none is a move.
    ActOnSymbol(5, 7, cell.value - 1);
    At(0, 0).known = 1;
    ActOnSymbol(0, 0, (At(0, 0).value % 9));
    for (auto [c, r, slot] : {std::tuple{9, 0, 0}, {-1, 3, 0}, {2, 2, 9}, {2, 2, -1}}) ActOnSymbol(c, r, slot);
    EXPECT_EQ(GameScore.Value(), -400);
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_EQ(PlayedSounds().size(), 2u);
}

TEST_F(RulesTest, ChildLevelActsOnlyOnItsGridAndFourSymbols) {
    Prefs.difficulty = LevelChild;
    At(1, 1).value = 2;
    At(4, 0).value = 2;
    AssignMode = true;
    ActOnSymbol(1, 1, 6);  // a flipped number row names symbol 7, which a 4 x 4 grid never holds
    ActOnSymbol(4, 0, 1);
    EXPECT_EQ(GameScore.Value(), 0);
    EXPECT_EQ(FallingCount(), 0);
    ActOnSymbol(1, 1, 0);
    ASSERT_EQ(FallingCount(), 1);
    EXPECT_FLOAT_EQ(FallingPieces[0].x, 3.5f);
    EXPECT_FLOAT_EQ(FallingPieces[0].y, 3.5f);
    ActOnSymbol(1, 1, 1);
    EXPECT_EQ(GameScore.Value(), -400);
}

TEST_F(RulesTest, SolverScreenEntersAndErasesValuesInstead) {
    ScreenState = ScreenSolver;
    AssignMode = true;
    ActOnSymbol(2, 3, 4);
    EXPECT_EQ(At(2, 3).known, 1);
    EXPECT_EQ(At(2, 3).value, 5);
    ActOnSymbol(2, 3, 4);  // a known square is erased, not judged
    EXPECT_EQ(At(2, 3).known, 0);
    EXPECT_EQ(GameScore.Value() | MistakeCount | FallingCount(), 0);
}

// ---- Crystal Ball --------------------------------------------------------------------------

TEST_F(RulesTest, CommitWithMixedTrials) {
    FillHiddenPuzzle();
    for (int c = 0; c < 4; ++c) At(c, 0).activated = At(c, 0).marks[c] = 1;
    At(8, 8).marks[8] = 1;  // untouched: keeps its mark whatever happens
    EnterCrystalBall();
    CrystalWobbleX = 0.4f;
    CrystalWobbleY = 0.2f;

    AssignMode = true;
    ActOnSymbol(0, 0, At(0, 0).value - 1);  // right
    ActOnSymbol(1, 0, At(1, 0).value - 1);  // right
    ActOnSymbol(2, 0, At(2, 0).value % 9);  // wrong
    AssignMode = false;
    ActOnSymbol(3, 0, 5);                    // only marked
    EXPECT_EQ(GameScore.Value(), 0) << "trials are not judged";
    EXPECT_EQ(FallingCount(), 0);
    PlayedSounds().clear();

    CommitCrystalBall();
    EXPECT_FALSE(CrystalBallActive);
    EXPECT_EQ(CrystalWobbleX + CrystalWobbleY, 0.0f);
    EXPECT_EQ(GameScore.Value(), 200 - 500);
    EXPECT_EQ(LastAward, -500) << "the loss is one award after the two gains";
    EXPECT_EQ(MistakeCount, 0);
    EXPECT_EQ(PlayedSounds(), (std::vector<int>{SoundArgh}));
    EXPECT_EQ(At(0, 0).known + At(1, 0).known, 2);
    EXPECT_EQ(At(2, 0).known + At(2, 0).activated, 0);
    ASSERT_EQ(FallingCount(), 1);
    EXPECT_EQ(FallingPieces[0].symbol, At(2, 0).value % 9 + 1);
    EXPECT_FLOAT_EQ(FallingPieces[0].x, 2.0f);
    EXPECT_FLOAT_EQ(FallingPieces[0].y, 0.0f);
    // Marks go from every touched square that ends up without a piece.
    for (int c : {2, 3})
        for (uint8_t m : At(c, 0).marks) EXPECT_EQ(m, 0) << c;
    EXPECT_EQ(At(0, 0).marks[0], 1);
    EXPECT_EQ(At(8, 8).marks[8], 1);
    CommitCrystalBall();  // outside the mode: judges nothing
    EXPECT_EQ(GameScore.Value(), -300);
}

TEST_F(RulesTest, CancelRestoresMarksAndOpenedSquaresExactly) {
    FillHiddenPuzzle();
    At(0, 0).activated = 1;
    At(0, 0).marks[3] = 1;
    At(1, 0).known = 1;
    AddToScore(100);
    const Board before = PlayBoard;

    EnterCrystalBall();
    EXPECT_EQ(PlayedSounds().back(), SoundCrystal);
    OpenCell(At(7, 7));
    ActOnSymbol(0, 0, 3);
    ActOnSymbol(0, 0, 5);
    AssignMode = true;
    ActOnSymbol(7, 7, 0);
    ActOnSymbol(0, 0, At(0, 0).value - 1);
    EnterCrystalBall();  // a second click on the way in must not overwrite the backup
    LeaveCrystalBall();

    EXPECT_FALSE(CrystalBallActive);
    EXPECT_TRUE(SameBoard(PlayBoard, before));
    EXPECT_EQ(PlayedSounds().back(), SoundCrystalOver);
    EXPECT_EQ(GameScore.Value(), 100);

    // Leaving when the mode is off restores nothing.
    At(5, 5).activated = 1;
    LeaveCrystalBall();
    EXPECT_EQ(At(5, 5).activated, 1);
}

TEST_F(RulesTest, WinNeedsACommittedFullBoard) {
    FillHiddenPuzzle();
    for (Cell& cell : PlayBoard) cell.known = 1;
    At(3, 3).known = 0;
    At(3, 3).activated = 1;
    EnterCrystalBall();
    AssignMode = true;
    ActOnSymbol(3, 3, At(3, 3).value - 1);
    EXPECT_FALSE(CheckCompletion());
    EXPECT_EQ(ScreenState, ScreenGame);

    CommitCrystalBall();
    EXPECT_TRUE(CheckCompletion());
    EXPECT_EQ(ScreenState, ScreenGameOver);
    EXPECT_EQ(PlayedSounds().back(), SoundGameWon);
    // The summary is now on top: later frames do not count the win again.
    EXPECT_FALSE(CheckCompletion());
    EXPECT_EQ(Prefs.levelErrorFreeWins[Prefs.difficulty], 1);

    // The Child level needs only its sixteen squares.
    ClearBoard(PlayBoard);
    Prefs.difficulty = LevelChild;
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) At(c, r).known = 1;
    ScreenState = ScreenSolver;
    EXPECT_FALSE(CheckCompletion()) << "only a game in progress is won";
    ScreenState = ScreenGame;
    EXPECT_TRUE(CheckCompletion());

    Prefs.difficulty = LevelEasy;
    ScreenState = ScreenGame;
    EXPECT_FALSE(CheckCompletion());
}

// ---- Falling pieces ------------------------------------------------------------------------

TEST_F(RulesTest, AllSlotsBusyDropsThePieceButNotTheScore) {
    FillHiddenPuzzle();
    for (int i = 0; i < kCellCount; ++i) SpawnFallingPiece(0, 0, 1);
    EXPECT_EQ(FallingCount(), kCellCount);
    const uint32_t state = RandomState();
    SpawnFallingPiece(1, 1, 2);
    EXPECT_EQ(RandomState(), state);
    AssignMode = true;
    ActOnSymbol(4, 4, At(4, 4).value % 9);
    EXPECT_EQ(GameScore.Value(), -500);
    EXPECT_EQ(MistakeCount, 1);
    EXPECT_EQ(PlayedSounds(), (std::vector<int>{SoundBadMove}));
}

}  // namespace
}  // namespace tessaran::test
