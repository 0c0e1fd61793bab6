// Flood fill: paints the 4-connected region of one exact colour around a seed
// with `draw_color`, one horizontal run at a time. Worker thread only.
//
// Pending seeds sit on one last-in-first-out stack: its first 4000 entries in
// this routine's frame, the rest in a heap extension that grows on demand, so
// every region is filled completely and small fills never allocate. Only when
// the extension cannot grow is a seed dropped (the region may then stay partly
// unfilled, as with a fixed stack).
#include <cstdlib>

#include "surfaces/surfaces.h"

namespace zul {

namespace {

constexpr int kFrameSeeds = 4000;

struct SeedStack {
  int32_t frame_x[kFrameSeeds];
  int32_t frame_y[kFrameSeeds];
  int frame_count;
  int32_t* spill;      // pairs (x, y) above the frame entries
  size_t spill_count;  // pairs held
  size_t spill_capacity;
};

bool GrowSpill(SeedStack* stack) {
  size_t capacity = stack->spill_capacity == 0 ? 4096 : stack->spill_capacity * 2;
  if (capacity > SIZE_MAX / (2 * sizeof(int32_t))) return false;
  void* grown = std::realloc(stack->spill, capacity * 2 * sizeof(int32_t));
  if (grown == nullptr) return false;
  stack->spill = static_cast<int32_t*>(grown);
  stack->spill_capacity = capacity;
  return true;
}

// False when the seed had to be dropped.
bool PushSeed(SeedStack* stack, int x, int y) {
  if (stack->frame_count < kFrameSeeds) {
    stack->frame_x[stack->frame_count] = x;
    stack->frame_y[stack->frame_count] = y;
    ++stack->frame_count;
    return true;
  }
  if (stack->spill_count == stack->spill_capacity && !GrowSpill(stack)) return false;
  stack->spill[2 * stack->spill_count] = x;
  stack->spill[2 * stack->spill_count + 1] = y;
  ++stack->spill_count;
  return true;
}

bool PopSeed(SeedStack* stack, int* x, int* y) {
  if (stack->spill_count > 0) {
    --stack->spill_count;
    *x = stack->spill[2 * stack->spill_count];
    *y = stack->spill[2 * stack->spill_count + 1];
    return true;
  }
  if (stack->frame_count == 0) return false;
  --stack->frame_count;
  *x = stack->frame_x[stack->frame_count];
  *y = stack->frame_y[stack->frame_count];
  return true;
}

template <typename Pixel>
Pixel* PixelRow(const ImageSurface& s, int y) {
  return reinterpret_cast<Pixel*>(SurfaceRow(s, y));
}

// Looks along the neighbouring row while the run is walked: one seed for
// every stretch of target pixels next to the run, at its leftmost pixel.
template <typename Pixel>
inline void SeedNeighbour(SeedStack* stack, const Pixel* row, int x, int y, Pixel target,
                          bool* looking) {
  if (row[x] == target) {
    if (*looking && PushSeed(stack, x, y)) *looking = false;
  } else {
    *looking = true;
  }
}

// Fills the run through (x, y) and seeds the rows above and below. Bounds are
// tested against the surface itself: a stored pixel may hold any word,
// including the value ZUL_ProbePixel gives outside.
template <typename Pixel>
void FillRun(const ImageSurface& s, SeedStack* stack, int x, int y, Pixel target, Pixel fill) {
  const int width = static_cast<int>(s.width);
  const int height = static_cast<int>(s.height);
  Pixel* row = PixelRow<Pixel>(s, y);
  const Pixel* above = y > 0 ? PixelRow<Pixel>(s, y - 1) : nullptr;
  const Pixel* below = y + 1 < height ? PixelRow<Pixel>(s, y + 1) : nullptr;
  int x0 = x;
  while (x0 > 0 && row[x0 - 1] == target) --x0;
  bool up = true, down = true;
  int end = x0;
  for (; end < width && row[end] == target; ++end) {
    if (above != nullptr) SeedNeighbour(stack, above, end, y - 1, target, &up);
    if (below != nullptr) SeedNeighbour(stack, below, end, y + 1, target, &down);
  }
  for (int i = x0; i < end; ++i) row[i] = fill;
  // Where a line drawn from (x0, y) to (end - 1, y) leaves the pen.
  pen_x = end - 1;
  pen_y = y;
}

template <typename Pixel>
void FillRegion(const ImageSurface& s, int x, int y, Pixel fill) {
  const Pixel target = PixelRow<Pixel>(s, y)[x];
  if (target == fill) return;
  SeedStack stack;
  stack.frame_count = 0;
  stack.spill = nullptr;
  stack.spill_count = 0;
  stack.spill_capacity = 0;
  do {
    if (PixelRow<Pixel>(s, y)[x] == target) FillRun(s, &stack, x, y, target, fill);
  } while (PopSeed(&stack, &x, &y));
  std::free(stack.spill);
}

}  // namespace

}  // namespace zul

using namespace zul;

void ZUL_FloodFill(int x, int y) {
  const ImageSurface& s = CurrentSurface();
  if (!SurfaceContains(s, x, y)) return;
  if (s.bits == 32) {
    FillRegion<uint32_t>(s, x, y, draw_color);
  } else {
    FillRegion<uint8_t>(s, x, y, static_cast<uint8_t>(draw_color));
  }
}
