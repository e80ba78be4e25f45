// The game's spine: start-up, the window, the frame loop and the screen dispatch.
#pragma once

namespace tessaran {

// The whole program: working directory, preferences, window, resources, main loop.
int RunTessaran(int argc, char** argv);
// glutInit with the program's display mode; false when there is no X display to open.
bool InitGlut(int* argc, char** argv);
void InitWindow();     // the "Tessaran" window, fonts, callbacks and OpenGL state
void InitResources();  // random seed, menus, textures, board geometry, backdrop
// Set by the game before its main loop: the first frame, once shown, starts the sound device
// opening beside the game (see StartAudioInBackground).
extern bool OpenAudioAfterFirstFrame;
// The part of InitResources that drawing needs: texture state, pictures, the piece sheet, the
// board geometry (which reseeds the random generator) and the backdrop.
void InitDrawingResources();
void RegisterCallbacks();
void RunFrame();   // GLUT's display callback: one whole frame
// GLUT's idle callback: waits on the window's connection until input arrives or the next frame
// is due, and then asks for that frame. Never a blind sleep, so input is drawn at once.
void RestUntilNextFrame();
void RunScreen();  // the frame work of the screen ScreenState selects

}  // namespace tessaran
