// Prints the time of one rendering of the lenticular output (with its redraw
// and printout, and without the printout) beside a direct-memory rendering of
// the same interlacing in the same run, whose output is checked equal.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "lenti.h"
#include "test_support.h"

namespace {

// Median milliseconds of `presses` calls of `render(i)`.
double MedianMs(int presses, const std::function<void(int)>& render) {
  std::vector<double> ms;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < presses; ++i) {
    QueryPerformanceCounter(&start);
    render(i);
    QueryPerformanceCounter(&end);
    ms.push_back((end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// The same interlacing with plain memory reads and writes: the baseline. Block
// o of sub-pixel column a covers rows 3o + s (s = 0..2), each at sub-pixel
// 3 (a / 3) + (3 - a % 3) % 3 + s of its row, counted R, G, B from the left.
void RenderDirect(const uint32_t* work, int work_width, int work_height, uint32_t* out) {
  const double dt = pitch / view_num;
  const int picture_width = work_width / pic_num;
  std::vector<int> widths;
  uint32_t prev[kRowBlocks] = {};
  double frac = 0, t = dt;
  bool blend = false;
  for (int x = 0; x < kOutputSubpixels;) {
    ComputeViewWidths(x, t, dt, view_num, &widths);
    int base = static_cast<int>(std::trunc(x == 0 ? pitch : t));
    for (int v = 0, k = 0; v < view_num;) {
      int width = widths[v];
      int sx = width == 0
                   ? 0
                   : v * picture_width + base - static_cast<int>(std::trunc((pitch / width) * k));
      for (int o = 0; o < kRowBlocks; ++o) {
        bool inside =
            width != 0 && sx + 3 * o >= 0 && sx + 3 * o < work_width && 3 * o < work_height;
        uint32_t c = inside ? work[3 * o * work_width + sx + 3 * o] : 0;
        uint32_t colour = k < gap ? 0 : blend && AA ? BlendColors(frac, c, prev[o]) : c;
        prev[o] = c;
        int a = x + 3 * o + (v != 0 ? pos : 0);
        for (int s = 0; s < 3; ++s) {
          int sub = 3 * (a / 3) + (3 - a % 3) % 3 + s, px = sub / 3, py = 3 * o + s;
          if (px >= 800) continue;
          uint32_t mask = 0xFF0000u >> (8 * (sub % 3)), &word = out[py * 800 + px];
          word = (word & ~mask & 0xFFFFFF) | (colour & mask);
        }
      }
      blend = ++x >= std::trunc(t);
      if (blend)
        frac = t - std::trunc(t), ++v, k = 0, t += dt;
      else
        ++k;
    }
  }
}

}  // namespace

TEST(LentiBenchmark, RenderTimeAgainstDirectMemory) {
  InitializeFrameworkForTests();
  pitch = 23.006, pic_num = 2, view_num = 2, AA = 1;
  ZUL_OpenTextWindow(0, 0, 0, 198, 198);
  // The typical input: two 800 x 480 views side by side, tripled to 4800 wide.
  ZUL_CreateImage(kWorkWindow, "work", 0, 300, 4800, 480, 10);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 4800; ++x) ZUL_PlotPixel(x, y, (x * 2654435761u ^ y * 40503u) & 0xFFFFFF);
  }
  ZUL_CreateImage(kOutputWindow, "Hello,there!", 0, 0, 800, 480, 100);
  const int kPresses = 100;
  auto press = [](int i) { pitch = 23.006 + (i % 10) * 0.001; };  // "pitch+0.001", then back
  std::vector<uint32_t> direct(800 * 480, 0);
  const uint32_t* work = reinterpret_cast<const uint32_t*>(image_surfaces[kWorkWindow].base);
  double baseline =
      MedianMs(kPresses, [&](int i) { press(i), RenderDirect(work, 4800, 480, direct.data()); });
  double framework = MedianMs(kPresses, [&](int i) { press(i), RenderLenticular(); });
  bool equal =
      std::memcmp(image_surfaces[kOutputWindow].base, direct.data(), direct.size() * 4) == 0;
  ZUL_CloseTextWindow(0);  // no printout: the pixel calls and the redraw alone
  double silent = MedianMs(kPresses, [&](int i) { press(i), RenderLenticular(); });

  const struct {
    const char* what;
    double ms;
  } rows[] = {
      {"direct-memory interlacing (baseline)", baseline},
      {"RenderLenticular (pixel calls, redraw, printout)", framework},
      {"RenderLenticular without a text window (no printout)", silent},
  };
  for (const auto& r : rows)
    std::printf("%-54s median %8.3f ms over %d presses = %6.2f x the baseline\n", r.what, r.ms,
                kPresses, r.ms / baseline);
  std::printf("outputs equal: %s\n", equal ? "yes" : "NO");
  EXPECT_TRUE(equal);
}
