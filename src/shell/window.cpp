// Start-up in its fixed order, the game window and the GLUT main loop.
#include "shell/shell.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "game/board.h"
#include "game/kept_game.h"
#include "game/random.h"
#include "platform/native_window.h"
#include "platform/platform.h"
#include "profile/menus.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/input.h"
#include "shell/screens.h"
#include "shell/startup.h"
#include "audio/audio.h"
#include "ui/backdrop.h"
#include "ui/text.h"
#include "ui/textures.h"

namespace tessaran {


bool InitGlut(int* argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return false;  // glutInit would end the process with status 1
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_EXIT);
    return true;
}

void RegisterCallbacks() {
    glutDisplayFunc(RunFrame);
    glutIdleFunc(RestUntilNextFrame);
    glutKeyboardFunc(OnKey);
    glutKeyboardUpFunc(OnKeyUp);
    glutPassiveMotionFunc(OnPointerMove);
    glutSpecialFunc(OnSpecialKey);
    glutSpecialUpFunc(OnSpecialKeyUp);
    glutMouseFunc(OnMouseButton);
    glutReshapeFunc(OnReshape);
}

void RestUntilNextFrame() {
    int32_t wait = MillisecondsToNextFrame(MillisecondsToNextCalendarSecond());
    if (wait > 0) {
        if (WaitForWindowEvent(wait)) return;  // the main loop handles it, then asks again
        wait = MillisecondsToNextFrame(MillisecondsToNextCalendarSecond());
    }
    if (wait <= 0) glutPostRedisplay();
}

void InitWindow() {
    glutInitWindowPosition(10, 10);
    glutInitWindowSize(Prefs.windowWidth, Prefs.windowHeight);
    glutCreateWindow("Tessaran");
    MainWindow = FindNativeWindow();
    InitFonts();
    RegisterCallbacks();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 400, 300, 0, -10, 10);
    glMatrixMode(GL_MODELVIEW);
}

void InitResources() {
    srand(static_cast<uint32_t>(CalendarSeconds()));
    BuildMenus();
    // The process ends through exit(), never by returning from the main loop.
    std::atexit(StopAudio);
    ScatterBouncingPieces();
    GoToScreen(ScreenStartup);
    InitDrawingResources();
    PaceFrame();
}

void InitDrawingResources() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    LoadBuiltInTextures();
    LoadPieceSheet();  // a bad custom sheet opens the message screen over the start-up state
    SetUpBoardGeometry();
    ResetColourBackdrop();
}

int RunTessaran(int argc, char** argv) {
    ArmEndOfProcessHandler();
    SetWorkingDirectory();
    Prefs.Load();
    KeepGamesOnDisk = true;
    WatchTerminationSignals();
    PaceFrame();
    if (!InitGlut(&argc, argv)) {
        ShowMessageBox("Tessaran Error", "Tessaran needs an X display to open its window.");
        return 0;
    }
    TakeSnapshot();
    InitWindow();
    InitResources();
    OpenAudioAfterFirstFrame = true;
    glutMainLoop();
    ReleaseTextureBitmaps();
    return 0;
}

}  // namespace tessaran
