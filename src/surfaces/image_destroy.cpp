// Destroying an image window and copying its surface to the screen.
#include "surfaces/surfaces.h"

#include <cstdlib>

int ZUL_DestroyImage(int number) {
  if (!ImageWindowLive(number)) return 1;
  ImageWindow& slot = image_windows[number];
  slot.in_use = 0;
  WithdrawSurface(number);
  SelectObject(slot.memory_dc, slot.previous_bitmap);
  DeleteObject(slot.dib);
  DeleteDC(slot.memory_dc);
  ReleaseDC(slot.window, slot.window_dc);
  std::free(slot.title);
  HWND window = slot.window;
  slot = ImageWindow{};
  DestroyWindow(window);
  return 0;
}

int ZUL_RedrawImage(int number) {
  if (!ImageWindowLive(number)) return 1;
  const ImageWindow& slot = image_windows[number];
  if (slot.zoom == 100) {
    BitBlt(slot.window_dc, 0, 0, slot.width, slot.height, slot.memory_dc, 0, 0, SRCCOPY);
  } else {
    StretchBlt(slot.window_dc, 0, 0, slot.view_width, slot.view_height, slot.memory_dc, 0, 0,
               slot.width, slot.height, SRCCOPY);
  }
  return 0;
}
