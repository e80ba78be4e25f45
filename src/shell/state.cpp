// Definitions of the screen selector and the recorded input.
#include "shell/input_state.h"
#include "shell/screens.h"

namespace tessaran {

int32_t ScreenState = ScreenStartup;
int32_t ReturnState = ScreenMain;
int32_t PausedFromState = ScreenGame;

bool MouseClicked = false;
float ClickX = 0.0f, ClickY = 0.0f;
uint8_t DialogKey = 0;
int32_t HoverX = 0, HoverY = 0;

}  // namespace tessaran
