// Prints the time to load a 4000 x 3000 picture into an 8-bit window (each
// pixel mapped to its nearest colour table entry) beside the platform's own
// drawing of the same file onto the same surface, measured in the same run,
// and beside a load into a 32-bit window. Not a test: run it on demand.
#include <cstdio>

#include "test_support.h"

#include <gdiplus.h>

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

uint32_t Photo(int x, int y) {  // smooth shades with a little grain
  uint32_t grain = static_cast<uint32_t>((x * 7919 + y * 104729) % 13);
  return static_cast<uint32_t>((x * 255 / kWidth + grain) & 0xFF) << 16 |
         static_cast<uint32_t>((y * 255 / kHeight + grain) & 0xFF) << 8 |
         static_cast<uint32_t>(((x + y) * 255 / (kWidth + kHeight)) & 0xFF);
}
uint32_t Grey(int x, int y) { return (Photo(x, y) & 0xFF) * 0x010101u; }
uint32_t Noise(int x, int y) {
  return (static_cast<uint32_t>(x) * 2654435761u ^ static_cast<uint32_t>(y) * 40503u) & 0xFFFFFF;
}

void WritePicture(uint32_t (*colour)(int, int), int format, const char* name) {
  ASSERT_EQ(ZUL_CreateImage(9, "source", 0, 0, kWidth, kHeight, 100), 0);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) pixels[9][y * kWidth + x] = colour(x, y);
  ASSERT_EQ(ZUL_SaveImageFile(kWidth, kHeight, format, name), 0);
  ZUL_DestroyImage(9);
}

// The platform draws the file onto the current window's surface.
void DrawWithGdiplus(const wchar_t* file) {
  Gdiplus::GpImage* image = nullptr;
  Gdiplus::GpGraphics* graphics = nullptr;
  Gdiplus::DllExports::GdipLoadImageFromFile(file, &image);
  Gdiplus::DllExports::GdipCreateFromHDC(image_windows[current_image].memory_dc, &graphics);
  Gdiplus::DllExports::GdipDrawImageRectI(graphics, image, 0, 0, kWidth, kHeight);
  Gdiplus::DllExports::GdipDeleteGraphics(graphics);
  Gdiplus::DllExports::GdipDisposeImage(image);
}

int Measure(int bits, const char* file, bool platform) {
  int code = bits == 8 ? ZUL_CreateImage8(1, "load", 0, 0, kWidth, kHeight, 10)
                       : ZUL_CreateImage(1, "load", 0, 0, kWidth, kHeight, 10);
  EXPECT_EQ(code, 0);
  wchar_t wide[64];
  swprintf(wide, 64, L"%hs", file);
  int start = ZUL_GetTime();
  if (platform) {
    DrawWithGdiplus(wide);
  } else {
    EXPECT_EQ(ZUL_LoadImageFile(file, 0, 0), 0);
  }
  int ms = ZUL_GetTime() - start;
  ZUL_DestroyImage(1);
  return ms;
}

}  // namespace

TEST(Benchmark, LoadIntoEightBitWindows) {
  InitializeFrameworkForTests();
  struct Picture {
    const char* what;
    uint32_t (*colour)(int, int);
    int format;
    const char* file;
  } pictures[] = {
      {"photo BMP", Photo, 0, "bench_load_photo.bmp"},
      {"photo PNG", Photo, 3, "bench_load_photo.png"},
      {"grey BMP", Grey, 0, "bench_load_grey.bmp"},
      {"noise BMP (every colour new)", Noise, 0, "bench_load_noise.bmp"},
  };
  std::printf("%d x %d picture          8-bit: platform drawing   nearest entry   ratio   32-bit load\n",
              kWidth, kHeight);
  for (const Picture& p : pictures) {
    WritePicture(p.colour, p.format, p.file);
    int platform = Measure(8, p.file, true);
    int nearest = Measure(8, p.file, false);
    int full = Measure(32, p.file, false);
    std::printf("  %-28s %12d ms %12d ms %7.2f %10d ms\n", p.what, platform, nearest,
                platform > 0 ? static_cast<double>(nearest) / platform : 0.0, full);
    wchar_t wide[64];
    swprintf(wide, 64, L"%hs", p.file);
    DeleteFileW(wide);
  }
}
