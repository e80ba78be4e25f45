// The keyboard focus: ids, the ring's moves and the reading order. Widgets report themselves
// while a frame is drawn; everything that moves the ring happens between frames.
#include "ui/focus.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tessaran {

FocusState WidgetFocus;

namespace {

// Widgets whose middles lie this close in height read as one row (percent of the window).
constexpr float kRowTolerance = 2.0f;

float MiddleX(const FocusRect& r) { return (r.x0 + r.x1) * 0.5f; }
float MiddleY(const FocusRect& r) { return (r.y0 + r.y1) * 0.5f; }

void Mix(uint32_t& h, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        h ^= (value >> (8 * i)) & 0xFFu;
        h *= 16777619u;
    }
}

// Indices of `items` in reading order: sorted down by their middles, gathered into rows, each
// row sorted across.
int ReadingOrder(const FocusItem* items, int count, int* order) {
    for (int i = 0; i < count; ++i) order[i] = i;
    std::stable_sort(order, order + count,
                     [&](int a, int b) { return MiddleY(items[a].rect) < MiddleY(items[b].rect); });
    for (int start = 0; start < count;) {
        const float rowY = MiddleY(items[order[start]].rect);
        int end = start + 1;
        while (end < count && MiddleY(items[order[end]].rect) - rowY <= kRowTolerance) ++end;
        std::stable_sort(order + start, order + end,
                         [&](int a, int b) { return items[a].rect.x0 < items[b].rect.x0; });
        start = end;
    }
    return count;
}

int IndexOf(const FocusItem* items, int count, FocusId id) {
    for (int i = 0; i < count; ++i)
        if (items[i].id == id) return i;
    return -1;
}

// The preferred item, or else the first in reading order.
int Landing(const FocusItem* items, int count) {
    for (int i = 0; i < count; ++i)
        if (items[i].preferred) return i;
    return NextInReadingOrder(items, count, -1, false);
}

int NearestTo(const FocusItem* items, int count, const FocusRect& where) {
    int best = -1;
    float bestDistance = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float dx = MiddleX(items[i].rect) - MiddleX(where), dy = MiddleY(items[i].rect) - MiddleY(where);
        const float d = dx * dx + dy * dy;
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

FocusItem Candidates[kFocusItemLimit];

// The widgets that may take the focus this frame: an open menu's entries alone, or all.
int GatherCandidates(bool& modal) {
    const FocusState& f = WidgetFocus;
    modal = std::any_of(f.items, f.items + f.itemCount, [](const FocusItem& i) { return i.modal; });
    int n = 0;
    for (int i = 0; i < f.itemCount; ++i)
        if (!modal || f.items[i].modal) Candidates[n++] = f.items[i];
    return n;
}

}  // namespace

FocusId MakeFocusId(uint8_t kind, const char* label, float x, float y) {
    uint32_t h = 2166136261u;
    Mix(h, kind);
    for (const char* c = label ? label : ""; *c; ++c) Mix(h, static_cast<unsigned char>(*c));
    Mix(h, static_cast<uint32_t>(std::lround(x * 2.0f)));
    Mix(h, static_cast<uint32_t>(std::lround(y * 2.0f)));
    return h == 0 ? 1 : h;
}

int NextInReadingOrder(const FocusItem* items, int count, int current, bool backward) {
    if (count <= 0) return -1;
    int order[kFocusItemLimit];
    count = std::min(count, kFocusItemLimit);
    ReadingOrder(items, count, order);
    int place = -1;
    for (int k = 0; k < count; ++k)
        if (order[k] == current) place = k;
    if (place < 0) return order[backward ? count - 1 : 0];
    return order[(place + (backward ? count - 1 : 1)) % count];
}

int NearestInDirection(const FocusItem* items, int count, int current, FocusMove arrow) {
    const bool forward = arrow == FocusMove::Right || arrow == FocusMove::Down;
    if (current < 0 || current >= count) return NextInReadingOrder(items, count, -1, !forward);
    const FocusRect& from = items[current].rect;
    const bool across = arrow == FocusMove::Left || arrow == FocusMove::Right;
    const float sign = forward ? 1.0f : -1.0f;
    int best = -1;
    float bestScore = 0.0f;
    for (int i = 0; i < count; ++i) {
        if (i == current) continue;
        const FocusRect& to = items[i].rect;
        const float ahead = sign * (across ? MiddleX(to) - MiddleX(from) : MiddleY(to) - MiddleY(from));
        // Sideways, the gap between the two rectangles: a list of left-aligned labels of any
        // width reads as one column.
        const float aside = across ? std::max({0.0f, to.y0 - from.y1, from.y0 - to.y1})
                                   : std::max({0.0f, to.x0 - from.x1, from.x0 - to.x1});
        // Within 45 degrees of the arrow; a step sideways is dearer than one ahead, and of two
        // equally near, the one more in line wins.
        if (ahead <= 0.5f || aside > ahead) continue;
        const float drift = std::fabs(across ? MiddleY(to) - MiddleY(from) : MiddleX(to) - MiddleX(from));
        const float score = ahead + 2.0f * aside + 0.1f * drift;
        if (best < 0 || score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best >= 0 ? best : NextInReadingOrder(items, count, current, !forward);
}

// ---- Per frame ----------------------------------------------------------------------------

namespace {

bool FrontIs(FocusKeyAction action) {
    const FocusState& f = WidgetFocus;
    return f.frontClaimable && !f.stale && f.keyCount > 0 && f.keys[0].action == action;
}

void PopKey() {
    FocusState& f = WidgetFocus;
    if (f.keyCount <= 0) return;
    std::copy(f.keys + 1, f.keys + f.keyCount, f.keys);
    --f.keyCount;
    f.frontClaimable = false;
}

void PushKey(FocusKeyAction action, FocusMove move) {
    FocusState& f = WidgetFocus;
    if (f.keyCount < kFocusKeyLimit) f.keys[f.keyCount++] = {action, move};
}

}  // namespace

void BeginFocusFrame() {
    FocusState& f = WidgetFocus;
    f.itemCount = 0;
    f.stale = false;
    // A press waits while the ring has yet to land on the new screen.
    f.frontClaimable = f.keyCount > 0 && f.keys[0].action != FocusKeyAction::Move &&
                       !(f.keys[0].action == FocusKeyAction::Press && f.focused == 0);
}

bool FocusWidget(const FocusItem& item) {
    FocusState& f = WidgetFocus;
    if (f.stale) return false;
    if (f.itemCount < kFocusItemLimit) f.items[f.itemCount++] = item;
    return f.ringShown && item.id != 0 && item.id == f.focused;
}

bool FocusPressed(FocusId id) {
    if (!FrontIs(FocusKeyAction::Press) || id == 0 || id != WidgetFocus.focused) return false;
    PopKey();
    return true;
}

bool FocusBackPressed() {
    if (!FrontIs(FocusKeyAction::Back)) return false;
    PopKey();
    return true;
}

namespace {

// Where one move takes the ring among this frame's candidates.
int MoveFrom(int current, FocusMove move, int n) {
    switch (move) {
    case FocusMove::None: return current;
    case FocusMove::Next:
    case FocusMove::Previous: return NextInReadingOrder(Candidates, n, current, move == FocusMove::Previous);
    default: return NearestInDirection(Candidates, n, current, move);
    }
}

}  // namespace

void EndFocusFrame() {
    FocusState& f = WidgetFocus;
    if (f.stale) return;  // the new screen's widgets are seen in the next frame
    // A press or an Esc no widget of this frame claimed is dropped, like an unclaimed dialog key.
    if (f.frontClaimable) PopKey();
    const bool autoFocus = f.autoFocus;
    f.autoFocus = false;
    if (!f.ringShown) {
        f.keyCount = 0;
        return;
    }

    bool modal = false;
    const int n = GatherCandidates(modal);
    if (n == 0) return;  // a menu between its title and its entries: its keys wait
    int current = IndexOf(Candidates, n, f.focused);
    if (!modal && current >= 0) f.beforeModal = 0;
    if (current < 0 && f.focused != 0) {
        if (modal) {
            if (f.beforeModal == 0) f.beforeModal = f.focused;
            current = Landing(Candidates, n);
        } else {
            // A menu closed: back to what opened it; a widget gone: to the one nearest its place.
            const int back = f.beforeModal != 0 ? IndexOf(Candidates, n, f.beforeModal) : -1;
            current = back >= 0 ? back : NearestTo(Candidates, n, f.focusedRect);
            f.beforeModal = 0;
        }
    } else if (current < 0 && autoFocus) {
        current = Landing(Candidates, n);  // a key pressed before the ring was seen moves on from there
    }
    // The moves up to the next press or Esc, which waits for the widgets of the next frame.
    while (f.keyCount > 0 && f.keys[0].action == FocusKeyAction::Move) {
        current = MoveFrom(current, f.keys[0].move, n);
        PopKey();
    }
    if (current < 0) {
        if (f.keyCount > 0 && f.keys[0].action == FocusKeyAction::Press) PopKey();  // nothing to press
        return;
    }
    f.focused = Candidates[current].id;
    f.focusedRect = Candidates[current].rect;
}

// ---- From the input handlers ---------------------------------------------------------------

void RequestFocusMove(FocusMove move) {
    FocusState& f = WidgetFocus;
    if (!f.ringShown) {
        if (move != FocusMove::Next && move != FocusMove::Previous) return;
        f.ringShown = true;
    }
    PushKey(FocusKeyAction::Move, move);
}

bool RequestFocusPress() {
    FocusState& f = WidgetFocus;
    const bool movesWaiting = std::any_of(f.keys, f.keys + f.keyCount,
                                          [](const FocusKey& k) { return k.action == FocusKeyAction::Move; });
    if (!f.ringShown || (f.focused == 0 && !movesWaiting && !f.autoFocus)) return false;
    PushKey(FocusKeyAction::Press, FocusMove::None);
    return true;
}

void RequestFocusBack() { PushKey(FocusKeyAction::Back, FocusMove::None); }

namespace {

void Forget(FocusState& f) {
    f.focused = 0;
    f.beforeModal = 0;
    f.keyCount = 0;
    f.frontClaimable = false;
}

}  // namespace

void HideFocusRing() {
    FocusState& f = WidgetFocus;
    Forget(f);
    f.ringShown = false;
}

void ResetFocusForScreen(bool autoFocus) {
    FocusState& f = WidgetFocus;
    Forget(f);
    f.stale = true;
    f.autoFocus = autoFocus;
}

}  // namespace tessaran
