// The pencil-mark helpers in the real window: the matching pieces' highlight, the trial outline
// and the conflict frame drawn on the squares they belong to, and their page in the preferences.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdlib>
#include <string>

#include "board/board_render.h"
#include "game/game_state.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "profile/prefs_dialog.h"
#include "shell/screens.h"
#include "support/game_window.h"
#include "support/temp_home.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran::test {
namespace {

using W = GameWindow;

Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

// The pixel at (dx, dy) board units from the centre of square (column, row).
const uint8_t* Near(const WindowPixels& f, int column, int row, float dx, float dy) {
    return f.At(W::PixelX(static_cast<float>(column) + dx), W::PixelY(static_cast<float>(row) + dy));
}
bool Highlit(const uint8_t* p) { return p[0] > 80 && p[1] > 80 && p[2] < p[0]; }
bool Red(const uint8_t* p) { return p[0] > 200 && p[1] < 90 && p[2] < 140; }
bool Pale(const uint8_t* p) { return p[0] > 180 && p[1] > 220 && p[2] > 180; }


class MarksScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        config = MakeTempFolder("tessaran-marks");
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);  // the switches are remembered here
        W::Reset();
        W::RunFrames(1);
    }
    void TearDown() override { RemoveTree(config); }
    std::string config;
};

TEST_F(MarksScreenTest, HighlightOutlineAndConflictFrameFallOnTheirSquares) {
    W::StartGame(LevelEasy, 5);
    // A given, another copy of its piece, and a given of another piece.
    int kc = -1, kr = -1, mc = -1, mr = -1, nc = -1, nr = -1;
    for (const Cell& cell : PlayBoard) {
        if (!cell.known) continue;
        if (kc < 0) {
            kc = cell.column, kr = cell.row;
        } else if (cell.value == At(kc, kr).value && mc < 0) {
            mc = cell.column, mr = cell.row;
        } else if (cell.value != At(kc, kr).value && nc < 0) {
            nc = cell.column, nr = cell.row;
        }
    }
    ASSERT_TRUE(mc >= 0 && nc >= 0);
    W::MoveToBoard(static_cast<float>(kc), static_cast<float>(kr));
    W::Key('f');
    const WindowPixels lit = W::Drawn();
    EXPECT_TRUE(Highlit(Near(lit, mc, mr, 0.44f, 0.44f))) << "the other copy";
    EXPECT_FALSE(Highlit(Near(lit, nc, nr, 0.44f, 0.44f))) << "another piece";
    // Every opened square marking the piece shows it on the highlight; the others do not.
    const int v = At(kc, kr).value, slot = v - 1;
    int marked = 0, unmarked = 0;
    for (const Cell& cell : PlayBoard) {
        if (cell.known) continue;
        ASSERT_TRUE(cell.activated) << "F opened every empty square";
        const float dx = 0.3f * static_cast<float>(slot % 3 - 1) - 0.14f, dy = 0.3f * static_cast<float>(slot / 3 - 1) - 0.14f;
        const bool shown = Highlit(Near(lit, cell.column, cell.row, dx, dy));
        EXPECT_EQ(shown, cell.marks[slot] == 1) << cell.column << "," << cell.row;
        (cell.marks[slot] ? marked : unmarked) += 1;
    }
    EXPECT_GT(marked * unmarked, 0);
    MarkOptions.highlightMatches = false;
    EXPECT_FALSE(Highlit(Near(W::Drawn(), mc, mr, 0.44f, 0.44f)));

    // Crystal Ball: a copy of the given in its row clashes; a right trial far away does not.
    W::ClickBoard(9.2f, 6.4f);
    W::RunFrames(1);
    ASSERT_TRUE(CrystalBallActive);
    int uc = -1, vc = -1, vr = -1;
    for (int c = 0; c < 9 && uc < 0; ++c)
        if (!At(c, kr).known) uc = c;
    for (const Cell& cell : PlayBoard)
        if (!cell.known && vc < 0 && cell.row / 3 != kr / 3 && cell.column / 3 != uc / 3) vc = cell.column, vr = cell.row;
    ASSERT_TRUE(uc >= 0 && vc >= 0);
    for (auto [c, r, symbol] : {std::tuple{uc, kr, v}, {vc, vr, At(vc, vr).value}}) {
        W::MoveToBoard(static_cast<float>(c), static_cast<float>(r));
        W::RunFrames(1);
        W::SpecialKey(GLUT_KEY_SHIFT_L);
        W::Key(static_cast<unsigned char>('0' + symbol));
    }
    W::MoveToBoard(10.0f, 8.0f);  // no cursor square to cover them
    const WindowPixels trials = W::Drawn();
    EXPECT_TRUE(Red(Near(trials, uc, kr, 0.45f, 0.0f))) << "the clash is framed";
    EXPECT_FALSE(Red(Near(trials, vc, vr, 0.45f, 0.0f)));
    EXPECT_TRUE(Pale(Near(trials, vc, vr, 0.455f, -0.42f))) << "the first dash of the trial's outline";
    EXPECT_FALSE(Pale(Near(trials, vc, vr, 0.455f, -0.32f))) << "and the gap after it";
    MarkOptions.showConflicts = false;
    const WindowPixels quiet = W::Drawn();
    EXPECT_FALSE(Red(Near(quiet, uc, kr, 0.45f, 0.0f)));
    EXPECT_TRUE(Pale(Near(quiet, uc, kr, 0.455f, -0.42f))) << "still a trial";
}

TEST_F(MarksScreenTest, ThePencilMarkPageSwitchesAndRemembersItsSettings) {
    ReturnState = ScreenMain;
    ScreenState = ScreenPreferences;
    W::RunFrames(1);
    float finishedRight, marksWidth;
    {
        TextWidth design(kDesignTextWidth);
        SetTextSize(6);
        finishedRight = 37.5f + TextWidthPercent("Finished") * 0.5f;
        SetTextSize(4);
        marksWidth = TextWidthPercent("Pencil Marks...");
    }
    W::ClickPercent(finishedRight + 4.0f + marksWidth * 0.5f, 85.0f);
    W::RunFrames(1);
    ASSERT_TRUE(ShowingMarkPage);
    W::ClickPercent(19.0f, 41.0f);  // the box of "Show conflicts"
    W::RunFrames(1);
    W::ClickPercent(19.0f, 52.0f);  // the box of "Remove marks a placed piece rules out"
    W::RunFrames(1);
    EXPECT_EQ(MarkOptions.showConflicts + MarkOptions.autoRemoveMarks * 2 + MarkOptions.highlightMatches * 4, 6);
    W::ClickPercent(37.5f, 85.0f);  // "Back"
    W::RunFrames(1);
    EXPECT_FALSE(ShowingMarkPage);
    MarkOptions = MarkSettings{};
    LoadMarkSettings();
    EXPECT_EQ(MarkOptions.showConflicts + MarkOptions.autoRemoveMarks * 2 + MarkOptions.highlightMatches * 4, 6)
        << "remembered in the settings store";
    EXPECT_EQ(ScreenState, ScreenPreferences);
}

}  // namespace
}  // namespace tessaran::test
