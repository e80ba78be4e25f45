// Shift held on the X server's keyboard itself, as a player holds it: read from the keyboard
// each game frame, so a click on a mark slot assigns. Changes the shared X server's keyboard,
// so these tests run alone.
#include <gtest/gtest.h>

#include <cstdlib>

#include "board/board_render.h"
#include "game/game_state.h"
#include "shell/screens.h"
#include "support/game_window.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

// Holds a key down on the server for as long as it lives.
class HeldKey {
public:
    explicit HeldKey(const char* key) : key_(key) {
        held_ = std::system((std::string("xdotool keydown ") + key_).c_str()) == 0;
    }
    ~HeldKey() {
        if (held_) std::system((std::string("xdotool keyup ") + key_).c_str());
    }
    bool held() const { return held_; }

private:
    std::string key_;
    bool held_ = false;
};

class ModifierKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
        W::Reset();
        W::StartGame(LevelEasy, 5);
        for (const Cell& cell : PlayBoard) {
            if (!cell.known) {
                column = cell.column;
                row = cell.row;
                break;
            }
        }
        At(column, row).activated = 1;
        W::MoveToBoard(static_cast<float>(column), static_cast<float>(row));
        W::RunFrames(1);
    }
    void ClickSlot(int slot) {
        const BoardRect r = MarkSlotRect(column, row, slot);
        W::ClickBoard((r.x0 + r.x1) * 0.5f, (r.y0 + r.y1) * 0.5f);
        W::RunFrames(1);
    }
    int column = 0, row = 0;
};

TEST_F(ModifierKeysTest, ClickingASlotWithShiftHeldAssignsAndAfterReleaseMarks) {
    const int right = At(column, row).value - 1;
    {
        HeldKey shift("Shift_L");
        ASSERT_TRUE(shift.held());
        W::RunFrames(1);
        EXPECT_TRUE(AssignMode);
        ClickSlot((right + 1) % 9);
        EXPECT_EQ(MistakeCount, 1);
    }
    W::RunFrames(1);
    EXPECT_FALSE(AssignMode);
    ClickSlot(right);
    EXPECT_EQ(At(column, row).known, 0) << "released: a mark";
    EXPECT_EQ(At(column, row).marks[right], 1);
}

TEST_F(ModifierKeysTest, AltHeldAssignsToo) {
    HeldKey alt("Alt_L");
    ASSERT_TRUE(alt.held());
    W::RunFrames(1);
    ClickSlot(At(column, row).value - 1);
    EXPECT_EQ(At(column, row).known, 1);
}

}  // namespace
}  // namespace tessaran::test
