// The main screen, the hub between games: its buttons, the score panel, the Difficulty and
// Player drop-down menus, the player badge and the messages other screens leave pending.
#pragma once

#include "profile/menus.h"

namespace tessaran {

// Called every frame in state 3.
void DrawMainScreen();
// One frame of a drop-down menu: the title button, the growing or shrinking list, the entries.
// A chosen entry leaves its command in MenuCommand; a click elsewhere closes the menu.
void ServeDropDownMenu(DropDownMenu& menu);

// The score panel with its buttons: the overall table of the level, or the page of the profile
// in use.
void DrawScorePanel();
void DrawOverallTable();
void DrawPlayerPage();
// The text size the overall table uses for names `widest` percent wide at size 7 .. 1.
int OverallTableTextSize(float& widest);

}  // namespace tessaran
