// The help pages and the quick help before a game as rules: page texts, their example boards,
// the line breaking they and the solver share, and the buttons' actions. In displayed texts "@"
// forces a line break. Drawing is in help.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaran {

inline constexpr int32_t kHelpPageCount = 10;
inline constexpr int32_t kNoHelpPageShown = 999;
inline constexpr int32_t kHelpCrystalPage = 6;
inline constexpr int32_t kHelpChildPage = 7;

struct HelpPageText {
    const char* title;
    const char* text;
};
extern const HelpPageText HelpPages[kHelpPageCount];
extern const char* const QuickHelpText;       // the 9 x 9 levels
extern const char* const QuickHelpChildText;  // the Child level

extern int32_t HelpPage;         // page shown, 0..9; kept between visits
extern int32_t HelpPageShown;    // page whose example board is built; 999 = none
extern float HelpCrystalPhase;   // pulse of the crystal ball on the Crystal Ball page

// ---- Line breaking ------------------------------------------------------------------------

// Width of a piece of text in the units of the column width.
using TextMeasure = std::function<float(const std::string&)>;
// Breaks `text` into lines no wider than `width`: at the last space before the line reaches the
// width, always at "@" (which is dropped; "@ @" leaves an empty line), and inside a word that is
// wider than the column on its own, where it overflows. A line never starts with the space it
// was broken at.
std::vector<std::string> WrapTextLines(std::string_view text, float width, const TextMeasure& measure);

// ---- The help screen's state --------------------------------------------------------------

// The level the example board of `page` is drawn at: Child for the Child page, else Medium.
int32_t HelpBoardLevel(int32_t page);
// Builds the current page's example board when the page has changed (LEVEL0 record 0 for the
// pages that show it), then re-applies what the page shows: run once per frame before drawing.
void PrepareHelpExample();
// "Next": page 9 is followed by page 0.
void NextHelpPage();
// "Finished" or Escape: back to the main screen with the board cleared for what follows.
void LeaveHelp();
// Quick help's "OK" (false) and "Don't show this again" (true): the game starts.
void QuickHelpChoice(bool dontShowAgain);

}  // namespace tessaran
