// Mouse input of an image window: the mouse-tracking variables for
// application code, the feed of a waiting point tool, the context menus and
// the Ctrl + wheel zoom.
#include "imagewin/imagewin.h"

namespace zul {

namespace {

int SlotZoom(int number) {
  return ImageWindowLive(number) && image_windows[number].zoom > 0 ? image_windows[number].zoom
                                                                   : 100;
}

int ClientX(LPARAM lparam) { return static_cast<int>(LOWORD(lparam)); }
int ClientY(LPARAM lparam) { return static_cast<int>(HIWORD(lparam)); }

void TrackMouse(HWND window, WPARAM wparam, LPARAM lparam) {
  if (mouse_tracking == 0) return;
  int number = FindImageWindow(window);
  int zoom = SlotZoom(number);
  mouse_window = number;
  mouse_x = ClientToImage(ClientX(lparam), zoom);
  mouse_y = ClientToImage(ClientY(lparam), zoom);
  mouse_left = static_cast<int32_t>(wparam & MK_LBUTTON);
  mouse_middle = static_cast<int32_t>(wparam & MK_MBUTTON);
  mouse_ctrl = static_cast<int32_t>(wparam & MK_CONTROL);
  mouse_shift = static_cast<int32_t>(wparam & MK_SHIFT);
}

// The slot of `window` when a point tool waits for clicks on it, else -1.
int ToolWindowSlot(HWND window) {
  if (point_tool_active == 0) return -1;
  int number = FindImageWindow(window);
  return number >= 0 && number == point_tool_window ? number : -1;
}

// Stores the image position of a mouse message on the window a point tool
// watches; false (nothing stored) for any other window.
bool ToolImagePosition(HWND window, LPARAM lparam, int32_t* x, int32_t* y) {
  int number = ToolWindowSlot(window);
  if (number < 0) return false;
  int zoom = SlotZoom(number);
  *x = ClientToImage(ClientX(lparam), zoom);
  *y = ClientToImage(ClientY(lparam), zoom);
  return true;
}

void RightOrMiddleButton(HWND window, WPARAM wparam) {
  if (point_tool_active != 0) {
    if (ToolWindowSlot(window) >= 0) point_cancelled = 1;
    return;
  }
  ShowContextMenu(window, wparam);
}

void ImageMouseMove(HWND window, WPARAM wparam, LPARAM lparam) {
  TrackMouse(window, wparam, lparam);
  if (ToolImagePosition(window, lparam, &point_move_x, &point_move_y)) point_moved = 1;
}

void ImageLeftButton(HWND window, WPARAM wparam, LPARAM lparam) {
  TrackMouse(window, wparam, lparam);
  if (!ToolImagePosition(window, lparam, &point_click_x, &point_click_y)) return;
  mouse_shift = static_cast<int32_t>((wparam >> 2) & 1);
  point_clicked = 1;
}

void ImageMouseWheel(HWND window, WPARAM wparam) {
  if ((GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL) == 0) return;
  int delta = GET_WHEEL_DELTA_WPARAM(wparam);
  if (delta < 0) {
    StepZoomUp(FindImageWindow(window));
  } else if (delta > 0) {
    StepZoomDown(FindImageWindow(window));
  }
}

}  // namespace

int ClientToImage(int client, int zoom) { return zoom > 0 ? client * 100 / zoom : client; }

bool ImageMouseMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE: ImageMouseMove(window, wparam, lparam); return true;
    case WM_LBUTTONDOWN: ImageLeftButton(window, wparam, lparam); return true;
    case WM_RBUTTONDOWN: RightOrMiddleButton(window, wparam); return true;
    case WM_MBUTTONDOWN:
      TrackMouse(window, wparam, lparam);
      RightOrMiddleButton(window, wparam | MK_CONTROL);
      return true;
    case WM_MOUSEWHEEL: ImageMouseWheel(window, wparam); return true;
    default: return false;
  }
}

}  // namespace zul

using namespace zul;

// Worker thread: image windows and the point tools both live there.
int32_t point_tool_window;
int32_t point_moved, point_move_x, point_move_y;
int32_t point_clicked, point_click_x, point_click_y;
int32_t point_cancelled;
int32_t mouse_tracking;
int32_t mouse_window, mouse_x, mouse_y;
int32_t mouse_left, mouse_middle, mouse_ctrl, mouse_shift;
