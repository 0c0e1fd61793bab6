// Copying a block of the current image window into a packed buffer.
#include "surfaces/surfaces.h"

#include <algorithm>
#include <cstring>

namespace zul {

namespace {

// Copies one row of the block: the part inside the surface from the row,
// zeros elsewhere. `element` is the size of one pixel in bytes.
void CopyBlockRow(uint8_t* out, const uint8_t* row, int x, int block_width, int width,
                  int element) {
  std::memset(out, 0, static_cast<size_t>(block_width) * element);
  if (row == nullptr) return;
  int64_t first = std::max<int64_t>(x, 0);
  int64_t last = std::min<int64_t>(static_cast<int64_t>(x) + block_width, width);  // exclusive
  if (first >= last) return;
  std::memcpy(out + (first - x) * element, row + first * element,
              static_cast<size_t>(last - first) * element);
}

}  // namespace

int CopyImageBlock(void* buffer, int x, int y, int block_width, int block_height) {
  const ImageWindow* slot = CurrentLiveImage();
  if (slot == nullptr || buffer == nullptr) return 1;
  if (block_width <= 0 || block_height <= 0) return 0;
  const ImageSurface& s = image_surfaces[current_image];
  int element = s.bits == 32 ? 4 : 1;
  int64_t bytes = static_cast<int64_t>(block_width) * block_height * element;
  if (bytes > kMaxSurfaceBytes) return 1;
  uint8_t* out = static_cast<uint8_t*>(buffer);
  size_t out_stride = static_cast<size_t>(block_width) * element;
  for (int i = 0; i < block_height; ++i) {
    int64_t row_y = static_cast<int64_t>(y) + i;
    const uint8_t* row = row_y >= 0 && row_y < slot->height ? s.base + row_y * s.stride : nullptr;
    CopyBlockRow(out + i * out_stride, row, x, block_width, slot->width, element);
  }
  return 0;
}

}  // namespace zul
