// Input recorded by the window callbacks for the next frame's screens to consume.
#pragma once

#include <cstdint>

namespace tessaran {

extern bool MouseClicked;       // a left press waits for a widget or screen to claim it
extern float ClickX, ClickY;    // its position in board units
extern uint8_t DialogKey;       // last key handed to an open dialog; 0 = none
extern int32_t HoverX, HoverY;  // pointer position in whole percent of the window

}  // namespace tessaran
