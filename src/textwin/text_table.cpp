#include "textwin/textwin.h"

TextWindow text_windows[kTextSlots];

void ClearTextTable() {
  for (TextWindow& slot : text_windows) slot.in_use = 0;
}

int ZUL_OpenTextWindow(int, int, int, int, int) { return 1; }
void ZUL_CloseAllLogs() {}

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}
