// What the input box and the button box share: the frame, its size for a
// client area, making the window and destroying it.
#include "boxes/boxes.h"

namespace zul {

namespace {

constexpr DWORD kBoxStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

SIZE BoxOuterSize(SIZE client) {
  RECT rect = {0, 0, client.cx, client.cy};
  AdjustWindowRect(&rect, kBoxStyle, FALSE);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

HWND CreateBoxWindow(const wchar_t* window_class, const wchar_t* title, int x, int y, SIZE client) {
  SIZE outer = BoxOuterSize(client);
  return CreateWindowExW(0, window_class, title, kBoxStyle, x, y, outer.cx, outer.cy, main_window,
                         nullptr, zul_instance, nullptr);
}

void ResizeBoxWindow(HWND window, SIZE client) {
  SIZE outer = BoxOuterSize(client);
  SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool DestroyBoxWindow(HWND* window, const wchar_t* error_text, const wchar_t* error_caption) {
  if (!*window) return false;
  if (!DestroyWindow(*window)) MessageBoxW(main_window, error_text, error_caption, MB_OK | MB_ICONERROR);
  *window = nullptr;
  return true;
}

}  // namespace zul
