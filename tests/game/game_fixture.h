// Test fixture for the rules: default preferences, a fresh board with its geometry, the game
// screen, no falling pieces, no resource overrides, and a recorder for the sounds played.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "audio/sound.h"
#include "game/board.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/screens.h"

namespace tessaran::test {

inline std::vector<int>& PlayedSounds() {
    static std::vector<int> sounds;
    return sounds;
}

inline Cell& At(int column, int row) { return PlayBoard[static_cast<std::size_t>(CellIndex(column, row))]; }

// A complete valid 9 x 9 grid, symbol at (column, row).
inline int SolvedSymbol(int column, int row) { return (row * 3 + row / 3 + column) % 9 + 1; }

// PlayBoard holds the solved grid with every square hidden.
inline void FillHiddenPuzzle() {
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) At(c, r).value = SolvedSymbol(c, r);
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDefaults(Prefs);
        MarkOptions = MarkSettings{};
        ClearResourceOverrides();
        PlayedSounds().clear();
        SetSoundPlayer([](int n) { PlayedSounds().push_back(n); });
        SetUpBoardGeometry();
        ClearBoard(PlayBoard);
        ClearFallingPieces();
        ResetGameScore();
        LastAward = MistakeCount = 0;
        AwardPhase = 0.0f;
        CrystalBallActive = AssignMode = SolverGame = SolverGridInUse = false;
        CrystalGuessed.fill(false);
        ScreenState = ScreenGame;
        FrameFactor = 1.0f;
    }

    void TearDown() override {
        SetSoundPlayer(nullptr);
        ClearResourceOverrides();
        SetClockOverrides(nullptr, nullptr);
    }
};

}  // namespace tessaran::test
