// The integer colour formulas: HSV both ways and the 16.16 fixed-point
// luminance and colour-difference quantities.
#include <algorithm>

#include "zullib.h"

namespace zul {

namespace {

int Red(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
int Green(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(uint32_t c) { return static_cast<int>(c & 0xFF); }

// A 16.16 weighted sum (rounding term included) back to an integer; the
// division truncates toward zero, also for negative sums.
int FixedToInt(int sum) { return sum / 65536; }

int WeightedSum(uint32_t c, int wr, int wg, int wb) {
  return FixedToInt(wr * Red(c) + wg * Green(c) + wb * Blue(c) + 32768);
}

// The hue of a colour whose channels are not all equal.
int HueOf(int r, int g, int b, int max, int min) {
  int d = max - min;
  if (max == r && min == b) return (g - b) * 60 / d;
  if (max == g && min == b) return (g - r) * 60 / d + 60;
  if (max == g && min == r) return (b - r) * 60 / d + 120;
  if (max == b && min == r) return (b - g) * 60 / d + 180;
  if (max == b && min == g) return (r - g) * 60 / d + 240;
  return (r - b) * 60 / d + 300;  // max = r, min = g
}

}  // namespace

}  // namespace zul

using namespace zul;

void ZUL_RgbToHsv(uint32_t color, int* hue, int* saturation, int* value) {
  int r = Red(color), g = Green(color), b = Blue(color);
  int max = std::max({r, g, b});
  int min = std::min({r, g, b});
  int h = max == min ? 0 : HueOf(r, g, b, max, min);
  if (hue != nullptr) *hue = h;
  if (saturation != nullptr) *saturation = max - min;
  if (value != nullptr) *value = max;
}

int ZUL_GetHue(uint32_t color) {
  int h, s, v;
  ZUL_RgbToHsv(color, &h, &s, &v);
  return h;
}

int ZUL_GetSaturation(uint32_t color) {
  int h, s, v;
  ZUL_RgbToHsv(color, &h, &s, &v);
  return s;
}

int ZUL_GetBrightness(uint32_t color) {
  int h, s, v;
  ZUL_RgbToHsv(color, &h, &s, &v);
  return v;
}

uint32_t ZUL_HsvToRgb(int value, int saturation, int hue) {
  int v = value;
  int m = std::max(v - saturation, 0);
  int d = v - m;
  int r, g, b;
  if (hue <= 59) {
    r = v, g = m + d * hue / 60, b = m;
  } else if (hue <= 119) {
    r = m + d * (120 - hue) / 60, g = v, b = m;
  } else if (hue <= 179) {
    r = m, g = v, b = m + d * (hue - 120) / 60;
  } else if (hue <= 239) {
    r = m, g = m + d * (240 - hue) / 60, b = v;
  } else if (hue <= 299) {
    r = m + d * (hue - 240) / 60, g = m, b = v;
  } else {
    r = v, g = m, b = m + d * (360 - hue) / 60;
  }
  // Assembled by addition without clamping; unsigned so that out-of-range
  // arguments wrap instead of overflowing.
  return static_cast<uint32_t>(r) * 65536u + static_cast<uint32_t>(g) * 256u +
         static_cast<uint32_t>(b);
}

int ZUL_GetY(uint32_t color) { return WeightedSum(color, 19595, 38470, 7471); }

int ZUL_GetCr(uint32_t color) {
  return FixedToInt(32768 * (Red(color) + 1) - 27460 * Green(color) - 5308 * Blue(color));
}

int ZUL_GetCb(uint32_t color) {
  return FixedToInt(32768 * (Blue(color) + 1) - 11076 * Red(color) - 21692 * Green(color));
}

int ZUL_GetU(uint32_t color) { return WeightedSum(color, -9634, -18940, 28574); }
int ZUL_GetV(uint32_t color) { return WeightedSum(color, 40305, -33751, -6554); }
int ZUL_GetI(uint32_t color) { return WeightedSum(color, 39053, -18022, -21037); }
int ZUL_GetQ(uint32_t color) { return WeightedSum(color, 13533, -32565, 19032); }
