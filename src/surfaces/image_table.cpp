#include "surfaces/surfaces.h"

ImageWindow image_windows[kImageSlots];
uint32_t* pixels[kImageSlots];
uint8_t* pixels8[kImageSlots];

void ClearImageTable() {
  for (ImageWindow& slot : image_windows) slot.in_use = 0;
}

int CreateImageWindow(int, const char*, int, int, int, int, int, int) { return 3; }
int ZUL_RedrawImage(int) { return 1; }
int ZUL_SelectImage(int) { return 1; }
int ZUL_RestoreImage() { return 1; }
int ZUL_LoadImageFile(const char*, int, int) { return 2; }
void PasteBitmapToImage(HBITMAP bitmap) { DeleteObject(bitmap); }
int ZUL_CreateImage(int n, const char* t, int x, int y, int w, int h, int z) { return CreateImageWindow(n, t, x, y, w, h, z, 32); }
int ZUL_CreateImage8(int n, const char* t, int x, int y, int w, int h, int z) { return CreateImageWindow(n, t, x, y, w, h, z, 8); }
int ZUL_DestroyImage(int) { return 1; }
