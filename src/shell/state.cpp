// Definitions of the screen selector and the recorded input.
#include <cstdio>

#include "shell/dialog_state.h"
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

char MessageLine1[kMessageLineSize] = "";
char MessageLine2[kMessageLineSize] = "";
int32_t ConfirmKind = ConfirmEndGame;
char EntryTitle[56] = "";
char EntryPrompt[80] = "";
char* EntryTarget = nullptr;
uint8_t EntryEdited = 0;

void ShowMessageScreen(const char* line1, const char* line2, int32_t returnTo) {
    std::snprintf(MessageLine1, sizeof MessageLine1, "%s", line1);
    std::snprintf(MessageLine2, sizeof MessageLine2, "%s", line2);
    ReturnState = returnTo;
    ScreenState = ScreenMessage;
}

}  // namespace tessaran
