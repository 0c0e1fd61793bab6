// Test patterns: six synthetic pictures that overwrite the whole current
// image window (RGB gradient, grey ramp, HSV chart and three colour planes),
// for checking colour handling and display. Every pixel goes through
// ZUL_SetPixel (the grey ramp's columns through ZUL_DrawLine), so the pen ends
// on the last pixel written. Integer arithmetic throughout; divisions
// truncate toward zero. Worker thread only.
#include <cmath>

#include "surfaces/surfaces.h"

namespace zul {

namespace {

// The current image window when it is live and has rows, else null.
const ImageWindow* PatternTarget() {
  const ImageWindow* slot = CurrentLiveImage();
  return slot != nullptr && slot->height > 0 && slot->width > 0 ? slot : nullptr;
}

uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
}

uint32_t Grey(int v) { return static_cast<uint32_t>(v) * 0x010101u; }

int ClampChannel(int value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

void LoadGreyPalette() {
  RGBQUAD greys[kPaletteEntries];
  FillGreyRamp(greys);
  ZUL_SetPalette(greys, kPaletteEntries);
}

// The coefficients of one colour plane: channel = Y + (k1 a + k2 b) / 65536.
struct PlaneCoefficients {
  int red_a, red_b;
  int green_a, green_b;
  int blue_a, blue_b;
};

int PlaneChannel(int y_value, int k1, int a, int k2, int b) {
  return ClampChannel((65536 * y_value + k1 * a + k2 * b + 32768) / 65536);
}

void DrawColourPlane(const PlaneCoefficients& k) {
  const ImageWindow* slot = PatternTarget();
  if (slot == nullptr) return;
  const int w = slot->width, h = slot->height;
  for (int y = 0; y < h; ++y) {
    const int b = -((y - h / 2) * 255 / h);
    for (int x = 0; x < w; ++x) {
      const int a = (x - w / 2) * 255 / w;
      const int y_value = static_cast<int>(std::sqrt(5.0 * static_cast<double>(a * a + b * b)));
      ZUL_SetPixel(x, y,
                   Rgb(PlaneChannel(y_value, k.red_a, a, k.red_b, b),
                       PlaneChannel(y_value, k.green_a, a, k.green_b, b),
                       PlaneChannel(y_value, k.blue_a, a, k.blue_b, b)));
    }
  }
}

}  // namespace

}  // namespace zul

using namespace zul;

void ZUL_PatternRgb() {
  const ImageWindow* slot = PatternTarget();
  if (slot == nullptr) return;
  const int w = slot->width, h = slot->height;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      ZUL_SetPixel(x, y, Rgb(255 * x / w, 255 * y / h, 255 - 255 * (x + y) / (w + h)));
    }
  }
}

void ZUL_PatternGrey() {
  const ImageWindow* slot = PatternTarget();
  if (slot == nullptr) return;
  if (slot->bits == 8) LoadGreyPalette();
  const int w = slot->width, h = slot->height;
  for (int x = 0; x < w; ++x) {
    const int v = 255 * x / w;
    ZUL_DrawLine(Grey(v), x, 0, x, h / 2 - 1);
    ZUL_DrawLine(Grey(255 - v), x, h / 2, x, h - 1);
  }
}

void ZUL_PatternHsv() {
  const ImageWindow* slot = PatternTarget();
  if (slot == nullptr) return;
  const int w = slot->width, h = slot->height;
  // A window one row high has no lower half: its single row is the top row.
  const int h2 = h >= 2 ? h / 2 : 1;
  for (int y = 0; y < h; ++y) {
    const bool upper = y < h2;
    const int saturation = upper ? 255 * y / h2 : 255;
    const int value = upper ? 255 : 255 - (y - h2) * 255 / h2;
    for (int x = 0; x < w; ++x) ZUL_SetPixel(x, y, ZUL_HsvToRgb(value, saturation, 359 * x / w));
  }
}

void ZUL_PatternYCrCb() { DrawColourPlane({0, 91881, -22544, -46793, 116130, 0}); }

void ZUL_PatternYuv() { DrawColourPlane({0, 74711, -25952, -38076, 132973, 0}); }

void ZUL_PatternYiq() { DrawColourPlane({42998, 62187, -44872, -17334, 118292, -73859}); }
