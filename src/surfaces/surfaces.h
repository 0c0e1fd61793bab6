// Image surfaces: the table of 256 image windows, their surfaces and palettes,
// the current image window, and image file input and output.
#pragma once

#include "zullib.h"

constexpr int kImageSlots = 256;

struct ImageWindow {
  int32_t in_use;
  int32_t bits;
  int32_t width, height;
  int32_t view_width, view_height;
  int32_t zoom;
  HWND window;
  HDC memory_dc;
  HDC window_dc;
  HBITMAP dib;
  HGDIOBJ previous_bitmap;
  char* title;
};

extern ImageWindow image_windows[kImageSlots];
extern uint32_t* pixels[kImageSlots];
extern uint8_t* pixels8[kImageSlots];

// Start-up: every slot free, the history cleared.
void ClearImageTable();

// The creation routine behind ZUL_CreateImage / ZUL_CreateImage8.
int CreateImageWindow(int number, const char* title, int x, int y, int width, int height,
                      int zoom, int bits);
// Copies a bitmap into the current image window's surface at (0, 0) and deletes it.
void PasteBitmapToImage(HBITMAP bitmap);
