// Whole-image transforms and clipping: invert, flips, rotations, scaling and
// the copy of a dragged rectangle. Not built yet: they do nothing.
#include "imagewin/imagewin.h"

void ClippingCommand(HWND, int) {}

void InvertCommand(HWND, int) {}

void FlipCommand(HWND, int, int) {}

void RotateCommand(HWND, int, int) {}

void ScaleCommand(HWND, int, int) {}
