// Destroying an image window.
#include "surfaces/surfaces.h"

#include <cstdlib>

using namespace zul;

int ZUL_DestroyImage(int number) {
  if (!ImageWindowLive(number)) return 1;
  ImageWindow& slot = image_windows[number];
  slot.in_use = 0;
  WithdrawSurface(number);
  SelectObject(slot.memory_dc, slot.previous_bitmap);
  DeleteObject(slot.dib);
  DropSpareSurface();
  DeleteDC(slot.memory_dc);
  ReleaseDC(slot.window, slot.window_dc);
  std::free(slot.title);
  HWND window = slot.window;
  slot = ImageWindow{};
  DestroyWindow(window);
  return 0;
}
