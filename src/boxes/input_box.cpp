#include "boxes/boxes.h"

HWND InputBoxWindow() { return nullptr; }
void ZUL_OpenInputBox(int, int, int) {}
void ZUL_DestroyInputBox() {}

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}
