// Keys of an image window: Ctrl shortcuts post their menu command to the
// window itself, keypad zoom, Tab smoothing, and the main window's keys.
#include "imagewin/imagewin.h"

namespace zul {

namespace {

// Handles the keys of the Ctrl rows; returns false for any other key.
bool ControlKey(HWND window, WPARAM key) {
  switch (key) {
    case 'X': PostCommandToWindow(window, kIwCut); return true;
    case 'C': PostCommandToWindow(window, kIwCopy); return true;
    case 'V': PostCommandToWindow(window, kIwPasteTopLeft); return true;
    case 'Q': PostCommandToWindow(window, kIwDestroy); return true;
    case 'R': PostCommandToWindow(window, kIwClipping); return true;
    case VK_ADD: StepZoomUp(FindImageWindow(window)); return true;
    case VK_SUBTRACT: StepZoomDown(FindImageWindow(window)); return true;
    case VK_NUMPAD0: ZUL_SetZoom(FindImageWindow(window), 100); return true;
    default: return false;
  }
}

}  // namespace

void ImageWindowKey(HWND window, WPARAM key) {
  if (point_tool_active != 0) return;  // every key waits until the tool is done
  if (ControlHeld() && ControlKey(window, key)) return;
  if (key == VK_TAB) {
    ToggleStretchMode(FindImageWindow(window));
  } else {
    ForwardKeyToMainWindow(key, 0);
  }
}

}  // namespace zul
