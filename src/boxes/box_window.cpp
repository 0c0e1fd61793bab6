// What the input box and the button box share: the frame, its size for a
// client area, making the window and destroying it, and the messages both
// handle alike.
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

namespace {

void ShowOneItemMenu(HWND window, UINT id, const char* caption) {
  const MenuRow row = Item(id, caption);
  TrackMenuAtCursor(window, BuildMenu(MenuTable{&row, 1}, 0));
}

}  // namespace

bool HandleBoxMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                      const BoxBehaviour& box, LRESULT* result) {
  if (HandleSnapMessage(window, message, lparam, result)) return true;
  *result = 0;
  switch (message) {
    case WM_CLOSE: box.destroy(); return true;
    case WM_DESTROY: return true;
    case WM_NCRBUTTONDOWN:
      if (ContextMenuMayOpen()) ShowOneItemMenu(window, box.destroy_id, box.destroy_caption);
      return true;
    case WM_RBUTTONDOWN:
      if (!ContextMenuMayOpen()) return true;
      *box.rename_item = box.item_at(lparam);
      ShowOneItemMenu(window, box.rename_id, "Rename");
      return true;
    case WM_LBUTTONDBLCLK:
      if (ContextMenuMayOpen()) box.rename(box.item_at(lparam));
      return true;
    case WM_COMMAND:
      if (lparam != 0) return false;  // a control's notification
      if (LOWORD(wparam) == box.destroy_id) box.destroy();
      if (LOWORD(wparam) == box.rename_id) box.rename(*box.rename_item);
      return LOWORD(wparam) == box.destroy_id || LOWORD(wparam) == box.rename_id;
    default: return false;
  }
}

bool DestroyBoxWindow(HWND* window, const wchar_t* error_text, const wchar_t* error_caption) {
  if (!*window) return false;
  if (!DestroyWindow(*window))
    MessageBoxW(main_window, error_text, error_caption, MB_OK | MB_ICONERROR);
  *window = nullptr;
  return true;
}

}  // namespace zul
