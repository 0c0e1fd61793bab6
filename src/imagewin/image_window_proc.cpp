// The window procedure of class "zul_iw": it turns an image window's
// messages into painting, zoom, menus, keys, commands and the mouse feed.
#include "imagewin/imagewin.h"

namespace zul {

namespace {

void PaintImageWindow(HWND window) {
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  ZUL_RedrawImage(FindImageWindow(window));  // the whole view, whatever the region
  EndPaint(window, &paint);
}

}  // namespace

LRESULT CALLBACK ImageWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (HandleSnapMessage(window, message, lparam, &result)) return result;
  if (ImageMouseMessage(window, message, wparam, lparam)) return 0;
  switch (message) {
    case WM_CREATE:
    case WM_DESTROY: return 0;
    case WM_PAINT: PaintImageWindow(window); return 0;
    case WM_CLOSE: ZUL_DestroyImage(FindImageWindow(window)); return 0;
    case WM_KEYDOWN: ImageWindowKey(window, wparam); return 0;
    case WM_COMMAND: ImageWindowCommand(window, LOWORD(wparam)); return 0;
    case WM_DROPFILES:
      if (point_tool_active != 0) {  // a waiting tool's feedback is in the picture
        DragFinish(reinterpret_cast<HDROP>(wparam));
        return 0;
      }
      DropFilesCommand(window, reinterpret_cast<HDROP>(wparam));
      return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace zul

using namespace zul;

int ZUL_RedrawImage(int number) {
  if (!ImageWindowLive(number)) return 1;
  const ImageWindow& slot = image_windows[number];
  if (slot.zoom == 100) {
    BitBlt(slot.window_dc, 0, 0, slot.width, slot.height, slot.memory_dc, 0, 0, SRCCOPY);
  } else {
    StretchBlt(slot.window_dc, 0, 0, slot.view_width, slot.view_height, slot.memory_dc, 0, 0,
               slot.width, slot.height, SRCCOPY);
  }
  ShowPresentedChanges(number);
  return 0;
}
