// Prints the time of the whole-image commands and of ZUL_FloodFill beside plain
// loops over raw memory doing the same work on the same picture. Run it on demand.
#include <algorithm>

#include "image_test_helpers.h"

namespace {

using RawLoop = void (*)(Values&, int, int);

uint32_t Scrambled(int x, int y, int w) { return (uint32_t(y) * w + x) * 2654435761u >> 8; }
uint32_t Dot(int x, int y, int) {
  return (x | y) && (uint32_t(y * 7919 + x) * 2654435761u >> 8) % 10 == 0 ? 0x202020 : 0;
}
uint32_t Empty(int, int, int) { return 0; }

// A textbook span fill from (0, 0): extend left and right, one seed per stretch above and below.
void RawScanlineFill(Values& p, int w, int h) {
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

void RawRotateRight(Values& p, int w,
                    int h) {  // new (x, y) = old (y, h - 1 - x), in 64-pixel tiles
  Values out(p.size());
  for (int ty = 0; ty < w; ty += 64)
    for (int tx = 0; tx < h; tx += 64)
      for (int y = ty; y < std::min(ty + 64, w); ++y)
        for (int x = tx; x < std::min(tx + 64, h); ++x)
          out[size_t(y) * h + x] = p[size_t(h - 1 - x) * w + y];
  p.swap(out);
}

void RawDouble(Values& p, int w, int h) {
  Values big(p.size() * 4);
  for (int y = 0; y < 2 * h; ++y)
    for (int x = 0; x < 2 * w; ++x) big[size_t(y) * 2 * w + x] = p[size_t(y / 2) * w + x / 2];
  p.swap(big);
}

}  // namespace

TEST(Benchmark, TransformsAndFloodFillAgainstRawLoops) {
  InitializeFrameworkForTests();
  RawLoop flip = [](Values& p, int w, int h) {
    for (int y = 0; y < h; ++y)
      std::reverse(p.begin() + size_t(y) * w, p.begin() + size_t(y + 1) * w);
  };
  RawLoop invert = [](Values& p, int, int) {
    for (uint32_t& v : p) v ^= 0xFFFFFFu;
  };
  const struct {
    const char* name;
    int w, h, id;
    uint32_t (*paint)(int, int, int);
    RawLoop raw;
  } cases[] = {
      {"R. Rotate 4000 x 3000", 4000, 3000, kIwRotateRight, Scrambled, RawRotateRight},
      {"Horz. Flip 4000 x 3000", 4000, 3000, kIwHorzFlip, Scrambled, flip},
      {"Invert 4000 x 3000", 4000, 3000, kIwInvert, Scrambled, invert},
      {"Size 200% 2000 x 1500", 2000, 1500, kIwSize200, Scrambled, RawDouble},
      {"Flood fill 4096 x 4096 empty", 4096, 4096, 0, Empty,
       RawScanlineFill},  // id 0: ZUL_FloodFill(0, 0)
      {"Flood fill 2048 x 2048 10% dots", 2048, 2048, 0, Dot, RawScanlineFill},
  };
  for (const auto& c : cases) {
    if (image_windows[0].in_use) ZUL_DestroyImage(0);
    ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, c.w, c.h, 100), 0);
    Values raw(size_t(c.w) * c.h);
    for (size_t i = 0; i < raw.size(); ++i)
      raw[i] = pixels[0][i] = c.paint(int(i % c.w), int(i / c.w), c.w);
    int raw_ms = TimeMs([&] { c.raw(raw, c.w, c.h); });
    draw_color = 0x123456;
    int command_ms = TimeMs([&] { c.id ? SendCommand(0, c.id) : ZUL_FloodFill(0, 0); });
    PrintFigures(c.name, "raw loop", raw_ms, command_ms);
    EXPECT_TRUE(c.id || std::equal(raw.begin(), raw.end(), pixels[0])) << c.name;
  }
  // What any change of pixel size costs: the window made again at that size (part of R. Rotate).
  std::printf("ZUL_ResizeImage to 3000 x 4000 %5d ms\n",
              TimeMs([] { ZUL_ResizeImage(0, 3000, 4000); }));
}
