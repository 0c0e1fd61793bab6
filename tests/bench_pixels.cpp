// Prints the cost of the per-pixel calls against direct writes to the surface
// memory, and the load and save times of a large PNG. Not a test: run it on
// demand and read the figures.
#include <cstdio>

#include "test_support.h"

namespace {

constexpr int kWidth = 2400, kHeight = 1440;
constexpr int kRounds = 30;

double Now() { return ZUL_GetTime(); }

inline uint32_t Pattern(int x, int y, int round) {
  return static_cast<uint32_t>(x * 7 + y * 13 + round) & 0xFFFFFF;
}

void FillThroughCalls(int round) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) ZUL_SetPixel(x, y, Pattern(x, y, round));
}

uint32_t ReadThroughCalls() {
  uint32_t sum = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) sum += ZUL_GetPixel(x, y);
  return sum;
}

// The same work straight on the surface memory, as the compiler likes it best
// (vectorised) ...
void FillDirect(int round) {
  uint32_t* p = pixels[current_image];
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) p[y * kWidth + x] = Pattern(x, y, round);
}

uint32_t ReadDirect() {
  const uint32_t* p = pixels[current_image];
  uint32_t sum = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) sum += p[y * kWidth + x];
  return sum;
}

// ... and one pixel at a time.
__attribute__((optimize("no-tree-vectorize"))) void FillDirectScalar(int round) {
  uint32_t* p = pixels[current_image];
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) p[y * kWidth + x] = Pattern(x, y, round);
}

__attribute__((optimize("no-tree-vectorize"))) uint32_t ReadDirectScalar() {
  const uint32_t* p = pixels[current_image];
  uint32_t sum = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) sum += p[y * kWidth + x];
  return sum;
}

volatile uint32_t sink;

template <typename Fill, typename Read>
double Time(Fill fill, Read read, double* fill_ms, double* read_ms) {
  double start = Now();
  for (int r = 0; r < kRounds; ++r) fill(r);
  double middle = Now();
  for (int r = 0; r < kRounds; ++r) sink = sink + read();
  double end = Now();
  *fill_ms = middle - start;
  *read_ms = end - middle;
  return end - start;
}

}  // namespace

TEST(Benchmark, PixelCallsAgainstDirectWrites) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(0, "bench", 0, 0, kWidth, kHeight, 100), 0);
  FillDirect(0);  // touch the pages once
  sink = sink + ReadThroughCalls();
  double calls_fill, calls_read, direct_fill, direct_read, scalar_fill, scalar_read;
  double direct = Time(FillDirect, ReadDirect, &direct_fill, &direct_read);
  double scalar = Time(FillDirectScalar, ReadDirectScalar, &scalar_fill, &scalar_read);
  double calls = Time(FillThroughCalls, ReadThroughCalls, &calls_fill, &calls_read);
  std::printf("%d x %d 32-bit surface, %d rounds           fill      read     total\n", kWidth,
              kHeight, kRounds);
  std::printf("  direct memory (vectorised)      %8.1f  %8.1f  %8.1f ms\n", direct_fill, direct_read, direct);
  std::printf("  direct memory (pixel by pixel)  %8.1f  %8.1f  %8.1f ms\n", scalar_fill, scalar_read, scalar);
  std::printf("  ZUL_SetPixel / ZUL_GetPixel     %8.1f  %8.1f  %8.1f ms\n", calls_fill, calls_read, calls);
  std::printf("  ratio to vectorised:  %.2f   ratio to pixel by pixel:  %.2f\n",
              direct > 0 ? calls / direct : 0.0, scalar > 0 ? calls / scalar : 0.0);
  ZUL_DestroyImage(0);
}

TEST(Benchmark, LargePngLoadAndSave) {
  InitializeFrameworkForTests();
  ASSERT_EQ(ZUL_CreateImage(1, "png", 0, 0, 4000, 3000, 100), 0);
  for (int y = 0; y < 3000; ++y)
    for (int x = 0; x < 4000; ++x) ZUL_SetPixel(x, y, Pattern(x, y, 0) ^ static_cast<uint32_t>(x * y));
  double start = Now();
  ASSERT_EQ(ZUL_SaveImageFile(4000, 3000, 3, "bench_large.png"), 0);
  double save = Now() - start;
  start = Now();
  ASSERT_EQ(ZUL_LoadImageFile("bench_large.png", 0, 0), 0);
  double load = Now() - start;
  std::printf("4000 x 3000 PNG: save %.0f ms, load %.0f ms\n", save, load);
  ZUL_DestroyImage(1);
  DeleteFileW(L"bench_large.png");
}
