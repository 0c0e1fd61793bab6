// The six test patterns, every pixel against references worked out here from
// the pattern formulas (C division truncates toward zero, as they require).
#include <algorithm>
#include <array>
#include <cmath>

#include "image_test_helpers.h"

namespace {

using Patterns = ImageWindowTest;
using Reference = std::function<uint32_t(int x, int y, int w, int h)>;

uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }

// HSV by sector: in sector k one channel is V, one m, the third rises (even k) or falls.
uint32_t Hsv(int v, int s, int hue) {
  int m = v < s ? 0 : v - s, d = v - m, k = hue / 60;
  int slope = m + d * (k % 2 == 0 ? hue - 60 * k : 60 * (k + 1) - hue) / 60;
  static const int kRole[6][3] = {{2, 1, 0}, {1, 2, 0}, {0, 2, 1}, {0, 1, 2}, {1, 0, 2}, {2, 0, 1}};
  int of[3] = {m, slope, v};
  return Rgb(of[kRole[k][0]], of[kRole[k][1]], of[kRole[k][2]]);
}

Reference Plane(std::array<int, 6> k) {
  return [k](int x, int y, int w, int h) {
    int a = (x - w / 2) * 255 / w, b = -((y - h / 2) * 255 / h);
    int luma = static_cast<int>(std::sqrt(5.0 * (a * a + b * b)));
    auto ch = [&](int i) {
      return std::clamp((65536 * luma + k[i] * a + k[i + 1] * b + 32768) / 65536, 0,
                        255);  // toward zero
    };
    return Rgb(ch(0), ch(2), ch(4));
  };
}

const struct {
  const char* name;
  void (*draw)();
  int id;
  Reference ref;
} kPatterns[] = {
    {"RGB", ZUL_PatternRgb, kIwPatternRgb,
     [](int x, int y, int w, int h) {
       return Rgb(255 * x / w, 255 * y / h, 255 - 255 * (x + y) / (w + h));
     }},
    {"Grey", ZUL_PatternGrey, kIwPatternGrey,
     [](int x, int y, int w, int h) {
       return (y < h / 2 ? 255 * x / w : 255 - 255 * x / w) * 0x010101u;
     }},
    {"HSV", ZUL_PatternHsv, kIwPatternHsv,
     [](int x, int y, int w, int h) {
       int h2 = h < 2 ? 1 : h / 2, hue = 359 * x / w;  // one row: the white top row
       return y < h2 ? Hsv(255, 255 * y / h2, hue) : Hsv(255 - (y - h2) * 255 / h2, 255, hue);
     }},
    {"YCrCb", ZUL_PatternYCrCb, kIwPatternYCrCb, Plane({0, 91881, -22544, -46793, 116130, 0})},
    {"Yuv", ZUL_PatternYuv, kIwPatternYuv, Plane({0, 74711, -25952, -38076, 132973, 0})},
    {"YIQ", ZUL_PatternYiq, kIwPatternYiq, Plane({42998, 62187, -44872, -17334, 118292, -73859})},
};

}  // namespace

TEST_F(Patterns, EveryPixelFollowsItsFormulaAndThePenEndsBottomRight) {
  const struct {
    int w, h, bits;
  } sizes[] = {{7, 5, 32}, {64, 48, 32}, {64, 48, 8}, {100, 7, 32}, {100, 1, 32}};
  for (const auto& p : kPatterns)
    for (const auto& s : sizes) {
      MakeImage(0, s.w, s.h, s.bits);
      FillColor(s.w, s.h, 0x5A5A5A);
      p.draw();
      int wrong = 0;
      const uint32_t mask = s.bits == 8 ? 0xFF : ~0u;
      for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) wrong += ZUL_GetPixel(x, y) != (p.ref(x, y, s.w, s.h) & mask);
      EXPECT_EQ(wrong, 0) << p.name << " " << s.w << "x" << s.h << "/" << s.bits;
      EXPECT_TRUE(pen_x == s.w - 1 && pen_y == s.h - 1) << p.name;
      ZUL_DestroyImage(0);
    }
}

// Values worked out by hand check the references themselves.
TEST(PatternReferences, HandWorkedAnchors) {
  const struct {
    int p, w, h, x, y;
    uint32_t colour;
  } anchors[] = {{0, 256, 256, 255, 255, 0xFEFE01}, {1, 256, 100, 255, 50, 0x010101},
                 {2, 360, 100, 120, 50, 0x04FF00},  {2, 360, 100, 359, 99, 0x060000},
                 {3, 256, 256, 0, 128, 0xFFFF3A},   {4, 256, 256, 0, 128, 0xFFFF19},
                 {5, 256, 256, 0, 128, 0xC8FF36},   {5, 256, 256, 128, 0, 0xFFF98C}};
  for (const auto& a : anchors)
    EXPECT_EQ(kPatterns[a.p].ref(a.x, a.y, a.w, a.h), a.colour)
        << kPatterns[a.p].name << " " << a.x;
}

TEST_F(Patterns, MenuPatternsTheClickedWindowGreyLoadsGreysAndAFreeSlotIsLeftAlone) {
  MakeImage(3, 40, 30, 8);
  ZUL_SetPalette(MakePalette([](int) { return RGBQUAD{9, 9, 9, 0}; }).data(), 256);
  MakeImage(1, 40, 30);
  FillColor(40, 30, 0x123456);
  for (const auto& p : kPatterns) {
    SendCommand(3, p.id);
    EXPECT_EQ(current_image, 3);
    EXPECT_EQ(ZUL_GetPixel(39, 0), p.ref(39, 0, 40, 30) & 0xFF) << p.name;
    ZUL_SelectImage(1);
  }
  EXPECT_EQ(ZUL_GetPixel(0, 15), 0x123456u);
  auto greys = MakePalette([](int i) { return RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0}; });
  EXPECT_EQ(PaletteOf(3), std::string(reinterpret_cast<const char*>(greys.data()), 1024));
  ZUL_SelectImage(3);
  ZUL_DestroyImage(3);  // the current window
  pen_x = 3;
  for (const auto& p : kPatterns) p.draw();
  EXPECT_EQ(pen_x, 3);
}
