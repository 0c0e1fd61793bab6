// Pixel access on 32- and 8-bit surfaces and the integer colour formulas.
#include <algorithm>
#include <cstdlib>

#include "surfaces_test_util.h"

namespace {

int Red(uint32_t c) { return (c >> 16) & 0xFF; }
int Green(uint32_t c) { return (c >> 8) & 0xFF; }
int Blue(uint32_t c) { return c & 0xFF; }
uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }

struct Hsv {
  int h, s, v;
};
Hsv HsvOf(uint32_t c) {
  Hsv out = {-1, -1, -1};
  ZUL_RgbToHsv(c, &out.h, &out.s, &out.v);
  return out;
}

}  // namespace

// ---- pixel access ------------------------------------------------------------------

class Pixels : public ImageWindowTest {};

TEST_F(Pixels, SetAndGetInsideAndOutside) {
  MakeImage(1, 40, 30);
  ZUL_SetPixel(3, 4, 0xAB123456);
  EXPECT_EQ(ZUL_GetPixel(3, 4), 0xAB123456u);  // the whole word, top byte too
  EXPECT_EQ(ZUL_ProbePixel(3, 4), 0xAB123456u);
  EXPECT_EQ(pixels[1][4 * 40 + 3], 0xAB123456u);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {40, 0}, {0, 30}, {-100000, 5}, {5, 2147483647}}) {
    EXPECT_EQ(ZUL_GetPixel(x, y), 0u) << x << "," << y;
    EXPECT_EQ(ZUL_ProbePixel(x, y), 0xFFFFFFFFu) << x << "," << y;
  }
  ZUL_PlotPixel(39, 29, 0x000001);
  EXPECT_EQ(ZUL_GetPixel(39, 29), 1u);
}

TEST_F(Pixels, PenMovesEvenOutside) {
  MakeImage(1, 40, 30);
  std::vector<uint8_t> before = SurfaceBytesOf(1);
  ZUL_SetPixel(-1, 5, 0xFFFFFF);
  EXPECT_EQ(pen_x, -1);
  EXPECT_EQ(pen_y, 5);
  EXPECT_EQ(SurfaceBytesOf(1), before);
  ZUL_XorPixel(50, -7);
  EXPECT_EQ(pen_x, 50);
  EXPECT_EQ(pen_y, -7);
  EXPECT_EQ(SurfaceBytesOf(1), before);
  ZUL_PlotPixel(2, 2, 0xFFFFFF);
  ZUL_XorPlotPixel(3, 3);
  EXPECT_EQ(pen_x, 50);  // the plot calls leave the pen alone
  EXPECT_EQ(pen_y, -7);
  ZUL_SetPixel(6, 7, 0);
  EXPECT_EQ(pen_x, 6);
  EXPECT_EQ(pen_y, 7);
}

TEST_F(Pixels, EightBitStoresTheLowByte) {
  MakeImage(1, 5, 4, 8);
  ZUL_SetPixel(1, 1, 0x3456);
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0x56u);
  EXPECT_EQ(pixels8[1][8 + 1], 0x56);
  ZUL_XorPixel(1, 1);
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0xA9u);
  ZUL_PlotPixel(4, 3, 0xFFFFFFFF);
  EXPECT_EQ(ZUL_GetPixel(4, 3), 255u);
  EXPECT_EQ(ZUL_ProbePixel(4, 3), 255u);
  EXPECT_EQ(ZUL_ProbePixel(5, 3), 0xFFFFFFFFu);  // in the row padding: outside
  ZUL_SetPixel(5, 0, 0x77);
  EXPECT_EQ(pixels8[1][5], 0);  // the padding byte is never written
}

TEST_F(Pixels, XorTwiceRestoresAndKeepsTheTopByte) {
  MakeImage(1, 8, 8);
  ZUL_SetPixel(2, 3, 0x7F102030);
  ZUL_XorPixel(2, 3);
  EXPECT_EQ(ZUL_GetPixel(2, 3), 0x7FEFDFCFu);
  ZUL_XorPlotPixel(2, 3);
  EXPECT_EQ(ZUL_GetPixel(2, 3), 0x7F102030u);
  ZUL_XorPixel(8, 0);  // outside: nothing
  EXPECT_EQ(ZUL_GetPixel(7, 0), 0u);
}

TEST_F(Pixels, CallsFollowTheCurrentWindow) {
  MakeImage(1, 8, 8);
  MakeImage(2, 8, 8, 8);
  ZUL_SetPixel(1, 1, 0x123456);
  ASSERT_EQ(ZUL_SelectImage(1), 0);
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0u);
  ZUL_SetPixel(1, 1, 0xABCDEF);
  ASSERT_EQ(ZUL_RestoreImage(), 0);
  EXPECT_EQ(ZUL_GetPixel(1, 1), 0x56u);
  EXPECT_EQ(pixels[1][9], 0xABCDEFu);
}

TEST_F(Pixels, ReadRowCopiesAndZeroFills) {
  MakeImage(1, 6, 3);
  FillTestPicture(6, 3);
  uint32_t row[9];
  std::fill(row, row + 9, 0xEEEEEEEE);
  ZUL_ReadRow(row, 2, 8);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(row[i], TestColor(i, 2));
  EXPECT_EQ(row[6], 0u);
  EXPECT_EQ(row[7], 0u);
  EXPECT_EQ(row[8], 0xEEEEEEEEu);  // count respected
  ZUL_ReadRow(row, -1, 3);
  EXPECT_EQ(row[0], 0u);
  std::fill(row, row + 9, 0xEEEEEEEE);
  ZUL_ReadRow(row, 0, 0);
  ZUL_ReadRow(row, 0, -4);
  EXPECT_EQ(row[0], 0xEEEEEEEEu);

  MakeImage(2, 5, 2, 8);
  ZUL_SetPixel(4, 1, 0x99);
  uint8_t bytes[8];
  std::fill(bytes, bytes + 8, 0xEE);
  ZUL_ReadRow(bytes, 1, 7);
  EXPECT_EQ(bytes[4], 0x99);
  EXPECT_EQ(bytes[5], 0);  // padding reads as outside
  EXPECT_EQ(bytes[6], 0);
  EXPECT_EQ(bytes[7], 0xEE);
}

TEST_F(Pixels, ClearImageZeroesTheWholeSurface) {
  MakeImage(1, 7, 5, 8);
  std::fill(pixels8[1], pixels8[1] + 8 * 5, 0x5A);
  MakeImage(2, 7, 5);
  FillColor(7, 5, 0xFFFFFFFF);
  ZUL_ClearImage(1);  // not the current window: the slot given is cleared
  for (uint8_t byte : SurfaceBytesOf(1)) ASSERT_EQ(byte, 0);
  EXPECT_EQ(ZUL_GetPixel(6, 4), 0xFFFFFFFFu);
  ZUL_ClearImage(2);
  for (uint8_t byte : SurfaceBytesOf(2)) ASSERT_EQ(byte, 0);
  ZUL_ClearImage(3);    // free
  ZUL_ClearImage(-1);   // out of range
  ZUL_ClearImage(256);
}

// ---- HSV ----------------------------------------------------------------------------------

TEST(Hsv, ListedColours) {
  auto expect = [](uint32_t c, int h, int s, int v) {
    Hsv got = HsvOf(c);
    EXPECT_EQ(got.h, h) << std::hex << c;
    EXPECT_EQ(got.s, s) << std::hex << c;
    EXPECT_EQ(got.v, v) << std::hex << c;
  };
  expect(0x808080, 0, 0, 128);
  expect(0xFF0000, 0, 255, 255);
  expect(0xFFFF00, 60, 255, 255);
  expect(0x00FFFF, 180, 255, 255);
  expect(0xFF00FF, 300, 255, 255);
  expect(0x0000FF, 240, 255, 255);
  expect(0x00FF00, 120, 255, 255);
  expect(0x000000, 0, 0, 0);
  expect(0xFF808000, 60, 128, 128);  // the top byte is ignored
  // Ties are settled by the order of the rules.
  EXPECT_EQ(ZUL_GetHue(Rgb(200, 200, 100)), 60);
  EXPECT_EQ(ZUL_GetHue(Rgb(50, 200, 200)), 180);
  // The second sector measures from its far end: 60 + floor(60 (G - R) / d).
  EXPECT_EQ(ZUL_GetHue(Rgb(100, 200, 0)), 60 + 60 * 100 / 200);
  EXPECT_EQ(ZUL_GetHue(Rgb(199, 200, 0)), 60);
  EXPECT_EQ(ZUL_GetSaturation(Rgb(10, 200, 60)), 190);
  EXPECT_EQ(ZUL_GetBrightness(Rgb(10, 200, 60)), 200);
}

TEST(Hsv, EveryPureAndGreyColour) {
  for (int v = 1; v <= 255; ++v) {
    const struct {
      uint32_t color;
      int hue;
    } pure[] = {{Rgb(v, 0, 0), 0},   {Rgb(v, v, 0), 60},  {Rgb(0, v, 0), 120},
                {Rgb(0, v, v), 180}, {Rgb(0, 0, v), 240}, {Rgb(v, 0, v), 300}};
    for (const auto& p : pure) {
      Hsv got = HsvOf(p.color);
      EXPECT_EQ(got.h, p.hue) << std::hex << p.color;
      EXPECT_EQ(got.s, v);
      EXPECT_EQ(got.v, v);
      EXPECT_EQ(ZUL_HsvToRgb(v, v, p.hue), p.color);
    }
  }
  for (int v = 0; v <= 255; ++v) {
    Hsv got = HsvOf(Rgb(v, v, v));
    EXPECT_EQ(got.h, 0);
    EXPECT_EQ(got.s, 0);
    EXPECT_EQ(got.v, v);
  }
}

TEST(Hsv, FromHsvListedValues) {
  EXPECT_EQ(ZUL_HsvToRgb(255, 255, 0), 0xFF0000u);
  EXPECT_EQ(ZUL_HsvToRgb(255, 255, 120), 0x00FF00u);
  EXPECT_EQ(ZUL_HsvToRgb(255, 255, 240), 0x0000FFu);
  for (int h = 0; h < 360; ++h) EXPECT_EQ(ZUL_HsvToRgb(200, 0, h), 0xC8C8C8u) << h;
  EXPECT_EQ(ZUL_HsvToRgb(100, 255, 0), 0x640000u);  // saturation above value: m = 0
}

TEST(Hsv, ValueAndSaturationRoundTripExactly) {
  // From HSV: every value, every saturation up to it, every hue.
  int worst_hue = 0;
  for (int v = 0; v <= 255; ++v) {
    for (int s = 0; s <= v; ++s) {
      for (int h = 0; h < 360; ++h) {
        Hsv got = HsvOf(ZUL_HsvToRgb(v, s, h));
        if (got.v != v || got.s != s) FAIL() << v << " " << s << " " << h;
        if (s >= 60) {
          int diff = std::abs(got.h - h);
          worst_hue = std::max(worst_hue, std::min(diff, 360 - diff));
        }
      }
    }
  }
  EXPECT_LE(worst_hue, 2);
}

TEST(Hsv, EveryColourRoundTripsItsExtremeChannels) {
  // From RGB: all 2^24 colours keep their largest and smallest channel; the
  // middle one comes back within one step of the whole-degree hue, d / 60,
  // plus one for the truncations.
  for (uint32_t c = 0; c < 0x1000000; ++c) {
    Hsv got = HsvOf(c);
    int r = Red(c), g = Green(c), b = Blue(c);
    int max = std::max({r, g, b}), min = std::min({r, g, b});
    if (got.v != max || got.s != max - min || got.h < 0 || got.h > 359) FAIL() << std::hex << c;
    uint32_t back = ZUL_HsvToRgb(got.v, got.s, got.h);
    int br = Red(back), bg = Green(back), bb = Blue(back);
    if (std::max({br, bg, bb}) != max || std::min({br, bg, bb}) != min) FAIL() << std::hex << c;
    int middle = r + g + b - max - min, back_middle = br + bg + bb - max - min;
    if (std::abs(middle - back_middle) > (max - min) / 60 + 1) FAIL() << std::hex << c;
  }
}

// ---- fixed-point formulas ----------------------------------------------------------------

TEST(FixedPoint, ListedValues) {
  EXPECT_EQ(ZUL_GetY(0xFFFFFF), 255);
  EXPECT_EQ(ZUL_GetY(0x000000), 0);
  EXPECT_EQ(ZUL_GetCr(0xFF0000), 128);
  EXPECT_EQ(ZUL_GetCr(0x00FFFF), -127);
  EXPECT_EQ(ZUL_GetCb(0x0000FF), 128);
  EXPECT_EQ(ZUL_GetCb(0xFFFF00), -127);
  // Negative sums truncate toward zero (-6969532 / 65536 = -106.3), not down.
  EXPECT_EQ(ZUL_GetCr(0x00FF00), -106);
  EXPECT_EQ(ZUL_GetY(0xFF0000), 76);
  EXPECT_EQ(ZUL_GetY(0x00FF00), 150);
  EXPECT_EQ(ZUL_GetY(0x0000FF), 29);
  EXPECT_EQ(ZUL_GetU(0x0000FF), 111);
  EXPECT_EQ(ZUL_GetU(0xFFFF00), -110);  // (-7285620 + 32768) / 65536 = -110.7
  EXPECT_EQ(ZUL_GetV(0xFF0000), 157);
  EXPECT_EQ(ZUL_GetV(0x00FF00), -130);
  EXPECT_EQ(ZUL_GetI(0xFF0000), 152);
  EXPECT_EQ(ZUL_GetI(0x0000FF), -81);
  EXPECT_EQ(ZUL_GetQ(0x00FF00), -126);
  EXPECT_EQ(ZUL_GetQ(0x0000FF), 74);
  EXPECT_EQ(ZUL_GetY(0xAAFFFFFF), 255);  // the top byte is ignored
}

TEST(FixedPoint, GreysHaveNoColourDifference) {
  for (int v = 0; v <= 255; ++v) {
    uint32_t grey = Rgb(v, v, v);
    EXPECT_EQ(ZUL_GetY(grey), v);
    EXPECT_EQ(ZUL_GetCr(grey), 0);
    EXPECT_EQ(ZUL_GetCb(grey), 0);
    EXPECT_EQ(ZUL_GetU(grey), 0);
    EXPECT_EQ(ZUL_GetV(grey), 0);
    EXPECT_EQ(ZUL_GetI(grey), 0);
    EXPECT_EQ(ZUL_GetQ(grey), 0);
  }
}

TEST(FixedPoint, RangesOverEveryColour) {
  int y_min = 999, y_max = -999, cr_min = 999, cr_max = -999, cb_min = 999, cb_max = -999;
  for (uint32_t c = 0; c < 0x1000000; c += 7) {
    y_min = std::min(y_min, ZUL_GetY(c)), y_max = std::max(y_max, ZUL_GetY(c));
    cr_min = std::min(cr_min, ZUL_GetCr(c)), cr_max = std::max(cr_max, ZUL_GetCr(c));
    cb_min = std::min(cb_min, ZUL_GetCb(c)), cb_max = std::max(cb_max, ZUL_GetCb(c));
  }
  EXPECT_GE(y_min, 0);
  EXPECT_LE(y_max, 255);
  EXPECT_GE(cr_min, -127);
  EXPECT_LE(cr_max, 128);
  EXPECT_GE(cb_min, -127);
  EXPECT_LE(cb_max, 128);
}
