// The Test Pattern commands: a pattern drawn into the current image window.
// Not built yet: they do nothing.
#include "imagewin/imagewin.h"

void TestPatternCommand(HWND, int, int) {}
