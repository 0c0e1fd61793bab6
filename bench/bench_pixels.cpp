// Prints the cost of three ways of reaching every pixel of a 32-bit surface,
// each the median of several trials in the same run: raw memory (a buffer of
// the same size, the baseline), the window's rows (ZUL_GetImageRows) and the
// per-pixel calls. Run it on demand.
#include <vector>

#include "image_test_helpers.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1440, kRounds = 40, kTrials = 5;
volatile uint32_t sink;

uint32_t ValueAt(int x, int y, int r) { return uint32_t(x * 7 + y * 13 + r) & 0xFFFFFF; }

// kRounds fills (write) or full reads of rows `height` x `width` from `base`,
// `stride` bytes apart.
void RowRounds(uint8_t* base, ptrdiff_t stride, bool write) {
  for (int r = 0; r < kRounds; ++r) {
    uint32_t sum = 0;
    for (int y = 0; y < kHeight; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(base + y * stride);
      for (int x = 0; x < kWidth; ++x)
        write ? void(row[x] = ValueAt(x, y, r)) : void(sum += row[x]);
    }
    sink = sink + sum;
  }
}

// The same through the per-pixel calls on the current window.
void CallRounds(bool write) {
  for (int r = 0; r < kRounds; ++r) {
    uint32_t sum = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        write ? ZUL_SetPixel(x, y, ValueAt(x, y, r)) : void(sum += ZUL_GetPixel(x, y));
    sink = sink + sum;
  }
}

int MedianMs(const std::function<void()>& work) {
  std::vector<int> ms;
  for (int i = 0; i < kTrials; ++i) ms.push_back(TimeMs(work));
  return Median(ms);
}

}  // namespace

TEST(Benchmark, RowsAndPixelCallsAgainstRawMemory) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, kWidth, kHeight, 100), 0);
  std::vector<uint32_t> raw(size_t(kWidth) * kHeight);
  ImageSurface rows;
  ASSERT_EQ(ZUL_GetImageRows(0, &rows), 0);
  uint8_t* raw_base = reinterpret_cast<uint8_t*>(raw.data());
  RowRounds(raw_base, kWidth * 4, true), RowRounds(rows.base, rows.stride, true);  // pages touched
  std::printf("%d x %d 32-bit surface, %d rounds, median of %d trials\n", kWidth, kHeight, kRounds,
              kTrials);
  for (bool write : {true, false}) {
    const int raw_ms = MedianMs([&] { RowRounds(raw_base, kWidth * 4, write); });
    PrintFigures(write ? "rows, filled" : "rows, read", "raw memory", raw_ms,
                 MedianMs([&] { RowRounds(rows.base, rows.stride, write); }));
    PrintFigures(write ? "ZUL_SetPixel fills" : "ZUL_GetPixel reads", "raw memory", raw_ms,
                 MedianMs([&] { CallRounds(write); }));
  }
}
