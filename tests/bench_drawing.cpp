// Prints the cost of the raster figures beside the same figures written
// straight to the surface memory in the same run. Not a test: run it on
// demand and read the figures.
#include <cstdio>
#include <random>
#include <vector>

#include "surfaces_test_util.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1440;

struct Segment {
  int x1, y1, x2, y2;
};

std::vector<Segment> RandomSegments(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<Segment> segments(static_cast<size_t>(count));
  for (Segment& s : segments)
    s = Segment{static_cast<int>(random() % kWidth), static_cast<int>(random() % kHeight),
                static_cast<int>(random() % kWidth), static_cast<int>(random() % kHeight)};
  return segments;
}

// A plain Bresenham on the raw words, no clipping (every end is inside).
void RawLine(uint32_t* p, uint32_t colour, int x1, int y1, int x2, int y2) {
  int dx = x2 > x1 ? x2 - x1 : x1 - x2, dy = y2 > y1 ? y2 - y1 : y1 - y2;
  int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? kWidth : -kWidth;
  uint32_t* q = p + y1 * kWidth + x1;
  int major = dx >= dy ? dx : dy, minor = dx >= dy ? dy : dx;
  int major_step = dx >= dy ? sx : sy, minor_step = dx >= dy ? sy : sx;
  int e = (major + 1) / 2;
  *q = colour;
  for (int k = 0; k < major; ++k) {
    e -= minor;
    q += major_step;
    if (e <= 0) {
      e += major;
      q += minor_step;
    }
    *q = colour;
  }
}

// A disc of rows by the square root rule, straight into memory.
void RawDisc(uint32_t* p, uint32_t colour, int cx, int cy, int r) {
  for (int dy = -r; dy <= r; ++dy) {
    int half = 0;
    while ((half + 1) * (half + 1) + dy * dy <= r * r) ++half;
    uint32_t* row = p + (cy + dy) * kWidth + cx;
    for (int dx = -half; dx <= half; ++dx) row[dx] = colour;
  }
}

template <typename Work>
double Milliseconds(Work work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, double framework, double raw) {
  std::printf("  %-44s %8.2f ms   raw memory %8.2f ms   ratio %.2f\n", what, framework, raw,
              raw > 0 ? framework / raw : 0.0);
}

}  // namespace

TEST(Benchmark, RasterFiguresAgainstRawMemory) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, kWidth, kHeight, 100), 0);
  uint32_t* p = pixels[0];
  std::vector<Segment> lines = RandomSegments(10000, 1);
  std::vector<Segment> centres = RandomSegments(1000, 2);
  for (Segment& c : centres) {
    c.x1 = 100 + c.x1 % (kWidth - 200);
    c.y1 = 100 + c.y1 % (kHeight - 200);
  }
  std::printf("%d x %d 32-bit surface\n", kWidth, kHeight);
  for (int round = 0; round < 2; ++round) {  // the first round warms the pages
    double raw_lines = Milliseconds([&] {
      for (const Segment& s : lines) RawLine(p, 0x123456, s.x1, s.y1, s.x2, s.y2);
    });
    double lines_ms = Milliseconds([&] {
      for (const Segment& s : lines) ZUL_DrawLine(0x654321, s.x1, s.y1, s.x2, s.y2);
    });
    double raw_discs = Milliseconds([&] {
      for (const Segment& c : centres) RawDisc(p, 0x123456, c.x1, c.y1, 100);
    });
    draw_color = 0x654321;
    double discs_ms = Milliseconds([&] {
      for (const Segment& c : centres) ZUL_FillCircle(c.x1, c.y1, 100);
    });
    double raw_fill = Milliseconds([&] {
      for (int i = 0; i < kWidth * kHeight; ++i) p[i] = 0x123456;
    });
    double fill_ms = Milliseconds([&] { ZUL_FillBox(0, 0, kWidth - 1, kHeight - 1); });
    double far_fill_ms = Milliseconds([&] { ZUL_FillBox(-1000000000, -1000000000, 1000000000, 1000000000); });
    double raw_xor = Milliseconds([&] {
      for (int i = 0; i < kWidth * kHeight; ++i) p[i] ^= 0xFFFFFF;
    });
    double xor_ms = Milliseconds([&] { ZUL_XorFillBox(0, 0, kWidth - 1, kHeight - 1); });
    if (round == 0) continue;
    Report("10,000 random lines (ZUL_DrawLine)", lines_ms, raw_lines);
    Report("1,000 discs r = 100 (ZUL_FillCircle)", discs_ms, raw_discs);
    Report("whole surface (ZUL_FillBox)", fill_ms, raw_fill);
    Report("box -1e9..1e9 (ZUL_FillBox)", far_fill_ms, raw_fill);
    Report("whole surface (ZUL_XorFillBox)", xor_ms, raw_xor);
  }
  draw_color = 0xFFFFFF;
  ZUL_DestroyImage(0);
}
