// Text wrappers: every screen sizes and places text in percent of the window through these.
#pragma once

#include <cstdint>

#include "ui/font.h"

namespace tessaran {

// The game's one font renderer, holding the one font "Another".
extern LFontRenderer TextRenderer;
// Window size when the fonts were set up; percentages of text are of this size (x of the width,
// y and text sizes of the height), so text keeps its place when the window is later resized.
extern int32_t TextRefWidth;
extern int32_t TextRefHeight;

// Loads "Another.fnt" from the working directory and records the reference size from the
// current GLUT window. Needs the window and its GL context; a bad font file ends the program.
void InitFonts();

// Text height in percent of the reference height; whole percents but for text fitted to a box.
void SetTextSize(double percent);
void SetTextColor(float r, float g, float b);
// Draws text with its top-left corner at (x%, y%) at once.
void DrawTextAt(float xPercent, float yPercent, const char* text);
float TextWidthPercent(const char* text);
void DrawTextCentred(float yPercent, const char* text);
// Centred on 37.5 % of the width, over a dark shadow offset down and right; the colour is kept.
void DrawTextShadowed(float yPercent, const char* text);

// The screens were laid out for a narrower face than the game's font: most of their text is
// drawn at this share of its natural width.
inline constexpr float kDesignTextWidth = 0.7f;

// The one way to draw text narrower or wider than the font: while a TextWidth lives, text is
// measured and drawn at `scale` times its natural width (heights unchanged), and the width that
// was in force before comes back when it goes out of scope, however the scope is left. Nothing
// outside a TextWidth ever sees anything but the plain width.
class [[nodiscard]] TextWidth {
public:
    explicit TextWidth(float scale);
    ~TextWidth();
    TextWidth(const TextWidth&) = delete;
    TextWidth& operator=(const TextWidth&) = delete;

    // Narrows further, if needed, so that `text` is at most `room` percent across at the current
    // size, starting again from this scope's width; the narrowing lasts until the next Fit or the
    // end of the scope. Returns the text's width.
    float Fit(const char* text, float room);
    // Draws `text` centred on `centre` percent across, narrowed to `room` as Fit does, then goes
    // back to this scope's width.
    void DrawCentred(float centre, float yPercent, const char* text, float room);
    // The factor in force: this scope's, or the narrower one of the last Fit.
    float Scale() const;

private:
    float scale_;  // this scope's width
    float outer_;  // the width in force before, restored on the way out
};

}  // namespace tessaran
