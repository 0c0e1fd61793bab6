#include "imagewin/imagewin.h"

#include "surfaces/surfaces.h"

LRESULT CALLBACK ImageWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    ZUL_RedrawImage(FindImageWindow(window));
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
