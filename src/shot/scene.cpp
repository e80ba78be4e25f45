// The scene registry of tessaran-shot.
#include "shot/scene.h"

#include "shell/input_state.h"

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

void PointAt(int xPercent, int yPercent) {
    HoverX = xPercent;
    HoverY = yPercent;
}

}  // namespace tessaran::shot
