// Colour analysis commands of an image window: pixel information, row graphs
// and the chroma diagram of an area. Not built yet: they do nothing.
#include "imagewin/imagewin.h"

void AnalysisCommand(HWND, int, int) {}
