// Keeping a window on screen: a window placed partly outside the work area
// (the screen without the task bar) is moved in, by the least distance.
#include "core/core.h"

namespace zul {

namespace {

// The left (or top) edge that brings [low, high) inside [area_low, area_high):
// unchanged when it already fits; aligned to the far edge when it sticks out
// there; aligned to the near edge when it sticks out there or is too large.
LONG EdgeInside(LONG low, LONG high, LONG area_low, LONG area_high) {
  if (high > area_high) low -= high - area_high;
  if (low < area_low) low = area_low;
  return low;
}

}  // namespace

void MoveWindowIntoWorkArea(HWND window) {
  RECT area;
  RECT rect;
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) || !GetWindowRect(window, &rect)) {
    return;
  }
  LONG left = EdgeInside(rect.left, rect.right, area.left, area.right);
  LONG top = EdgeInside(rect.top, rect.bottom, area.top, area.bottom);
  if (left == rect.left && top == rect.top) return;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace zul
