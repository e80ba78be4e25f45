// The main screen and the drop-down menu widget. Everything is decided in the frame it is drawn;
// the menus' open state and animation are the only things kept between frames.
#include "profile/main_screen.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "board/pieces.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "profile/stats.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "solver/solver_entry.h"
#include "ui/backdrop.h"
#include "ui/dialogs.h"
#include "ui/focus.h"
#include "ui/text.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

constexpr float kMenuRaise = 4.0f;  // lists lie over the score panel and the buttons
constexpr float kEntryStep = 4.0f;
constexpr float kEntryTop = 5.7f;
// The badge's name ends at 24.2 % and keeps clear of the picture at its left.
constexpr float kBadgeNameRoom = 8.6f;

float MenuIndent(const DropDownMenu& menu) {
    return (menu.hasChecks ? 1.5f : 0.0f) + (menu.hasPictures ? 3.0f : 0.0f);
}

// The list's panel in screen units, `fraction` of its full height.
void DrawMenuPanel(const DropDownMenu& menu, float fraction) {
    SetScreenProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    const float left = (menu.x - 0.8f) * 4.0f;
    const float right = (menu.x + MenuIndent(menu) + menu.widest + 1.0f) * 4.0f;
    const float top = (menu.y + kEntryTop - 0.6f) * 3.0f;
    const float full = (kEntryStep * static_cast<float>(menu.entryCount) + 0.8f) * 3.0f;
    const float bottom = top + full * std::clamp(fraction, 0.0f, 1.0f);
    glColor3f(0.0f, 0.7f, 0.7f);
    FillRect(left - 1.0f, top - 1.0f, right + 1.0f, bottom + 1.0f, kMenuRaise);
    glColor3f(0.0f, 0.0f, 0.3f);
    FillRect(left, top, right, bottom, kMenuRaise + 0.1f);
}

void DrawEntryTick(float x, float y) {
    SetScreenProjection();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glPushMatrix();
    glTranslatef(x * 4.0f, y * 3.0f, kMenuRaise + 0.3f);
    glColor3f(1.0f, 0.3f, 0.3f);
    DrawTick();
    glPopMatrix();
}

// The piece beside a Player menu entry is a blank button of its own: no plate, just the picture
// and its click.
bool PictureButton(float x, float y, int32_t piece) {
    Widget w;
    MakeButton(w, x, y, 4, "", false);
    w.width = 2.2f;
    w.height = 3.2f;
    SetBoardProjection();
    glPushMatrix();
    glTranslatef(BoardXFromPercent(x + w.width * 0.5f), BoardYFromPercent(y + w.height * 0.5f), kMenuRaise + 1.0f);
    glScalef(0.34f, 0.34f, 1.0f);
    DrawPiecePicture(piece, 0);
    glPopMatrix();
    return WidgetClicked(w);
}

// The entry that stands for the present choice: the ticked profile, or the level in play.
bool EntryIsCurrent(const MenuEntry& entry) {
    if (entry.check) return *entry.check != 0;
    return entry.command == CommandLevelFirst + Prefs.difficulty;
}

void ChooseEntry(DropDownMenu& menu, const MenuEntry& entry) {
    MenuCommand = entry.command;
    if (entry.check) *entry.check = *entry.check ? 0 : 1;
    menu.open = 0;
    menu.animation = 100.0f;
}

void DrawPlayerBadge() {
    const int32_t p = Prefs.currentPlayer;
    PlayerMenu.x = p >= 1 ? 3.0f : 5.0f;  // seen from the next frame, as the title was drawn
    if (p < 1 || p > kPlayerCount) return;
    DrawShadedBox(0.8f, -0.15f, 2.4f, 0.35f, 0.04f);
    glPushMatrix();
    glTranslatef(1.05f, 0.1f, 1.0f);
    glScalef(0.5f, 0.5f, 1.0f);
    DrawPiecePicture(p, 0);
    glPopMatrix();

    char name[kNameSlot];
    std::snprintf(name, sizeof name, "%.29s", Prefs.playerName[p - 1]);
    float y = 5.0f;
    SetTextSize(5);
    if (TextWidthPercent(name) > kBadgeNameRoom) {
        y = 5.5f;
        SetTextSize(4);
        for (std::size_t n = std::strlen(name); n > 0 && TextWidthPercent(name) > kBadgeNameRoom; --n)
            name[n - 1] = '\0';
    }
    const float x = 24.2f - TextWidthPercent(name);
    SetTextColor(0.1f, 0.1f, 0.1f);
    for (float dx : {-0.1f, 0.1f})
        for (float dy : {-0.1f, 0.1f}) DrawTextAt(x + dx, y + dy, name);
    SetTextColor(1.0f, 1.0f, 1.0f);
    DrawTextAt(x, y, name);
}

void ShowPendingMessage() {
    if (PendingPersonalBest) {
        PendingPersonalBest = false;
        ShowMessageScreen(MessageLine1, MessageLine2, ScreenMain);  // composed when the score was recorded
    } else if (PendingPlayerNote) {
        PendingPlayerNote = false;
        const int32_t p = Prefs.currentPlayer;
        if (p < 1 || p > kPlayerCount) return;
        char line[kMessageLineSize];
        std::snprintf(line, sizeof line, "Please Note:  You are playing as %.29s.", Prefs.playerName[p - 1]);
        ShowMessageScreen(line,
                          "All games and scores will be recorded under this player profile as well as on the "
                          "main high score list.",
                          ScreenMain);
    }
}

}  // namespace

void ServeDropDownMenu(DropDownMenu& menu) {
    SetScreenProjection();
    if (DoButton(menu.x, menu.y, 5, menu.title) && menu.animation <= 0.0f) ToggleMenu(menu);
    if (menu.widest <= 0.0f) {
        SetTextSize(5);
        for (int i = 0; i < menu.entryCount; ++i) menu.widest = std::max(menu.widest, TextWidthPercent(menu.entries[i].label));
    }

    if (menu.animation > 0.0f) {
        const float fraction = menu.open ? 1.0f - menu.animation / 100.0f : menu.animation / 100.0f;
        menu.animation -= FrameFactor * 20.0f;
        DrawMenuPanel(menu, fraction);
        return;
    }
    if (!menu.open) return;

    DrawMenuPanel(menu, 1.0f);
    const float indent = MenuIndent(menu);
    for (int i = 0; i < menu.entryCount; ++i) {
        const MenuEntry& entry = menu.entries[i];
        const float y = menu.y + kEntryTop + kEntryStep * static_cast<float>(i);
        if (entry.check && *entry.check) DrawEntryTick(menu.x + 0.2f, y + 2.0f);
        bool chosen = false;
        if (menu.hasPictures && i >= 1) chosen = PictureButton(menu.x + 1.7f, y + 0.2f, i);
        SetScreenProjection();
        // The keyboard stays in an open list until an entry is chosen or Esc closes it.
        SetNextWidgetFocus(FocusModal | (EntryIsCurrent(entry) ? FocusPreferred : 0));
        if (DoTextItem(menu.x + indent, y, 4, entry.label, false)) chosen = true;
        if (chosen) {
            ChooseEntry(menu, entry);
            return;
        }
    }
    // A click anywhere else closes the menu and is left for whatever lies under it.
    if (MouseClicked) CloseMenu(menu);
}

void DrawMainScreen() {
    ScreenTimer += FrameFactor;
    DifficultyMenuOpen = DifficultyMenu.open != 0;
    SetBoardProjection();
    DrawColourBackdrop();
    DrawVersionStrip();
    SetScreenProjection();
    TextWidth design(kDesignTextWidth);  // every word of the screen

    // Esc closes an open menu; with none open it has no use here.
    if (FocusBackPressed()) {
        CloseMenu(DifficultyMenu);
        CloseMenu(PlayerMenu);
        DifficultyMenuOpen = false;
    }
    if (DoButton(81.0f, 25.0f, 5, "New Puzzle")) StartFromMainScreen();
    SetTextSize(5);
    if (DoButton(87.5f - TextWidthPercent("Game Preferences") * 0.5f, 39.0f, 5, "Game Preferences")) {
        OpenDialog(ScreenPreferences, ScreenMain);
    }
    if (DoButton(80.0f, 46.0f, 5, "Help")) GoToScreen(ScreenHelp);
    SetTextSize(5);
    if (DoButton(95.0f - TextWidthPercent("Solver"), 46.0f, 5, "Solver")) {
        OpenSolver();
    }
    SetTextSize(5);
    if (DoButton(95.0f - TextWidthPercent("About Tessaran"), 53.0f, 5, "About Tessaran")) GoToScreen(ScreenAbout);
    // Above "New Puzzle" lies the version strip; the column's first free row is below.
    SetTextSize(5);
    if (KeptGameWaiting() &&
        DoButton(87.5f - TextWidthPercent("Resume Puzzle") * 0.5f, 60.0f, 5, "Resume Puzzle"))
        ResumeFromMainScreen();

    DrawScorePanel();

    ServeDropDownMenu(DifficultyMenu);
    // A Difficulty menu closed by this click no longer shields the Player menu's title.
    DifficultyMenuOpen = DifficultyMenu.open != 0;
    ServeDropDownMenu(PlayerMenu);
    ActOnMenuCommand();

    SetTextColor(0.5f, 1.0f, 1.0f);
    SetTextSize(5);
    const char* level = LevelNames[std::clamp(Prefs.difficulty, 0, kLevelCount - 1)];
    DrawTextAt(std::min(91.0f, 98.5f - TextWidthPercent(level)), 32.0f, level);
    DrawPlayerBadge();

    if (ScreenState == ScreenMain) ShowPendingMessage();
    // Buttons on other screens must not stay shielded by a menu they cannot see.
    DifficultyMenuOpen = false;
}

}  // namespace tessaran
