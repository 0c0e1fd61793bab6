// Checks after a command waited for the user (a point tool, a dialog): other
// commands ran meanwhile and may have closed the window.
#include "imagewin/imagewin.h"

bool SlotStillShows(int number, HWND window) {
  return ImageWindowLive(number) && image_windows[number].window == window;
}

bool ToolAnsweredInSlot(int code, int number, HWND window) {
  if (code != 0 || stop_requested != 0 || quit_state != 0) return false;  // cancelled, Stop, Exit
  return SlotStillShows(number, window);
}
