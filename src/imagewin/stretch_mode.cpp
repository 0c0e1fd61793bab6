// How an image window scales its surface to the view: plain (COLORONCOLOR) or
// smoothed (HALFTONE).
#include "imagewin/imagewin.h"

namespace zul {

namespace {

void ApplyStretchMode(HDC dc, int mode) {
  SetStretchBltMode(dc, mode);
  SetBrushOrgEx(dc, 0, 0, nullptr);
}

}  // namespace

void ToggleStretchMode(int number) {
  if (!ImageWindowLive(number)) return;
  int mode = ZUL_GetStretchMode(number) == COLORONCOLOR ? HALFTONE : COLORONCOLOR;
  ZUL_SetStretchMode(mode, number);
}

}  // namespace zul

using namespace zul;

int ZUL_SetStretchMode(int mode, int number) {
  if (!ImageWindowLive(number)) return 1;
  ImageWindow& slot = image_windows[number];
  if (mode == COLORONCOLOR || mode == HALFTONE) {
    ApplyStretchMode(slot.window_dc, mode);
    ApplyStretchMode(slot.memory_dc, mode);
  }
  InvalidateRect(slot.window, nullptr, FALSE);
  UpdateImageTitle(number);
  return 0;
}

int ZUL_GetStretchMode(int number) {
  if (!ImageWindowLive(number)) return 0;
  return GetStretchBltMode(image_windows[number].window_dc);
}
