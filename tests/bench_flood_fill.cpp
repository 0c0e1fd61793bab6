// Prints the time of ZUL_FloodFill beside a plain scanline fill on raw memory
// (same pictures, same seeds), for a large empty window and a window strewn
// with 10% dots. Not a test: run it on demand and read the figures.
#include <cstdio>
#include <vector>

#include "test_support.h"

namespace {

uint32_t Dot(int x, int y) {
  uint32_t h = static_cast<uint32_t>(y * 7919 + x) * 2654435761u;
  return (x | y) != 0 && (h >> 8) % 10 == 0 ? 0x202020 : 0;
}

// A textbook span fill: pop a seed, extend left and right, push one seed per
// stretch above and below.
void RawScanlineFill(uint32_t* p, int w, int h, int sx, int sy, uint32_t fill) {
  uint32_t target = p[sy * w + sx];
  if (target == fill) return;
  std::vector<int> stack{sx, sy};
  while (!stack.empty()) {
    int y = stack.back();
    stack.pop_back();
    int x = stack.back();
    stack.pop_back();
    uint32_t* row = p + static_cast<size_t>(y) * w;
    if (row[x] != target) continue;
    int l = x, r = x;
    while (l > 0 && row[l - 1] == target) --l;
    while (r + 1 < w && row[r + 1] == target) ++r;
    for (int i = l; i <= r; ++i) row[i] = fill;
    for (int ny = y - 1; ny <= y + 1; ny += 2) {
      if (ny < 0 || ny >= h) continue;
      const uint32_t* n = p + static_cast<size_t>(ny) * w;
      bool open = false;
      for (int i = l; i <= r; ++i) {
        if (n[i] == target) {
          if (!open) stack.insert(stack.end(), {i, ny});
          open = true;
        } else {
          open = false;
        }
      }
    }
  }
}

void Measure(const char* name, int w, int h, bool dots) {
  if (image_windows[0].in_use) ZUL_DestroyImage(0);
  if (ZUL_CreateImage(0, "bench", 0, 0, w, h, 100) != 0) {
    std::printf("%s: window could not be made\n", name);
    return;
  }
  uint32_t* surface = pixels[0];
  std::vector<uint32_t> raw(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      size_t i = static_cast<size_t>(y) * w + x;
      raw[i] = surface[i] = dots ? Dot(x, y) : 0;
    }
  int t0 = ZUL_GetTime();
  RawScanlineFill(raw.data(), w, h, 0, 0, 0x123456);
  int t1 = ZUL_GetTime();
  draw_color = 0x123456;
  ZUL_FloodFill(0, 0);
  int t2 = ZUL_GetTime();
  size_t differ = 0;
  for (size_t i = 0; i < raw.size(); ++i) differ += raw[i] != surface[i];
  std::printf("%-34s raw scanline %5d ms   ZUL_FloodFill %5d ms   ratio %.2f   pixels differing %u\n",
              name, t1 - t0, t2 - t1, t1 > t0 ? double(t2 - t1) / (t1 - t0) : 0.0,
              static_cast<unsigned>(differ));
}

}  // namespace

TEST(Benchmark, FloodFillAgainstRawScanlineFill) {
  InitializeFrameworkForTests();
  Measure("4096 x 4096 empty", 4096, 4096, false);
  Measure("2048 x 2048 with 10% dots", 2048, 2048, true);
  ZUL_DestroyImage(0);
}
