// The scene registry of tessaran-shot.
#include "shot/scene.h"

#include "game/game_screen.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "shell/shell.h"

namespace tessaran::shot {

namespace {
// A function-local list: registrars in other files may run before any global here is built.
std::vector<Scene>& List() {
    static std::vector<Scene> scenes;
    return scenes;
}
}  // namespace

void RegisterScene(const Scene& scene) { List().push_back(scene); }

const Scene* FindScene(std::string_view name) {
    for (const Scene& s : List())
        if (name == s.name) return &s;
    return nullptr;
}

const std::vector<Scene>& Scenes() { return List(); }

void WindowFrame(int) {
    RunScreen();
    if (ScreenState != ScreenMessage && ScreenState != ScreenSolver) {
        DrawScoreDisplay();
        DrawClockDisplay();
    }
}

void PointAt(int xPercent, int yPercent) {
    HoverX = xPercent;
    HoverY = yPercent;
}

}  // namespace tessaran::shot
