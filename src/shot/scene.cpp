// The scene registry of tessaran-shot.
#include "shot/scene.h"

#include <GL/gl.h>

#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/puzzles.h"
#include "game/random.h"
#include "game/rules.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "shell/clock.h"
#include "shell/input_state.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "solver/solver_entry.h"

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
    BeginFocusFrame();
    RunScreen();
    EndFocusFrame();
    if (ScreenState != ScreenMessage && ScreenState != ScreenSolver) {
        DrawScoreDisplay();
        DrawClockDisplay();
    }
}

void ShowFocusRing(std::initializer_list<FocusMove> moves) {
    WindowFrame(0);  // the screen's first frame, where a shown ring would land
    for (FocusMove move : moves) {
        RequestFocusMove(move);
        WindowFrame(0);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void PointAt(int xPercent, int yPercent) {
    HoverX = xPercent;
    HoverY = yPercent;
}

namespace {
constexpr int64_t kSceneNow = 1'000'000;
int64_t SceneSeconds() { return kSceneNow; }
}  // namespace

void StartScenePuzzle(int32_t level, int index, int playedSeconds) {
    SetClockOverrides(nullptr, SceneSeconds);
    Prefs.difficulty = level;
    ResetForNewGame();
    GameIndex = index;
    if (level == LevelChild) {  // a Child game's number is its generator's seed
        ClearBoard(PlayBoard);
        srand(static_cast<uint32_t>(index));
        GenerateChildPuzzle();
    } else {
        LoadLevel(kLibraryNumbers[level], index);
    }
    PlayClockStart = kSceneNow - playedSeconds;
    CursorColumn = CursorRow = -1;
    GoToScreen(ScreenGame);
}

void TypeInPuzzle(int32_t level, int index, int dropped) {
    PuzzleRecord record;
    const bool found = ReadPuzzleRecord(kLibraryNumbers[level], index, record);
    OpenSolver();
    srand(1);  // opening reseeds from the clock; scenes must draw the same every time
    if (!found) return;
    int givens = 0;
    for (int i = 0; i < kCellCount; ++i) givens += record.cells[i] < 0;
    for (int i = 0, n = 0; i < kCellCount; ++i)
        if (record.cells[i] < 0 && n++ < givens - dropped) ActOnSymbol(i / 9, i % 9, -record.cells[i] - 1);
}

}  // namespace tessaran::shot
