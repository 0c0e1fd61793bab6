// Keys of an image window: Ctrl shortcuts post their menu command to the
// window itself, keypad zoom, Tab smoothing, and the main window's keys.
#include "imagewin/imagewin.h"

#include "core/core.h"
#include "surfaces/surfaces.h"

namespace {

bool ControlHeld() { return GetKeyState(VK_CONTROL) < 0; }

void PostCommand(HWND window, int id) { PostMessageW(window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

// Handles the keys of the Ctrl rows; returns false for any other key.
bool ControlKey(HWND window, WPARAM key) {
  switch (key) {
    case 'X': PostCommand(window, kIwCut); return true;
    case 'C': PostCommand(window, kIwCopy); return true;
    case 'V': PostCommand(window, kIwPasteTopLeft); return true;
    case 'Q': PostCommand(window, kIwDestroy); return true;
    case 'R': PostCommand(window, kIwClipping); return true;
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
  switch (key) {
    case VK_TAB:
      ToggleStretchMode(FindImageWindow(window));
      break;
    case 'X':
    case VK_ESCAPE:
    case 'S':
    case 'C':
      if (main_window != nullptr) PostMessageW(main_window, WM_KEYDOWN, key, 0);
      break;
    default:
      break;
  }
}
