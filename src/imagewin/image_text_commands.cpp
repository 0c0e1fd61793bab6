// Text commands of an image window: built-in font text, TrueType text and the
// font choice. Not built yet: they do nothing.
#include "imagewin/imagewin.h"

void DrawTextCommand(HWND, int) {}

void TrueTypeDrawCommand(HWND, int) {}

void FontChangeCommand(HWND) {}
