// Test fixture for the score tables, profiles, menus and the summary: a private home with the
// preferences file inside it, default preferences, the main screen, a recorder for sounds.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/menus.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "support/temp_home.h"

namespace tessaran::test {

inline std::vector<int>& FrontSounds() {
    static std::vector<int> sounds;
    return sounds;
}

class FrontTest : public TempHomeTest {
protected:
    void SetUp() override {
        TempHomeTest::SetUp();
        PrefPath = home + "/Tessaran Prefs.10W";
        FrontSounds().clear();
        SetSoundPlayer([](int n) { FrontSounds().push_back(n); });
        ResetGameScore();
        MistakeCount = 0;
        TimeUsed = 0;
        SolverGame = false;
        OneMoreGame = false;
        PendingPersonalBest = false;
        PendingPlayerNote = false;
        ShowMyScores = false;
        HighlightRow = kNoHighlight;
        SummaryTimer = 0.0f;
        SummaryStage = 0;
        FrameFactor = 1.0f;
        MouseClicked = false;
        DialogKey = 0;
        MenuCommand = 0;
        EntryTarget = nullptr;
        MessageLine1[0] = MessageLine2[0] = '\0';
        ScreenState = ScreenMain;
        ReturnState = ScreenMain;
        DifficultyMenu = DropDownMenu{};
        PlayerMenu = DropDownMenu{};
        BuildMenus();
        TakeSnapshot();
    }
    void TearDown() override {
        SetSoundPlayer(nullptr);
        PrefPath.clear();
        TempHomeTest::TearDown();
    }

    // The score of the game just finished.
    static void SetScore(int32_t score) {
        ResetGameScore();
        AddToScore(score);
    }
    // Types keys into the open text entry as the dialog hands them on (no width limit).
    static void Type(const std::string& keys) {
        for (unsigned char c : keys) EditEntryText(c, nullptr);
    }
    // The preferences file as saved.
    std::vector<unsigned char> SavedBytes() const {
        const std::string text = ReadText(PrefPath);
        return {text.begin(), text.end()};
    }
};

}  // namespace tessaran::test
