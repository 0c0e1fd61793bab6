// Prints the time to load a 4000 x 3000 picture into an 8-bit window (each
// pixel mapped to its nearest colour table entry) beside the platform's own
// drawing of the same file onto the same surface, and beside a load into a
// 32-bit window, all in the same run. Run it on demand.
#include "image_test_helpers.h"
// GDI+ needs the Windows headers first.
#include <gdiplus.h>

namespace {

constexpr int kWidth = 4000, kHeight = 3000;

uint32_t Photo(int x, int y) {  // smooth shades with a little grain
  uint32_t grain = uint32_t((x * 7919 + y * 104729) % 13);
  return ((x * 255 / kWidth + grain) & 0xFF) << 16 | ((y * 255 / kHeight + grain) & 0xFF) << 8 |
         ((x + y) * 255 / (kWidth + kHeight) & 0xFF);
}
uint32_t Grey(int x, int y) { return (Photo(x, y) & 0xFF) * 0x010101u; }
uint32_t Noise(int x, int y) {
  return (uint32_t(x) * 2654435761u ^ uint32_t(y) * 40503u) & 0xFFFFFF;
}

// The platform draws the file onto window 1's surface.
void DrawWithGdiplus(const wchar_t* file) {
  using namespace Gdiplus::DllExports;
  Gdiplus::GpImage* image = nullptr;
  Gdiplus::GpGraphics* graphics = nullptr;
  GdipLoadImageFromFile(file, &image);
  GdipCreateFromHDC(image_windows[1].memory_dc, &graphics);
  GdipDrawImageRectI(graphics, image, 0, 0, kWidth, kHeight);
  GdipDeleteGraphics(graphics);
  GdipDisposeImage(image);
}

// Milliseconds to load `file` into a fresh window of `bits`, or for the platform to draw it there.
int LoadMs(int bits, const char* file, bool platform) {
  EXPECT_EQ(CreateImageWindow(1, "load", 0, 0, kWidth, kHeight, 10, bits), 0);
  std::wstring wide(file, file + std::string(file).size());
  int code = 0;
  int ms = TimeMs([&] {
    platform ? DrawWithGdiplus(wide.c_str()) : void(code = ZUL_LoadImageFile(file, 0, 0));
  });
  EXPECT_EQ(code, 0) << file;
  ZUL_DestroyImage(1);
  return ms;
}

}  // namespace

TEST(Benchmark, LoadIntoEightBitWindows) {
  InitializeFrameworkForTests();
  const struct {
    const char* what;
    uint32_t (*colour)(int, int);
    int format;
    const char* file;
  } cases[] = {{"photo BMP", Photo, 0, "bench_load_photo.bmp"},
               {"photo PNG", Photo, 3, "bench_load_photo.png"},
               {"grey BMP", Grey, 0, "bench_load_grey.bmp"},
               {"noise BMP (every colour new)", Noise, 0, "bench_load_noise.bmp"}};
  std::printf("%d x %d picture into 8 bits: platform drawing (baseline), nearest entry\n", kWidth,
              kHeight);
  for (const auto& p : cases) {
    MakeImage(9, kWidth, kHeight);
    FillImage(kWidth, kHeight, p.colour);
    ASSERT_EQ(ZUL_SaveImageFile(kWidth, kHeight, p.format, p.file), 0);
    ZUL_DestroyImage(9);
    int platform = LoadMs(8, p.file, true);
    PrintFigures(p.what, "platform", platform, LoadMs(8, p.file, false));
    std::printf("  the same into 32 bits: %d ms\n", LoadMs(32, p.file, false));
    std::remove(p.file);
  }
}
