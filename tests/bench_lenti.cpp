// Prints the time of one rendering of the lenticular output (with its redraw
// and printout), beside a direct-memory rendering of the same interlacing in
// the same run whose output is checked equal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "lenti.h"
#include "test_support.h"

namespace {

double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return count.QuadPart * 1000.0 / frequency.QuadPart;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The same interlacing with plain memory reads and writes: the baseline.
void RenderDirect(const uint32_t* work, int work_width, int work_height, uint32_t* out) {
  const double dt = pitch / view_num;
  const int picture_width = work_width / pic_num;
  std::vector<int> widths;
  uint32_t prev[kRowBlocks] = {};
  double frac = 0;
  bool blend = false;
  int x = 0;
  double t = dt;
  bool first = true;
  auto write = [&](int px, int py, uint32_t colour, uint32_t mask) {
    if (static_cast<unsigned>(px) >= 800u || static_cast<unsigned>(py) >= 480u) return;
    uint32_t& word = out[py * 800 + px];
    word = (word & ~mask & 0xFFFFFF) | (colour & mask);
  };
  do {
    ComputeViewWidths(x, t, dt, view_num, &widths);
    int base = static_cast<int>(first ? std::trunc(pitch) : std::trunc(t));
    first = false;
    for (int v = 0, k = 0; v < view_num;) {
      int width = widths[v];
      int sx = width == 0 ? 0 : v * picture_width + base - static_cast<int>(std::trunc((pitch / width) * k));
      for (int o = 0; o < kRowBlocks; ++o) {
        int px = sx + 3 * o, py = 3 * o;
        uint32_t c = width != 0 && static_cast<unsigned>(px) < static_cast<unsigned>(work_width) &&
                             py < work_height
                         ? work[py * work_width + px]
                         : 0;
        uint32_t colour = blend && AA ? BlendColors(frac, c, prev[o]) : c;
        if (k < gap) colour = 0;
        prev[o] = c;
        int a = x + 3 * o + (v != 0 ? pos : 0);
        int col = a / 3, phase = a % 3, y0 = 3 * o;
        if (phase == 0) {
          write(col, y0, colour, 0xFF0000); write(col, y0 + 1, colour, 0xFF00); write(col, y0 + 2, colour, 0xFF);
        } else if (phase == 1) {
          write(col, y0, colour, 0xFF); write(col + 1, y0 + 1, colour, 0xFF0000); write(col + 1, y0 + 2, colour, 0xFF00);
        } else if (phase == 2) {
          write(col, y0, colour, 0xFF00); write(col, y0 + 1, colour, 0xFF); write(col + 1, y0 + 2, colour, 0xFF0000);
        }
      }
      x = x + 1;
      blend = false;
      if (x >= std::trunc(t)) {
        frac = t - std::trunc(t);
        v = v + 1;
        k = 0;
        blend = true;
        t = t + dt;
      } else {
        k = k + 1;
      }
    }
  } while (x < kOutputSubpixels);
}

}  // namespace

TEST(LentiBenchmark, RenderTimeAgainstDirectMemory) {
  InitializeFrameworkForTests();
  pitch = 23.006;
  pic_num = 2;
  view_num = 2;
  AA = 1;
  ZUL_OpenTextWindow(0, 0, 0, 198, 198);
  // The typical input: two 800 x 480 views side by side, tripled to 4800 wide.
  ZUL_CreateImage(kWorkWindow, "work", 0, 300, 4800, 480, 10);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 4800; ++x) ZUL_PlotPixel(x, y, static_cast<uint32_t>(x * 2654435761u ^ y * 40503u) & 0xFFFFFF);
  }
  ZUL_CreateImage(kOutputWindow, "Hello,there!", 0, 0, 800, 480, 100);

  const int kPresses = 100;
  std::vector<double> framework_ms, direct_ms;
  std::vector<uint32_t> direct(800 * 480, 0);
  const uint32_t* work = reinterpret_cast<const uint32_t*>(image_surfaces[kWorkWindow].base);
  for (int i = 0; i < kPresses; ++i) {
    pitch = 23.006 + (i % 10) * 0.001;  // a press of "pitch+0.001", then back
    double t0 = NowMs();
    RenderLenticular();
    double t1 = NowMs();
    RenderDirect(work, 4800, 480, direct.data());
    double t2 = NowMs();
    framework_ms.push_back(t1 - t0);
    direct_ms.push_back(t2 - t1);
  }
  const uint32_t* out = reinterpret_cast<const uint32_t*>(image_surfaces[kOutputWindow].base);
  bool equal = std::memcmp(out, direct.data(), direct.size() * 4) == 0;

  // The same renderings without the printout (no text window open): the pixel
  // calls and the redraw alone.
  ZUL_CloseTextWindow(0);
  std::vector<double> silent_ms;
  for (int i = 0; i < kPresses; ++i) {
    double t0 = NowMs();
    RenderLenticular();
    silent_ms.push_back(NowMs() - t0);
  }

  double framework = Median(framework_ms), baseline = Median(direct_ms);
  double silent = Median(silent_ms);
  std::printf("RenderLenticular (pixel calls, redraw, printout): median %.3f ms over %d presses\n",
              framework, kPresses);
  std::printf("direct-memory interlacing (baseline):             median %.3f ms\n", baseline);
  std::printf("  of which pixel calls and redraw (no printout): median %.3f ms\n", silent);
  std::printf("ratio: %.2f (pixel calls and redraw alone: %.2f)\n", framework / baseline,
              silent / baseline);
  std::printf("outputs equal: %s\n", equal ? "yes" : "NO");
  EXPECT_TRUE(equal);
}
