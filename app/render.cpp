// The interlacing of the work window into the output window.
#include <cmath>
#include <cstdio>

#include "lenti.h"

double pitch;
int pic_num;
int view_num;
int gap;
int pos;
int AA;
int output_x, output_y;

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

uint32_t BlendChannel(double x, uint32_t c, uint32_t p, int shift) {
  double mixed = (1.0 - x) * ((c >> shift) & 0xFF) + x * ((p >> shift) & 0xFF);
  return static_cast<uint32_t>(static_cast<int>(mixed)) << shift;
}

// Replaces one channel of pixel (x, y) with the same channel of `colour`.
void WriteChannel(int x, int y, uint32_t colour, uint32_t mask) {
  uint32_t kept = ZUL_GetPixel(x, y) & ~mask & 0xFFFFFF;
  ZUL_SetPixel(x, y, kept | (colour & mask));
}

// The sample of window 1 for one row block; views of no width sample outside
// the picture, which reads black.
uint32_t ReadSample(int sx, int o) {
  ZUL_SelectImage(kWorkWindow);
  return ZUL_GetPixel(sx + 3 * o, 3 * o);
}

void PrintParameters(double dt) {
  ZUL_ClearTextWindow();
  // One call for all lines: the window is repainted once, not once a line.
  ZUL_Printf("pitch: %f\ndt: %f\npic_num: %d\nview_num: %d\ngap: %d\npos: %d\n%s", pitch, dt,
             pic_num, view_num, gap, pos, AA ? "AA: on" : "AA: off");
}
}  // namespace

uint32_t BlendColors(double x, uint32_t c, uint32_t p) {
  return BlendChannel(x, c, p, 16) | BlendChannel(x, c, p, 8) | BlendChannel(x, c, p, 0);
}

void WriteSubpixels(int o, int a, uint32_t colour) {
  int col = a / 3;
  int phase = a % 3;
  int y0 = 3 * o;
  switch (phase) {
    case 0:
      WriteChannel(col, y0, colour, kRed);
      WriteChannel(col, y0 + 1, colour, kGreen);
      WriteChannel(col, y0 + 2, colour, kBlue);
      break;
    case 1:
      WriteChannel(col, y0, colour, kBlue);
      WriteChannel(col + 1, y0 + 1, colour, kRed);
      WriteChannel(col + 1, y0 + 2, colour, kGreen);
      break;
    case 2:
      WriteChannel(col, y0, colour, kGreen);
      WriteChannel(col, y0 + 1, colour, kBlue);
      WriteChannel(col + 1, y0 + 2, colour, kRed);
      break;
    default:  // a negative column that is not a whole pixel: nothing
      break;
  }
}

void ComputeViewWidths(int x, double t, double dt, int views, std::vector<int>* widths) {
  widths->assign(static_cast<size_t>(views), 0);
  int p = x;
  double g = t;
  int n = 0;
  for (int j = 0; j < views;) {
    p = p + 1;
    if (p < std::trunc(g)) {
      n = n + 1;
    } else {
      (*widths)[static_cast<size_t>(j)] = n;
      j = j + 1;
      n = 0;
      g = g + dt;
    }
  }
}

void RenderLenticular() {
  // Never render from or into a window the user has closed meanwhile.
  if (!ZUL_GetImageWindow(kWorkWindow) || !ZUL_GetImageWindow(kOutputWindow)) return;
  const double dt = pitch / view_num;
  const int picture_width = image_surfaces[kWorkWindow].width / pic_num;
  std::vector<int> widths;
  uint32_t prev[kRowBlocks] = {};
  double frac = 0;
  bool blend = false;
  int x = 0;
  double t = dt;
  bool first_lens = true;

  do {
    ComputeViewWidths(x, t, dt, view_num, &widths);
    const int base = static_cast<int>(first_lens ? std::trunc(pitch) : std::trunc(t));
    first_lens = false;
    int v = 0;
    int k = 0;
    while (v < view_num) {
      const int width = widths[static_cast<size_t>(v)];
      // A view of no width has one column, whose source lies outside the picture.
      const bool outside = width == 0;
      const int sx =
          outside ? 0
                  : v * picture_width + base - static_cast<int>(std::trunc((pitch / width) * k));
      for (int o = 0; o < kRowBlocks; ++o) {
        uint32_t c = outside ? 0 : ReadSample(sx, o);
        uint32_t out = blend && AA ? BlendColors(frac, c, prev[o]) : c;
        if (k < gap) out = 0;
        prev[o] = c;
        int a = x + 3 * o + (v != 0 ? pos : 0);
        ZUL_SelectImage(kOutputWindow);
        WriteSubpixels(o, a, out);
      }
      x = x + 1;
      blend = false;
      if (x >= std::trunc(t)) {
        frac = t - std::trunc(t);
        v = v + 1;
        k = 0;
        blend = true;
        t = t + dt;
      } else {
        k = k + 1;
      }
    }
  } while (x < kOutputSubpixels);

  ZUL_SelectImage(kOutputWindow);
  ZUL_RedrawImage(kOutputWindow);
  PrintParameters(dt);
}
