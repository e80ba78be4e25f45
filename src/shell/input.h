// Window callbacks: they record clicks, the cursor square and dialog keys, and carry out the
// keyboard commands of the current screen. They never draw.
#pragma once

namespace tessaran {

void OnKey(unsigned char key, int x, int y);
void OnKeyUp(unsigned char key, int x, int y);
void OnSpecialKey(int key, int x, int y);
void OnSpecialKeyUp(int key, int x, int y);
void OnMouseButton(int button, int state, int x, int y);
void OnPointerMove(int x, int y);
void OnReshape(int width, int height);

// The 4:3 drawing area that OnReshape keeps for a window of the given size.
void AspectFit(int width, int height, int& fitWidth, int& fitHeight);

}  // namespace tessaran
