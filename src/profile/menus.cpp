// The Difficulty and Player menus as data, and what their commands do. Only one menu is open at
// a time; a rebuild keeps each menu's open state and animation.
#include "profile/menus.h"

#include <cstdio>

#include "game/board.h"
#include "game/game_state.h"
#include "profile/prefs.h"
#include "profile/stats.h"

namespace tessaran {

DropDownMenu DifficultyMenu;
DropDownMenu PlayerMenu;
uint8_t PlayerChecks[10] = {};
int32_t MenuCommand = CommandNone;

namespace {

DropDownMenu* const AllMenus[] = {&DifficultyMenu, &PlayerMenu};

void StartMenu(DropDownMenu& menu, const char* title, float x, float y) {
    const uint8_t open = menu.open;
    const float animation = menu.animation;
    menu = DropDownMenu{};
    std::snprintf(menu.title, sizeof menu.title, "%s", title);
    menu.x = x;
    menu.y = y;
    menu.open = open;
    menu.animation = animation;
}

}  // namespace

void AddMenuEntry(DropDownMenu& menu, const char* label, int32_t command, uint8_t* check) {
    if (menu.entryCount >= kMenuEntries) return;
    MenuEntry& e = menu.entries[menu.entryCount++];
    std::snprintf(e.label, sizeof e.label, "%s", label ? label : "");
    e.command = command;
    e.check = check;
    if (check) menu.hasChecks = 1;
}

void SetPlayerChecks(int32_t q) {
    for (int i = 0; i < 10; ++i) PlayerChecks[i] = i == q ? 1 : 0;
}

void BuildMenus() {
    StartMenu(DifficultyMenu, "Difficulty", 77.0f, 32.0f);
    for (int level = 0; level < kLevelCount; ++level)
        AddMenuEntry(DifficultyMenu, LevelNames[level], CommandLevelFirst + level, nullptr);

    StartMenu(PlayerMenu, "Player", Prefs.currentPlayer >= 1 ? 3.0f : 5.0f, 5.0f);
    PlayerMenu.hasPictures = 1;
    AddMenuEntry(PlayerMenu, "None", CommandPlayerFirst, &PlayerChecks[0]);
    for (int p = 1; p <= kPlayerCount; ++p) {
        char name[kNameSlot];
        std::snprintf(name, sizeof name, "%.29s", Prefs.playerName[p - 1]);
        AddMenuEntry(PlayerMenu, name, CommandPlayerFirst + p, &PlayerChecks[p]);
    }
    SetPlayerChecks(Prefs.currentPlayer);
}

void CloseMenu(DropDownMenu& menu) {
    if (!menu.open) return;
    menu.open = 0;
    menu.animation = 100.0f;
}

void ToggleMenu(DropDownMenu& menu) {
    if (menu.open) {
        menu.open = 0;
    } else {
        for (DropDownMenu* other : AllMenus)
            if (other != &menu) CloseMenu(*other);
        menu.open = 1;
    }
    menu.animation = 100.0f;
}

void ChoosePlayer(int32_t q) {
    if (q < 0 || q > kPlayerCount) return;
    if (q >= 1 && q != Prefs.currentPlayer) PendingPlayerNote = true;
    Prefs.currentPlayer = q;
    SetPlayerChecks(q);
}

void ActOnMenuCommand() {
    const int32_t command = MenuCommand;
    MenuCommand = CommandNone;
    if (command >= CommandLevelFirst && command < CommandLevelFirst + kLevelCount) {
        Prefs.difficulty = command - CommandLevelFirst;
        for (Cell& cell : PlayBoard) cell.known = 0;
        HighlightRow = kNoHighlight;
    } else if (command >= CommandPlayerFirst && command <= CommandPlayerFirst + kPlayerCount) {
        ChoosePlayer(command - CommandPlayerFirst);
    }
}

}  // namespace tessaran
