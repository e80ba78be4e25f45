// Pencil-mark helpers against a plain model built from the board's units: matching pieces,
// clashing trials, filled marks and the marks a right placement clears.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <random>
#include <vector>

#include "game/kept_game.h"
#include "game/marks.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "game/undo.h"
#include "game_fixture.h"
#include "profile/mark_settings.h"
#include "support/temp_home.h"

namespace tessaran::test {
namespace {

// The model: what each square shows, and the rows, columns and sections as lists of squares.
struct Model {
    int side;
    std::vector<int> shown;               // by CellIndex; 0 = nothing shown
    std::vector<std::vector<int>> units;  // each a list of CellIndex

    Model() : side(BoardSideInUse()), shown(kCellCount, 0) {
        const int box = side == 9 ? 3 : 2;
        for (int i = 0; i < side; ++i) {
            std::vector<int> row, column, section;
            for (int j = 0; j < side; ++j) {
                row.push_back(CellIndex(j, i));
                column.push_back(CellIndex(i, j));
                section.push_back(CellIndex(i % box * box + j % box, i / box * box + j / box));
            }
            units.insert(units.end(), {row, column, section});
        }
        for (const auto& unit : units)
            for (int i : unit) {
                const Cell& cell = PlayBoard[static_cast<std::size_t>(i)];
                if (cell.known) shown[i] = CrystalBallActive && CrystalGuessed[i] ? cell.guess : cell.value;
            }
    }
    bool Peers(int a, int b) const {
        for (const auto& unit : units)
            if (std::count(unit.begin(), unit.end(), a) && std::count(unit.begin(), unit.end(), b)) return true;
        return false;
    }
    bool InGrid(int i) const { return i / 9 < side && i % 9 < side; }
};

using MarksTest = GameTest;

// A solved grid with about a third shown, some squares opened with random marks, and in Crystal
// Ball mode a few trials, some of them wrong.
void RandomBoard(std::mt19937& random, bool crystal) {
    FillHiddenPuzzle();
    for (Cell& cell : PlayBoard) {
        cell.known = random() % 3 == 0;
        cell.activated = !cell.known && random() % 2;
        for (uint8_t& m : cell.marks) m = cell.activated && random() % 2;
    }
    if (!crystal) return;
    EnterCrystalBall();
    AssignMode = true;
    for (int n = 0; n < 12; ++n) {
        const int c = static_cast<int>(random() % 9), r = static_cast<int>(random() % 9);
        ActOnSymbol(c, r, static_cast<int>(random() % 9));
    }
    AssignMode = false;
}

TEST_F(MarksTest, MatchesAndClashesFollowWhatTheBoardShowsNeverTheSolution) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    for (int round = 0; round < 40; ++round) {
        SetUp();
        Prefs.difficulty = round % 4 >= 2 ? LevelChild : LevelHard;  // Child: 2 x 2 sections, the corner only
        RandomBoard(random, round % 2 == 1);
        const Model model;
        SquareSet clash;
        for (int a = 0; a < kCellCount; ++a)
            for (int b = 0; b < kCellCount; ++b)
                if (a != b && CrystalGuessed[a] && model.shown[a] && model.shown[a] == model.shown[b] && model.Peers(a, b))
                    clash.set(a);
        ASSERT_EQ(ConflictingTrials(PlayBoard), CrystalBallActive ? clash : SquareSet{}) << "seed " << seed;
        for (int at = 0; at < kCellCount; ++at) {
            SquareSet same;
            for (int i = 0; i < kCellCount; ++i) same[i] = model.shown[at] && model.shown[i] == model.shown[at];
            ASSERT_EQ(MatchingSquares(PlayBoard, at / 9, at % 9), same) << "seed " << seed << " square " << at;
        }
        // Hidden squares may hold anything: nothing here may read them.
        const SquareSet before = ConflictingTrials(PlayBoard);
        const SquareSet matchBefore = MatchingSquares(PlayBoard, round % 9, round / 9);
        for (int i = 0; i < kCellCount; ++i)
            if (!PlayBoard[i].known || (CrystalBallActive && CrystalGuessed[i])) PlayBoard[i].value = 1;
        ASSERT_EQ(ConflictingTrials(PlayBoard), before) << "seed " << seed;
        ASSERT_EQ(MatchingSquares(PlayBoard, round % 9, round / 9), matchBefore) << "seed " << seed;
    }
    SetUp();
    EXPECT_TRUE(MatchingSquares(PlayBoard, 9, 0).none() && MatchingSquares(PlayBoard, -1, 3).none());
}

TEST_F(MarksTest, FillMarksEveryEmptySquareWithItsDirectCandidatesForFree) {
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    for (int round = 0; round < 20; ++round) {
        SetUp();
        Prefs.difficulty = round % 4 == 3 ? LevelChild : LevelHard;
        RandomBoard(random, round % 2 == 1);
        const Model model;
        const Board before = PlayBoard;
        const bool crystal = CrystalBallActive;
        const auto touchedBefore = CrystalGuessed;
        PlayedSounds().clear();
        ASSERT_TRUE(FillMarks()) << "seed " << seed;
        for (int i = 0; i < kCellCount; ++i) {
            const Cell &cell = PlayBoard[i], &old = before[i];
            if (!model.InGrid(i) || old.known) {
                ASSERT_EQ(std::memcmp(&cell, &old, sizeof cell), 0) << "seed " << seed << " square " << i;
                continue;
            }
            ASSERT_TRUE(cell.activated);
            for (int k = 0; k < 9; ++k) {
                bool open = k < model.side;
                for (int j = 0; j < kCellCount; ++j) open = open && !(j != i && model.Peers(i, j) && model.shown[j] == k + 1);
                ASSERT_EQ(cell.marks[k], open) << "seed " << seed << " square " << i << " symbol " << k + 1;
            }
            const bool changed = !old.activated || std::memcmp(cell.marks, old.marks, sizeof cell.marks) != 0;
            ASSERT_EQ(CrystalGuessed[i], touchedBefore[i] || (crystal && changed)) << "changed squares are trials' company";
        }
        EXPECT_EQ(PlayedSounds(), std::vector<int>{SoundPop});
        EXPECT_EQ(GameScore.Value() + MistakeCount + LastAward, 0);
        EXPECT_FALSE(FillMarks()) << "a second fill has nothing left to do";
        EXPECT_EQ(PlayedSounds().size(), 1u);
    }
}

// What the kept game on disk (and so tessaran-cli game-dump) holds after a fill and a right
// placement that cleaned its units.
TEST_F(MarksTest, TheKeptGameHoldsFilledAndCleanedMarks) {
    const std::string folder = MakeTempFolder("tessaran-marks");
    PrefPath = folder + "/prefs.10W";
    SetClockOverrides(nullptr, [] { return int64_t{1'000'000}; });
    KeepGamesOnDisk = true;
    MarkOptions.autoRemoveMarks = true;
    Prefs.difficulty = LevelMedium;
    srand(5);
    StartNewGame();
    BeginKeptGame();
    ASSERT_TRUE(FillMarks());
    int hidden = 0;
    while (PlayBoard[hidden].known) ++hidden;
    const int symbol = PlayBoard[hidden].value;
    BeginUndoStep();  // as the game brackets every action
    AssignMode = true;
    ActOnSymbol(hidden / 9, hidden % 9, symbol - 1);
    EndUndoStep();
    KeptGame kept;
    std::string problem;
    ASSERT_TRUE(LoadKeptGameFile(kept, problem)) << problem;
    for (int i = 0; i < kCellCount; ++i) {
        const Cell& cell = PlayBoard[i];
        ASSERT_TRUE(std::equal(kept.cells[i].marks.begin(), kept.cells[i].marks.end(), cell.marks)) << i;
        if (!cell.known && SameUnit(hidden / 9, hidden % 9, i / 9, i % 9)) {
            ASSERT_EQ(cell.marks[symbol - 1], 0) << i;
        }
    }
    EndGameInPlay();
    KeepGamesOnDisk = false;
    PrefPath.clear();
    RemoveTree(folder);
}

TEST_F(MarksTest, OneUndoTakesAWholeFillBack) {
    std::mt19937 random(7);
    RandomBoard(random, false);
    const Board before = PlayBoard;
    ClearUndoHistory();
    GameInPlay = true;
    ASSERT_TRUE(FillMarks());
    EXPECT_EQ(History.done.size(), 1u);
    ASSERT_TRUE(UndoNotes());
    GameInPlay = false;
    EXPECT_FALSE(CanUndo());
    for (int i = 0; i < kCellCount; ++i)
        ASSERT_EQ(std::memcmp(&PlayBoard[i], &before[i], sizeof(Cell)), 0) << i;
    ClearUndoHistory();
}

TEST_F(MarksTest, ARightPlacementClearsItsMarkFromItsThreeUnitsOnlyWhenAsked) {
    FillHiddenPuzzle();
    const auto open = [] {
        for (Cell& cell : PlayBoard) {
            cell.known = 0;
            cell.activated = 1;
            std::memset(cell.marks, 1, sizeof cell.marks);
        }
        At(4, 8).activated = 0;  // a closed square keeps whatever it holds
    };
    const auto marksOf = [](int symbol) {
        SquareSet set;
        for (int i = 0; i < kCellCount; ++i) set[i] = PlayBoard[i].marks[symbol - 1];
        return set;
    };
    const int v = At(4, 4).value;
    AssignMode = true;
    for (bool on : {false, true}) {
        open();
        MarkOptions.autoRemoveMarks = on;
        ActOnSymbol(4, 4, v % 9);  // wrong: no removal, whatever the setting
        EXPECT_EQ(marksOf(v).count() + marksOf(v % 9 + 1).count(), 162u);
        ActOnSymbol(4, 4, v - 1);
        SquareSet expected;
        for (int i = 0; i < kCellCount; ++i) expected[i] = !(on && SameUnit(4, 4, i / 9, i % 9) && i != CellIndex(4, 8) && i != CellIndex(4, 4));
        EXPECT_EQ(marksOf(v), expected) << on;
        EXPECT_EQ(marksOf(v % 9 + 1).count(), 81u) << "other pieces keep their marks";
    }

    // Trials are not judged: no removal until a commit finds one right.
    open();
    EnterCrystalBall();
    ActOnSymbol(0, 0, At(0, 0).value - 1);
    ActOnSymbol(1, 0, At(1, 0).value % 9);
    EXPECT_EQ(marksOf(At(0, 0).value).count(), 81u);
    CommitCrystalBall();
    EXPECT_FALSE(marksOf(At(0, 0).value)[CellIndex(0, 8)]);
}

}  // namespace
}  // namespace tessaran::test
