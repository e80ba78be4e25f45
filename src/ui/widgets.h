// Projections, shared drawing routines and the immediate-mode widgets. A widget is built, drawn
// and tested in the same frame; the first widget tested that contains the pending click takes it.
//
// Coordinate systems, y growing downward in all three:
//   percent       0..100 across and down the window: text, widget rectangles, the pointer (HoverX/Y)
//   screen units  0..400 across, 0..300 down (1 % = 4 units across, 3 down): widget frames
//   board units   -0.6..11.6667 across, -0.6..8.6 down: board, pieces, panels, clicks (ClickX/Y)
#pragma once

#include <cstdint>

namespace tessaran {

// The board projection's extent: the window's top-left corner is board (kBoardLeft, kBoardTop).
inline constexpr double kBoardLeft = -0.6, kBoardRight = 35.0 / 3.0;
inline constexpr double kBoardTop = -0.6, kBoardBottom = 8.6;
inline constexpr float kBoardSpanX = static_cast<float>(kBoardRight - kBoardLeft);   // 12.2667
inline constexpr float kBoardSpanY = static_cast<float>(kBoardBottom - kBoardTop);   // 9.2
inline constexpr float kBoardPerPercentX = kBoardSpanX / 100.0f;
inline constexpr float kBoardPerPercentY = kBoardSpanY / 100.0f;
inline float BoardXFromPercent(float p) { return p * kBoardPerPercentX + static_cast<float>(kBoardLeft); }
inline float BoardYFromPercent(float p) { return p * kBoardPerPercentY + static_cast<float>(kBoardTop); }
// A point given as a fraction 0..1 of the window, in board units.
inline float BoardXFromFraction(float f) { return f * kBoardSpanX + static_cast<float>(kBoardLeft); }
inline float BoardYFromFraction(float f) { return f * kBoardSpanY + static_cast<float>(kBoardTop); }

// ---- Projections and drawing routines ----------------------------------------------------

void SetScreenProjection();  // 400 x 300 screen units
void SetBoardProjection();   // board units
// A translucent black panel framed in purple, border `border` wide outside the rectangle.
void DrawShadedBox(float x0, float y0, float x1, float y1, float border);
// A filled rectangle in the current projection and colour, at depth z.
void FillRect(float x0, float y0, float x1, float y1, float z = 0.0f);
// The red tick of a checked box or menu entry, about 8 screen units wide, centred on the
// current origin.
void DrawTick();
// Texture coordinates (0, 0) at (x0, y0) to (s1, t1) at (x1, y1), at depth z; leaves texturing on.
void DrawTexturedQuad(float x0, float y0, float x1, float y1, float s1, float t1, uint32_t texture, float z);
extern const char* const VersionText;  // "Version 1.1 W", four blanks, the release year (8-bit text)
void DrawVersionStrip();                // title logo top right, version text under it

// ---- Widgets -------------------------------------------------------------------------------

enum WidgetKind : uint8_t {
    WidgetTextItem = 0,
    WidgetButton = 1,
    WidgetArrowButton = 2,
    WidgetHitRegion = 3,  // board units, never drawn, clicked silently
    WidgetCheckBox = 4,
};

inline constexpr int kWidgetTextSize = 80;
inline constexpr int kWidgetGroupSize = 10;

struct Widget {
    float x = 0, y = 0;           // top-left of the text, percent (HitRegion: board units)
    float width = 0, height = 0;  // percent (HitRegion: board units)
    char text[kWidgetTextSize] = {};
    int32_t size = 0;             // text size, percent of the window height
    uint8_t selected = 0;         // TextItem: selected; CheckBox: checked
    uint8_t disabled = 0;         // greyed, never clicked or hovered
    uint8_t kind = WidgetTextItem;
    Widget* group[kWidgetGroupSize] = {};  // other members of a selection group, deselected on a click
    uint8_t pointsUp = 0;         // ArrowButton: the triangle points up
};

// The Difficulty drop-down is open: buttons ignore clicks so the menu gets them. Owned here
// until the menus exist; the menu code sets and clears it.
extern bool DifficultyMenuOpen;

// Pointer-over sound state, kept between frames (see ServiceHoverSound).
struct HoverState {
    bool hovered = false;       // a widget reported a hover this frame
    int32_t identity = 0;       // trunc(y * 1000 + x) of that widget
    bool previous = false;      // a widget was hovered in the frame before
    int32_t previousIdentity = 0;
};
extern HoverState WidgetHover;

// Constructors measure their text, so they leave the font at `size`.
void MakeTextItem(Widget& w, float x, float y, int32_t size, const char* text, bool selected, bool disabled);
void MakeCheckBox(Widget& w, float x, float y, int32_t size, const char* text, bool checked, bool disabled);
void MakeButton(Widget& w, float x, float y, int32_t size, const char* text, bool disabled);
void MakeArrowButton(Widget& w, float x, float y, float side, bool pointsUp, bool disabled);
void DrawWidget(const Widget& w);

// The one hit test behind every control and every board hit region: the widget's rectangle,
// widened by the margin of buttons and arrows and by the box left of a check box's text. Clicks
// are tested in board units (the widget converted from percent unless it is a HitRegion); the
// pointer in whole percent, unconverted.
bool WidgetContainsClick(const Widget& w, float clickX, float clickY);
bool WidgetContainsPointer(const Widget& w, int32_t hoverX, int32_t hoverY);

// Claims the pending click if it falls on the widget: plays the click sound (not for hit
// regions), clears MouseClicked, selects a text item. Disabled widgets never claim.
bool WidgetClicked(Widget& w);
// The pointer is over the widget; records it for the pointer-over sound.
bool WidgetHovered(const Widget& w);
bool HitRegionClicked(float x0, float y0, float x1, float y1);
// A hit region that stands for a control (a picture to click): in the keyboard focus too, under
// `name`, and pressed by Enter or Space like a widget.
bool ControlRegionClicked(float x0, float y0, float x1, float y1, const char* name);

bool DoButton(float x, float y, int32_t size, const char* text);
// A button over a panel drawn `raise` units nearer: raised with it, or the panel would hide its plate.
bool DoRaisedButton(float x, float y, int32_t size, const char* text, float raise);
bool DoTextItem(float x, float y, int32_t size, const char* text, bool disabled);
bool DoSelectableItem(float x, float y, int32_t size, const char* text, bool disabled, bool selected);
bool DoCheckBox(float x, float y, int32_t size, const char* text, bool disabled, bool checked);
bool DoArrowButton(float x, float y, float side, bool pointsUp, bool disabled);

// Start of every frame: the pointer-over sound once for a widget newly hovered.
void ServiceHoverSound();

// ---- Keyboard focus ------------------------------------------------------------------------
// Every enabled Do* widget takes part in the keyboard focus (ui/focus.h): it reports itself,
// draws the ring when focused and reports a press of Enter or Space like a click. These flags
// change how the next Do* widget takes part, for that one call only.
enum NextWidgetFocusFlags : uint8_t {
    FocusModal = 1,      // an open menu's entry: only these take the focus while one is shown
    FocusPreferred = 2,  // where the ring lands on a new screen or in a menu just opened
    FocusSkip = 4,       // not a control (a picture of one): never focused
};
void SetNextWidgetFocus(uint8_t flags);
// The ring round a rectangle in percent; the widgets draw it themselves.
void DrawFocusRing(float x0, float y0, float x1, float y1);

}  // namespace tessaran
