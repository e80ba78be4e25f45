// What the openers of the dialog screens hand them: messages, questions and text entry.
#pragma once

#include <cstdint>

namespace tessaran {

inline constexpr int kMessageLineSize = 120;
extern char MessageLine1[kMessageLineSize];  // the message screen's two lines
extern char MessageLine2[kMessageLineSize];

// The confirmation question: 0 end the game, 1 end and quit, 2 clear scores, 7 reset the player,
// 8 reset the games used at a level, 9 abandon the kept game for a new one.
enum ConfirmQuestion : int32_t {
    ConfirmEndGame = 0,
    ConfirmQuit = 1,
    ConfirmClearScores = 2,
    ConfirmResetPlayer = 7,
    ConfirmResetGamesUsed = 8,
    ConfirmAbandonGame = 9,
};
extern int32_t ConfirmKind;

extern char EntryTitle[56];
extern char EntryPrompt[80];
extern char* EntryTarget;  // the 30-byte text slot being edited in place
extern uint8_t EntryEdited;  // 0 until the first key replaces the offered text

// Sets both message lines (cut to fit; either may be the line already held) and opens the
// message screen over `returnTo`.
void ShowMessageScreen(const char* line1, const char* line2, int32_t returnTo);

}  // namespace tessaran
