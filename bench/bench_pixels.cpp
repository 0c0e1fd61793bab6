// Prints the cost of the per-pixel calls against direct reads and writes of
// the surface memory, measured in the same run. Run it on demand.
#include "image_test_helpers.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1440, kRounds = 30;
volatile uint32_t sink;

// kRounds fills (write) or full reads of the surface, through the calls or direct.
void Rounds(bool calls, bool write) {
  uint32_t* p = pixels[current_image];
  for (int r = 0; r < kRounds; ++r) {
    uint32_t sum = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        uint32_t v = uint32_t(x * 7 + y * 13 + r) & 0xFFFFFF;
        if (write)
          calls ? ZUL_SetPixel(x, y, v) : void(p[y * kWidth + x] = v);
        else
          sum += calls ? ZUL_GetPixel(x, y) : p[y * kWidth + x];
      }
    sink = sink + sum;
  }
}

}  // namespace

TEST(Benchmark, PixelCallsAgainstDirectMemory) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, kWidth, kHeight, 100), 0);
  Rounds(false, true);  // touches the pages once
  std::printf("%d x %d 32-bit surface, %d rounds\n", kWidth, kHeight, kRounds);
  for (bool write : {true, false}) {
    int direct = TimeMs([&] { Rounds(false, write); });
    PrintFigures(write ? "ZUL_SetPixel fills" : "ZUL_GetPixel reads", "direct memory", direct,
                 TimeMs([&] { Rounds(true, write); }));
  }
}
