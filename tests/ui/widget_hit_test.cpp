// Widget hit testing without a window: percent rectangles against board-unit clicks, board-unit
// hit regions, whole-percent hover, and who takes a click.
#include <gtest/gtest.h>

#include <vector>

#include "audio/sound.h"
#include "shell/input_state.h"
#include "ui/widgets.h"

namespace tessaran {
namespace {

std::vector<int> Played;
void Record(int n) { Played.push_back(n); }

class WidgetHitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Played.clear();
        SetSoundPlayer(Record);
        MouseClicked = false;
        WidgetHover = HoverState{};
    }
    void TearDown() override { SetSoundPlayer(nullptr); }
    static Widget Make(uint8_t kind, float x, float y, float w, float h) {
        Widget widget;
        widget.kind = kind, widget.x = x, widget.y = y, widget.width = w, widget.height = h;
        return widget;
    }
    static void ClickAtPercent(float px, float py) {
        MouseClicked = true;
        ClickX = BoardXFromPercent(px);
        ClickY = BoardYFromPercent(py);
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
    ClickAtPercent(36, 42);
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

}  // namespace
}  // namespace tessaran
