// Test helper: one real freeglut window per test process, set up as the game sets up its own
// (window state, fonts, then the picture textures), and the frame read back top row first.
#pragma once

#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "shell/shell.h"
#include "ui/text.h"
#include "ui/textures.h"

namespace tessaran::test {

inline constexpr int kWindowWidth = 800;
inline constexpr int kWindowHeight = 600;

inline void NoFrame() {}

// The game's InitWindow, the fonts from the data folder, and the texture state of InitResources.
// Pictures are loaded only when asked, so tests can change the preferences first.
inline void OpenGameWindow(bool loadPictures = true) {
    static bool open = false;
    if (open) return;
    open = true;
    int argc = 1;
    char name[] = "tessaran-test";
    char* argv[] = {name, nullptr};
    ASSERT_TRUE(InitGlut(&argc, argv)) << "needs an X display (xvfb-run)";
    ASSERT_EQ(chdir(TESSARAN_SOURCE_DIR "/data"), 0);
    glutInitWindowPosition(10, 10);
    glutInitWindowSize(kWindowWidth, kWindowHeight);
    glutCreateWindow("Tessaran");
    glutDisplayFunc(NoFrame);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    InitFonts();
    glViewport(0, 0, kWindowWidth, kWindowHeight);
    glClearColor(0, 0, 0, 0);
    glEnable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    if (loadPictures) {
        LoadBuiltInTextures();
        LoadPieceSheet();
    }
}

struct Frame {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // rows top first
    const uint8_t* At(int x, int y) const {
        return &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3];
    }
    // Mean of red + green + blue over a rectangle of pixels, inclusive.
    double Brightness(int x0, int y0, int x1, int y1) const {
        double sum = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) sum += At(x, y)[0] + At(x, y)[1] + At(x, y)[2];
        return sum / ((x1 - x0 + 1) * (y1 - y0 + 1));
    }
};

inline Frame ReadFrame() {
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    Frame f;
    f.width = kWindowWidth;
    f.height = kWindowHeight;
    const std::size_t row = static_cast<std::size_t>(kWindowWidth) * 3;
    std::vector<uint8_t> up(row * kWindowHeight);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, up.data());
    f.rgb.resize(up.size());
    for (int y = 0; y < kWindowHeight; ++y)  // GL rows grow upward
        std::copy_n(&up[static_cast<std::size_t>(kWindowHeight - 1 - y) * row], row, &f.rgb[static_cast<std::size_t>(y) * row]);
    return f;
}

}  // namespace tessaran::test
