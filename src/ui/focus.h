// The keyboard focus of the immediate-mode widgets. As with the click, the state is shared, not
// held by widgets: the focused widget is an id. Each frame the focusable widgets report their id
// and rectangle in the order they are drawn; after the frame the ring's moves are resolved among
// them in reading order, so a move takes effect in the next frame. Keys come faster than frames:
// they wait in order, and a press or an Esc waits until the moves before it have been made. No
// drawing here.
//
// The ring shows only once the player has pressed Tab and until the next click; while it shows,
// a change of screen puts it on the new screen's first widget (its preferred one, if any).
#pragma once

#include <cstdint>

namespace tessaran {

using FocusId = uint32_t;  // 0 = none

enum class FocusMove : uint8_t { None, Next, Previous, Left, Right, Up, Down };

// A widget's rectangle in percent of the window, y down.
struct FocusRect {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct FocusItem {
    FocusId id = 0;
    FocusRect rect;
    bool modal = false;      // while any modal widget is shown (an open menu), only those take the focus
    bool preferred = false;  // where the focus lands when it comes to this group (a ticked entry, "No")
};

inline constexpr int kFocusItemLimit = 256;  // the picker's page of 200 numbers and its buttons fit
inline constexpr int kFocusKeyLimit = 16;    // keys waiting for frames; more are dropped

// A key waiting for the focus: a move, or Press (Enter, Space) or Back (Esc).
enum class FocusKeyAction : uint8_t { Move, Press, Back };
struct FocusKey {
    FocusKeyAction action = FocusKeyAction::Move;
    FocusMove move = FocusMove::None;
};

struct FocusState {
    bool ringShown = false;  // keyboard mode: Tab pressed since the last click
    FocusId focused = 0;
    FocusRect focusedRect;   // where the focused widget was last seen, to find its successor
    FocusId beforeModal = 0;  // focused when an open menu took the focus; gets it back on closing
    FocusKey keys[kFocusKeyLimit];  // waiting, oldest first
    int keyCount = 0;
    bool frontClaimable = false;  // the first waiting key is a press or Esc this frame may claim
    bool stale = false;         // the screen changed during this frame: its widgets say nothing
    bool autoFocus = false;     // put the ring on the first widget at the end of the next frame
    FocusItem items[kFocusItemLimit];
    int itemCount = 0;
};
extern FocusState WidgetFocus;

// The id of a widget: its kind, label and place. A widget whose label or place changes gets a
// new id; the focus then moves to the widget nearest where the old one was.
FocusId MakeFocusId(uint8_t kind, const char* label, float x, float y);

// ---- Per frame ----------------------------------------------------------------------------
void BeginFocusFrame();
// Records a focusable widget of this frame; true when the ring is on it (draw the ring).
bool FocusWidget(const FocusItem& item);
// True once when Enter or Space pressed the focused widget `id` (with the ring moved first by any
// keys before it).
bool FocusPressed(FocusId id);
// True once when Esc asked the current screen to back out.
bool FocusBackPressed();
// Resolves the pending move and finds a home for a focus whose widget went away.
void EndFocusFrame();

// ---- From the input handlers ---------------------------------------------------------------
// Tab shows the ring; then every move goes to the next frame.
void RequestFocusMove(FocusMove move);
// Enter or Space: false (the key is not taken) unless the ring is on a widget.
bool RequestFocusPress();
void RequestFocusBack();
// A click hides the ring and forgets the focus.
void HideFocusRing();
// A new screen: nothing of the old one's focus carries over. `autoFocus`: the ring, if shown,
// goes to the new screen's first widget (screens whose keys belong to the board pass false).
void ResetFocusForScreen(bool autoFocus);

// ---- The ordering rules, pure --------------------------------------------------------------
// Index of the item after (or before) `current` in reading order, rows top to bottom and
// left to right within a row, wrapping; -1 for an empty list. With current -1: the first (last).
int NextInReadingOrder(const FocusItem* items, int count, int current, bool backward);
// Index of the nearest item from `current` in an arrow's direction; where none lies that way,
// the next (Right, Down) or previous (Left, Up) in reading order.
int NearestInDirection(const FocusItem* items, int count, int current, FocusMove arrow);

}  // namespace tessaran
