// What every framework window does alike: snapping while it is dragged, the
// main window's keys, shortcuts and the popup menu at the cursor.
#include "core/core.h"

namespace zul {

bool ContextMenuMayOpen(MenuOwner owner) {
  if (point_tool_active != 0) return false;
  return owner == MenuOwner::kMainWindow || text_input_pending == kNoInputPending;
}

bool ControlHeld() { return GetKeyState(VK_CONTROL) < 0; }

bool HandleSnapMessage(HWND window, UINT message, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_MOVE:
      RebuildSnapRects();
      *result = 0;
      return true;
    case WM_MOVING:
      SnapMovingWindow(window, reinterpret_cast<RECT*>(lparam));
      *result = TRUE;
      return true;
    default: return false;
  }
}

bool ForwardKeyToMainWindow(WPARAM key, LPARAM lparam) {
  if (key != 'X' && key != VK_ESCAPE && key != 'S' && key != 'C') return false;
  if (main_window) PostMessageW(main_window, WM_KEYDOWN, key, lparam);
  return true;
}

void PostCommandToWindow(HWND window, int id) {
  PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void TrackMenuAtCursor(HWND window, HMENU menu) {
  if (!menu) return;
  POINT cursor = {};
  GetCursorPos(&cursor);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
  DestroyMenu(menu);
}

}  // namespace zul
