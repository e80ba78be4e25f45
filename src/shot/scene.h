// Named scenes for tessaran-shot. A scene sets up game state once, then draws one frame at a
// time with the game's own drawing code. Scenes from any folder register themselves:
//
//   TESSARAN_SHOT_SCENE(pause_menu, "pause-menu", "the pause menu over a game", SetUp, Frame);
//
// and their source file is added to the tool with, in that folder's CMakeLists.txt,
//   list(APPEND TESSARAN_SHOT_SCENES ${CMAKE_CURRENT_LIST_DIR}/shot_scenes.cpp)
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "ui/focus.h"

namespace tessaran::shot {

struct Scene {
    const char* name;
    const char* summary;
    void (*setUp)();               // once, after the window, fonts and textures exist; may be null
    void (*frame)(int frameIndex);  // each frame, after the buffers are cleared
};

void RegisterScene(const Scene& scene);
const Scene* FindScene(std::string_view name);
const std::vector<Scene>& Scenes();  // in registration order

struct SceneRegistrar {
    explicit SceneRegistrar(const Scene& scene) { RegisterScene(scene); }
};

// One frame as the game's window shows it: the screen ScreenState selects, then the score and
// clock displays on the screens that have them.
void WindowFrame(int frameIndex);

// The keyboard focus as a player leaves it: Tab (shows the ring), then each move, each taking
// a frame of the current screen that is drawn and thrown away.
void ShowFocusRing(std::initializer_list<FocusMove> moves);

// The pointer position a scene wants, in whole percent of the window (sets HoverX, HoverY).
void PointAt(int xPercent, int yPercent);

// A puzzle (a library's, or the Child game `index`) on the game screen as a game leaves it after `playedSeconds`: no score,
// mistakes, hints, trials or falling pieces, no cursor square. Scenes' clocks stand still.
void StartScenePuzzle(int32_t level, int index, int playedSeconds);

// The solver opened and a library puzzle typed in square by square, as a player copies one,
// less its last `dropped` givens.
void TypeInPuzzle(int32_t level, int index, int dropped = 0);

}  // namespace tessaran::shot

#define TESSARAN_SHOT_SCENE(id, name, summary, setUp, frame) \
    static const ::tessaran::shot::SceneRegistrar shotScene_##id({name, summary, setUp, frame})
