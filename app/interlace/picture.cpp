// Pictures that own their memory.
#include "interlace/picture.h"

#include <cstdlib>

int64_t PictureBytes(int width, int height) {
  if (width < 1 || height < 1) return -1;
  int64_t bytes = int64_t{width} * height * 4;
  // The address space of the process bounds it; a size_t must hold it too.
  if (bytes > static_cast<int64_t>(SIZE_MAX / 2)) return -1;
  return bytes;
}

bool MakePicture(int width, int height, OwnedPicture* out) {
  *out = OwnedPicture{Picture{nullptr, 0, 0, 0}, nullptr};
  int64_t bytes = PictureBytes(width, height);
  if (bytes < 0) return false;
  void* memory = std::calloc(static_cast<size_t>(bytes), 1);
  if (memory == nullptr) return false;
  out->memory = memory;
  out->picture = Picture{static_cast<uint32_t*>(memory), width, height, width};
  return true;
}

void FreePicture(OwnedPicture* picture) {
  std::free(picture->memory);
  *picture = OwnedPicture{Picture{nullptr, 0, 0, 0}, nullptr};
}
