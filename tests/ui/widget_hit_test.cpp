// Widget hit testing without a window: percent rectangles against board-unit clicks, board-unit
// hit regions, whole-percent hover, who takes a click, and the pointer-over sound.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "audio/sound.h"
#include "shell/input_state.h"
#include "ui/widgets.h"

namespace tessaran {
namespace {

std::vector<int>& Played() {
    static std::vector<int> sounds;
    return sounds;
}
void Record(int n) { Played().push_back(n); }

class WidgetHitTest : public ::testing::Test {
protected:
    void SetUp() override {
        Played().clear();
        SetSoundPlayer(Record);
        MouseClicked = false;
        HoverX = HoverY = -100;
        WidgetHover = HoverState{};
    }
    void TearDown() override { SetSoundPlayer(nullptr); }

    static Widget Make(uint8_t kind, float x, float y, float w, float h) {
        Widget widget;
        widget.kind = kind;
        widget.x = x;
        widget.y = y;
        widget.width = w;
        widget.height = h;
        return widget;
    }
    static void ClickAtPercent(float px, float py) {
        MouseClicked = true;
        ClickX = BoardXFromPercent(px);
        ClickY = BoardYFromPercent(py);
    }
};

constexpr float kIn = 0.02f;  // a fiftieth of a percent inside or outside an edge

TEST_F(WidgetHitTest, ButtonsAndArrowsHaveAOnePercentMarginThatIsTallerThanWide) {
    // Across, the margin is 1 %; down, it keeps its across size in board units: 4/3 %.
    const float down = 1.0f * kBoardPerPercentX / kBoardPerPercentY;
    const float left = BoardXFromPercent(29), right = BoardXFromPercent(51);
    const float top = BoardYFromPercent(40 - down), bottom = BoardYFromPercent(44 + down);
    const float midY = BoardYFromPercent(42), midX = BoardXFromPercent(40);
    // (x, y, outward step x, outward step y) for each edge.
    const float edges[][4] = {{left, midY, -1, 0}, {right, midY, 1, 0}, {midX, top, 0, -1}, {midX, bottom, 0, 1}};
    for (uint8_t kind : {WidgetButton, WidgetArrowButton}) {
        const Widget b = Make(kind, 30, 40, 20, 4);
        for (const auto& e : edges) {
            EXPECT_TRUE(WidgetContainsClick(b, e[0] - e[2] * 1e-4f, e[1] - e[3] * 1e-4f)) << e[0] << "," << e[1];
            EXPECT_FALSE(WidgetContainsClick(b, e[0] + e[2] * 1e-3f, e[1] + e[3] * 1e-3f)) << e[0] << "," << e[1];
        }
    }
    // Hover is in whole percent with the same margins.
    const Widget button = Make(WidgetButton, 30, 40, 20, 4);
    EXPECT_TRUE(WidgetContainsPointer(button, 29, 39));
    EXPECT_TRUE(WidgetContainsPointer(button, 51, 45));
    EXPECT_FALSE(WidgetContainsPointer(button, 28, 42));
    EXPECT_FALSE(WidgetContainsPointer(button, 40, 46));
}

TEST_F(WidgetHitTest, CheckBoxTextReachesFourPercentLeftForItsBoxTextItemDoesNot) {
    const Widget box = Make(WidgetCheckBox, 30, 40, 20, 5);
    const Widget item = Make(WidgetTextItem, 30, 40, 20, 5);
    const float y = BoardYFromPercent(42);
    EXPECT_TRUE(WidgetContainsClick(box, BoardXFromPercent(26 + kIn), y));
    EXPECT_FALSE(WidgetContainsClick(box, BoardXFromPercent(26 - kIn), y));
    EXPECT_FALSE(WidgetContainsClick(item, BoardXFromPercent(28), y));
    EXPECT_TRUE(WidgetContainsClick(item, BoardXFromPercent(30 + kIn), y));
    EXPECT_FALSE(WidgetContainsClick(item, BoardXFromPercent(50 + kIn), y));
    EXPECT_FALSE(WidgetContainsClick(item, BoardXFromPercent(40), BoardYFromPercent(45 + kIn)));
    EXPECT_TRUE(WidgetContainsPointer(box, 26, 42));
    EXPECT_FALSE(WidgetContainsPointer(box, 25, 42));
}

TEST_F(WidgetHitTest, HitRegionsAreInBoardUnitsWithEdgesIncluded) {
    const Widget r = Make(WidgetHitRegion, 2.5f, 3.5f, 1.0f, 1.0f);
    EXPECT_TRUE(WidgetContainsClick(r, 2.5f, 3.5f));
    EXPECT_TRUE(WidgetContainsClick(r, 3.5f, 4.5f));
    EXPECT_FALSE(WidgetContainsClick(r, 2.49f, 4.0f));
    EXPECT_FALSE(WidgetContainsClick(r, 3.0f, 4.51f));
    MouseClicked = true;
    ClickX = 3.5f;
    ClickY = 3.5f;
    EXPECT_TRUE(HitRegionClicked(2.5f, 3.5f, 3.5f, 4.5f));
    EXPECT_FALSE(MouseClicked);
    EXPECT_TRUE(Played().empty()) << "hit regions click silently";
}

// The first enabled widget tested takes the click with one sound; disabled ones pass it on.
TEST_F(WidgetHitTest, FirstEnabledWidgetTestedTakesTheClickWithOneSound) {
    Widget disabled = Make(WidgetTextItem, 30, 40, 20, 4);
    disabled.disabled = 1;
    Widget first = Make(WidgetTextItem, 30, 40, 10, 4);
    Widget second = Make(WidgetButton, 35, 41, 20, 4);
    Widget other = Make(WidgetTextItem, 10, 20, 10, 4);
    other.selected = 1;
    first.group[0] = &other;
    ClickAtPercent(36, 42);
    EXPECT_FALSE(WidgetClicked(disabled));
    EXPECT_TRUE(MouseClicked);
    EXPECT_TRUE(WidgetClicked(first));
    EXPECT_FALSE(WidgetClicked(second));
    EXPECT_FALSE(MouseClicked);
    EXPECT_EQ(Played(), std::vector<int>{SoundPop});
    EXPECT_EQ(first.selected, 1) << "a clicked text item is selected";
    EXPECT_EQ(other.selected, 0) << "and its group deselected";
    EXPECT_FALSE(WidgetClicked(first)) << "no pending click: nothing taken";
    EXPECT_EQ(Played().size(), 1u);
    HoverX = 35;
    HoverY = 42;
    EXPECT_FALSE(WidgetHovered(disabled));
}

TEST_F(WidgetHitTest, PointerOverSoundPlaysOncePerNewlyHoveredWidget) {
    const Widget a = Make(WidgetCheckBox, 30, 40, 20, 4);
    const Widget b = Make(WidgetCheckBox, 30, 50, 20, 4);
    auto frame = [&](int hx, int hy) {
        ServiceHoverSound();  // start of frame, as RunFrame does
        HoverX = hx;
        HoverY = hy;
        WidgetHovered(a);
        WidgetHovered(b);
    };
    frame(35, 42);  // a hovered this frame; heard at the start of the next
    frame(36, 42);
    frame(37, 43);
    EXPECT_EQ(Played(), std::vector<int>{SoundMouseOver});
    frame(35, 52);  // over b
    frame(35, 52);
    EXPECT_EQ(Played().size(), 2u);
    frame(5, 5);  // over nothing
    frame(35, 52);  // back to b: newly hovered again
    frame(35, 52);
    ServiceHoverSound();
    EXPECT_EQ(Played(), (std::vector<int>{SoundMouseOver, SoundMouseOver, SoundMouseOver}));
}

}  // namespace
}  // namespace tessaran
