// The preferences dialog: check boxes over the record's option fields, the volume arrows and the
// sound switch. There is no cancel; every click changes the live record.
#include "profile/prefs_dialog.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "audio/audio.h"
#include "board/board_render.h"
#include "game/board.h"
#include "profile/mark_settings.h"
#include "profile/prefs.h"
#include "shell/screens.h"
#include "ui/backdrop.h"
#include "ui/focus.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

bool ShowingMarkPage = false;

namespace {

constexpr float kOptionX = 20.0f;
constexpr const char* kWidestOption = "Flip number keys (for number pad play)";
constexpr float kSwitchGap = 3.0f;  // from the volume line to the sound switch's text: its frame and a gap
constexpr float kPanelDepth = -2.0f;  // in front of the board, behind the arrows (at -1) and text
constexpr float kMarksButtonGap = 4.0f;  // from "Finished" to the marks page's button

// As wide as the design's panel, or wider where a label needs it.
void DrawDarkPanel(float right) {
    SetBoardProjection();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, 0.8f);
    glBegin(GL_QUADS);
    glVertex3f(1.0f, 0.5f, kPanelDepth);
    glVertex3f(right, 0.5f, kPanelDepth);
    glVertex3f(right, 8.0f, kPanelDepth);
    glVertex3f(1.0f, 8.0f, kPanelDepth);
    glEnd();
    glDisable(GL_BLEND);
}

void Invert(uint8_t& flag) { flag = flag ? 0 : 1; }

constexpr float kNoteGap = 4.5f;  // from a switch to its grey explanation

void MarkSwitch(float y, const char* label, const char* note, bool& on) {
    SetScreenProjection();
    if (DoCheckBox(kOptionX, y, 5, label, false, on)) {
        on = !on;
        std::string reason;
        if (!SaveMarkSettings(&reason))
            std::fprintf(stderr, "Tessaran: could not remember a setting: %s\n", reason.c_str());
    }
    SetTextSize(4);
    SetTextColor(0.6f, 0.6f, 0.6f);
    DrawTextAt(kOptionX, y + kNoteGap, note);
}

void DrawMarkPage() {
    SetTextSize(5);
    SetTextColor(0.3f, 1.0f, 1.0f);
    DrawTextShadowed(21.0f, "Pencil Marks");
    MarkSwitch(28.0f, "Highlight matching pieces", "Copies of the piece under the cursor, and its marks",
               MarkOptions.highlightMatches);
    MarkSwitch(39.0f, "Show conflicts", "Crystal Ball trials that clash get a red frame", MarkOptions.showConflicts);
    MarkSwitch(50.0f, "Remove marks a placed piece rules out", "Only if you mark what a square may hold",
               MarkOptions.autoRemoveMarks);
    SetTextSize(4);
    SetTextColor(1.0f, 1.0f, 1.0f);
    DrawTextAt(kOptionX, 63.0f, "In a game, F opens every empty square and marks");
    DrawTextAt(kOptionX, 66.5f, "the pieces its row, column and section allow.");
    SetTextSize(6);
    SetScreenProjection();
    if (DoButton(37.5f - TextWidthPercent("Back") * 0.5f, 82.0f, 6, "Back") || FocusBackPressed())
        ShowingMarkPage = false;
}

}  // namespace

void ToggleClickToActivate() {
    Invert(Prefs.clickToActivate);
    if (Prefs.clickToActivate) return;
    for (Cell& cell : PlayBoard) {
        if (cell.activated) continue;
        cell.activated = 1;
        if (Prefs.startAllMarked) std::fill(std::begin(cell.marks), std::end(cell.marks), uint8_t{1});
    }
}

void StepSoundVolume(int32_t delta) {
    if (!Prefs.soundOn) return;
    Prefs.soundVolume = std::clamp(Prefs.soundVolume + delta, 0, 100);
    ApplyVolumes();
}

void DrawPreferencesDialog() {
    SetBoardProjection();
    if (ReturnState == ScreenPause) {
        DrawBoard(true);
        DrawColourBackdrop();
        DrawVersionStrip();
        SetBoardProjection();
        DrawBouncingPieces();
    } else {
        DrawColourBackdrop();
        DrawVersionStrip();
    }
    TextWidth design(kDesignTextWidth);  // every word of the dialog
    SetTextSize(5);
    const float widest = TextWidthPercent(kWidestOption);
    DrawDarkPanel(std::max(7.0f, BoardXFromPercent(kOptionX + widest + 2.0f)));

    SetTextSize(7);
    SetTextColor(1.0f, 1.0f, 0.3f);
    DrawTextShadowed(14.0f, "Preferences");
    if (ShowingMarkPage) {
        DrawMarkPage();
        return;
    }

    SetScreenProjection();
    if (DoCheckBox(kOptionX, 25.0f, 5, "Use Vorlas", false, Prefs.pieceStyle == 0)) Prefs.pieceStyle = 0;
    if (DoCheckBox(kOptionX, 29.0f, 5, "Use Numbers only", false, Prefs.pieceStyle == 1)) Prefs.pieceStyle = 1;
    if (DoCheckBox(kOptionX, 33.0f, 5, "Use Vorlas and Numbers", false, Prefs.pieceStyle == 2)) Prefs.pieceStyle = 2;
    if (DoCheckBox(kOptionX, 39.0f, 5, kWidestOption, false, Prefs.flipNumberKeys))
        Invert(Prefs.flipNumberKeys);
    if (DoCheckBox(kOptionX, 45.0f, 5, "Click to activate squares", false, Prefs.clickToActivate))
        ToggleClickToActivate();
    if (DoCheckBox(kOptionX, 49.0f, 5, "Start squares with all Vorlas selected", false, Prefs.startAllMarked))
        Invert(Prefs.startAllMarked);
    if (DoCheckBox(kOptionX, 55.0f, 5, "Show help at start of game", false, Prefs.showHelpAtStart))
        Invert(Prefs.showHelpAtStart);
    if (DoCheckBox(kOptionX, 61.0f, 5, "Pick Game Numbers Randomly", false, Prefs.pickRandomly))
        Invert(Prefs.pickRandomly);

    char volume[32];
    std::snprintf(volume, sizeof volume, "Sound Volume: %d", Prefs.soundVolume);
    SetTextSize(5);
    if (Prefs.soundOn)
        SetTextColor(1.0f, 1.0f, 1.0f);
    else
        SetTextColor(0.3f, 0.3f, 0.3f);
    DrawTextAt(20.0f, 70.5f, volume);
    // The switch keeps clear of the line at its widest, and stays put as the number changes.
    const float switchX = std::max(42.0f, 20.0f + TextWidthPercent("Sound Volume: 100") + kSwitchGap);
    SetScreenProjection();
    const bool off = !Prefs.soundOn;
    if (DoArrowButton(17.0f, 70.0f, 2.0f, true, off)) StepSoundVolume(5);
    if (DoArrowButton(17.0f, 74.0f, 2.0f, false, off)) StepSoundVolume(-5);
    if (DoButton(switchX, 71.0f, 4, Prefs.soundOn ? "Turn Off" : "Turn On")) {
        Invert(Prefs.soundOn);
        ApplyVolumes();
    }

    SetTextSize(6);
    const float finishedX = 37.5f - TextWidthPercent("Finished") * 0.5f;
    const float finishedRight = finishedX + TextWidthPercent("Finished");
    SetTextSize(4);
    if (DoButton(finishedRight + kMarksButtonGap, 83.0f, 4, "Pencil Marks...")) ShowingMarkPage = true;
    SetTextSize(6);
    if (DoButton(finishedX, 82.0f, 6, "Finished") || FocusBackPressed()) {
        Prefs.Save();
        CloseDialog();
    }
}

}  // namespace tessaran
