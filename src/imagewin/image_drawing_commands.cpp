// Drawing commands of an image window (lines, boxes, circles, flood fill) and
// the drawing colour commands. Not built yet: they do nothing.
#include "imagewin/imagewin.h"

void DrawingCommand(HWND, int, int) {}

void ColorChangeCommand(HWND) {}

void ColorPickCommand(HWND, int) {}
