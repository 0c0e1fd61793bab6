// The button box's window procedure: presses, keys, popup menus, renaming and
// resizing of the grid.
#include <algorithm>
#include <cstring>

#include "boxes/boxes.h"
#include "textwin/textwin.h"

namespace zul {

namespace {

void CountPress(int index) {
  if (index >= 0 && index < button_box.count) button_box.press_count[index]++;
}

void ButtonClicked(HWND control) {
  int index = ButtonIndexOf(control);
  if (index < 0) return;
  CountPress(index);
  SetFocus(button_box.window);  // digits and shortcuts keep reaching the box
}

void ResizeGrid(int client_width, int client_height) {
  if (button_box.nx < 1 || button_box.ny < 1) return;
  int width = std::max(1, client_width - (button_box.nx * kButtonGap + kButtonGap)) / button_box.nx;
  int height =
      std::max(1, client_height - (button_box.ny * kButtonGap + kButtonGap)) / button_box.ny;
  // A frame dragged smaller than the gaps would leave buttons of no size,
  // which the next box would inherit; one pixel is the least.
  button_box.button_width = std::max(1, width);
  button_box.button_height = std::max(1, height);
  LayOutButtons();
}

void ButtonBoxKey(HWND window, WPARAM key, LPARAM lparam) {
  if (ControlHeld()) {
    if (key == 'Q') PostMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  ForwardKeyToMainWindow(key, lparam);
}

int ButtonAt(LPARAM lparam) {
  return HitTestButtonGrid(static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
}

const BoxBehaviour kButtonBoxBehaviour = {
    kCmdButtonBoxDestroy,     "&Destroy\tCtrl+Q",   kCmdButtonBoxRename, ButtonAt,
    &button_box.rename_index, ZUL_DestroyButtonBox, ZUL_RenameButton};

}  // namespace

LRESULT CALLBACK ButtonBoxProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (HandleBoxMessage(window, message, wparam, lparam, kButtonBoxBehaviour, &result)) {
    return result;
  }
  switch (message) {
    case WM_SIZE:
      if (wparam != SIZE_MINIMIZED) ResizeGrid(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_KEYDOWN: ButtonBoxKey(window, wparam, lparam); return 0;
    case WM_CHAR:
      if (wparam >= '0' && wparam <= '9') CountPress(static_cast<int>(wparam - '0'));
      return 0;
    case WM_COMMAND:
      if (lparam != 0 && HIWORD(wparam) == BN_CLICKED)
        ButtonClicked(reinterpret_cast<HWND>(lparam));
      return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace zul

using namespace zul;

void ZUL_RenameButton(int index) {
  if (!button_box.window || index < 0 || index >= button_box.count) return;
  char line[kPromptLineBytes];
  if (!PromptNewCaption(button_box.buttons[index], index, line)) return;
  // The box may have been closed or opened anew while the line was typed.
  if (button_box.window && index < button_box.count) SetButtonCaption(index, line);
}
