// Keyboard, mouse and window-size callbacks.
#include "shell/input.h"

#include <GL/freeglut.h>

#include <cassert>
#include <cctype>
#include <cstdlib>

#include "audio/sound.h"
#include "game/game_screen.h"
#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/kept_game.h"
#include "game/marks.h"
#include "game/pause.h"
#include "game/rules.h"
#include "game/undo.h"
#include "platform/native_window.h"
#include "profile/prefs.h"
#include "profile/scores.h"
#include "shell/clock.h"
#include "shell/dialog_state.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "ui/focus.h"
#include "ui/widgets.h"

namespace tessaran {

namespace {

void MainScreenKey(unsigned char key) {
    switch (key) {
    case 'D': Prefs.difficulty = (Prefs.difficulty + 1) % 5; break;
    case 'J': OneMoreGame = true; StartFromMainScreen(); break;
    case 'N': StartFromMainScreen(); break;
    case 'R': ResumeFromMainScreen(); break;
    case 'Q':
        Prefs.Save();
        std::exit(0);
    default: break;
    }
}

constexpr unsigned char kTab = 9, kEnter = 13, kEscape = 27, kSpace = 32;
constexpr unsigned char kRedoKey = 25, kUndoKey = 26;  // Ctrl+Y, Ctrl+Z
// Shift + 1..9 on a US keyboard, for keys that come without a key press to read.
constexpr char kShiftedDigits[] = "!@#$%^&*(";

bool CursorCellInUse() {
    const int last = BoardSideInUse() - 1;
    return CursorColumn >= 0 && CursorColumn <= last && CursorRow >= 0 && CursorRow <= last;
}

Cell& CursorCell() { return PlayBoard[static_cast<std::size_t>(CellIndex(CursorColumn, CursorRow))]; }

// With flipNumberKeys the keys follow a number pad: 7-8-9 on top, 1-2-3 at the bottom.
int FlippedSlot(int slot) {
    if (!Prefs.flipNumberKeys) return slot;
    if (slot < 3) return slot + 6;
    if (slot >= 6) return slot - 6;
    return slot;
}

void SymbolKey(int slot) {
    slot = FlippedSlot(slot);
    if (CursorCellInUse()) {
        Cell& cell = CursorCell();
        if (!cell.known || ScreenState == ScreenSolver) {
            BeginUndoStep();
            ActOnSymbol(CursorColumn, CursorRow, slot);
            cell.activated = 1;
            EndUndoStep();
        }
    }
    AssignMode = false;
}

// The digit a key stands for (0 = none) and whether it assigns. A real key press acts by the
// key's position and the modifiers it came with, on every layout; without one (a call from a
// test), by the character.
int DigitOfKey(unsigned char key, const PressedKey& press, bool& assign) {
    if (press.known) {
        assign = press.shiftOrAlt;
        return press.digit;
    }
    if (key >= '1' && key <= '9') {
        // The modifier may have gone down after the last frame sampled it.
        assign = AssignModifierLatched || ShiftOrAltDown();
        return key - '0';
    }
    for (int i = 0; i < 9; ++i)
        if (key == static_cast<unsigned char>(kShiftedDigits[i])) {
            assign = true;
            return i + 1;
        }
    return 0;
}

// Keys of the game and the solver screen.
void PlayKey(unsigned char key, unsigned char upper, const PressedKey& press) {
    bool assign = false;
    if (const int digit = DigitOfKey(key, press, assign)) {
        if (assign)
            AssignMode = true;
        else if (press.known)
            AssignMode = false;  // a modifier released before this key no longer counts
        SymbolKey(digit - 1);
        return;
    }
    switch (upper) {
    case kEnter:
        // Unlike a click, Enter never applies "Start squares with all Vorlas selected".
        if (CursorCellInUse()) {
            Cell& cell = CursorCell();
            if (!cell.activated && !cell.known) {
                BeginUndoStep();
                cell.activated = 1;
                EndUndoStep();
                PlaySound(SoundPop);
            }
        }
        break;
    case kEscape:
    case 'P': PauseGame(); break;
    case 'F':
        if (ScreenState == ScreenGame) {
            BeginUndoStep();
            FillMarks();
            EndUndoStep();
        }
        break;
    case kUndoKey:
    case kRedoKey:
        // Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. Only the notes of a game in play.
        if (ScreenState != ScreenGame) break;
        if ((key == kUndoKey && !(glutGetModifiers() & GLUT_ACTIVE_SHIFT)) ? UndoNotes() : RedoNotes())
            PlaySound(SoundPop);
        break;
    case 'H':
        if (ScreenState == ScreenGame) PressHint();
        break;
    case 'A':
    case 'E':
        TimeUsed = PlayClockSeconds();
        OpenConfirmation(ConfirmEndGame, ScreenState);
        break;
    case 'Q':
        TimeUsed = PlayClockSeconds();
        OpenConfirmation(ConfirmQuit, ScreenState);
        break;
    default: break;
    }
}

void PauseMenuKey(unsigned char upper) {
    switch (upper) {
    case kEscape:
    case 'P': ResumeFromPause(); break;
    case 'A':
    case 'E': OpenConfirmation(ConfirmEndGame, ScreenPause); break;
    case 'Q': OpenConfirmation(ConfirmQuit, ScreenPause); break;
    default: break;
    }
}

bool BoardScreen() { return ScreenState == ScreenGame || ScreenState == ScreenSolver; }

// The keys the keyboard focus takes: Tab, and Space, Enter and Esc where the screen has no use
// of its own for them. Text entry keeps every key; Enter and Space go on to the screen unless
// the ring is on a widget.
bool TakenByFocus(unsigned char key, bool backTab) {
    const int32_t s = ScreenState;
    if (s == ScreenScoreName || s == ScreenPlayerName || s == ScreenStartup) return false;
    switch (key) {
    case kTab: RequestFocusMove(backTab ? FocusMove::Previous : FocusMove::Next); return true;
    case kSpace: return RequestFocusPress();
    case kEnter: return !BoardScreen() && s != ScreenMessage && RequestFocusPress();
    case kEscape:
        // Pause, resume and the help's "Finished" keep Esc; elsewhere it backs out.
        if (BoardScreen() || s == ScreenPause || s == ScreenHelp) return false;
        RequestFocusBack();
        return true;
    default: return false;
    }
}

// freeglut reports a bare modifier key as a special key.
bool IsAssignModifier(int key) {
    return key == GLUT_KEY_SHIFT_L || key == GLUT_KEY_SHIFT_R || key == GLUT_KEY_ALT_L || key == GLUT_KEY_ALT_R;
}
bool IsModifierKey(int key) { return key >= GLUT_KEY_SHIFT_L && key <= GLUT_KEY_SUPER_R; }

}  // namespace

void OnKey(unsigned char key, int, int) {
    NoteInput();
    const PressedKey press = TakePressedKey();
    unsigned char upper = static_cast<unsigned char>(std::toupper(key));
    [[maybe_unused]] const int32_t before = ScreenState;
    if (TakenByFocus(key, press.backTab)) return;
    switch (ScreenState) {
    case ScreenScoreName:
    case ScreenPlayerName:
        QueueEntryKey(key);  // every key in order; the entry keeps what a name may hold
        break;
    case ScreenConfirm:
    case ScreenMessage: DialogKey = upper; break;
    case ScreenHelp:
        if (key == 27) DialogKey = 27;
        break;
    case ScreenMain: MainScreenKey(upper); break;
    case ScreenPause: PauseMenuKey(upper); break;
    case ScreenGame:
    case ScreenSolver: PlayKey(key, upper, press); break;
    default: break;
    }
    // A click still waiting belongs to the screen it was made on, never to the one a key opened.
    assert(ScreenState == before || !MouseClicked);
}

void OnKeyUp(unsigned char, int, int) {}
void OnSpecialKeyUp(int, int, int) {}

void OnSpecialKey(int key, int, int) {
    NoteInput();
    TakePressedKey();  // handled here: never read by a later key
    // A modifier alone moves nothing; Shift or Alt going down arms the next game frame's
    // assignment, even if released before that frame samples the keyboard.
    if (IsModifierKey(key)) {
        if (IsAssignModifier(key)) AssignModifierLatched = true;
        return;
    }
    switch (key) {
    case GLUT_KEY_LEFT: --CursorColumn; break;
    case GLUT_KEY_RIGHT: ++CursorColumn; break;
    case GLUT_KEY_UP: --CursorRow; break;
    case GLUT_KEY_DOWN: ++CursorRow; break;
    default: break;
    }
    int last = BoardSideInUse() - 1;
    CursorColumn = CursorColumn < 0 ? 0 : (CursorColumn > last ? last : CursorColumn);
    CursorRow = CursorRow < 0 ? 0 : (CursorRow > last ? last : CursorRow);
    // Off the board the arrows also move a shown ring: along the picker's grid, an open menu's
    // list, or between the screen's widgets.
    if (BoardScreen()) return;
    switch (key) {
    case GLUT_KEY_LEFT: RequestFocusMove(FocusMove::Left); break;
    case GLUT_KEY_RIGHT: RequestFocusMove(FocusMove::Right); break;
    case GLUT_KEY_UP: RequestFocusMove(FocusMove::Up); break;
    case GLUT_KEY_DOWN: RequestFocusMove(FocusMove::Down); break;
    default: break;
    }
}

namespace {

// A window position as a fraction of the 4:3 drawing area. OnReshape asks for a 4:3 window;
// where a window manager keeps another shape, the area is the viewport at the bottom left.
bool AreaFraction(int x, int y, float& fx, float& fy) {
    const int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    if (w <= 0 || h <= 0) return false;
    int areaW = 0, areaH = 0;
    AspectFit(w, h, areaW, areaH);
    fx = static_cast<float>(x) / static_cast<float>(areaW);
    fy = static_cast<float>(y - (h - areaH)) / static_cast<float>(areaH);
    return true;
}

}  // namespace

void OnMouseButton(int button, int state, int x, int y) {
    NoteInput();
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN) return;
    HideFocusRing();  // a mouse player sees no ring
    float fx = 0.0f, fy = 0.0f;
    if (!AreaFraction(x, y, fx, fy)) return;
    MouseClicked = true;
    ClickX = BoardXFromFraction(fx);
    ClickY = BoardYFromFraction(fy);
}

void OnPointerMove(int x, int y) {
    NoteInput();
    float fx = 0.0f, fy = 0.0f;
    if (!AreaFraction(x, y, fx, fy)) return;
    float bx = BoardXFromFraction(fx) + 0.5f;
    float by = BoardYFromFraction(fy) + 0.5f;
    if (ChildLayout()) {
        bx -= 2.5f;
        by -= 2.5f;
    }
    CursorColumn = static_cast<int32_t>(bx);
    CursorRow = static_cast<int32_t>(by);
    HoverX = static_cast<int32_t>(fx * 100.0f);
    HoverY = static_cast<int32_t>(fy * 100.0f);
}

void AspectFit(int width, int height, int& fitWidth, int& fitHeight) {
    // Never smaller than a few pixels, so nothing downstream divides by zero.
    if (width < 4) width = 4;
    if (height < 3) height = 3;
    if (width > height * 4 / 3) {
        fitWidth = static_cast<int>(height * 4.0 / 3.0);
        fitHeight = height;
    } else {
        fitWidth = width;
        fitHeight = static_cast<int>(width * 0.75);
    }
}

void OnReshape(int width, int height) {
    NoteInput();
    int w = 0, h = 0;
    AspectFit(width, height, w, h);
    if (w != width || h != height) glutReshapeWindow(w, h);
    glViewport(0, 0, w, h);
    CurrentWindowHeight = h;
}

}  // namespace tessaran
