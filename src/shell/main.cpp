// Entry point of the game: the command line goes to GLUT only.
#include "shell/shell.h"

int main(int argc, char** argv) { return tessaran::RunTessaran(argc, argv); }
