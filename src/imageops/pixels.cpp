// Pixel access beyond the inline single-pixel calls: the pen position, rows
// and clearing a surface.
#include <cstring>

#include "surfaces/surfaces.h"

using namespace zul;

int32_t pen_x, pen_y;

void ZUL_ReadRow(void* buffer, int y, int count) {
  if (buffer == nullptr || count <= 0 || CurrentLiveImage() == nullptr) return;
  CopyImageBlock(buffer, 0, y, count, 1);
}

void ZUL_ClearImage(int number) {
  if (!ImageWindowLive(number)) return;
  const ImageSurface& s = image_surfaces[number];
  if (s.base == nullptr) return;
  std::memset(s.base, 0, static_cast<size_t>(s.stride) * s.height);
}

int ZUL_GetImageRows(int number, ImageSurface* rows) {
  if (rows == nullptr) return 1;
  *rows = ImageSurface{nullptr, 0, 0, 0, 0};
  if (!ImageWindowLive(number)) return 1;
  GdiFlush();  // what GDI still had to draw into the surface is there now
  *rows = image_surfaces[number];
  return 0;
}
