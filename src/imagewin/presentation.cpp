// Presenting an image window's picture on a display as it is: at 100%, in a
// borderless window at the top-left corner of a chosen monitor, so that every
// pixel of the picture lands on one pixel of the display. The presentation is
// owned by the image window, so it goes when that window goes. Worker thread.
#include "imagewin/imagewin.h"

namespace zul {

namespace {

HWND presentation_window;  // the one presentation, or null
int presented_image = -1;
int presented_monitor = 0;

struct MonitorSearch {
  int wanted;  // 1 the first monitor the system lists
  int seen;
  RECT area;
};

BOOL CALLBACK CountMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* search = reinterpret_cast<MonitorSearch*>(data);
  if (++search->seen != search->wanted) return TRUE;
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  search->area = info.rcMonitor;
  return FALSE;
}

// The whole area of monitor `number` (1 the first); false when there is none.
bool MonitorArea(int number, RECT* area) {
  MonitorSearch search = {number, 0, RECT{}};
  EnumDisplayMonitors(nullptr, nullptr, CountMonitor, reinterpret_cast<LPARAM>(&search));
  if (number < 1 || search.seen < number) return false;
  *area = search.area;
  return true;
}

void CopyPictureTo(HWND window) {
  if (!ImageWindowLive(presented_image)) return;
  const ImageWindow& slot = image_windows[presented_image];
  HDC dc = GetDC(window);
  BitBlt(dc, 0, 0, slot.width, slot.height, slot.memory_dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
}

}  // namespace

LRESULT CALLBACK PresentationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      CopyPictureTo(window);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) EndPresentation();
      return 0;  // no other key: the picture on the panel is all there is
    case WM_CLOSE: EndPresentation(); return 0;
    case WM_DESTROY:
      if (window == presentation_window) {
        presentation_window = nullptr;
        presented_image = -1;
        presented_monitor = 0;
      }
      return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
  }
}

void EndPresentation() {
  if (presentation_window) DestroyWindow(presentation_window);
}

void ShowPresentedChanges(int number) {
  if (presentation_window && number == presented_image) CopyPictureTo(presentation_window);
}

int PresentationMonitorOf(int number) {
  return presentation_window && number == presented_image ? presented_monitor : 0;
}

}  // namespace zul

using namespace zul;

int ZUL_PresentImage(int number, int monitor) {
  if (monitor == 0) {
    EndPresentation();
    return 0;
  }
  if (!ImageWindowLive(number)) return 1;
  RECT area;
  if (!MonitorArea(monitor, &area)) return 2;
  EndPresentation();
  const ImageWindow& slot = image_windows[number];
  presentation_window =
      CreateWindowExW(WS_EX_TOPMOST, L"zul_pv", L"", WS_POPUP | WS_VISIBLE, area.left, area.top,
                      slot.width, slot.height, slot.window, nullptr, zul_instance, nullptr);
  if (!presentation_window) return 1;
  presented_image = number;
  presented_monitor = monitor;
  SetForegroundWindow(presentation_window);
  SetFocus(presentation_window);
  UpdateWindow(presentation_window);
  return 0;
}

int ZUL_PresentedImage() { return presented_image; }
