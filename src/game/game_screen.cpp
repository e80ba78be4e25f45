// The game screen and the score and clock displays; draws and claims its clicks in one frame.
#include "game/game_screen.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "board/board_render.h"
#include "board/pieces.h"
#include "game/game_state.h"
#include "game/hint_view.h"
#include "game/rules.h"
#include "platform/native_window.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "ui/backdrop.h"
#include "ui/bitmap.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

bool AssignModifierLatched = false;

namespace {

// The game panel right of the board: text in percent, the Crystal Ball icon in board units.
constexpr float kPanelCentre = 87.5f;
constexpr float kPauseY = 24.0f;
constexpr float kTitleY = 30.0f, kRatingY = 33.0f;
constexpr float kCrystalX0 = 8.8f, kCrystalY0 = 6.0f, kCrystalX1 = 9.6f, kCrystalY1 = 6.8f;
constexpr float kCrystalDepth = 1.0f;
constexpr float kWobbleAmplitude = 0.07f;
constexpr float kWobbleRate = 0.1f;

// Score and clock: the label pictures in board units, the numbers in percent.
constexpr float kLabelX = 9.4f, kScoreLabelY = 8.0f, kTimeLabelY = 7.4f;
constexpr float kLabelDepth = 0.5f, kLabelWidth = 1.6f, kLabelHeight = 0.577f;
constexpr float kNumberX = 89.0f, kClockY = 83.0f, kScoreY = 91.0f, kAwardX = 91.0f, kAwardY = 96.0f;
constexpr float kAwardRate = 1.0f / 60.0f;
constexpr float kAwardEnd = 3.14159f;
constexpr float kRightEdge = 99.5f;  // text keeps this far inside the window
constexpr float kPanelRoom = 2.0f * (kRightEdge - kPanelCentre);
constexpr float kButtonMargin = 1.5f;  // a button's frame reaches this far past its text

void CentredText(float y, const char* text) {
    TextWidth design(kDesignTextWidth);
    design.DrawCentred(kPanelCentre, y, text, kPanelRoom);
}

void TextToEdge(float x, float y, const char* text) {
    TextWidth design(kDesignTextWidth);
    design.Fit(text, kRightEdge - x);
    DrawTextAt(x, y, text);
}

void DrawGamePanel() {
    SetTextSize(5);
    const char* pause = "Pause (Esc)";
    bool paused;
    {
        TextWidth design(kDesignTextWidth);
        const float pauseWidth = design.Fit(pause, kPanelRoom - 2.0f * kButtonMargin);
        paused = DoButton(kPanelCentre - pauseWidth * 0.5f, kPauseY, 5, pause);
    }
    if (paused) OnKey('P', 0, 0);

    char line[80];
    if (SolverGame) {
        // A puzzle typed into the solver has no library number or rating of its own.
        SetTextColor(1.0f, 1.0f, 0.2f);
        SetTextSize(4);
        CentredText(kTitleY, "Your Puzzle");
    } else if (Prefs.difficulty >= LevelEasy && Prefs.difficulty < kLevelCount) {
        std::snprintf(line, sizeof line, "%s Puzzle #%d", LevelNames[Prefs.difficulty], GameIndex + 1);
        SetTextColor(1.0f, 1.0f, 0.2f);
        SetTextSize(4);
        CentredText(kTitleY, line);
    }
    if (Prefs.difficulty >= LevelMedium && !SolverGame) {
        std::snprintf(line, sizeof line, "Challenge Rating: %d", ChallengeRating);
        SetTextColor(0.2f, 1.0f, 0.2f);
        SetTextSize(4);
        CentredText(kRatingY, line);
    }

    // The icon pulses with the wobble while the mode is on.
    const float t = CrystalWobbleX / 3.0f;
    DrawTexturedQuad(kCrystalX0 + t, kCrystalY1 + t, kCrystalX1 - t, kCrystalY0 - t, 1.0f, 1.0f, TextureCrystalBall,
                     kCrystalDepth);

    if (CrystalBallActive) {
        SetTextColor(7.0f * CrystalWobbleX + 0.5f, 0.3f, 7.0f * CrystalWobbleY + 0.5f);
        SetTextSize(4);
        TextToEdge(84.0f, 67.0f, "Crystal Ball Mode");
        SetTextSize(6);
        TextToEdge(89.0f, 70.0f, "ON");
        const char* commit = "Commit Changes";
        SetTextSize(4);
        bool committed;
        {
            TextWidth design(kDesignTextWidth);
            design.Fit(commit, kRightEdge - kButtonMargin - 85.0f);
            committed = DoButton(85.0f, 77.0f, 4, commit);
        }
        if (committed) CommitCrystalBall();
    } else {
        SetTextColor(0.3f, 1.0f, 0.3f);
        SetTextSize(4);
        TextToEdge(84.0f, 71.0f, "Crystal Ball Mode");
        SetTextSize(7);
        TextToEdge(88.0f, 74.0f, "Off");
    }

    DrawHintPanel();

    if (ControlRegionClicked(kCrystalX0, kCrystalY0, kCrystalX1, kCrystalY1, "Crystal Ball")) {
        if (CrystalBallActive)
            LeaveCrystalBall();
        else
            EnterCrystalBall();
    }
}

}  // namespace

void DrawGameScreen() {
    AssignMode = ShiftOrAltDown() || AssignModifierLatched;
    AssignModifierLatched = false;

    if (CrystalBallActive) {
        CrystalWobblePhase += FrameFactor * kWobbleRate;
        CrystalWobbleX = kWobbleAmplitude * std::cos(CrystalWobblePhase);
        CrystalWobbleY = kWobbleAmplitude * std::sin(CrystalWobblePhase);
    }

    SetBoardProjection();
    DrawColourBackdrop();
    SetBoardProjection();
    DrawBoard(false);
    // After the board, whose border would otherwise cut into the version text's first letter.
    DrawVersionStrip();
    DrawHintOverlay();
    SetBoardProjection();
    DrawCursorSquare();
    DrawCompletedValues();
    DrawGamePanel();
    SetBoardProjection();
    UpdateFallingPieces();
}

void DrawScoreDisplay() {
    SetTextSize(6);
    SetBoardProjection();
    DrawMaskedPicture(kLabelX, kScoreLabelY, kLabelDepth, kLabelWidth, kLabelHeight, TextureScoreLabel);
    char text[24];
    std::snprintf(text, sizeof text, "%05i", GameScore.Value());
    SetTextColor(0.3f, 1.0f, 0.3f);
    TextToEdge(kNumberX, kScoreY, text);

    if (LastAward != 0) {
        AwardPhase += FrameFactor * kAwardRate;
        std::snprintf(text, sizeof text, "%i", LastAward);
        SetTextSize(4);
        const float s = std::sin(AwardPhase);
        SetTextColor(0.3f * s, s, 0.8f * s + 0.2f);
        TextToEdge(kAwardX, kAwardY, text);
        if (AwardPhase > kAwardEnd) LastAward = 0;
    }
}

PercentRect ScoreDisplayArea() {
    // From the left edge of the label pictures and the top of the clock's larger text.
    return {(kLabelX - kLabelWidth * 0.5f + 0.6f) / kBoardPerPercentX, kClockY, 100.0f, 100.0f};
}

void DrawClockDisplay() {
    int32_t seconds = ScreenState == ScreenGame ? PlayClockSeconds() : TimeUsed;
    if (seconds < 0) seconds = 0;  // a calendar clock set back must not show negative time
    SetBoardProjection();
    DrawMaskedPicture(kLabelX, kTimeLabelY, kLabelDepth, kLabelWidth, kLabelHeight, TextureTimeLabel);
    char text[24];
    std::snprintf(text, sizeof text, "%02i:%02i", static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
    float y = kClockY;
    if (seconds / 60 > 99) {
        SetTextSize(6);
        y = kClockY + 1.0f;
    } else {
        SetTextSize(7);
    }
    SetTextColor(0.3f, 1.0f, 0.3f);
    TextToEdge(kNumberX, y, text);
}

}  // namespace tessaran
