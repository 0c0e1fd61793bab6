// Checks after a command waited for the user (a point tool, a dialog): other
// commands ran meanwhile and may have closed the window.
#include "imagewin/imagewin.h"

namespace zul {

bool PointsGiven(int tool_result) {
  return tool_result == 0 && stop_requested == 0 && quit_state == kQuitNone;
}

bool SlotStillShows(int number, HWND window) {
  return ImageWindowLive(number) && image_windows[number].window == window;
}

bool ToolAnsweredInSlot(int code, int number, HWND window) {
  return PointsGiven(code) && SlotStillShows(number, window);
}

bool SelectSlotAgain(int number) {
  if (!ImageWindowLive(number)) return false;
  if (current_image != number) ZUL_SelectImage(number);
  return true;
}

}  // namespace zul
