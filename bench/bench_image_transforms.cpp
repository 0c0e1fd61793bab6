// Prints the time of the whole-image commands and of ZUL_FloodFill beside plain
// loops over raw memory doing the same work on the same picture into memory
// already touched (as a native library reusing its buffers), each the median
// of several trials, and the cost of making a window again (the way the pixel
// size changed before). Run it on demand.
#include <algorithm>

#include "image_test_helpers.h"

namespace {

// A plain loop over raw memory: `out` (already the result's size, its pages
// touched) from `in`, a w x h picture; the flood fill works on `out`, a copy.
using RawLoop = void (*)(const Values& in, Values& out, int w, int h);

uint32_t Scrambled(int x, int y, int w) { return (uint32_t(y) * w + x) * 2654435761u >> 8; }
uint32_t Dot(int x, int y, int) {
  return (x | y) && (uint32_t(y * 7919 + x) * 2654435761u >> 8) % 10 == 0 ? 0x202020 : 0;
}
uint32_t Empty(int, int, int) { return 0; }

// A textbook span fill from (0, 0): extend left and right, one seed per stretch above and below.
void RawScanlineFill(const Values&, Values& p, int w, int h) {
  const uint32_t target = p[0], fill = 0x123456;
  std::vector<int> stack{0, 0};
  while (!stack.empty()) {
    int y = stack.back(), x = stack[stack.size() - 2];
    stack.resize(stack.size() - 2);
    uint32_t* row = p.data() + size_t(y) * w;
    if (row[x] != target) continue;
    int l = x, r = x;
    while (l > 0 && row[l - 1] == target) --l;
    while (r + 1 < w && row[r + 1] == target) ++r;
    std::fill(row + l, row + r + 1, fill);
    for (int ny : {y - 1, y + 1})
      for (int i = l; i <= r && ny >= 0 && ny < h; ++i)
        if (p[size_t(ny) * w + i] == target && (i == l || p[size_t(ny) * w + i - 1] != target))
          stack.insert(stack.end(), {i, ny});
  }
}

// New (x, y) = old (y, h - 1 - x), in 64-pixel tiles.
void RawRotateRight(const Values& p, Values& out, int w, int h) {
  for (int ty = 0; ty < w; ty += 64)
    for (int tx = 0; tx < h; tx += 64)
      for (int y = ty; y < std::min(ty + 64, w); ++y)
        for (int x = tx; x < std::min(tx + 64, h); ++x)
          out[size_t(y) * h + x] = p[size_t(h - 1 - x) * w + y];
}

void RawDouble(const Values& p, Values& big, int w, int h) {
  for (int y = 0; y < 2 * h; ++y)
    for (int x = 0; x < 2 * w; ++x) big[size_t(y) * 2 * w + x] = p[size_t(y / 2) * w + x / 2];
}

void RawFlip(const Values& p, Values& out, int w, int h) {
  for (int y = 0; y < h; ++y)
    std::reverse_copy(p.begin() + size_t(y) * w, p.begin() + size_t(y + 1) * w,
                      out.begin() + size_t(y) * w);
}

void RawInvert(const Values& p, Values& out, int, int) {
  for (size_t i = 0; i < p.size(); ++i) out[i] = p[i] ^ 0xFFFFFFu;
}

}  // namespace

TEST(Benchmark, TransformsAndFloodFillAgainstRawLoops) {
  InitializeFrameworkForTests();
  // A command is timed on the same window trial after trial, put back (untimed) by `undo`:
  // the first rotation or scaling makes a new surface, the next ones reuse the one given up.
  const struct {
    const char* name;
    int w, h, id, undo, scale;
    uint32_t (*paint)(int, int, int);
    RawLoop raw;
  } cases[] = {
      {"R. Rotate 4000 x 3000", 4000, 3000, kIwRotateRight, kIwRotateLeft, 1, Scrambled,
       RawRotateRight},
      {"Horz. Flip 4000 x 3000", 4000, 3000, kIwHorzFlip, 0, 1, Scrambled, RawFlip},
      {"Invert 4000 x 3000", 4000, 3000, kIwInvert, 0, 1, Scrambled, RawInvert},
      {"Size 200% 2000 x 1500", 2000, 1500, kIwSize200, kIwSize50, 2, Scrambled, RawDouble},
      {"Flood fill 4096 x 4096 empty", 4096, 4096, 0, 0, 1, Empty,
       RawScanlineFill},  // id 0: ZUL_FloodFill(0, 0)
      {"Flood fill 2048 x 2048 10% dots", 2048, 2048, 0, 0, 1, Dot, RawScanlineFill},
  };
  constexpr int kTrials = 7;
  for (const auto& c : cases) {
    if (image_windows[0].in_use) ZUL_DestroyImage(0);
    ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, c.w, c.h, 100), 0);
    Values in(size_t(c.w) * c.h), out(in.size() * c.scale * c.scale, 1);
    for (size_t i = 0; i < in.size(); ++i) in[i] = c.paint(int(i % c.w), int(i / c.w), c.w);
    std::vector<int> raw_ms, command_ms;
    Values first_result;
    for (int trial = 0; trial < kTrials; ++trial) {
      if (c.raw == RawScanlineFill) std::copy(in.begin(), in.end(), out.begin());
      raw_ms.push_back(TimeMs([&] { c.raw(in, out, c.w, c.h); }));
      std::copy(in.begin(), in.end(), pixels[0]);
      draw_color = 0x123456;
      command_ms.push_back(TimeMs([&] { c.id ? SendCommand(0, c.id) : ZUL_FloodFill(0, 0); }));
      if (trial == 0) first_result = ValuesOf(0);
      if (c.undo) SendCommand(0, c.undo);
    }
    char first[96];
    std::snprintf(first, sizeof first, "%s, the first", c.name);
    PrintFigures(first, "raw loop", Median(raw_ms), command_ms[0]);
    command_ms.erase(command_ms.begin());
    PrintFigures(c.name, "raw loop", Median(raw_ms), Median(command_ms));
    EXPECT_TRUE(first_result == out) << c.name;
  }
  // What a change of pixel size cost before: the window made again at that size.
  std::printf("ZUL_ResizeImage to 3000 x 4000 %5d ms\n",
              TimeMs([] { ZUL_ResizeImage(0, 3000, 4000); }));
}
