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

int ZUL_CloseTextWindow(int) { return 1; }
int ZUL_SelectTextWindow(int) { return 1; }
void ZUL_ShowTextWindow() {}
void ZUL_Printf(const char*, ...) {}
void ZUL_ClearTextWindow() {}
void ZUL_PushTextColor(uint32_t, uint32_t) {}
void ZUL_PopTextColor() {}
void ZUL_Input(char* buffer) { buffer[0] = 0; }
