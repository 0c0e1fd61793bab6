// The button box: opening, destroying, captions, press counts and resizing.
#include "boxes/boxes.h"

#include <cstdio>

namespace zul {

// Worker thread; the main window thread reads only `window`.
ButtonBox button_box = {nullptr, 0, 0, 0, {}, {}, 98, 26, 0};

namespace {

constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_MULTILINE;
constexpr int kLargestClientSide = 32767;

bool IsButtonOfOpenBox(int index) {
  return button_box.window != nullptr && index >= 0 && index < button_box.count;
}

POINT ButtonPosition(int index) {
  int row = index / button_box.nx;
  int column = index % button_box.nx;
  return POINT{column * (button_box.button_width + kButtonGap) + kButtonGap,
               row * (button_box.button_height + kButtonGap) + kButtonGap};
}

void CreateButtons() {
  for (int index = 0; index < button_box.count; ++index) {
    wchar_t caption[16];
    swprintf(caption, 16, L"%d", index);
    POINT at = ButtonPosition(index);
    button_box.buttons[index] = CreateWindowExW(0, L"BUTTON", caption, kButtonStyle, at.x, at.y,
                                                button_box.button_width, button_box.button_height,
                                                button_box.window, nullptr, zul_instance, nullptr);
    button_box.press_count[index] = 0;
  }
}

void ForgetButtons() {
  for (HWND& button : button_box.buttons) button = nullptr;
}

int ClampClientSide(int side) {
  if (side < 0) return 0;
  return side > kLargestClientSide ? kLargestClientSide : side;
}

}  // namespace

HWND ButtonBoxWindow() { return button_box.window; }

SIZE ButtonBoxClientSize(int nx, int ny) {
  return SIZE{nx * (button_box.button_width + kButtonGap) + kButtonGap,
              ny * (button_box.button_height + kButtonGap) + kButtonGap};
}

void LayOutButtons() {
  for (int index = 0; index < button_box.count; ++index) {
    HWND button = button_box.buttons[index];
    if (!button) continue;  // not made yet: the box is being created
    POINT at = ButtonPosition(index);
    SetWindowPos(button, nullptr, at.x, at.y, button_box.button_width, button_box.button_height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

int HitTestButtonGrid(int x, int y) {
  int column = x / (button_box.button_width + kButtonGap);
  int row = y / (button_box.button_height + kButtonGap);
  if (column < 0) column = 0;
  if (column > button_box.nx - 1) column = button_box.nx - 1;
  if (row < 0) row = 0;
  if (row > button_box.ny - 1) row = button_box.ny - 1;
  return row * button_box.nx + column;
}

int ButtonIndexOf(HWND control) {
  if (!control || !button_box.window) return -1;
  for (int index = 0; index < button_box.count; ++index) {
    if (button_box.buttons[index] == control) return index;
  }
  return -1;
}

void SetButtonCaption(int index, const char* text) {
  SetWindowTextAnsi(button_box.buttons[index], text ? text : "");
}

}  // namespace zul

using namespace zul;

void ZUL_OpenButtonBox(int x, int y, int columns, int rows) {
  if (button_box.window) return;
  if (columns < 1 || rows < 1 || columns > kMaxButtons || rows > kMaxButtons) return;
  if (columns * rows > kMaxButtons) return;
  button_box.nx = columns;
  button_box.ny = rows;
  button_box.count = columns * rows;
  ForgetButtons();

  button_box.window =
      CreateBoxWindow(L"zul_bb", L"ButtonBox", x, y, ButtonBoxClientSize(columns, rows));
  if (!button_box.window) return;
  CreateButtons();
  UpdateWindow(button_box.window);
  SetForegroundWindow(button_box.window);
}

void ZUL_DestroyButtonBox() {
  if (DestroyBoxWindow(&button_box.window, L"DestroyWindow[BB] error", L"ZULLIB error!")) {
    ForgetButtons();
  }
}

void ZUL_SetButtonBoxTitle(int index, const char* text) {
  if (IsButtonOfOpenBox(index)) SetButtonCaption(index, text);
}

int ZUL_GetButtonBox(int index) {
  if (!IsButtonOfOpenBox(index)) return 0;
  int presses = button_box.press_count[index];
  button_box.press_count[index] = 0;
  return presses;
}

void ZUL_ResizeButtonBox(int client_width, int client_height) {
  if (!button_box.window) return;
  ResizeBoxWindow(button_box.window,
                  SIZE{ClampClientSide(client_width), ClampClientSide(client_height)});
}
