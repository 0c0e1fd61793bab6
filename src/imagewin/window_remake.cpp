// Making image windows for the commands: again in a slot, with what the old
// window looked like read before it is destroyed; or in the first free slot.
#include "imagewin/imagewin.h"

#include <cstdio>

namespace zul {

void CaptureImageWindowLook(int number, ImageWindowLook* look) {
  const ImageWindow& slot = image_windows[number];
  snprintf(look->title, sizeof look->title, "%s", slot.title != nullptr ? slot.title : "");
  look->bits = slot.bits;
  RECT outer;
  GetWindowRect(slot.window, &outer);
  look->left = outer.left;
  look->top = outer.top;
  look->zoom = slot.zoom;
  look->stretch_mode = GetStretchBltMode(slot.window_dc);
  for (RGBQUAD& color : look->colors) color = RGBQUAD{};
  if (look->bits == 8) GetDIBColorTable(slot.memory_dc, 0, kPaletteEntries, look->colors);
}

int RemakeImageWindow(int number, const ImageWindowLook& look, int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  int code = CreateImageWindow(number, look.title, look.left, look.top, width, height, look.zoom,
                               look.bits);
  if (code != 0) return code;
  if (look.bits == 8) {
    SetDIBColorTable(image_windows[number].memory_dc, 0, kPaletteEntries, look.colors);
  }
  ZUL_SetStretchMode(look.stretch_mode, number);
  return 0;
}

int CreateInFirstSlot(const char* title, int width, int height, int bits) {
  for (int n = 0; n < kImageSlots; ++n) {
    if (CreateImageWindow(n, title, 0, 0, width, height, 100, bits) == 0) return n;
  }
  return -1;
}

}  // namespace zul
