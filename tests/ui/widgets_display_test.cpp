// The immediate-mode calls in real frames: sizes measured from the font, the Difficulty menu
// holding clicks back from buttons, one winner per click, and the check box's pointer-over sound.
#include <gtest/gtest.h>

#include <vector>

#include "audio/sound.h"
#include "shell/input_state.h"
#include "ui/game_window.h"
#include "ui/widgets.h"

namespace tessaran {
namespace {

std::vector<int>& Played() {
    static std::vector<int> sounds;
    return sounds;
}
void Record(int n) { Played().push_back(n); }

class WidgetsDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::OpenGameWindow();
        Played().clear();
        SetSoundPlayer(Record);
        MouseClicked = false;
        DifficultyMenuOpen = false;
        HoverX = HoverY = -100;
        WidgetHover = HoverState{};
    }
    void TearDown() override {
        SetSoundPlayer(nullptr);
        DifficultyMenuOpen = false;
    }
    static void ClickAtPercent(float px, float py) {
        MouseClicked = true;
        ClickX = BoardXFromPercent(px);
        ClickY = BoardYFromPercent(py);
    }
    static void BeginFrame() {
        ServiceHoverSound();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

TEST_F(WidgetsDisplayTest, ConstructorsMeasureTheirTextAndCutLongLabels) {
    Widget w;
    MakeButton(w, 10, 20, 5, "New Puzzle", false);
    SetTextSize(5);
    EXPECT_FLOAT_EQ(w.width, TextWidthPercent("New Puzzle"));
    EXPECT_GT(w.width, 5.0f);
    const std::string longText(200, 'x');
    MakeTextItem(w, 0, 0, 3, longText.c_str(), false, false);
    EXPECT_EQ(std::string(w.text).size(), 79u);
}

TEST_F(WidgetsDisplayTest, AnOpenDifficultyMenuHoldsClicksAndOverlappingControlsGiveItToTheFirst) {
    BeginFrame();
    ClickAtPercent(13, 21);
    DifficultyMenuOpen = true;
    EXPECT_FALSE(DoButton(10, 20, 5, "New Puzzle"));
    EXPECT_TRUE(MouseClicked) << "the click stays pending for the menu";
    EXPECT_TRUE(Played().empty());
    DifficultyMenuOpen = false;
    BeginFrame();
    EXPECT_TRUE(DoButton(10, 20, 5, "First"));
    EXPECT_FALSE(DoButton(11, 20, 5, "Second"));
    EXPECT_FALSE(DoTextItem(10, 20, 5, "Third", false));
    EXPECT_FALSE(DoArrowButton(12, 20, 3, true, false));
    EXPECT_EQ(Played(), std::vector<int>{SoundPop});

    BeginFrame();  // a disabled item passes the click on
    ClickAtPercent(13, 21);
    EXPECT_FALSE(DoTextItem(10, 20, 5, "Off", true));
    EXPECT_TRUE(DoSelectableItem(10, 20, 5, "On", false, true));
    BeginFrame();  // left of a check box's text is its box
    ClickAtPercent(8, 21);
    EXPECT_FALSE(DoTextItem(10, 20, 5, "Item", false));
    EXPECT_TRUE(DoCheckBox(10, 20, 5, "Box", false, false));
}

TEST_F(WidgetsDisplayTest, CheckBoxPointerOverSoundOncePerNewlyHoveredBox) {
    auto frame = [](int hx, int hy) {
        BeginFrame();
        HoverX = hx;
        HoverY = hy;
        DoCheckBox(20, 30, 4, "Sound effects", false, true);
        DoCheckBox(20, 40, 4, "Show help at start", false, false);
        DoButton(20, 60, 4, "OK");  // buttons have no pointer-over sound
        glutSwapBuffers();
    };
    for (int i = 0; i < 4; ++i) frame(25, 31);
    frame(25, 32);
    EXPECT_EQ(Played(), std::vector<int>{SoundMouseOver});
    for (int i = 0; i < 3; ++i) frame(25, 41);
    EXPECT_EQ(Played().size(), 2u);
    for (int i = 0; i < 3; ++i) frame(22, 61);
    for (int i = 0; i < 3; ++i) frame(25, 31);
    EXPECT_EQ(Played().size(), 3u);
    EXPECT_EQ(Played().back(), SoundMouseOver);
}

TEST_F(WidgetsDisplayTest, HoveredCheckBoxTextTurnsGreen) {
    auto greenPixels = [](int hx) {
        BeginFrame();
        HoverX = hx;
        HoverY = 31;
        DoCheckBox(20, 30, 5, "Sound effects", false, false);
        const test::Frame f = test::ReadFrame();
        int green = 0;
        for (int y = 170; y < 220; ++y)
            for (int x = 160; x < 400; ++x)
                green += f.At(x, y)[1] > 200 && f.At(x, y)[0] < 150;
        return green;
    };
    EXPECT_EQ(greenPixels(90), 0);
    EXPECT_GT(greenPixels(25), 100);
}

}  // namespace
}  // namespace tessaran
