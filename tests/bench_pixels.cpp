// Prints the cost of the per-pixel calls against direct reads and writes of
// the surface memory, measured in the same run. Run it on demand.
#include <cstdio>

#include "test_support.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1440, kRounds = 30;
volatile uint32_t sink;

uint32_t Pattern(int x, int y, int round) { return static_cast<uint32_t>(x * 7 + y * 13 + round) & 0xFFFFFF; }

// Milliseconds for kRounds fills and kRounds full reads, through the calls or direct.
void Time(bool calls, int* fill_ms, int* read_ms) {
  uint32_t* p = pixels[current_image];
  int start = ZUL_GetTime();
  for (int r = 0; r < kRounds; ++r)
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        if (calls) ZUL_SetPixel(x, y, Pattern(x, y, r)); else p[y * kWidth + x] = Pattern(x, y, r);
      }
  int middle = ZUL_GetTime();
  for (int r = 0; r < kRounds; ++r) {
    uint32_t sum = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) sum += calls ? ZUL_GetPixel(x, y) : p[y * kWidth + x];
    sink = sink + sum;
  }
  *fill_ms = middle - start;
  *read_ms = ZUL_GetTime() - middle;
}

}  // namespace

TEST(Benchmark, PixelCallsAgainstDirectMemory) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, kWidth, kHeight, 100), 0);
  int direct_fill, direct_read, calls_fill, calls_read;
  Time(false, &direct_fill, &direct_read);  // also touches the pages once
  Time(false, &direct_fill, &direct_read);
  Time(true, &calls_fill, &calls_read);
  std::printf("%d x %d 32-bit surface, %d rounds     fill ms  read ms\n", kWidth, kHeight, kRounds);
  std::printf("  direct memory (baseline)      %7d  %7d\n", direct_fill, direct_read);
  std::printf("  ZUL_SetPixel / ZUL_GetPixel   %7d  %7d\n", calls_fill, calls_read);
  std::printf("  ratio: %.2f\n", static_cast<double>(calls_fill + calls_read) / (direct_fill + direct_read + 1));
}
