// The window procedure of class "zul_twi": painting from the back buffer,
// sizing, snapping, closing, and the keys that feed a pending input.
#include "textwin/textwin.h"

namespace zul {

namespace {

void PaintTextWindow(HWND window, int number) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  if (number >= 0) CopyBackBufferToWindow(text_windows[number], paint.rcPaint);
  EndPaint(window, &paint);
}

// While an input is pending, characters go to the key queue and only Up and
// Ctrl+V mean something.
void FeedPendingInput(UINT message, WPARAM wparam) {
  if (message == WM_CHAR) {
    if (!ControlHeld()) PutKeyUnit(static_cast<wchar_t>(wparam));
    return;
  }
  if (input_action != kInputActionNone) return;
  if (wparam == VK_UP) {
    input_action = kInputActionRecall;
  } else if (wparam == 'V' && ControlHeld()) {
    input_action = kInputActionPaste;
  }
}

}  // namespace

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (HandleSnapMessage(window, message, lparam, &result)) return result;
  int number = FindTextWindow(window);
  switch (message) {
    case WM_CREATE:
    case WM_DESTROY: return 0;
    case WM_PAINT: PaintTextWindow(window, number); return 0;
    case WM_SIZE:
      if (number >= 0) RebuildTextBackBuffer(text_windows[number], LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_CLOSE:
      if (number < 0) break;
      ZUL_CloseTextWindow(number);
      return 0;
    case WM_CHAR:
    case WM_KEYDOWN:
      if (text_input_pending != kNoInputPending) {
        FeedPendingInput(message, wparam);
      } else if (message == WM_KEYDOWN && number >= 0) {
        TextWindowKey(window, number, wparam);
      }
      return 0;
    case WM_RBUTTONDOWN:
      if (number >= 0) ShowTextWindowMenu(window, number);
      return 0;
    case WM_COMMAND:
      if (number >= 0) TextWindowCommand(window, number, LOWORD(wparam));
      return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace zul
