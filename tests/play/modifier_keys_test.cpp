// Shift or Alt held on the X server's keyboard itself, as a player holds it: read from the
// keyboard each game frame, so a click on a mark slot assigns. Changes the shared X server's
// keyboard, so this test runs alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/game_state.h"
#include "shell/screens.h"
#include "support/game_window.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

// Holds a key down on the server for as long as it lives, with a frame to see it go each way.
struct HeldKey {
    explicit HeldKey(const std::string& name) : key(name), held(std::system(("xdotool keydown " + name).c_str()) == 0) {
        W::RunFrames(1);
    }
    ~HeldKey() {
        if (held) std::system(("xdotool keyup " + key).c_str());
        W::RunFrames(1);
    }
    const std::string key;
    const bool held;
};

TEST(ModifierKeysTest, ClickingASlotWithShiftOrAltHeldAssignsAndAfterReleaseMarks) {
    if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
    W::Reset();
    W::StartGame(LevelEasy, 5);
    Cell& cell = *std::find_if(PlayBoard.begin(), PlayBoard.end(), [](const Cell& c) { return !c.known; });
    cell.activated = 1;
    W::MoveToBoard(static_cast<float>(cell.column), static_cast<float>(cell.row));
    const auto clickSlot = [&cell](int slot) { W::ClickSlot(cell.column, cell.row, slot); };
    const int right = cell.value - 1;
    {
        HeldKey shift("Shift_L");
        ASSERT_TRUE(shift.held);
        EXPECT_TRUE(AssignMode);
        clickSlot((right + 1) % 9);
        EXPECT_EQ(MistakeCount, 1);
    }
    EXPECT_FALSE(AssignMode);
    clickSlot(right);
    EXPECT_EQ(cell.known, 0) << "released: a mark";
    EXPECT_EQ(cell.marks[right], 1);

    HeldKey alt("Alt_L");
    ASSERT_TRUE(alt.held);
    clickSlot(right);
    EXPECT_EQ(cell.known, 1);
}

}  // namespace
}  // namespace tessaran::test
