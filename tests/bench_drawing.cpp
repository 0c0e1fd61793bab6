// Prints the cost of the raster figures beside the same figures written
// straight to the surface memory in the same run. Not a test: run it on
// demand and read the figures.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "surfaces_test_util.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1440;

// A plain Bresenham on the raw words (every end is inside).
void RawLine(uint32_t* p, uint32_t colour, int x1, int y1, int x2, int y2) {
  int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1), major = std::max(dx, dy), minor = std::min(dx, dy);
  int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? kWidth : -kWidth;
  int major_step = dx >= dy ? sx : sy, minor_step = dx >= dy ? sy : sx, e = (major + 1) / 2;
  uint32_t* q = p + y1 * kWidth + x1;
  *q = colour;
  for (int k = 0; k < major; ++k) {
    e -= minor;
    q += major_step;
    if (e <= 0) e += major, q += minor_step;
    *q = colour;
  }
}

// A disc of rows, each row's half width from the square root rule.
void RawDisc(uint32_t* p, uint32_t colour, int cx, int cy, int r) {
  for (int dy = -r; dy <= r; ++dy) {
    int half = static_cast<int>(std::sqrt(double(r * r - dy * dy)));
    std::fill_n(p + (cy + dy) * kWidth + cx - half, 2 * half + 1, colour);
  }
}

int Centre(int v, int size) { return 100 + v % (size - 200); }

template <typename Work>
double Milliseconds(Work work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

TEST(Benchmark, RasterFiguresAgainstRawMemory) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, kWidth, kHeight, 100), 0);
  uint32_t* p = pixels[0];
  std::mt19937 random(1);
  std::vector<int> v(40000);
  for (size_t i = 0; i < v.size(); ++i) v[i] = int(random() % (i % 2 ? kHeight : kWidth));
  draw_color = 0x654321;
  double best[3][2] = {{1e9, 1e9}, {1e9, 1e9}, {1e9, 1e9}};  // the fastest of 5 rounds: the machine is shared
  for (int round = 0; round < 5; ++round) {
    double t[3][2] = {{Milliseconds([&] { for (size_t i = 0; i < v.size(); i += 4) RawLine(p, 1, v[i], v[i + 1], v[i + 2], v[i + 3]); }),
                       Milliseconds([&] { for (size_t i = 0; i < v.size(); i += 4) ZUL_DrawLine(2, v[i], v[i + 1], v[i + 2], v[i + 3]); })},
                      {Milliseconds([&] { for (size_t i = 0; i < 2000; i += 2) RawDisc(p, 1, Centre(v[i], kWidth), Centre(v[i + 1], kHeight), 100); }),
                       Milliseconds([&] { for (size_t i = 0; i < 2000; i += 2) ZUL_FillCircle(Centre(v[i], kWidth), Centre(v[i + 1], kHeight), 100); })},
                      {Milliseconds([&] { std::fill_n(p, kWidth * kHeight, 3u); }),
                       Milliseconds([&] { ZUL_FillBox(-1000000000, -1000000000, 1000000000, 1000000000); })}};
    for (int f = 0; f < 3; ++f)
      for (int k = 0; k < 2; ++k) best[f][k] = std::min(best[f][k], t[f][k]);
  }
  const char* names[3] = {"10,000 random lines", "1,000 discs r = 100", "box of +-1e9 (surface)"};
  std::printf("%d x %d 32-bit surface     framework      raw memory   ratio\n", kWidth, kHeight);
  for (int f = 0; f < 3; ++f)
    std::printf("  %-22s  %8.2f ms   %8.2f ms   %.2f\n", names[f], best[f][1], best[f][0], best[f][1] / best[f][0]);
  draw_color = 0xFFFFFF;
  ZUL_DestroyImage(0);
}
