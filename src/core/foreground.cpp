// The main window's handle for application code, and bringing a window to
// the foreground (both called by generated layout source).
#include "core/core.h"

using namespace zul;

HWND ZUL_GetMainWindow() { return main_window; }

void ZUL_SetForeground(HWND window) {
  if (window && IsWindow(window)) SetForegroundWindow(window);
}
