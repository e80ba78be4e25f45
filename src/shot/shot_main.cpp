// tessaran-shot: draws a named scene with the game's own code in a real window and writes the
// last frame as a PNG. Deterministic: fixed random seed, FrameFactor 1, default preferences.
#include <GL/freeglut.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/random.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "shot/png.h"
#include "shot/scene.h"
#include "ui/backdrop.h"
#include "ui/text.h"
#include "ui/textures.h"
#include "ui/widgets.h"

namespace tessaran::shot {
namespace {

struct Options {
    std::string scene;
    std::string out;
    int frames = 1;
    int width = 800;
    int height = 600;
};

int Usage(const char* problem) {
    if (problem) std::fprintf(stderr, "tessaran-shot: %s\n", problem);
    std::fprintf(stderr, "usage: tessaran-shot SCENE OUT.png [--frames N] [--size WxH]\n"
                         "       tessaran-shot --list\nscenes:\n");
    for (const Scene& s : Scenes()) std::fprintf(stderr, "  %-16s %s\n", s.name, s.summary);
    return 2;
}

bool ParseSize(const char* text, int& w, int& h) {
    char tail = 0;
    return std::sscanf(text, "%dx%d%c", &w, &h, &tail) == 2 && w >= 64 && h >= 48 && w <= 4096 && h <= 4096;
}

void NoDisplay() {}

// The game's window and OpenGL state, then its resources in start-up order, minus sound and
// with a fixed seed so every run draws the same picture.
void OpenGameWindow(const Options& o) {
    Prefs.windowWidth = o.width;
    Prefs.windowHeight = o.height;
    InitWindow();
    glutDisplayFunc(NoDisplay);  // frames are driven here, not by the main loop
    glutIdleFunc(nullptr);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();

    srand(1);
    ScatterBouncingPieces();
    GoToScreen(ScreenStartup);
    InitDrawingResources();
    srand(1);  // the geometry step reseeds from the clock
    ResetColourBackdrop();
    FrameFactor = 1.0f;
}

std::vector<uint8_t> ReadBackBuffer(int w, int h) {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<uint8_t> up(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, up.data());
    std::vector<uint8_t> rgb(up.size());
    const std::size_t row = static_cast<std::size_t>(w) * 3;
    for (int y = 0; y < h; ++y)  // GL rows grow upward; image rows go top first
        std::copy_n(&up[static_cast<std::size_t>(h - 1 - y) * row], row, &rgb[static_cast<std::size_t>(y) * row]);
    return rgb;
}

int Run(int argc, char** argv) {
    Options o;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--list") {
            for (const Scene& s : Scenes()) std::printf("%-16s %s\n", s.name, s.summary);
            return 0;
        }
        if (a == "--frames" && i + 1 < argc) {
            o.frames = std::atoi(argv[++i]);
            if (o.frames < 1 || o.frames > 100000) return Usage("--frames wants 1..100000");
        } else if (a == "--size" && i + 1 < argc) {
            if (!ParseSize(argv[++i], o.width, o.height)) return Usage("--size wants WxH, 64x48..4096x4096");
        } else if (a.starts_with("--")) {
            return Usage(("unknown option " + a).c_str());
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) return Usage("a scene and an output file are needed");
    o.scene = positional[0];
    o.out = positional[1];
    const Scene* scene = FindScene(o.scene);
    if (!scene) return Usage(("no scene named " + o.scene).c_str());

    // The font file lives beside the program; scenes see the game's working directory.
    const std::string out = o.out.starts_with("/") ? o.out : JoinPath(CurrentDirectory(), o.out);
    if (!ProgramFolder().empty()) ChangeDirectory(ProgramFolder());

    if (!InitGlut(&argc, argv)) {
        std::fprintf(stderr, "tessaran-shot: no X display (run it under xvfb-run)\n");
        return 1;
    }
    OpenGameWindow(o);
    const int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
    glViewport(0, 0, w, h);

    if (scene->setUp) scene->setUp();
    std::vector<uint8_t> rgb;
    for (int i = 0; i < o.frames; ++i) {
        FrameFactor = 1.0f;
        ServiceHoverSound();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene->frame(i);
        if (i + 1 == o.frames) rgb = ReadBackBuffer(w, h);
        glutSwapBuffers();
        glutMainLoopEvent();
    }

    const std::vector<uint8_t> png = EncodePng(rgb, w, h);
    std::string reason;
    if (png.empty() || !WriteFileAtomically(out, png, &reason)) {
        std::fprintf(stderr, "tessaran-shot: cannot write %s: %s\n", out.c_str(),
                     png.empty() ? "PNG encoding failed" : reason.c_str());
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace tessaran::shot

int main(int argc, char** argv) { return tessaran::shot::Run(argc, argv); }
