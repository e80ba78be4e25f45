// Keyboard, mouse and window-size callbacks.
#include "shell/input.h"

#include <GL/freeglut.h>

#include <cctype>
#include <cstdlib>

#include "game/game_state.h"
#include "profile/prefs.h"
#include "shell/input_state.h"
#include "shell/screens.h"

namespace tessaran {

namespace {

// Board projection extent: x -0.6..11.6667, y -0.6..8.6.
constexpr float kBoardWidth = 12.2667f;
constexpr float kBoardHeight = 9.2f;

void MainScreenKey(unsigned char key) {
    switch (key) {
    case 'D': Prefs.difficulty = (Prefs.difficulty + 1) % 5; break;
    case 'J': OneMoreGame = true; StartFromMainScreen(); break;
    case 'N': StartFromMainScreen(); break;
    case 'Q':
        Prefs.Save();
        std::exit(0);
    default: break;
    }
}

}  // namespace

void StartFromMainScreen() {
    if (!Prefs.pickRandomly && Prefs.difficulty != LevelChild)
        ScreenState = ScreenPicker;
    else if (Prefs.showHelpAtStart)
        ScreenState = ScreenQuickHelp;
    else
        ScreenState = ScreenNewGame;
}

void OnKey(unsigned char key, int, int) {
    unsigned char upper = static_cast<unsigned char>(std::toupper(key));
    switch (ScreenState) {
    case ScreenScoreName:
    case ScreenPlayerName:
        if (std::isprint(key) || key == 13 || key == 8 || key == 27) DialogKey = key;
        break;
    case ScreenConfirm:
    case ScreenMessage: DialogKey = upper; break;
    case ScreenHelp:
        if (key == 27) DialogKey = 27;
        break;
    case ScreenMain: MainScreenKey(upper); break;
    default: break;
    }
}

void OnKeyUp(unsigned char, int, int) {}
void OnSpecialKeyUp(int, int, int) {}

void OnSpecialKey(int key, int, int) {
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
}

void OnMouseButton(int button, int state, int x, int y) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN) return;
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    if (w <= 0 || h <= 0) return;
    MouseClicked = true;
    ClickX = static_cast<float>(x) / static_cast<float>(w) * kBoardWidth - 0.6f;
    ClickY = static_cast<float>(y) / static_cast<float>(h) * kBoardHeight - 0.6f;
}

void OnPointerMove(int x, int y) {
    int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    if (w <= 0 || h <= 0) return;
    float bx = static_cast<float>(x) / static_cast<float>(w) * kBoardWidth - 0.6f + 0.5f;
    float by = static_cast<float>(y) / static_cast<float>(h) * kBoardHeight - 0.6f + 0.5f;
    if (ChildLayout()) {
        bx -= 2.5f;
        by -= 2.5f;
    }
    CursorColumn = static_cast<int32_t>(bx);
    CursorRow = static_cast<int32_t>(by);
    HoverX = x * 100 / w;
    HoverY = y * 100 / h;
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
    int w = 0, h = 0;
    AspectFit(width, height, w, h);
    if (w != width || h != height) glutReshapeWindow(w, h);
    glViewport(0, 0, w, h);
    CurrentWindowHeight = h;
}

}  // namespace tessaran
