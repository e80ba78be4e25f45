// The toolkit without a window: widget hit testing (percent rectangles against board-unit
// clicks, board-unit hit regions, whole-percent hover, who takes a click), and the backdrop and
// bouncing pieces stepped at fixed frame factors (bounds, Crystal Ball green, random draws); the
// keyboard focus ring on real screen layouts, an open menu keeping the keyboard, and a focus
// whose widget goes away.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/random.h"
#include "shell/input_state.h"
#include "ui/backdrop.h"
#include "ui/focus.h"
#include "ui/widgets.h"

namespace tessaran {
namespace {

std::vector<int> Played;

class WidgetHitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Played.clear();
        SetSoundPlayer([](int n) { Played.push_back(n); });
        MouseClicked = false;
        WidgetHover = HoverState{};
    }
    void TearDown() override { SetSoundPlayer(nullptr); }
    static Widget Make(uint8_t kind, float x, float y, float w, float h) {
        return Widget{.x = x, .y = y, .width = w, .height = h, .kind = kind};
    }
};

// Buttons reach 1 % further across and, in board units, as far down: 4/3 % of the height. A
// check box's text reaches 4 % left for its box; a text item has no margin. Hover is in whole
// percent with the same margins.
TEST_F(WidgetHitTest, ButtonMarginsAndTheCheckBoxReachAreKeptToTheEdge) {
    const float down = 1.0f * kBoardPerPercentX / kBoardPerPercentY;
    const float midX = BoardXFromPercent(40), midY = BoardYFromPercent(42);
    for (uint8_t kind : {WidgetButton, WidgetArrowButton}) {
        const Widget b = Make(kind, 30, 40, 20, 4);
        EXPECT_TRUE(WidgetContainsClick(b, BoardXFromPercent(29) + 1e-4f, midY));
        EXPECT_FALSE(WidgetContainsClick(b, BoardXFromPercent(29) - 1e-3f, midY));
        EXPECT_TRUE(WidgetContainsClick(b, midX, BoardYFromPercent(44 + down) - 1e-4f));
        EXPECT_FALSE(WidgetContainsClick(b, midX, BoardYFromPercent(44 + down) + 1e-3f));
        EXPECT_TRUE(WidgetContainsPointer(b, 51, 45));
        EXPECT_FALSE(WidgetContainsPointer(b, 28, 42));
    }
    const Widget box = Make(WidgetCheckBox, 30, 40, 20, 5), item = Make(WidgetTextItem, 30, 40, 20, 5);
    EXPECT_TRUE(WidgetContainsClick(box, BoardXFromPercent(26.02f), midY));
    EXPECT_FALSE(WidgetContainsClick(box, BoardXFromPercent(25.98f), midY));
    EXPECT_FALSE(WidgetContainsClick(item, BoardXFromPercent(29.98f), midY));
    EXPECT_FALSE(WidgetContainsClick(item, midX, BoardYFromPercent(45.02f)));
    EXPECT_TRUE(WidgetContainsPointer(box, 26, 42));
    EXPECT_FALSE(WidgetContainsPointer(box, 25, 42));
}

// The first enabled widget tested takes the click with one sound; disabled ones pass it on and
// hit regions, in board units with their edges, click silently.
TEST_F(WidgetHitTest, FirstEnabledWidgetTestedTakesTheClickWithOneSound) {
    Widget disabled = Make(WidgetTextItem, 30, 40, 20, 4), first = Make(WidgetTextItem, 30, 40, 10, 4);
    Widget second = Make(WidgetButton, 35, 41, 20, 4), other = Make(WidgetTextItem, 10, 20, 10, 4);
    disabled.disabled = 1;
    other.selected = 1;
    first.group[0] = &other;
    MouseClicked = true, ClickX = BoardXFromPercent(36), ClickY = BoardYFromPercent(42);
    EXPECT_FALSE(WidgetClicked(disabled));
    EXPECT_TRUE(WidgetClicked(first));
    EXPECT_FALSE(WidgetClicked(second));
    EXPECT_EQ(Played, std::vector<int>{SoundPop});
    EXPECT_EQ(first.selected, 1) << "a clicked text item is selected";
    EXPECT_EQ(other.selected, 0) << "and its group deselected";
    HoverX = 35, HoverY = 42;
    EXPECT_FALSE(WidgetHovered(disabled));

    const Widget region = Make(WidgetHitRegion, 2.5f, 3.5f, 1.0f, 1.0f);
    EXPECT_TRUE(WidgetContainsClick(region, 3.5f, 4.5f));
    EXPECT_FALSE(WidgetContainsClick(region, 2.49f, 4.0f));
    MouseClicked = true, ClickX = 2.5f, ClickY = 3.5f;
    EXPECT_TRUE(HitRegionClicked(2.5f, 3.5f, 3.5f, 4.5f));
    EXPECT_FALSE(MouseClicked);
    EXPECT_EQ(Played.size(), 1u);
}

class BackdropTest : public ::testing::Test {
protected:
    void SetUp() override {
        CrystalBallActive = false;
        ResetColourBackdrop();
        srand(20260);
    }
    void TearDown() override { CrystalBallActive = false; }
    // The highest component over `steps` steps (or the greenest vertex after them), failing
    // if a component leaves 0..0.8.
    static float Highest(int steps, float factor, bool greenAtEnd = false) {
        float high = 0, green = 0;
        for (int step = 0; step < steps; ++step) {
            StepColourBackdrop(factor);
            green = 0;
            for (const BackdropTriple& c : BackdropColour) {
                EXPECT_TRUE(std::min({c.r, c.g, c.b}) >= 0.0f && std::max({c.r, c.g, c.b}) <= kBackdropCeiling) << step;
                high = std::max({high, c.r, c.g, c.b});
                green = std::max(green, c.g);
            }
        }
        return greenAtEnd ? green : high;
    }
};

// At any frame factor the colours stay within 0..0.8 yet light up; Crystal Ball mode lifts the
// green well above its usual level.
TEST_F(BackdropTest, ColoursStayBetweenZeroAndPointEightAndGreenRisesInCrystalBallMode) {
    for (float factor : {0.5f, 40.0f}) EXPECT_GT(Highest(3000, factor), 0.1f) << "factor " << factor;
    ResetColourBackdrop();
    EXPECT_LT(Highest(4000, 1.0f, true), 0.15f);
    ResetColourBackdrop();
    CrystalBallActive = true;
    const float crystal = Highest(4000, 1.0f, true);
    EXPECT_TRUE(crystal > 0.25f && crystal < 0.5f) << crystal;
}

// The random sequence is shared with the puzzles: a step draws three numbers per vertex, a
// scatter five per piece.
TEST_F(BackdropTest, StepsAndScattersDrawTheirCountOfRandomNumbers) {
    auto stateAfter = [](int draws, uint32_t seed) {
        srand(seed);
        for (int i = 0; i < draws; ++i) rand();
        return RandomState();
    };
    srand(77);
    StepColourBackdrop(1.0f);
    EXPECT_EQ(RandomState(), stateAfter(45, 77));
    srand(5);
    ScatterBouncingPieces();
    EXPECT_EQ(RandomState(), stateAfter(45, 5));
    for (const BouncingPiece& p : BouncingPieces) {
        EXPECT_EQ(p.x, static_cast<float>(static_cast<int>(p.x)));
        EXPECT_TRUE(p.vx <= 0.0801f && p.vy >= -0.0801f && p.spin <= 14.5f && p.spin >= -14.5f);
    }
}

TEST_F(BackdropTest, PiecesNeverLeaveTheirSquareEvenAfterAStall) {
    ScatterBouncingPieces();
    for (int step = 0; step < 5000; ++step) {
        StepBouncingPieces(step % 100 == 0 ? 300.0f : 1.7f);
        for (const BouncingPiece& p : BouncingPieces)
            ASSERT_TRUE(p.x >= 0 && p.x <= kBounceLimit && p.y >= 0 && p.y <= kBounceLimit) << "step " << step;
    }
}

// ---- Keyboard focus -------------------------------------------------------------------------

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
