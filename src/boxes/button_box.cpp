#include "boxes/boxes.h"

HWND ButtonBoxWindow() { return nullptr; }
void ZUL_OpenButtonBox(int, int, int, int) {}
void ZUL_DestroyButtonBox() {}

LRESULT CALLBACK ButtonBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}
