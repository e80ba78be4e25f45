// The main screen's two drop-down menus as data: built from the preferences, served by the main
// screen, and the commands their entries give. No drawing here (see main_screen.h).
#pragma once

#include <cstdint>

namespace tessaran {

inline constexpr int kMenuEntries = 15;
inline constexpr int kMenuLabelSize = 45;  // labels of at most 44 characters
inline constexpr int kMenuTitleSize = 37;  // titles of at most 36 characters

struct MenuEntry {
    char label[kMenuLabelSize] = {};
    int32_t command = 0;
    uint8_t* check = nullptr;  // ticked while the byte is set; none for plain entries
};

struct DropDownMenu {
    MenuEntry entries[kMenuEntries];
    int32_t entryCount = 0;
    char title[kMenuTitleSize] = {};
    float widest = 0.0f;      // widest label in percent at text size 5; 0 = not measured yet
    uint8_t hasChecks = 0;    // entries are indented 1.5 for their ticks
    uint8_t hasPictures = 0;  // entries after the first show a piece, indented 3 more
    uint8_t open = 0;
    float animation = 0.0f;   // 100 when toggled, counting down; the list is usable at 0 or below
    float x = 0.0f, y = 0.0f;  // title position, percent of the window
};

enum MenuCommands : int32_t {
    CommandNone = 0,
    CommandLevelFirst = 112,  // 112..116: Child..Evil
    CommandPlayerFirst = 400,  // 400 "None", 401..409 the profiles
};

extern DropDownMenu DifficultyMenu;
extern DropDownMenu PlayerMenu;
extern uint8_t PlayerChecks[10];  // check flag of Player menu entry i (0 = "None")
extern int32_t MenuCommand;       // command chosen in this frame; 0 = none

// Both menus from scratch, entries in their fixed order, the Player menu's checks from
// currentPlayer. Open state and animation survive a rebuild, so a rename never jumps a menu.
void BuildMenus();
// Appends an entry; a full menu ignores it. The label is cut to 44 characters.
void AddMenuEntry(DropDownMenu& menu, const char* label, int32_t command, uint8_t* check);
// Ticks entry q of the Player menu and no other.
void SetPlayerChecks(int32_t q);
// Acts on MenuCommand once after both menus were served, then clears it: a level from the
// Difficulty menu (clears the board's known flags and the highlighted row), or a profile.
void ActOnMenuCommand();
// Chooses profile q (0 = none): a different profile owes the "Please Note" reminder.
void ChoosePlayer(int32_t q);
// Opens `menu` (closing every other one) or closes it, restarting its animation.
void ToggleMenu(DropDownMenu& menu);
void CloseMenu(DropDownMenu& menu);

}  // namespace tessaran
