// Pictures in memory as the interlacers read and write them: 32-bit words
// 0x00RRGGBB, rows top-down, `stride` words from one row to the next.
#pragma once

#include <cstddef>
#include <cstdint>

struct Picture {
  uint32_t* pixels;  // row 0, the top row
  int width;
  int height;
  ptrdiff_t stride;  // words per row
};

inline uint32_t* PictureRow(const Picture& p, int y) { return p.pixels + p.stride * y; }

// A part of a picture: the block of `width` x `height` at (x, y), which must
// lie inside it.
inline Picture PicturePart(const Picture& p, int x, int y, int width, int height) {
  return Picture{p.pixels + p.stride * y + x, width, height, p.stride};
}

// A picture that owns its memory (all zero when made), or none when the
// memory could not be had.
struct OwnedPicture {
  Picture picture;
  void* memory;
};
// Makes width x height (both at least 1). False, with nothing made, when the
// byte count does not fit the process or the memory cannot be had.
bool MakePicture(int width, int height, OwnedPicture* out);
void FreePicture(OwnedPicture* picture);
// Bytes of a width x height picture, or -1 when the process cannot hold it.
int64_t PictureBytes(int width, int height);
