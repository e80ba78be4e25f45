// The main screen's score panel: the overall table of the level or the page of the profile in
// use, with the buttons above them. Draws only what the record holds; indices are clamped.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "game/game_state.h"
#include "profile/main_screen.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

constexpr float kPanelRaise = 2.0f;  // the panel stands in front of the backdrop and menus' owner
constexpr float kBoxPerPercent = 0.061335f;

int32_t PanelLevel() { return std::clamp(Prefs.difficulty, 0, kLevelCount - 1); }

void RaisedShadedBox(float x0, float y0, float x1, float y1, float border) {
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kPanelRaise);
    DrawShadedBox(x0, y0, x1, y1, border);
    glPopMatrix();
}

void AskToConfirm(int32_t kind) {
    ConfirmKind = kind;
    OpenDialog(ScreenConfirm, ScreenState);
}

void FormatTime(char (&out)[24], int32_t seconds) {
    if (seconds < 0) seconds = 0;
    std::snprintf(out, sizeof out, "%i:%02i", seconds / 60, seconds % 60);
}

void DrawRightAligned(float right, float y, const char* text) { DrawTextAt(right - TextWidthPercent(text), y, text); }

void DrawCentredOn(float centre, float y, const char* text) {
    DrawTextAt(centre - TextWidthPercent(text) * 0.5f, y, text);
}

}  // namespace

void DrawScorePanel() {
    if (Prefs.currentPlayer < 1) {
        ShowMyScores = false;
        if (DoButton(52.5f, 5.0f, 5, "Clear These Scores")) AskToConfirm(ConfirmClearScores);
    } else if (!ShowMyScores) {
        if (DoButton(30.0f, 5.0f, 5, "Show My Scores")) ShowMyScores = true;
        if (DoButton(52.5f, 5.0f, 5, "Clear These Scores")) AskToConfirm(ConfirmClearScores);
    } else {
        if (DoButton(28.0f, 5.0f, 5, "Show Overall Scores")) ShowMyScores = false;
        if (DoButton(56.0f, 5.0f, 5, "Reset Player")) AskToConfirm(ConfirmResetPlayer);
    }
    if (ShowMyScores)
        DrawPlayerPage();
    else
        DrawOverallTable();
}

int OverallTableTextSize(float& widest) {
    const int32_t level = PanelLevel();
    int size = 7;
    for (; size >= 1; --size) {
        SetTextSize(size);
        float w = 0.0f;
        for (int r = 0; r < kTableRanks; ++r) w = std::max(w, TextWidthPercent(Prefs.hsName[level][r]));
        widest = std::max(w, 10.5f);
        if ((widest + 30.0f) * kBoxPerPercent <= 4.5f) return size;
    }
    return 1;
}

void DrawOverallTable() {
    const int32_t level = PanelLevel();
    float w = 0.0f;
    const int size = OverallTableTextSize(w);
    const float h = (w + 30.0f) * kBoxPerPercent;
    RaisedShadedBox(4.0f - h, 0.7f, 4.0f + h, 7.6f, 0.1f);

    SetTextSize(9);
    SetTextColor(1.0f, 0.0f, 0.0f);
    DrawCentredOn(37.5f, 15.0f, "Highest Scores");

    SetTextSize(size);
    const float x0 = 37.5f - (w + 24.0f) * 0.5f;
    for (int r = 0; r < kTableRanks; ++r) {
        const float y = 23.0f + 6.0f * static_cast<float>(r);
        if (r == HighlightRow)
            SetTextColor(1.0f, 1.0f, 0.3f);
        else
            SetTextColor(0.3f, 1.0f - 0.07f * static_cast<float>(r), 0.37f + 0.07f * static_cast<float>(r));
        char name[kNameSlot];
        std::snprintf(name, sizeof name, "%.29s", Prefs.hsName[level][r]);
        DrawTextAt(x0, y, name);
        char score[24];
        std::snprintf(score, sizeof score, "%i", Prefs.hsScore[level][r]);
        DrawRightAligned(x0 + w + 12.0f, y, score);
        char time[24];
        FormatTime(time, Prefs.hsTime[level][r]);
        DrawRightAligned(x0 + w + 25.0f, y, time);
    }

    SetTextSize(4);
    SetTextColor(1.0f, 1.0f, 0.2f);
    char footer[64];
    std::snprintf(footer, sizeof footer, "%s Games: %d", LevelNames[level], Prefs.levelGamesPlayed[level]);
    DrawTextAt(37.5f - (w + 29.0f) * 0.5f, 84.0f, footer);
    if (Prefs.levelGamesPlayed[level] >= 1) {
        SetTextColor(1.0f, 0.2f, 1.0f);
        std::snprintf(footer, sizeof footer, "Error-Free Wins: %d%%",
                      ErrorFreePercent(Prefs.levelGamesPlayed[level], Prefs.levelErrorFreeWins[level]));
        DrawRightAligned(37.5f + (w + 29.0f) * 0.5f, 84.0f, footer);
    }
}

void DrawPlayerPage() {
    const int32_t p = Prefs.currentPlayer;
    if (p < 1 || p > kPlayerCount) return;
    const int row = p - 1;
    const int32_t level = PanelLevel();
    RaisedShadedBox(0.0f, 1.0f, 8.0f, 7.0f, 0.1f);

    char line[96];
    std::snprintf(line, sizeof line, "Statistics for Player %.29s:", Prefs.playerName[row]);
    int size = 6;
    SetTextSize(size);
    while (size > 1 && TextWidthPercent(line) > 60.0f) SetTextSize(--size);
    SetTextColor(1.0f, 1.0f, 0.0f);
    DrawTextShadowed(18.0f, line);

    SetTextSize(4);
    SetTextColor(0.0f, 1.0f, 1.0f);
    std::snprintf(line, sizeof line, "Total Games Played: %d", Prefs.playerGamesPlayed[row]);
    DrawTextShadowed(24.0f, line);
    SetTextColor(1.0f, 0.0f, 1.0f);
    std::snprintf(line, sizeof line, "On %s level -", LevelNames[level]);
    DrawTextShadowed(28.0f, line);
    const int32_t games = Prefs.playerLevelGamesPlayed[row][level];
    std::snprintf(line, sizeof line, "Games Played:  %d", games);
    DrawTextShadowed(32.0f, line);
    std::snprintf(line, sizeof line, "Error-Free Wins: %d%%",
                  ErrorFreePercent(games, Prefs.playerLevelErrorFreeWins[row][level]));
    DrawTextShadowed(36.0f, line);

    SetTextSize(6);
    SetTextColor(0.0f, 1.0f, 0.0f);
    std::snprintf(line, sizeof line, "High Scores for %s", LevelNames[level]);
    DrawTextShadowed(41.0f, line);

    SetTextSize(4);
    for (int k = 0; k < kPersonalRanks; ++k) {
        const float y = 47.0f + 5.0f * static_cast<float>(k);
        std::snprintf(line, sizeof line, "%d.", k + 1);
        SetTextColor(1.0f, 1.0f, 0.0f);
        DrawRightAligned(28.0f, y, line);
        std::snprintf(line, sizeof line, "%d", Prefs.playerBestScore[row][level][k]);
        SetTextColor(0.0f, 1.0f, 1.0f);
        DrawTextAt(30.0f, y, line);
        char time[24];
        FormatTime(time, Prefs.playerBestTime[row][level][k]);
        SetTextColor(1.0f, 1.0f, 0.0f);
        DrawTextAt(41.0f, y, time);
    }

    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kPanelRaise);
    const bool rename = DoButton(27.0f, 75.0f, 5, "Change Player Name");
    glPopMatrix();
    if (rename) OpenChangePlayerName();
}

}  // namespace tessaran
