// tessaran-shot scenes of hints in the game: each level of a hint, a set hint, a chain hint, a
// wrong trial named, and the reasons shown for a wrong piece.
#include <string>

#include "game/game_hint.h"
#include "game/game_state.h"
#include "game/rules.h"
#include "game/undo.h"
#include "platform/platform.h"
#include "profile/prefs.h"
#include "shell/screens.h"
#include "shell/shell.h"
#include "shot/scene.h"

namespace tessaran::shot {
namespace {

Cell& At(int square) { return PlayBoard[static_cast<std::size_t>(CellIndex(square % 9, square / 9))]; }

void StartHintPuzzle(int32_t level, int index) { StartScenePuzzle(level, index, 8 * 60 + 12); }

// The hint shown to `level` levels, with the score it cost.
void AskHint(int levels) {
    for (int i = 0; i < levels; ++i) RequestHint();
}

void Level1() {
    StartHintPuzzle(LevelMedium, 41);
    AskHint(1);
}
void Level2() {
    StartHintPuzzle(LevelMedium, 41);
    AskHint(2);
}
void Level3() {
    StartHintPuzzle(LevelMedium, 41);
    AskHint(3);
}

// Plays the puzzle on by hints until one of the wanted kind comes up, shown in full.
template <typename Wanted>
void PlayOnUntil(int32_t level, int firstIndex, Wanted wanted) {
    for (int index = firstIndex; index < firstIndex + 40; ++index) {
        StartHintPuzzle(level, index);
        for (int step = 0; step < 120; ++step) {
            if (!RequestHint() || ShownHint.kind != HintKind::Step) break;
            if (wanted(ShownHint.step.technique)) {
                AskHint(2);
                // As if this were the first hint of the game.
                ResetGameScore();
                AddToScore(-3 * kHintCost);
                HintLevelsUsed = 3;
                return;
            }
            AskHint(2);
            ApplyGameHint();
        }
    }
}

void SetHint() {
    PlayOnUntil(LevelEvil, 10, [](Technique t) { return t >= Technique::NakedPair && t <= Technique::NakedQuad; });
}

void ChainHint() {
    PlayOnUntil(LevelEvil, 0, [](Technique t) { return t >= Technique::XChain; });
}

// A wrong trial in Crystal Ball mode, found by the hint's first level.
void WrongTrial() {
    StartHintPuzzle(LevelEasy, 3);
    EnterCrystalBall();
    AssignMode = true;
    for (int s = 40; s < 81; ++s)
        if (!At(s).known) {
            ActOnSymbol(s % 9, s / 9, At(s).value % 9);
            break;
        }
    AssignMode = false;
    AskHint(2);
    CrystalWobblePhase = 0.8f;
}

// A piece dropped on a square whose row already shows it: the reason and the flashing square.
void WrongClash() {
    StartHintPuzzle(LevelMedium, 41);
    AssignMode = true;
    for (int s = 0; s < 81; ++s) {
        if (At(s).known) continue;
        for (int c = 0; c < 9; ++c) {
            const Cell& other = At(s / 9 * 9 + c);
            if (other.known && other.value != At(s).value) {
                ActOnSymbol(s % 9, s / 9, other.value - 1);
                AssignMode = false;
                ClearFallingPieces();
                return;
            }
        }
    }
}

// No clash, but the first step from the board rules the piece out.
void WrongLogic() {
    StartHintPuzzle(LevelMedium, 41);
    const LogicGrid grid = GridShownOnBoard();
    for (int s = 0; s < 81; ++s)
        for (int v = 1; v <= 9; ++v) {
            if (At(s).known || v == At(s).value || !((grid.candidates[static_cast<std::size_t>(s)] >> v) & 1u)) continue;
            const WrongMoveNote note = ExplainWrongMove(s % 9, s / 9, v);
            // The first step itself, not a clash, nor a step further on.
            if (note.flashSquare >= 0 || note.text.rfind("A few", 0) == 0 || note.text.find("later") != std::string::npos)
                continue;
            AssignMode = true;
            ActOnSymbol(s % 9, s / 9, v - 1);
            AssignMode = false;
            ClearFallingPieces();
            return;
        }
}

}  // namespace

TESSARAN_SHOT_SCENE(hint_look, "hint-look", "a hint's first level: where to look", Level1, WindowFrame);
TESSARAN_SHOT_SCENE(hint_pattern, "hint-pattern", "a hint's second level: the technique and its squares", Level2,
                    WindowFrame);
TESSARAN_SHOT_SCENE(hint_explain, "hint-explain", "a hint in full: the piece it places, and Apply", Level3,
                    WindowFrame);
TESSARAN_SHOT_SCENE(hint_set, "hint-set", "a set hint in full: the marks it removes crossed in red", SetHint,
                    WindowFrame);
TESSARAN_SHOT_SCENE(hint_chain, "hint-chain", "a chain hint in full on an Evil puzzle", ChainHint, WindowFrame);
TESSARAN_SHOT_SCENE(hint_wrong_trial, "hint-wrong-trial", "Crystal Ball: the hint names a wrong trial first",
                    WrongTrial, WindowFrame);
TESSARAN_SHOT_SCENE(wrong_clash, "wrong-clash", "a wrong piece that clashes: its reason, the square flashing",
                    WrongClash, WindowFrame);
TESSARAN_SHOT_SCENE(wrong_logic, "wrong-logic", "a wrong piece ruled out by the first step of logic", WrongLogic,
                    WindowFrame);

}  // namespace tessaran::shot
