// Line breaking, help page navigation, the example boards built from the demonstration puzzle,
// and the quick help's choices.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/game_fixture.h"
#include "game/puzzles.h"
#include "shell/input_state.h"
#include "solver/help.h"

namespace tessaran::test {
namespace {

// One unit per character, so widths can be counted by eye.
float Chars(const std::string& s) { return static_cast<float>(s.size()); }

std::vector<std::string> Wrap(const std::string& text, float width) { return WrapTextLines(text, width, Chars); }

TEST(WrapText, AtSignAlwaysBreaksAndAtSpaceAtLeavesAnEmptyLine) {
    EXPECT_EQ(Wrap("One@Two", 100), (std::vector<std::string>{"One", "Two"}));
    EXPECT_EQ(Wrap("Rule 1.@ @To play", 100), (std::vector<std::string>{"Rule 1.", " ", "To play"}));
    EXPECT_EQ(Wrap("", 100), (std::vector<std::string>{""}));
    EXPECT_EQ(Wrap("end@", 100), (std::vector<std::string>{"end", ""}));
}

TEST(WrapText, ALineBreaksWhenItReachesTheWidthAndTheLastWordMovesWhole) {
    // "one two" is 7 wide: at width 7 it is already too wide, at 8 it fits.
    EXPECT_EQ(Wrap("one two three", 7), (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(Wrap("one two three", 8), (std::vector<std::string>{"one two", "three"}));
    // A break at one of two spaces does not start the next line with the other.
    EXPECT_EQ(Wrap("Stop.  Go on", 6), (std::vector<std::string>{"Stop.", "Go on"}));
}

TEST(WrapText, AWordWiderThanTheColumnIsBrokenWhereItOverflows) {
    EXPECT_EQ(Wrap("abcdefghij", 4), (std::vector<std::string>{"abc", "def", "ghi", "j"}));
    EXPECT_EQ(Wrap("go abcdefghij", 5), (std::vector<std::string>{"go", "abcd", "efgh", "ij"}));
    // A column narrower than one character still makes progress, one character a line.
    EXPECT_EQ(Wrap("abc", 0.5f), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(WrapText, EveryTextKeepsItsWordsInOrderWithinTheColumn) {
    std::vector<std::string> texts{QuickHelpText, QuickHelpChildText};
    for (const HelpPageText& page : HelpPages) texts.emplace_back(page.text);
    texts.emplace_back(std::string(700, 'x') + " " + std::string(300, 'y'));  // far beyond any buffer
    for (const std::string& text : texts) {
        for (const float width : {12.0f, 37.0f, 70.0f}) {
            const std::vector<std::string> lines = Wrap(text, width);
            std::string words, joined;
            for (char c : text) words += c == '@' ? ' ' : c;
            for (const std::string& line : lines) {
                EXPECT_LT(Chars(line), width) << line;
                joined += line + " ";
            }
            auto squeeze = [](const std::string& s) {
                std::string out;
                for (char c : s)
                    if (c != ' ') out += c;
                return out;
            };
            EXPECT_EQ(squeeze(joined), squeeze(words)) << "no character lost or added";
        }
    }
}

class HelpTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        HelpPage = 0;
        HelpPageShown = kNoHelpPageShown;
        HelpCrystalPhase = 0.0f;
        CursorColumn = CursorRow = -1;
        ScreenState = ScreenHelp;
    }

    static std::set<std::pair<int, int>> KnownSquares() {
        std::set<std::pair<int, int>> known;
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                if (At(c, r).known) known.insert({c, r});
        return known;
    }

    static std::vector<int> Marks(int column, int row) {
        std::vector<int> marks;
        for (int v = 1; v <= 9; ++v)
            if (At(column, row).marks[v - 1]) marks.push_back(v);
        return marks;
    }

    static void ShowPage(int page) {
        HelpPage = page;
        PrepareHelpExample();
    }
};

TEST_F(HelpTest, NextRunsThroughTheTenPagesAndFinishedLeavesAClearBoard) {
    for (int k = 1; k <= 9; ++k) {
        NextHelpPage();
        EXPECT_EQ(HelpPage, k);
    }
    NextHelpPage();
    EXPECT_EQ(HelpPage, 0);

    ShowPage(6);
    ASSERT_TRUE(CrystalBallActive);
    DialogKey = 27;
    LeaveHelp();
    EXPECT_EQ(ScreenState, ScreenMain);
    EXPECT_EQ(DialogKey, 0);
    EXPECT_EQ(HelpPageShown, kNoHelpPageShown);
    EXPECT_FALSE(CrystalBallActive);
    for (const Cell& cell : PlayBoard) {
        EXPECT_FALSE(cell.known);
        EXPECT_FALSE(cell.activated);
        EXPECT_EQ(cell.value, 0);
    }
    for (bool guessed : CrystalGuessed) EXPECT_FALSE(guessed);

    // Reopened, the help shows the page last read with its example rebuilt.
    ScreenState = ScreenHelp;
    PrepareHelpExample();
    EXPECT_EQ(HelpPage, 6);
    EXPECT_EQ(HelpPageShown, 6);
    EXPECT_TRUE(CrystalBallActive);
    EXPECT_EQ(At(4, 0).guess, 5);
}

TEST_F(HelpTest, RuleExamplesShowRowsColumnsAndSectionsOfTheDemonstrationPuzzle) {
    ASSERT_TRUE(LoadLevel(kDemoLibrary, 0));
    const Board demo = PlayBoard;
    auto demoValue = [&](int c, int r) { return demo[static_cast<std::size_t>(CellIndex(c, r))].value; };

    ShowPage(1);
    std::set<std::pair<int, int>> rows;
    for (int c = 0; c < 9; ++c) rows.insert({{c, 0}, {c, 2}});
    EXPECT_EQ(KnownSquares(), rows);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(At(c, 0).value, demoValue(c, 0));
        EXPECT_EQ(At(c, 0).flip, 0);
        EXPECT_EQ(At(c, 2).flip, 1);
    }

    ShowPage(2);
    std::set<std::pair<int, int>> columns;
    for (int r = 0; r < 9; ++r) columns.insert({{0, r}, {2, r}});
    EXPECT_EQ(KnownSquares(), columns);

    ShowPage(3);
    std::set<std::pair<int, int>> sections;
    for (int r = 0; r < 3; ++r)
        for (int c : {0, 1, 2, 6, 7, 8}) sections.insert({c, r});
    EXPECT_EQ(KnownSquares(), sections);

    for (int page : {0, 8}) {
        ShowPage(page);
        EXPECT_TRUE(KnownSquares().empty()) << "page " << page;
    }
    EXPECT_EQ(HelpBoardLevel(3), LevelMedium);
}

TEST_F(HelpTest, ControlPagesShowAGameInProgressThatClicksCannotChange) {
    ShowPage(4);
    std::set<std::pair<int, int>> shown{{4, 2}, {5, 1}};
    for (int c : {0, 1, 2, 6, 7, 8}) shown.insert({{c, 0}, {c, 2}});
    EXPECT_EQ(KnownSquares(), shown);
    EXPECT_EQ(CursorColumn, 4);
    EXPECT_EQ(CursorRow, 0);
    for (int c = 3; c <= 5; ++c)
        for (int r = 0; r <= 2; ++r) EXPECT_TRUE(At(c, r).activated);
    EXPECT_EQ(Marks(4, 0), (std::vector<int>{5, 7, 8}));
    EXPECT_EQ(Marks(3, 1), (std::vector<int>{1, 2, 4, 5, 7, 8, 9}));
    EXPECT_EQ(Marks(5, 2), (std::vector<int>{1, 4}));
    EXPECT_FALSE(CrystalBallActive);

    // Whatever a frame did to the example (a mark toggled, the pointer moved, a square
    // assigned), the next frame shows the page again.
    At(4, 0).marks[0] = 1;
    At(3, 1).known = 1;
    CursorColumn = 8;
    PrepareHelpExample();
    EXPECT_EQ(Marks(4, 0), (std::vector<int>{5, 7, 8}));
    EXPECT_EQ(KnownSquares(), shown);
    EXPECT_EQ(CursorColumn, 4);
}

TEST_F(HelpTest, CrystalBallPageShowsTrialsThatPulse) {
    FrameFactor = 2.0f;
    ShowPage(6);
    EXPECT_TRUE(CrystalBallActive);
    EXPECT_FLOAT_EQ(HelpCrystalPhase, 0.2f);
    EXPECT_NE(CrystalWobbleX, 0.0f);
    EXPECT_TRUE(At(4, 0).known);
    EXPECT_EQ(At(4, 0).guess, 5);
    EXPECT_TRUE(At(3, 2).known);
    EXPECT_EQ(At(3, 2).guess, 4);
    EXPECT_TRUE(CrystalGuessed[static_cast<std::size_t>(CellIndex(5, 0))]);
    EXPECT_EQ(Marks(5, 0), (std::vector<int>{7, 8}));
    PrepareHelpExample();
    EXPECT_FLOAT_EQ(HelpCrystalPhase, 0.4f);

    // The next page is built from scratch: no trial survives.
    ShowPage(7);
    EXPECT_FALSE(CrystalBallActive);
    for (bool guessed : CrystalGuessed) EXPECT_FALSE(guessed);
}

TEST_F(HelpTest, ChildPageShowsFourGivensOnTheSmallBoard) {
    ShowPage(7);
    EXPECT_EQ(HelpBoardLevel(7), LevelChild);
    EXPECT_EQ(KnownSquares(), (std::set<std::pair<int, int>>{{0, 0}, {2, 1}, {1, 2}, {3, 3}}));
    EXPECT_EQ(At(0, 0).value, 3);
    EXPECT_EQ(At(2, 1).value, 2);
    EXPECT_EQ(At(1, 2).value, 4);
    EXPECT_EQ(At(3, 3).value, 1);
}

TEST_F(HelpTest, QuickHelpChoicesStartTheGame) {
    Prefs.showHelpAtStart = 1;
    ScreenState = ScreenQuickHelp;
    QuickHelpChoice(false);
    EXPECT_EQ(ScreenState, ScreenNewGame);
    EXPECT_EQ(Prefs.showHelpAtStart, 1);
    ScreenState = ScreenQuickHelp;
    QuickHelpChoice(true);
    EXPECT_EQ(ScreenState, ScreenNewGame);
    EXPECT_EQ(Prefs.showHelpAtStart, 0);
}

}  // namespace
}  // namespace tessaran::test
