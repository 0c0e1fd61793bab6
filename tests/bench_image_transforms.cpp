// Prints the time of the whole-image commands (R. Rotate, Horz. Flip, Invert
// on 4000 x 3000, Size 200% of 2000 x 1500) beside plain loops over raw
// memory doing the same. Not a test: run it on demand and read the figures.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "test_support.h"

namespace {

constexpr int kTile = 64;

void MakeWindow(int w, int h, std::vector<uint32_t>* raw) {
  if (image_windows[0].in_use) ZUL_DestroyImage(0);
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, w, h, 100), 0);
  raw->resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < raw->size(); ++i) (*raw)[i] = pixels[0][i] = (i * 2654435761u) >> 8;
}

void Report(const char* name, int raw_ms, int command_ms) {
  std::printf("%-28s raw loop %5d ms   command %5d ms   ratio %.2f\n", name, raw_ms, command_ms,
              raw_ms > 0 ? double(command_ms) / raw_ms : 0.0);
}

// Clockwise: new (x, y) = old (y, h - 1 - x), in square tiles.
void RawTiledRotate(const uint32_t* from, uint32_t* to, int w, int h) {
  for (int ty = 0; ty < w; ty += kTile)
    for (int tx = 0; tx < h; tx += kTile)
      for (int y = ty; y < std::min(ty + kTile, w); ++y)
        for (int x = tx; x < std::min(tx + kTile, h); ++x)
          to[static_cast<size_t>(y) * h + x] = from[static_cast<size_t>(h - 1 - x) * w + y];
}

void Time(const char* name, int w, int h, int id, void (*raw_loop)(std::vector<uint32_t>&, int, int)) {
  std::vector<uint32_t> raw;
  MakeWindow(w, h, &raw);
  int t0 = ZUL_GetTime();
  raw_loop(raw, w, h);
  int t1 = ZUL_GetTime();
  SendCommand(0, id);
  GdiFlush();
  int t2 = ZUL_GetTime();
  Report(name, t1 - t0, t2 - t1);
}

}  // namespace

TEST(Benchmark, TransformsAgainstRawLoops) {
  InitializeFrameworkForTests();
  Time("R. Rotate 4000 x 3000", 4000, 3000, kIwRotateRight, [](std::vector<uint32_t>& p, int w, int h) {
    std::vector<uint32_t> turned(p.size());
    RawTiledRotate(p.data(), turned.data(), w, h);
    p.swap(turned);
  });
  Time("Horz. Flip 4000 x 3000", 4000, 3000, kIwHorzFlip, [](std::vector<uint32_t>& p, int w, int h) {
    for (int y = 0; y < h; ++y) std::reverse(p.begin() + size_t(y) * w, p.begin() + size_t(y + 1) * w);
  });
  Time("Invert 4000 x 3000", 4000, 3000, kIwInvert, [](std::vector<uint32_t>& p, int, int) {
    for (uint32_t& v : p) v ^= 0xFFFFFFu;
  });
  Time("Size 200% 2000 x 1500", 2000, 1500, kIwSize200, [](std::vector<uint32_t>& p, int w, int h) {
    std::vector<uint32_t> big(p.size() * 4);
    for (int y = 0; y < 2 * h; ++y)
      for (int x = 0; x < 2 * w; ++x) big[size_t(y) * 2 * w + x] = p[size_t(y / 2) * w + x / 2];
    p.swap(big);
  });
  // What any change of pixel size costs: the window made again at that size.
  std::vector<uint32_t> raw;
  MakeWindow(4000, 3000, &raw);
  int t0 = ZUL_GetTime();
  ZUL_ResizeImage(0, 3000, 4000);
  std::printf("%-28s %5d ms (part of R. Rotate's command time)\n", "ZUL_ResizeImage to 3000 x 4000",
              ZUL_GetTime() - t0);
  ZUL_DestroyImage(0);
}
