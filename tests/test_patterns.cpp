// The six test patterns, every pixel against references worked out here from
// the pattern formulas (C division truncates toward zero, as they require).
#include <cmath>
#include <functional>

#include "imagewin_test_util.h"

namespace {

using Patterns = ImageWindowTest;

uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }
int Clamp255(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

uint32_t RgbRef(int x, int y, int w, int h) {
  return Rgb(255 * x / w, 255 * y / h, 255 - 255 * (x + y) / (w + h));
}

uint32_t GreyRef(int x, int y, int w, int h) {
  int v = 255 * x / w;
  return (y < h / 2 ? v : 255 - v) * 0x010101u;
}

// HSV by sector: in sector k one channel is V, one is m, and the third rises
// (even sectors) or falls (odd sectors) across the sector.
uint32_t HsvColour(int v, int s, int hue) {
  int m = v - s < 0 ? 0 : v - s, d = v - m, k = hue / 60;
  int slope = k % 2 == 0 ? m + d * (hue - 60 * k) / 60 : m + d * (60 * (k + 1) - hue) / 60;
  static const int kRole[6][3] = {{2, 1, 0}, {1, 2, 0}, {0, 2, 1}, {0, 1, 2}, {1, 0, 2}, {2, 0, 1}};
  int value_of[3] = {m, slope, v};  // role 0 = m, 1 = slope, 2 = V
  return Rgb(value_of[kRole[k][0]], value_of[kRole[k][1]], value_of[kRole[k][2]]);
}

uint32_t HsvRef(int x, int y, int w, int h) {
  int h2 = h < 2 ? 1 : h / 2;
  int hue = 359 * x / w;
  if (y < h2) return HsvColour(255, 255 * y / h2, hue);
  return HsvColour(255 - (y - h2) * 255 / h2, 255, hue);
}

uint32_t PlaneRef(const int k[6], int x, int y, int w, int h) {
  int a = (x - w / 2) * 255 / w, b = -((y - h / 2) * 255 / h);
  int luma = static_cast<int>(std::sqrt(5.0 * (a * a + b * b)));
  auto channel = [&](int ka, int kb) { return Clamp255((65536 * luma + ka * a + kb * b + 32768) / 65536); };
  return Rgb(channel(k[0], k[1]), channel(k[2], k[3]), channel(k[4], k[5]));
}
const int kCbCr[6] = {0, 91881, -22544, -46793, 116130, 0};
const int kUv[6] = {0, 74711, -25952, -38076, 132973, 0};
const int kQi[6] = {42998, 62187, -44872, -17334, 118292, -73859};

struct PatternCase {
  const char* name;
  void (*draw)();
  std::function<uint32_t(int, int, int, int)> reference;
};

const PatternCase kPatterns[] = {
    {"RGB", ZUL_PatternRgb, RgbRef},
    {"Grey", ZUL_PatternGrey, GreyRef},
    {"HSV", ZUL_PatternHsv, HsvRef},
    {"YCrCb", ZUL_PatternYCrCb, [](int x, int y, int w, int h) { return PlaneRef(kCbCr, x, y, w, h); }},
    {"Yuv", ZUL_PatternYuv, [](int x, int y, int w, int h) { return PlaneRef(kUv, x, y, w, h); }},
    {"YIQ", ZUL_PatternYiq, [](int x, int y, int w, int h) { return PlaneRef(kQi, x, y, w, h); }},
};

// Draws the pattern on a fresh window and compares every pixel (the low byte
// on 8 bits) and the pen.
void ExpectPattern(const PatternCase& p, int w, int h, int bits) {
  MakeImage(0, w, h, bits);
  FillColor(w, h, 0x5A5A5A);
  pen_x = pen_y = -7;
  p.draw();
  int wrong = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t want = p.reference(x, y, w, h);
      if (bits == 8) want &= 0xFF;
      if (ZUL_GetPixel(x, y) != want && wrong++ < 3)
        ADD_FAILURE() << p.name << " " << w << "x" << h << "/" << bits << " at (" << x << "," << y
                      << ") got " << std::hex << ZUL_GetPixel(x, y) << " want " << want;
    }
  EXPECT_EQ(wrong, 0) << p.name << " " << w << "x" << h << "/" << bits;
  EXPECT_EQ(pen_x, w - 1) << p.name;
  EXPECT_EQ(pen_y, h - 1) << p.name;
  ZUL_DestroyImage(0);
}

}  // namespace

TEST_F(Patterns, EveryPixelOfEveryPatternFollowsItsFormula) {
  struct Size { int w, h, bits; };
  const Size sizes[] = {{7, 5, 32}, {64, 48, 32}, {100, 60, 32}, {64, 48, 8}, {100, 7, 32}, {100, 1, 32}};
  for (const PatternCase& p : kPatterns)
    for (const Size& s : sizes) ExpectPattern(p, s.w, s.h, s.bits);
}

// Values worked out by hand, so that the references above are checked too.
TEST_F(Patterns, HandWorkedAnchors) {
  struct Anchor { int pattern, w, h, x, y; uint32_t colour; };
  const Anchor anchors[] = {
      {0, 256, 256, 0, 0, 0x0000FF},     {0, 256, 256, 255, 255, 0xFEFE01},
      {0, 100, 60, 37, 41, 0x5EAE83},    {1, 256, 100, 255, 49, 0xFEFEFE},
      {1, 256, 100, 255, 50, 0x010101},  {1, 256, 100, 128, 99, 0x808080},
      {2, 360, 100, 7, 0, 0xFFFFFF},     {2, 360, 100, 120, 50, 0x04FF00},
      {2, 360, 100, 359, 99, 0x060000},  {2, 100, 60, 50, 15, 0x80FFFC},
      {3, 256, 256, 128, 128, 0x000000}, {3, 256, 256, 0, 128, 0xFFFF3A},
      {3, 256, 256, 0, 0, 0xFFFFB0},     {4, 256, 256, 0, 128, 0xFFFF19},
      {5, 256, 256, 0, 128, 0xC8FF36},   {5, 256, 256, 128, 0, 0xFFF98C},
      {3, 100, 60, 10, 50, 0xB1FF73},    {4, 100, 60, 10, 50, 0xC7FF59},
      {5, 100, 60, 10, 50, 0x94FFD0},
  };
  for (const Anchor& a : anchors) {
    MakeImage(0, a.w, a.h);
    kPatterns[a.pattern].draw();
    EXPECT_EQ(ZUL_GetPixel(a.x, a.y), a.colour) << kPatterns[a.pattern].name << " " << a.x << "," << a.y;
    EXPECT_EQ(kPatterns[a.pattern].reference(a.x, a.y, a.w, a.h), a.colour) << kPatterns[a.pattern].name;
    ZUL_DestroyImage(0);
  }
}

TEST_F(Patterns, GreyRampLoadsAGreyPaletteOnEightBits) {
  MakeImage(0, 32, 8, 8);
  RGBQUAD red[256];
  for (RGBQUAD& q : red) q = RGBQUAD{0, 0, 200, 0};
  ZUL_SetPalette(red, 256);
  ZUL_PatternGrey();
  RGBQUAD palette[256];
  ASSERT_EQ(ZUL_GetPalette(palette), 0);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(palette[i].rgbRed, i);
    EXPECT_EQ(palette[i].rgbGreen, i);
    EXPECT_EQ(palette[i].rgbBlue, i);
  }
}

TEST_F(Patterns, AFreeCurrentSlotIsLeftAlone) {
  MakeImage(0, 8, 8);
  FillColor(8, 8, 0x123456);
  MakeImage(1, 8, 8);  // current
  ZUL_DestroyImage(1);
  for (const PatternCase& p : kPatterns) {
    pen_x = pen_y = 3;
    p.draw();
    EXPECT_EQ(pen_x, 3) << p.name;
  }
  ZUL_SelectImage(0);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(ZUL_GetPixel(x, y), 0x123456u);
}

TEST_F(Patterns, MenuCommandPatternsTheClickedWindowAndMakesItCurrent) {
  MakeImage(3, 40, 30);
  MakeImage(1, 40, 30);
  FillColor(40, 30, 0x123456);
  SendCommand(3, kIwPatternYCrCb);
  EXPECT_EQ(current_image, 3);
  EXPECT_EQ(ZUL_GetPixel(0, 15), PlaneRef(kCbCr, 0, 15, 40, 30));
  EXPECT_EQ(ZUL_GetPixel(39, 0), PlaneRef(kCbCr, 39, 0, 40, 30));
  ZUL_SelectImage(1);
  EXPECT_EQ(ZUL_GetPixel(0, 15), 0x123456u);
}
