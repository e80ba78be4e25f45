// The keyboard focus without a window: the ring's order on real screen layouts, the arrows on a
// grid, an open menu keeping the keyboard, and what happens to a focus whose widget goes away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/focus.h"

namespace tessaran {
namespace {

struct Box {
    const char* name;
    float x, y, w, h;
    bool modal = false, preferred = false;
};

FocusItem ItemOf(const Box& b) {
    FocusItem item;
    item.id = MakeFocusId(1, b.name, b.x, b.y);
    item.rect = {b.x, b.y, b.x + b.w, b.y + b.h};
    item.modal = b.modal;
    item.preferred = b.preferred;
    return item;
}

// One frame of a screen whose widgets are `boxes`, drawn in the given order; returns the name of
// the widget the ring is on after the frame, and which widget a pending press reached.
std::string Frame(const std::vector<Box>& boxes, std::string* pressed = nullptr) {
    BeginFocusFrame();
    for (const Box& b : boxes) {
        const FocusItem item = ItemOf(b);
        FocusWidget(item);
        if (FocusPressed(item.id) && pressed) *pressed = b.name;
    }
    EndFocusFrame();
    for (const Box& b : boxes)
        if (ItemOf(b).id == WidgetFocus.focused) return b.name;
    return "";
}

std::string Move(const std::vector<Box>& boxes, FocusMove move) {
    RequestFocusMove(move);
    return Frame(boxes);
}

class FocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        WidgetFocus = FocusState{};
        ResetFocusForScreen(true);
    }
};

// The main screen as drawn: its buttons first, then the score panel's, then the menu titles.
const std::vector<Box> kMainScreen = {
    {"New Puzzle", 80, 24, 12, 5},    {"Game Preferences", 77, 38, 21, 5}, {"Help", 79, 45, 6, 5},
    {"Solver", 87, 45, 9, 5},         {"About Tessaran", 81, 52, 15, 5},  {"Show My Scores", 29, 4, 18, 5},
    {"Clear These Scores", 51.5f, 4, 22, 5}, {"Difficulty", 76, 31, 12, 5}, {"Player", 4, 4.5f, 9, 5},
};

TEST_F(FocusTest, TabVisitsTheWidgetsInReadingOrderWhateverOrderTheyWereDrawnIn) {
    Frame(kMainScreen);
    EXPECT_EQ(WidgetFocus.focused, 0u) << "no ring until Tab";
    const std::vector<std::string> expected = {"Player", "Show My Scores", "Clear These Scores", "New Puzzle",
                                               "Difficulty", "Game Preferences", "Help", "Solver",
                                               "About Tessaran", "Player"};
    for (const std::string& name : expected) EXPECT_EQ(Move(kMainScreen, FocusMove::Next), name);
    EXPECT_EQ(Move(kMainScreen, FocusMove::Previous), "About Tessaran") << "Shift+Tab wraps back";
    EXPECT_EQ(Move(kMainScreen, FocusMove::Up), "Solver") << "the nearest above, not the previous in the ring";
}

TEST_F(FocusTest, ArrowsWalkThePickersGridAndWrapAtTheEndsOfRows) {
    std::vector<Box> page;
    std::vector<std::string> labels;
    for (int k = 0; k < 200; ++k) labels.push_back(std::to_string(k + 1));
    for (int k = 0; k < 200; ++k)
        page.push_back({labels[static_cast<std::size_t>(k)].c_str(), 5 + 4.5f * static_cast<float>(k % 20),
                        15 + 6 * static_cast<float>(k / 20), 3, 4});
    page.push_back({"Random", 29, 90, 8, 4});
    page.push_back({"Cancel", 60, 90, 8, 4});

    struct Step {
        FocusMove move;
        const char* expected;
    };
    const Step steps[] = {
        {FocusMove::Next, "1"},     {FocusMove::Right, "2"},  {FocusMove::Down, "22"},  {FocusMove::Left, "21"},
        {FocusMove::Left, "20"},    {FocusMove::Right, "21"}, {FocusMove::Up, "1"},     {FocusMove::Up, "Cancel"},
        {FocusMove::Left, "Random"}, {FocusMove::Up, "187"},  {FocusMove::Previous, "186"},
    };
    Frame(page);
    for (const Step& s : steps) EXPECT_EQ(Move(page, s.move), s.expected);
}

TEST_F(FocusTest, AnOpenMenuKeepsTheKeyboardAndGivesItBackToItsTitle) {
    Frame(kMainScreen);
    Move(kMainScreen, FocusMove::Next);
    for (int i = 0; i < 4; ++i) Move(kMainScreen, FocusMove::Next);
    ASSERT_EQ(Frame(kMainScreen), "Difficulty");

    std::vector<Box> open = kMainScreen;
    const char* levels[] = {"Child", "Easy", "Medium", "Hard", "Evil"};
    for (int i = 0; i < 5; ++i)
        open.push_back({levels[i], 76, 37.7f + 4 * static_cast<float>(i), 8, 4, true, i == 2});
    EXPECT_EQ(Frame(open), "Medium") << "lands on the level in play";
    EXPECT_EQ(Move(open, FocusMove::Down), "Hard");
    EXPECT_EQ(Move(open, FocusMove::Down), "Evil");
    EXPECT_EQ(Move(open, FocusMove::Down), "Child") << "the list wraps; the buttons under it are out of reach";
    EXPECT_EQ(Move(open, FocusMove::Next), "Easy");

    RequestFocusPress();
    std::string pressed;
    Frame(open, &pressed);
    EXPECT_EQ(pressed, "Easy");
    EXPECT_EQ(Frame(kMainScreen), "Difficulty") << "the closed menu's title has the ring again";
}

TEST_F(FocusTest, AFocusWhoseWidgetChangesMovesToItsSuccessorAndAPressIsNeverKept) {
    const std::vector<Box> showing = {{"Change Symbols", 78, 9, 18, 4}, {"Hide Possibles", 78, 15, 18, 4},
                                      {"Return to Main Screen", 76, 33, 22, 4}};
    const std::vector<Box> hidden = {{"Change Symbols", 78, 9, 18, 4}, {"Show Possibles", 77.5f, 15, 19, 4},
                                     {"Return to Main Screen", 76, 33, 22, 4}};
    Frame(showing);
    Move(showing, FocusMove::Next);
    EXPECT_EQ(Move(showing, FocusMove::Next), "Hide Possibles");
    EXPECT_EQ(Frame(hidden), "Show Possibles") << "the relabelled button keeps the ring";

    RequestFocusPress();
    Frame({});  // a frame without the widget: the press lapses
    std::string pressed;
    Frame(hidden, &pressed);
    EXPECT_EQ(pressed, "");

    RequestFocusBack();
    BeginFocusFrame();
    EXPECT_TRUE(FocusBackPressed());
    EXPECT_FALSE(FocusBackPressed()) << "one Esc, one back-out";
    EndFocusFrame();

    HideFocusRing();  // a click
    EXPECT_FALSE(RequestFocusPress()) << "Enter and Space go on to the screen";
    RequestFocusMove(FocusMove::Down);
    EXPECT_EQ(Frame(hidden), "") << "arrows alone never show the ring";
}

// Keys typed faster than frames: Tab, Tab, Enter, Esc press the widget two along, then back out.
TEST_F(FocusTest, KeysFasterThanFramesActInTheOrderTyped) {
    Frame(kMainScreen);
    RequestFocusMove(FocusMove::Next);
    RequestFocusMove(FocusMove::Next);
    EXPECT_TRUE(RequestFocusPress()) << "taken: the ring is on its way";
    RequestFocusBack();
    std::string pressed;
    EXPECT_EQ(Frame(kMainScreen, &pressed), "Show My Scores");
    EXPECT_EQ(pressed, "") << "the press waits for the frame that shows where the ring went";
    Frame(kMainScreen, &pressed);
    EXPECT_EQ(pressed, "Show My Scores") << "the press, one frame later";
    BeginFocusFrame();
    EXPECT_TRUE(FocusBackPressed());
    EndFocusFrame();
}

TEST_F(FocusTest, ANewScreenPutsAShownRingOnItsPreferredWidgetOnlyFromItsFirstWholeFrame) {
    const std::vector<Box> question = {{"Yes", 31, 48, 5, 4}, {"No", 42, 48, 4, 4, false, true}};
    Frame(kMainScreen);
    Move(kMainScreen, FocusMove::Next);
    BeginFocusFrame();
    FocusWidget(ItemOf(kMainScreen[0]));
    ResetFocusForScreen(true);  // "Clear These Scores" opened the question mid-frame
    EXPECT_FALSE(FocusWidget(ItemOf(kMainScreen[1])));
    EndFocusFrame();
    EXPECT_EQ(WidgetFocus.focused, 0u);
    EXPECT_EQ(Frame(question), "No");

    ResetFocusForScreen(false);  // a game: the ring waits for Tab
    EXPECT_EQ(Frame(question), "");
    EXPECT_EQ(Move(question, FocusMove::Next), "Yes");
}

}  // namespace
}  // namespace tessaran
