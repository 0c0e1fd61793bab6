// Keeping the unused top byte of 32-bit pixels zero after GDI and GDI+ writes.
#include "surfaces/surfaces.h"

#include <algorithm>

namespace zul {

void ClearReservedBytes(int x, int y, UINT width, UINT height) {
  const ImageSurface& s = image_surfaces[current_image];
  if (s.bits != 32) return;
  GdiFlush();
  int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  int64_t right = std::min<int64_t>(static_cast<int64_t>(x) + width, s.width);
  int64_t bottom = std::min<int64_t>(static_cast<int64_t>(y) + height, s.height);
  for (int64_t row = top; row < bottom; ++row) {
    uint32_t* line = reinterpret_cast<uint32_t*>(s.base + row * s.stride);
    for (int64_t column = left; column < right; ++column) line[column] &= 0xFFFFFFu;
  }
}

}  // namespace zul
